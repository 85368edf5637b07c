#pragma once

#include <QColor>
#include <QTableView>

#include <array>
#include <string_view>

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
class YearEndModel;

// The display preferences the views follow.
struct ViewPreferences
{
    // The band colour the program starts with; while it is kept, the bands follow the colour scheme instead.
    static constexpr QRgb kSchemeBandColor = 0xEFEFEF;

    int rowInterval = 4;
    QColor rowIntervalColor = QColor::fromRgb(kSchemeBandColor);
    bool scrollTrack = true;
};

// The bands' colour in `palette`: the one chosen, or, for the colour the program starts with, the background a
// little towards the text, which is that colour on white and a slightly larger step on a dark background.
QColor bandColor(const ViewPreferences &preferences, const QPalette &palette);

// What SetGridMain1 does: show the schedule computed, or keep the user's layout.
enum class GridRequest { ReadFromArray, StoreToArray };

// Where the user is in the grid: the current cell (-1: none) and the row at the top.
struct GridPosition
{
    int row = -1;
    int column = -1;
    int topRow = 0;
};

// The detailed schedule (gridMain1): the visible columns in their layout, shading, highlights and widths, and editing
// in its cells.
class ScheduleGrid : public QTableView
{
    Q_OBJECT

public:
    ScheduleGrid(document::DocumentData &document, const engine::NumberFormat &format, ShellServices &shell,
                 const QFont &font, QWidget *parent = nullptr);

    ScheduleModel *scheduleModel() const { return m_model; }
    CellEditor *cellEditor() const { return m_editor; }
    void setPreferences(const ViewPreferences &preferences);

    void SetGridMain1(GridRequest request);
    int GetNumberOfVisibleColumns() const;
    // The Date column again from the schedule's day serials, in the current date format.
    void SetGridMain1DateColumn();
    void PaintCells();
    void PaintGridInterval(int lastRow);
    // The schedule just computed, shown with its highlights and bands.
    void showSchedule();
    // Fits every column to its contents, then stores the layout back; with the report shown, fits the report's.
    void AutoSizeMainGrid();
    // Fits one column: mode 0 measures every data row, 1 the first, 2 the last; never narrower than minWidth twips.
    void AutoSizeMainGrid2(int logicalColumn, int mode, int minWidth);
    // The Date column fitted to its dates in the current date format, after the format changed; with `widenOnly`
    // (a document opened with its own widths) only when they no longer fit. The date format is a preference, not a
    // change of the document: nothing is marked modified.
    void fitDateColumn(bool widenOnly);
    // The Auto Fit command: fits the columns and keeps the top row in view.
    void autoFit();

    // The year-end report for closing month 1..12 in place of the schedule (gblnReportFlag set): shaded, its columns
    // fitted, the cursor on its first row. The document's modified flag and column layout stay as they were.
    void YearEndReport(int closingMonth);
    // The schedule back in place of the report.
    void CloseYearEndReport();
    bool reportShown() const;
    int reportMonth() const { return m_reportMonth; }
    YearEndModel *yearEndModel() const { return m_report; }

    GridPosition position() const;
    // The band colour the grid shows in its palette.
    QColor shownBandColor() const;
    // The cursor and the top row put back, as near as the grid's rows and columns allow.
    void restorePosition(const GridPosition &position);

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The scheme's colours and the bands given to both tables.
    void applyColors();
    // Width in twips of a text in the grid's font.
    int textWidth(std::string_view text) const;
    // The widest text, in twips, of each logical column by its measuring mode (0 every data row, 1 the first, 2 the
    // last, -1 not measured).
    std::array<int, 13> widestTexts(const std::array<int, 13> &modes) const;
    // A fitted column's width: its widest text and a margin, never below the column's minimum. The callers say whether
    // that changed the document.
    void applyFittedWidth(int logicalColumn, int widest, int minWidth);
    void applyColumnWidths();
    // The report's columns fitted to every row, each no narrower than the schedule column at its place allows.
    void fitReportColumns();
    // Shows `shown` in the grid, dropping the selection kept for the model it replaces.
    void showModel(QAbstractItemModel *shown);

    document::DocumentData &m_data;
    const engine::NumberFormat &m_format;
    ShellServices &m_shell;
    ViewPreferences m_preferences;
    ScheduleModel *m_model = nullptr;
    CellEditor *m_editor = nullptr;
    YearEndModel *m_report = nullptr;
    int m_reportMonth = 12;
    std::array<int, 128> m_asciiAdvance {}; // pixel advance of each ASCII character in the grid's font
};

// The look both views' tables share.
QFont scheduleFont();
void setupTable(QTableView *table, const QFont &font);
// Twips as whole pixels, rounded up so that nothing given in twips is drawn narrower.
int pixels(int twips);

} // namespace views
