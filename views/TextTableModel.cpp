#include "TextTableModel.h"

#include "engine/ScheduleTable.h"
#include "engine/Summary.h"
#include "engine/TextTable.h"

namespace views {

TextTableModel::TextTableModel(const engine::TextTable &table, QObject *parent)
    : QAbstractTableModel(parent)
    , m_rows([&table] { return table.rows(); })
    , m_cols([&table] { return table.cols(); })
    , m_text([&table](int r, int c) { return std::string(table.text(r, c)); })
{ }

TextTableModel::TextTableModel(const engine::ScheduleTable &table, QObject *parent)
    : QAbstractTableModel(parent)
    , m_rows([&table] { return table.rows(); })
    , m_cols([&table] { return table.cols(); })
    , m_text([&table](int r, int c) { return table.text(r, c); })
{ }

TextTableModel::TextTableModel(const std::vector<engine::ChartSample> &samples, const engine::NumberFormat &format,
                               QObject *parent)
    : QAbstractTableModel(parent)
    , m_rows([&samples] { return int(samples.size()) + 1; })
    , m_cols([] { return engine::kChartColumns; })
    , m_text([&samples, &format](int r, int c) {
        return r < 1 ? std::string() : engine::chartCellText(samples[size_t(r - 1)], c, format);
    })
{ }

void TextTableModel::reload()
{
    beginResetModel();
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(m_rows() - 1, 0);
}

int TextTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols();
}

QVariant TextTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return QString::fromStdString(m_text(index.row() + 1, index.column()));
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const std::string caption = m_text(0, section);
    return caption.empty() ? QVariant(section) : QVariant(QString::fromStdString(caption));
}

} // namespace views
