#include "Icons.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace app {

namespace {

// Lines of text, aligned as the command aligns columns.
QIcon alignmentIcon(Qt::Alignment alignment)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 2));
    const int lengths[] = {16, 10, 16, 12};
    for (int i = 0; i < 4; ++i) {
        const int y = 5 + i * 5;
        const int length = lengths[i];
        const int x = alignment & Qt::AlignLeft ? 4 : alignment & Qt::AlignRight ? 20 - length : 12 - length / 2;
        painter.drawLine(x, y, x + length, y);
    }
    return QIcon(pixmap);
}

// Two overlapping pages.
QIcon copyIcon()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    painter.setBrush(Qt::white);
    painter.drawRect(3, 3, 11, 14);
    painter.drawRect(9, 7, 11, 14);
    return QIcon(pixmap);
}

// A small table, or a table beside a chart.
QIcon viewIcon(bool summary)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    painter.setBrush(Qt::white);
    if (!summary) {
        painter.drawRect(3, 4, 18, 16);
        for (int y : {9, 14})
            painter.drawLine(3, y, 21, y);
        painter.drawLine(9, 4, 9, 20);
        return QIcon(pixmap);
    }
    painter.drawRect(3, 4, 18, 16);
    painter.setBrush(QColor(0x3a, 0x7b, 0xd5));
    painter.drawRect(6, 13, 3, 6);
    painter.drawRect(11, 9, 3, 10);
    painter.drawRect(16, 6, 3, 13);
    return QIcon(pixmap);
}

// A printer with a sheet coming out, or a sheet under a magnifying glass.
QIcon printIcon(bool preview)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    painter.setBrush(Qt::white);
    if (!preview) {
        painter.drawRect(QRectF(7, 3, 10, 7));
        painter.setBrush(QColor(0xb0, 0xb0, 0xb0));
        painter.drawRoundedRect(QRectF(3, 9, 18, 8), 2, 2);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(7, 14, 10, 7));
        return QIcon(pixmap);
    }
    painter.drawRect(QRectF(4, 3, 12, 16));
    for (int y : {7, 10, 13})
        painter.drawLine(QPointF(7, y), QPointF(13, y));
    painter.setBrush(QColor(0xdd, 0xea, 0xf7));
    painter.drawEllipse(QPointF(15, 14), 4.5, 4.5);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 2.5));
    painter.drawLine(QPointF(18.5, 17.5), QPointF(21.5, 20.5));
    return QIcon(pixmap);
}

// A sheet with an arrow leaving it, or a sheet ruled as a table.
QIcon exportIcon(bool table)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(4, 3, 13, 18));
    if (table) {
        for (int y : {8, 12, 16})
            painter.drawLine(QPointF(4, y), QPointF(17, y));
        painter.drawLine(QPointF(9, 3), QPointF(9, 21));
        return QIcon(pixmap);
    }
    painter.setPen(QPen(QColor(0xc0, 0x30, 0x30), 2));
    painter.drawLine(QPointF(11, 12), QPointF(21, 12));
    painter.drawLine(QPointF(17.5, 8.5), QPointF(21, 12));
    painter.drawLine(QPointF(17.5, 15.5), QPointF(21, 12));
    return QIcon(pixmap);
}

QIcon themed(const char *name, const QIcon &fallback)
{
    return QIcon::fromTheme(QLatin1String(name), fallback);
}

} // namespace

QIcon icon(IconKind kind)
{
    QStyle *style = QApplication::style();
    switch (kind) {
    case IconKind::New:
        return themed("document-new", style->standardIcon(QStyle::SP_FileIcon));
    case IconKind::Open:
        return themed("document-open", style->standardIcon(QStyle::SP_DialogOpenButton));
    case IconKind::Save:
        return themed("document-save", style->standardIcon(QStyle::SP_DialogSaveButton));
    case IconKind::Print:
        return themed("document-print", printIcon(false));
    case IconKind::PrintPreview:
        return themed("document-print-preview", printIcon(true));
    case IconKind::ExportPdf:
        return themed("document-export", exportIcon(false));
    case IconKind::ExportCsv:
        return themed("x-office-spreadsheet", exportIcon(true));
    case IconKind::Copy:
        return themed("edit-copy", copyIcon());
    case IconKind::AlignLeft:
        return themed("format-justify-left", alignmentIcon(Qt::AlignLeft));
    case IconKind::AlignCenter:
        return themed("format-justify-center", alignmentIcon(Qt::AlignHCenter));
    case IconKind::AlignRight:
        return themed("format-justify-right", alignmentIcon(Qt::AlignRight));
    case IconKind::DetailedView:
        return themed("view-list-details", viewIcon(false));
    case IconKind::SummaryView:
        return themed("view-statistics", viewIcon(true));
    case IconKind::Debug:
        return themed("tools-report-bug", style->standardIcon(QStyle::SP_FileDialogDetailedView));
    }
    return {};
}

QIcon programIcon()
{
    QIcon program;
    for (const int size : kProgramIconSizes)
        program.addFile(QStringLiteral(":/desktop/icons/pellandra-%1.png").arg(size), QSize(size, size));
    return program;
}

} // namespace app
