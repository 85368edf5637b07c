#include "ScenarioTableModel.h"

namespace scenario {

ScenarioTableModel::ScenarioTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

void ScenarioTableModel::setTable(const engine::ScenarioTable &table)
{
    if (table == m_table)
        return;
    m_table = table;
    emit dataChanged(index(0, 1), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

Qt::Alignment ScenarioTableModel::alignment(int modelColumn)
{
    if (modelColumn == 0)
        return Qt::AlignLeft | Qt::AlignVCenter;
    return (modelColumn == column(engine::scnAmortization) ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter;
}

int ScenarioTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : engine::kScenarioRows;
}

int ScenarioTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : engine::kScenarioColumns + 1;
}

QVariant ScenarioTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == 0)
            return QString::fromLatin1(engine::kScenarioRowCaptions[size_t(index.row())]);
        return QString::fromStdString(m_table[size_t(index.row())][size_t(index.column() - 1)]);
    case Qt::TextAlignmentRole:
        return int(alignment(index.column()));
    default:
        return {};
    }
}

QVariant ScenarioTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < rowCount())
            return QString::fromLatin1(engine::kScenarioRowCaptions[size_t(section)]);
        return {};
    }
    if (section < 0 || section >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return section == 0 ? QString::fromLatin1(engine::kScenarioRowHeading)
                            : QString::fromLatin1(engine::kScenarioColumnCaptions[size_t(section - 1)]);
    case Qt::TextAlignmentRole:
        return int((alignment(section) & Qt::AlignHorizontal_Mask) | Qt::AlignBottom);
    case Qt::FontRole:
        return m_headingFont;
    default:
        return {};
    }
}

} // namespace scenario
