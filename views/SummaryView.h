#pragma once

#include "engine/Summary.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class CTravinaCtrl;
class QFocusFrame;
class QStandardItemModel;
class QTableView;

namespace engine {
class NumberFormat;
}
namespace document {
struct DocumentData;
}

namespace views {

class SummaryChart;

// The summary of a document: the loan's key figures (gridSummary) beside a chart of its balance and of the interest
// paid (MSChart1), on a frame (fraContainer) inside the scrolling container (Travina1), which the control's factory
// makes.
class SummaryView : public QWidget
{
    Q_OBJECT

public:
    SummaryView(const document::DocumentData &document, const engine::NumberFormat &format, const QFont &font,
                QWidget *parent = nullptr);
    ~SummaryView() override;

    CTravinaCtrl *Travina1() const { return m_container; }
    QWidget *fraContainer() const { return m_frame; }
    QTableView *gridSummary() const { return m_grid; }
    SummaryChart *MSChart1() const { return m_chart.get(); }
    // The schedule rows the chart shows.
    const std::vector<engine::ChartSample> &gridChart() const { return m_samples; }

    // The refresh after a calculation, in its order: the table's rows, its widths, the chart's samples and lines, the
    // layout.
    void PopulateGridSummary();
    void AutoSizeSummaryGrid();
    void PopulateGridChart();
    void PopulateChart();
    void PositionSummaryViewControls();
    // The container fills the view, scrolled back to its start; the frame covers the container's virtual area.
    void Form_Resize();
    void setColumnAlignment(int column, int code);
    // The clock the rows that depend on the day are read with (none: those rows are left out).
    void setClock(std::function<engine::Date()> today) { m_today = std::move(today); }
    // What the chart shows, in words, for a screen reader: its lines and their end values.
    QString chartDescription() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    const document::DocumentData &m_data;
    const engine::NumberFormat &m_format;
    CTravinaCtrl *m_container = nullptr;
    QWidget *m_frame = nullptr;
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_model = nullptr;
    std::unique_ptr<SummaryChart> m_chart;
    QFocusFrame *m_focusMark = nullptr;
    std::vector<engine::ChartSample> m_samples;
    std::function<engine::Date()> m_today;
};

} // namespace views
