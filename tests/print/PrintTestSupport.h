#pragma once

#include "print/PageSurface.h"
#include "print/PrintableTable.h"

#include <QImage>
#include <QPainter>

#include <functional>
#include <set>
#include <vector>

namespace printtest {

// A page as the screen shows it at 96 dpi: one pixel for 15 twips.
inline QImage renderPage(print::PageSurface &surface, int page)
{
    const QSize sheet = surface.sheetTwips();
    QImage image(sheet.width() / 15, sheet.height() / 15, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(1.0 / 15, 1.0 / 15);
    surface.paintPage(painter, page);
    return image;
}

inline bool isDark(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y).lightness() < 128;
}

// A table of fixed widths whose cells say where they are; it remembers which headings and rows were drawn.
class FakeTable : public print::PrintableTable
{
public:
    FakeTable(std::vector<int> widths, int rows)
        : m_widths(std::move(widths))
        , m_rows(rows)
    { }

    std::function<QString(int row, int column)> texts = [](int row, int column) {
        return QStringLiteral("%1.%2").arg(row).arg(column);
    };
    std::function<QString(int column)> headings = [](int column) { return QStringLiteral("Column %1").arg(column); };
    mutable std::set<int> headingsDrawn;
    mutable std::set<int> rowsDrawn;
    mutable std::set<int> columnsDrawn;
    void forget() const
    {
        headingsDrawn.clear();
        rowsDrawn.clear();
        columnsDrawn.clear();
    }

    int columnCount() const override { return int(m_widths.size()); }
    int rowCount() const override { return m_rows; }
    int columnWidth(int column) const override { return m_widths[size_t(column)]; }
    QString heading(int column) const override
    {
        headingsDrawn.insert(column);
        return headings(column);
    }
    QString text(int row, int column) const override
    {
        rowsDrawn.insert(row);
        columnsDrawn.insert(column);
        return texts(row, column);
    }
    Qt::Alignment alignment(int, int) const override { return Qt::AlignCenter; }
    QColor textColor(int, int) const override { return {}; }

private:
    std::vector<int> m_widths;
    int m_rows;
};

} // namespace printtest
