#include "ScheduleModel.h"

#include "document/ColumnProperties.h"
#include "engine/LoanDocument.h"

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
    m_visibleColumns = 0;
    for (int k = 0; k < document::kLogicalColumns; ++k) {
        const int position = m_columns.columns[size_t(k)].Position;
        if (position >= 0 && position < document::kLogicalColumns) {
            m_logicalAt[size_t(position)] = k;
            m_visibleColumns = std::max(m_visibleColumns, position + 1);
        }
    }
    endResetModel();
}

int ScheduleModel::logicalColumn(int visibleColumn) const
{
    return visibleColumn >= 0 && visibleColumn < m_visibleColumns ? m_logicalAt[size_t(visibleColumn)] : -1;
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
        const std::string_view text = m_loan.gridMain0.text(index.row() + 1, k);
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }
    case Qt::TextAlignmentRole:
        return int(alignmentForCode(m_columns.columns[size_t(k)].Alignment));
    default:
        return {};
    }
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    const int k = logicalColumn(section);
    if (k < 0)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(m_columns.columns[size_t(k)].Caption);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

} // namespace views
