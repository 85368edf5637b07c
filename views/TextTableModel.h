#pragma once

#include <QAbstractTableModel>

#include <functional>
#include <string>
#include <vector>

namespace engine {
class NumberFormat;
class ScheduleTable;
class TextTable;
struct ChartSample;
} // namespace engine

namespace views {

// A table of texts shown as it is: its row 0 as the header, its data rows below.
class TextTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TextTableModel(const engine::TextTable &table, QObject *parent = nullptr);
    explicit TextTableModel(const engine::ScheduleTable &table, QObject *parent = nullptr);
    // The summary chart's samples (gridChart), which have no header row: the columns are headed by their numbers.
    TextTableModel(const std::vector<engine::ChartSample> &samples, const engine::NumberFormat &format,
                   QObject *parent = nullptr);
    void reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::function<int()> m_rows;
    std::function<int()> m_cols;
    std::function<std::string(int, int)> m_text;
};

} // namespace views
