#pragma once

#include "ScheduleGrid.h"

#include <QWidget>

class CTravinaCtrl;

namespace views {

class SummaryView;

// A document's two views, the detailed schedule grid and the summary, and the switch between them.
class ScheduleView : public QWidget
{
    Q_OBJECT

public:
    ScheduleView(document::DocumentData &document, const engine::NumberFormat &format, ShellServices &shell,
                 QWidget *parent = nullptr);
    ~ScheduleView() override;

    ScheduleGrid *gridMain1() const { return m_grid; }
    SummaryView *summaryView() const { return m_summary; }
    QTableView *gridSummary() const;
    CTravinaCtrl *Travina1() const;
    ScheduleModel *model() const { return m_grid->scheduleModel(); }
    CellEditor *cellEditor() const { return m_grid->cellEditor(); }

    void setPreferences(const ViewPreferences &preferences) { m_grid->setPreferences(preferences); }
    void SetGridMain1(GridRequest request) { m_grid->SetGridMain1(request); }
    // The dates of both views again in the current date format.
    void SetGridMain1DateColumn();
    void AutoSizeMainGrid() { m_grid->AutoSizeMainGrid(); }
    void autoFit() { m_grid->autoFit(); }
    // The year-end report in place of the schedule in the detailed view, and the schedule back.
    void YearEndReport(int closingMonth) { m_grid->YearEndReport(closingMonth); }
    void CloseYearEndReport() { m_grid->CloseYearEndReport(); }
    bool reportShown() const { return m_grid->reportShown(); }
    // The refresh after every calculation, in its fixed order.
    void refreshAfterCalculate();

    QTableView *VisibleGrid() const;
    bool summaryShown() const { return m_summaryShown; }
    void showDetails();
    void showSummary();
    // Alignment of the visible grid's selected columns, when the selection was made rightwards (or is one column).
    void SetColumnAlignment(int code);
    // The visible grid's selected block: a tab between cells, a line feed between rows; a block of every row starts
    // with the headings of its columns.
    QString selectionText() const;

signals:
    // The right mouse button was pressed on one of the views.
    void contextMenuRequested(const QPoint &globalPosition);
    void viewChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Resize();

    ScheduleGrid *m_grid = nullptr;
    SummaryView *m_summary = nullptr;
    bool m_summaryShown = false;
};

} // namespace views
