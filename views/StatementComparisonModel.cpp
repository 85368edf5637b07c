#include "StatementComparisonModel.h"

#include "engine/NumberFormat.h"

#include <QColor>

#include <cmath>

namespace views {

namespace {

constexpr int kLineColumn = 0;
constexpr int kDateColumn = 1;
constexpr int kFirstAmountColumn = 2;

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

// The marks the shading stands for, in the cell's own text, so that they reach a screen reader and a printout in
// black and white.
const QString kDiffersMark = QStringLiteral("\u2260 ");
const QString kUnmatchedMark = QStringLiteral("? ");

} // namespace

StatementComparisonModel::StatementComparisonModel(const engine::NumberFormat &format, QObject *parent)
    : QAbstractTableModel(parent)
    , m_format(format)
{ }

QColor StatementComparisonModel::differenceColor()
{
    return QColor(255, 205, 205);
}

QColor StatementComparisonModel::unmatchedColor()
{
    return QColor(255, 236, 179);
}

void StatementComparisonModel::setStatement(engine::Statement statement)
{
    beginResetModel();
    m_statement = std::move(statement);
    m_comparison = {};
    m_columns.clear();
    for (int c = 0; c < engine::kStatementColumnCount; ++c) {
        if (m_statement.hasColumn[size_t(c)])
            m_columns.push_back(c);
    }
    endResetModel();
}

void StatementComparisonModel::setComparison(engine::CandidateComparison comparison)
{
    m_comparison = std::move(comparison);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int StatementComparisonModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_statement.rows.size());
}

int StatementComparisonModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kFirstAmountColumn + 2 * int(m_columns.size());
}

QVariant StatementComparisonModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_statement.rows.size())
        return {};
    const engine::StatementRow &row = m_statement.rows[size_t(index.row())];
    const engine::RowComparison *compared =
        size_t(index.row()) < m_comparison.rows.size() ? &m_comparison.rows[size_t(index.row())] : nullptr;
    const bool unmatched = compared && compared->scheduleRow == 0;
    if (index.column() < kFirstAmountColumn) {
        switch (role) {
        case Qt::DisplayRole:
            if (index.column() == kLineColumn)
                return row.line;
            return (unmatched ? kUnmatchedMark : QString()) + text(m_format.formatDate(row.date));
        case Qt::AccessibleTextRole:
            return unmatched
                ? QVariant(data(index).toString() + QStringLiteral(", ") + data(index, Qt::ToolTipRole).toString())
                : QVariant();
        case Qt::TextAlignmentRole:
            return index.column() == kLineColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
        case Qt::BackgroundRole:
            return unmatched ? QVariant(unmatchedColor()) : QVariant();
        case Qt::ToolTipRole:
            return unmatched ? QVariant(tr("The schedule has no row on this date.")) : QVariant();
        default:
            return {};
        }
    }
    const int pair = (index.column() - kFirstAmountColumn) / 2;
    if (pair >= int(m_columns.size()))
        return {};
    const size_t column = size_t(m_columns[size_t(pair)]);
    const bool fromSchedule = (index.column() - kFirstAmountColumn) % 2 == 1;
    const std::optional<double> given = row.amounts[column];
    const std::optional<double> computed = compared ? compared->computed[column] : std::nullopt;
    const bool differs = compared && compared->differs[column];
    switch (role) {
    case Qt::DisplayRole: {
        const std::optional<double> value = fromSchedule ? computed : given;
        return value ? QVariant((differs ? kDiffersMark : QString()) + text(m_format.currency(*value))) : QVariant();
    }
    case Qt::AccessibleTextRole: {
        const QString tip = data(index, Qt::ToolTipRole).toString();
        return tip.isEmpty() ? QVariant() : QVariant(data(index).toString() + QStringLiteral(", ") + tip);
    }
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return differs ? QVariant(differenceColor()) : unmatched ? QVariant(unmatchedColor()) : QVariant();
    case Qt::ToolTipRole:
        if (differs && given && computed)
            return tr("Differs by %1").arg(text(m_format.currency(std::fabs(*given - *computed))));
        if (differs)
            return tr("Differs from the statement");
        return unmatched ? QVariant(tr("The schedule has no row on this date.")) : QVariant();
    default:
        return {};
    }
}

QVariant StatementComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    if (section == kLineColumn)
        return QStringLiteral("Line");
    if (section == kDateColumn)
        return QStringLiteral("Date");
    const int pair = (section - kFirstAmountColumn) / 2;
    if (pair < 0 || pair >= int(m_columns.size()))
        return {};
    const QString name = QString::fromLatin1(engine::statementColumnName(m_columns[size_t(pair)]));
    return ((section - kFirstAmountColumn) % 2 == 0 ? QStringLiteral("Statement\n") : QStringLiteral("Schedule\n"))
        + name;
}

} // namespace views
