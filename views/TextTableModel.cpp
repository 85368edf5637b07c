#include "TextTableModel.h"

#include "engine/TextTable.h"

namespace views {

namespace {
QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
} // namespace

TextTableModel::TextTableModel(const engine::TextTable &table, QObject *parent)
    : QAbstractTableModel(parent)
    , m_table(table)
{ }

void TextTableModel::reload()
{
    beginResetModel();
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(m_table.rows() - 1, 0);
}

int TextTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.cols();
}

QVariant TextTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return toQString(m_table.text(index.row() + 1, index.column()));
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const std::string_view caption = m_table.text(0, section);
    return caption.empty() ? QVariant(section) : QVariant(toQString(caption));
}

} // namespace views
