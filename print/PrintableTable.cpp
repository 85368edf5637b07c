#include "PrintableTable.h"

#include <QAbstractItemModel>
#include <QBrush>

#include <algorithm>

namespace print {

ModelTable::ModelTable(const QAbstractItemModel &model, std::vector<int> widthsTwips)
    : m_model(&model)
    , m_widths(std::move(widthsTwips))
{
    for (int &width : m_widths)
        width = std::max(width, 0);
}

int ModelTable::columnCount() const
{
    return m_model ? std::min(m_model->columnCount(), int(m_widths.size())) : 0;
}

int ModelTable::rowCount() const
{
    return m_model ? m_model->rowCount() : 0;
}

int ModelTable::columnWidth(int column) const
{
    return column >= 0 && column < int(m_widths.size()) ? m_widths[size_t(column)] : 0;
}

QString ModelTable::heading(int column) const
{
    return m_model ? m_model->headerData(column, Qt::Horizontal).toString() : QString();
}

QString ModelTable::text(int row, int column) const
{
    return m_model ? m_model->index(row, column).data().toString() : QString();
}

Qt::Alignment ModelTable::alignment(int row, int column) const
{
    const QVariant value = m_model ? m_model->index(row, column).data(Qt::TextAlignmentRole) : QVariant();
    return value.isValid() ? Qt::Alignment(value.toInt()) : Qt::AlignLeft | Qt::AlignVCenter;
}

QColor ModelTable::textColor(int row, int column) const
{
    const QVariant value = m_model ? m_model->index(row, column).data(Qt::ForegroundRole) : QVariant();
    if (value.userType() == QMetaType::QBrush)
        return value.value<QBrush>().color();
    return value.userType() == QMetaType::QColor ? value.value<QColor>() : QColor();
}

} // namespace print
