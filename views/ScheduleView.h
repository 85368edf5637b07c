#pragma once

#include <QColor>
#include <QWidget>

#include <array>
#include <string_view>

class QTableView;
class QStandardItemModel;
class CTravinaCtrl;

namespace engine {
class NumberFormat;
}
namespace document {
struct DocumentData;
}

namespace views {

class CellEditor;
class ScheduleModel;
class ShellServices;

// The display preferences the views follow.
struct ViewPreferences
{
    int rowInterval = 4;
    QColor rowIntervalColor = QColor(0xEF, 0xEF, 0xEF);
    bool scrollTrack = true;
};

// A document's two views: the detailed schedule grid (gridMain1) and the summary inside the scrolling container
// (Travina1), with the column layout, shading, highlights, widths and the switch between them.
class ScheduleView : public QWidget
{
    Q_OBJECT

public:
    ScheduleView(document::DocumentData &data, const engine::NumberFormat &format, ShellServices &shell,
                 QWidget *parent = nullptr);
    ~ScheduleView() override;

    QTableView *gridMain1() const { return m_grid; }
    QTableView *gridSummary() const { return m_summaryGrid; }
    CTravinaCtrl *Travina1() const { return m_container; }
    ScheduleModel *model() const { return m_model; }
    CellEditor *cellEditor() const { return m_editor; }

    void setPreferences(const ViewPreferences &preferences);
    const ViewPreferences &preferences() const { return m_preferences; }

    // "Init", "ReadFromArray" or "StoreToArray"; anything else does nothing.
    void SetGridMain1(const QString &action);
    int GetNumberOfVisibleColumns() const;
    // The Date column again from the schedule's day serials, in the current date format.
    void SetGridMain1DateColumn();
    void PaintCells();
    void PaintGridInterval(int lastRow);
    // Fits every column to its contents, then stores the layout back.
    void AutoSizeMainGrid();
    // Fits one column: mode 0 measures every data row, 1 the first, 2 the last; never narrower than minWidth twips.
    void AutoSizeMainGrid2(int logicalColumn, int mode, int minWidth);
    // The Auto Fit command: fits the columns and keeps the top row in view.
    void autoFit();
    // The refresh after every calculation, in its fixed order.
    void refreshAfterCalculate();
    // The summary table's rows from the computed loan.
    void PopulateGridSummary();

    QTableView *VisibleGrid() const;
    bool summaryShown() const { return m_summary; }
    void showDetails();
    void showSummary();
    // Alignment of the visible grid's selected columns, when the selection was made rightwards (or is one column).
    void SetColumnAlignment(int code);
    // The visible grid's selected block: a tab between cells, a line feed between rows.
    QString selectionText() const;

signals:
    // The right mouse button was pressed on one of the views.
    void contextMenuRequested(const QPoint &globalPosition);
    void viewChanged();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Resize();
    // Width in twips of a text in the grid's font.
    int textWidth(std::string_view text) const;
    // The widest text, in twips, of each logical column by its measuring mode (0 every data row, 1 the first, 2 the
    // last, -1 not measured).
    std::array<int, 13> widestTexts(const std::array<int, 13> &modes) const;
    // A fitted column's width: its widest text and a margin, never below the column's minimum.
    void applyFittedWidth(int logicalColumn, int widest, int minWidth);
    void applyColumnWidths();

    document::DocumentData &m_data;
    const engine::NumberFormat &m_format;
    ShellServices &m_shell;
    ViewPreferences m_preferences;
    QTableView *m_grid = nullptr;
    ScheduleModel *m_model = nullptr;
    CellEditor *m_editor = nullptr;
    CTravinaCtrl *m_container = nullptr;
    QWidget *m_frame = nullptr; // fraContainer
    QTableView *m_summaryGrid = nullptr;
    QStandardItemModel *m_summaryModel = nullptr;
    bool m_summary = false;
    std::array<int, 128> m_asciiAdvance {}; // pixel advance of each ASCII character in the grid's font
};

} // namespace views
