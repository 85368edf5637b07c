#include "ScheduleModel.h"

#include "FittedTextDelegate.h"

#include "document/ColumnProperties.h"
#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"

#include "ui/ColorContrast.h"

#include <QBrush>

namespace views {

Qt::Alignment alignmentForCode(int code)
{
    switch (code) {
    case document::kAlignLeft:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case document::kAlignCenter:
        return Qt::AlignCenter;
    case document::kAlignRight:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}

QColor GridLook::readable(const QColor &color, int row) const
{
    return QColor::fromRgb(
        ui::readableOn(color.rgb() & 0xFFFFFF, background(row).rgb() & 0xFFFFFF, text.rgb() & 0xFFFFFF));
}

QVariant GridLook::cellData(int row, int alignmentCode, int role) const
{
    switch (role) {
    case Qt::TextAlignmentRole:
        return int(alignmentForCode(alignmentCode));
    case Qt::BackgroundRole:
        if (banded(row))
            return QBrush(bandColor);
        return {};
    case Qt::ForegroundRole: {
        // A band colour the user chose may not suit the scheme's text: the text then changes, not the band.
        if (!banded(row))
            return {};
        const QColor shown = readable(text, row);
        return shown == text ? QVariant() : QVariant(QBrush(shown));
    }
    case Qt::FontRole:
        return font;
    default:
        return {};
    }
}

QVariant GridLook::headerData(const QString &caption, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return caption;
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter | Qt::TextWordWrap);
    case Qt::FontRole:
        return font;
    default:
        return {};
    }
}

ScheduleModel::ScheduleModel(const engine::LoanDocument &loan, const document::ColumnProperties &columns,
                             QObject *parent)
    : QAbstractTableModel(parent)
    , m_loan(loan)
    , m_columns(columns)
{
    reload();
}

void ScheduleModel::reload()
{
    beginResetModel();
    m_logicalAt.fill(-1);
    m_visibleAt.fill(-1);
    m_visibleColumns = 0;
    for (int k = 0; k < document::kLogicalColumns; ++k) {
        const int position = m_columns.columns[size_t(k)].Position;
        if (position >= 0 && position < document::kLogicalColumns) {
            m_logicalAt[size_t(position)] = k;
            m_visibleAt[size_t(k)] = position;
            m_alignment[size_t(position)] = m_columns.columns[size_t(k)].Alignment;
            m_visibleColumns = std::max(m_visibleColumns, position + 1);
        }
    }
    m_highlights.clear();
    endResetModel();
}

int ScheduleModel::logicalColumn(int visibleColumn) const
{
    return visibleColumn >= 0 && visibleColumn < m_visibleColumns ? m_logicalAt[size_t(visibleColumn)] : -1;
}

int ScheduleModel::visibleColumn(int logicalColumn) const
{
    return logicalColumn >= 0 && logicalColumn < document::kLogicalColumns ? m_visibleAt[size_t(logicalColumn)] : -1;
}

int ScheduleModel::columnAlignment(int visibleColumn) const
{
    return visibleColumn >= 0 && visibleColumn < m_visibleColumns ? m_alignment[size_t(visibleColumn)] : 0;
}

void ScheduleModel::setColumnAlignment(int visibleColumn, int code)
{
    if (visibleColumn < 0 || visibleColumn >= m_visibleColumns || m_alignment[size_t(visibleColumn)] == code)
        return;
    m_alignment[size_t(visibleColumn)] = code;
    emit dataChanged(index(0, visibleColumn), index(rowCount() - 1, visibleColumn), {Qt::TextAlignmentRole});
}

void ScheduleModel::paintCells()
{
    m_highlights.clear();
    const int lastRow = rowCount();
    // Model row r shows schedule row r + 1, the number the change tables record.
    auto mark = [&](const engine::TextTable &table, int logical, unsigned char bit) {
        if (visibleColumn(logical) < 0)
            return;
        for (int i = 1; i < table.rows(); ++i) {
            const double row = engine::numberOrZero(table.text(i, engine::chgScheduleRow));
            if (row >= 1 && row <= lastRow)
                m_highlights[int(row) - 1] |= bit;
        }
    };
    mark(m_loan.gridAnnualRate, engine::colAnnualRate, RateCell);
    mark(m_loan.gridBasicPayment, engine::colPayment, PaymentCell);
    if (visibleColumn(engine::colLumpSum) >= 0) {
        const engine::TextTable &lumps = m_loan.gridLumpSum;
        for (int i = 1; i < lumps.rows(); ++i) {
            const std::string_view cell = lumps.text(i, engine::chgScheduleRow);
            const double row = engine::numberOrZero(cell);
            // The first lump sum beyond the schedule ends the pass: the ones after it lie beyond it too.
            if (cell.empty() || row > lastRow)
                break;
            if (row < 1)
                continue;
            m_highlights[int(row) - 1] |= LumpCell;
            if (visibleColumn(engine::colNumber) >= 0 && m_loan.gridMain0.isEmpty(int(row), engine::colNumber))
                m_highlights[int(row) - 1] |= SavedInterestCell;
        }
    }
    m_privileges = engine::checkPrivileges(m_loan);
    if (lastRow > 0)
        emit dataChanged(index(0, 0), index(lastRow - 1, columnCount() - 1), {Qt::ForegroundRole});
}

QString ScheduleModel::privilegeText(int row, int logical) const
{
    if (logical != engine::colLumpSum && logical != engine::colPayment)
        return {};
    const engine::PrivilegeMark *mark = m_privileges.markOf(row + 1);
    if (!mark)
        return {};
    const bool lumpSum = mark->has(engine::PrivilegeMark::OverLimit) || mark->has(engine::PrivilegeMark::UnderMinimum);
    if ((logical == engine::colLumpSum) != lumpSum)
        return {};
    return QString::fromStdString(engine::markText(*mark, m_privileges, m_loan.gridMain0.format()));
}

