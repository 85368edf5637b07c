#include "LoanComparisonModel.h"

#include <QColor>
#include <QFont>

namespace views {

LoanComparisonModel::LoanComparisonModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

void LoanComparisonModel::setComparison(engine::LoanComparison comparison, const engine::NumberFormat &format)
{
    beginResetModel();
    m_comparison = std::move(comparison);
    m_format = format;
    endResetModel();
}

QString LoanComparisonModel::tabSeparatedText() const
{
    return QString::fromStdString(engine::delimitedText(m_comparison.table(&m_format), '\t', &m_format));
}

int LoanComparisonModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_comparison.rows.size());
}

int LoanComparisonModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || m_comparison.rows.empty() ? 0 : int(m_comparison.titles.size()) + 1;
}

QVariant LoanComparisonModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const engine::ComparisonRow &row = m_comparison.rows[size_t(index.row())];
    const bool label = index.column() == 0;
    const size_t loan = size_t(index.column() - 1);
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(label ? row.label : engine::comparisonText(row, loan, m_format));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (label ? Qt::AlignLeft : Qt::AlignRight));
    case Qt::FontRole:
        if (label) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::ForegroundRole: {
        if (!label && row.difference && loan < row.values.size() && row.values[loan] && *row.values[loan] < 0)
            return QColor(Qt::darkRed);
        return {};
    }
    default:
        return {};
    }
}

QVariant LoanComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section <= 0 || size_t(section) > m_comparison.titles.size())
        return QString();
    return QString::fromStdString(m_comparison.titles[size_t(section - 1)]);
}

} // namespace views
