#pragma once

#include <QAbstractTableModel>

namespace engine {
class TextTable;
}

namespace views {

// A text table shown as it is: its row 0 as the header, its data rows below.
class TextTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TextTableModel(const engine::TextTable &table, QObject *parent = nullptr);
    void reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const engine::TextTable &m_table;
};

} // namespace views