QString ScheduleModel::shortfallText(int row, int logical) const
{
    const engine::ScheduleTable &schedule = m_loan.gridMain0;
    if (logical != engine::colInterest || !schedule.paymentShortOfInterest(row + 1))
        return {};
    return tr("The payment does not cover this period's interest: the balance grows by %1.")
        .arg(QString::fromStdString(schedule.format().currency(-schedule.value(row + 1, engine::colPrincipal))));
}

QString ScheduleModel::markText(int row, int logical) const
{
    const QString privilege = privilegeText(row, logical);
    return privilege.isEmpty() ? shortfallText(row, logical) : privilege;
}

void ScheduleModel::setBands(int interval, const QColor &color)
{
    m_look.bandInterval = std::max(interval, 0);
    m_look.bandColor = color;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole});
}

QColor ScheduleModel::cellColor(int row, int visibleCol) const
{
    const auto found = m_highlights.find(row);
    if (found == m_highlights.end())
        return {};
    const int k = logicalColumn(visibleCol);
    const unsigned char bits = found->second;
    if ((k == engine::colAnnualRate && (bits & RateCell)) || (k == engine::colPayment && (bits & PaymentCell))
        || (k == engine::colLumpSum && (bits & LumpCell)))
        return QColor::fromRgb(kHighlightBlue);
    if (k == engine::colInterest && (bits & SavedInterestCell))
        return QColor::fromRgb(kHighlightRed);
    return {};
}

QString ScheduleModel::highlightText(int row, int visibleCol) const
{
    const QColor color = cellColor(row, visibleCol);
    if (!color.isValid())
        return {};
    switch (logicalColumn(visibleCol)) {
    case engine::colAnnualRate:
        return tr("Rate changed here.");
    case engine::colPayment:
        return tr("Payment changed here.");
    case engine::colLumpSum:
        return tr("Lump sum paid here.");
    default:
        return tr("Interest saved by the lump sum.");
    }
}

void ScheduleModel::setSchemeColors(const QColor &base, const QColor &text)
{
    if (m_look.base == base && m_look.text == text)
        return;
    m_look.base = base;
    m_look.text = text;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::ForegroundRole});
}

int ScheduleModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(m_loan.gridMain0.rows() - 1, 0);
}

int ScheduleModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_visibleColumns;
}

QVariant ScheduleModel::data(const QModelIndex &index, int role) const
{
    const int k = logicalColumn(index.column());
    if (!index.isValid() || k < 0)
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        // Made only for the cells being painted.
        const QString text = QString::fromStdString(m_loan.gridMain0.text(index.row() + 1, k));
        if (!privilegeText(index.row(), k).isEmpty())
            return QString::fromUtf16(kPrivilegeMarker) + text;
        return shortfallText(index.row(), k).isEmpty() ? text : QString::fromUtf16(kShortfallMarker) + text;
    }
    case Qt::ForegroundRole: {
        QColor color = cellColor(index.row(), index.column());
        if (!privilegeText(index.row(), k).isEmpty())
            color = QColor::fromRgb(kPrivilegeOrange);
        else if (!shortfallText(index.row(), k).isEmpty())
            color = QColor::fromRgb(kShortfallPurple);
        return color.isValid() ? QVariant(QBrush(m_look.readable(color, index.row())))
                               : m_look.cellData(index.row(), 0, role);
    }
    case Qt::ToolTipRole: {
        QStringList tips;
        if (k == engine::colLumpSum) {
            if (const auto entered = m_loan.gridMain0.reducedLumpSum(index.row() + 1))
                tips << tr("Reduced to what is owed on this date; %1 was entered.")
                            .arg(QString::fromStdString(m_loan.gridMain0.format().currency(*entered)));
        }
        // A reduced lump sum's own tip already says what the cell is.
        const QString highlight = highlightText(index.row(), index.column());
        if (tips.isEmpty() && !highlight.isEmpty())
            tips << highlight;
        if (const QString mark = markText(index.row(), k); !mark.isEmpty())
            tips << mark;
        return tips.isEmpty() ? QVariant() : QVariant(tips.join(QLatin1Char(' ')));
    }
    case FittedTextDelegate::kMarkRole:
        return cellColor(index.row(), index.column()).isValid();
    case Qt::AccessibleTextRole: {
        // The colour said in words after the figure.
        QString highlight = highlightText(index.row(), index.column());
        if (const QString mark = markText(index.row(), k); !mark.isEmpty())
            highlight = highlight.isEmpty() ? mark : highlight + QLatin1Char(' ') + mark;
        return highlight.isEmpty() ? QVariant()
                                   : QVariant(QString::fromStdString(m_loan.gridMain0.text(index.row() + 1, k))
                                              + QStringLiteral(", ") + highlight);
    }
    default:
        return m_look.cellData(index.row(), m_alignment[size_t(index.column())], role);
    }
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal) {
        // A row is named by its No. as the grid shows it (0 for the loan's start), or by its date where it has none
        // (a lump sum between payments): the header a screen reader announces.
        if (role != Qt::DisplayRole || section < 0 || section >= rowCount())
            return QAbstractTableModel::headerData(section, orientation, role);
        const std::string number = m_loan.gridMain0.text(section + 1, engine::colNumber);
        return QString::fromStdString(number.empty() ? m_loan.gridMain0.text(section + 1, engine::colDate) : number);
    }
    const int k = logicalColumn(section);
    if (k < 0)
        return {};
    return m_look.headerData(QString::fromStdString(m_columns.columns[size_t(k)].Caption), role);
}

} // namespace views
