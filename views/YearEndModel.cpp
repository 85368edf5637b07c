#include "YearEndModel.h"

#include "document/ColumnProperties.h"

namespace views {

YearEndModel::YearEndModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    m_alignment.fill(document::kAlignCenter);
}

void YearEndModel::setReport(engine::YearEndReport report)
{
    beginResetModel();
    m_report = std::move(report);
    endResetModel();
}

int YearEndModel::columnAlignment(int column) const
{
    return column >= 0 && column < engine::kYearEndColumnCount ? m_alignment[size_t(column)] : 0;
}

void YearEndModel::setColumnAlignment(int column, int code)
{
    if (column < 0 || column >= engine::kYearEndColumnCount || m_alignment[size_t(column)] == code)
        return;
    m_alignment[size_t(column)] = code;
    if (rowCount() > 0)
        emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::TextAlignmentRole});
}

void YearEndModel::setBands(int interval, const QColor &color)
{
    m_look.bandInterval = std::max(interval, 0);
    m_look.bandColor = color;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole});
}

int YearEndModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_report.rows() - 1;
}

int YearEndModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_report.cols();
}

QVariant YearEndModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(m_report.text(index.row() + 1, index.column()));
    return m_look.cellData(index.row(), m_alignment[size_t(index.column())], role);
}

QVariant YearEndModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_look.headerData(QString::fromLatin1(engine::yearEndCaption(section)), role);
}

} // namespace views
