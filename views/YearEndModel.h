#pragma once

#include "ScheduleModel.h"

#include "engine/YearEndReport.h"

#include <QAbstractTableModel>

#include <array>

namespace views {

// The year-end report as the schedule grid shows it while the report replaces the schedule: its texts, the
// alignment of each column, the row bands and the grid's font.
class YearEndModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit YearEndModel(QObject *parent = nullptr);

    void setReport(engine::YearEndReport report);
    const engine::YearEndReport &report() const { return m_report; }

    int columnAlignment(int column) const;
    void setColumnAlignment(int column, int code);
    void setBands(int interval, const QColor &color);
    void setFont(const QFont &font) { m_look.font = font; }
    void setSchemeColors(const QColor &base, const QColor &text)
    {
        m_look.base = base;
        m_look.text = text;
    }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    engine::YearEndReport m_report;
    std::array<int, engine::kYearEndColumnCount> m_alignment {};
    GridLook m_look;
};

} // namespace views
