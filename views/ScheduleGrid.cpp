#include "ScheduleGrid.h"

#include "CellEditor.h"
#include "FittedTextDelegate.h"
#include "ScheduleModel.h"
#include "ShellServices.h"
#include "YearEndModel.h"

#include "document/DocumentFile.h"
#include "engine/NumberFormat.h"
#include "engine/YearEndReport.h"
#include "ui/ColorContrast.h"
#include "ui/Twips.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QScrollBar>

#include <cmath>

namespace views {

namespace {

constexpr int kHeaderHeightTwips = 450;
// Room beside the widest text of a fitted column.
constexpr int kFitMargin = 150;

} // namespace

QFont scheduleFont()
{
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void setupTable(QTableView *table, const QFont &font)
{
    table->setFont(font);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
    table->setWordWrap(false);
}

QColor bandColor(const ViewPreferences &preferences, const QPalette &palette)
{
    if (preferences.rowIntervalColor.rgb() != (ViewPreferences::kSchemeBandColor | 0xFF000000))
        return preferences.rowIntervalColor;
    const QRgb base = palette.color(QPalette::Base).rgb() & 0xFFFFFF;
    const QRgb text = palette.color(QPalette::Text).rgb() & 0xFFFFFF;
    // A step that shows on white is lost on a dark background, where the eye tells less apart.
    const double step = ui::relativeLuminance(base) >= 0.5 ? 16.0 / 255.0 : 0.12;
    return QColor::fromRgb(ui::blend(base, text, step));
}

int pixels(int twips)
{
    return int(std::ceil(ui::pixelsFromTwips(twips)));
}

ScheduleGrid::ScheduleGrid(document::DocumentData &document, const engine::NumberFormat &format, ShellServices &shell,
                           const QFont &font, QWidget *parent)
    : QTableView(parent)
    , m_data(document)
    , m_format(format)
    , m_shell(shell)
{
    setObjectName(QStringLiteral("gridMain1"));
    setAccessibleName(tr("Schedule"));
    setAccessibleDescription(tr("The loan's schedule, a row for each payment, lump sum and change. Blue figures were "
                                "changed by hand, red interest was saved by a lump sum; Shift+F10 opens the menu."));
    // Tab leaves the grid; the arrow keys move in it.
    setTabKeyNavigation(false);
    const QFontMetrics metrics(font);
    for (int c = 0; c < 128; ++c)
        m_asciiAdvance[size_t(c)] = metrics.horizontalAdvance(QChar(c));
    m_model = new ScheduleModel(m_data.loan, m_data.columns, this);
    m_model->setFont(font);
    setModel(m_model);
    setItemDelegate(new FittedTextDelegate(this));
    setupTable(this, font);
    horizontalHeader()->setFixedHeight(pixels(kHeaderHeightTwips));
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_editor = new CellEditor(this, m_model, m_data, m_format, m_shell);
    m_report = new YearEndModel(this);
    m_report->setFont(font);
    setPreferences(m_preferences);
}

void ScheduleGrid::setPreferences(const ViewPreferences &preferences)
{
    m_preferences = preferences;
    verticalScrollBar()->setTracking(preferences.scrollTrack);
    horizontalScrollBar()->setTracking(preferences.scrollTrack);
    applyColors();
}

QColor ScheduleGrid::shownBandColor() const
{
    return bandColor(m_preferences, palette());
}

void ScheduleGrid::applyColors()
{
    const QColor band = shownBandColor();
    m_model->setSchemeColors(palette().color(QPalette::Base), palette().color(QPalette::Text));
    m_model->setBands(m_preferences.rowInterval, band);
    m_report->setSchemeColors(palette().color(QPalette::Base), palette().color(QPalette::Text));
    m_report->setBands(m_preferences.rowInterval, band);
}

void ScheduleGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        applyColors();
}

void ScheduleGrid::keyPressEvent(QKeyEvent *event)
{
    // The Menu key and Shift+F10 open the menu a right click opens, at the cursor's cell.
    if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        const QRect cell = visualRect(currentIndex());
        const QPoint at = cell.isValid() ? cell.center() : QPoint(0, 0);
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(viewport(), &menu);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

GridPosition ScheduleGrid::position() const
{
    const QModelIndex current = currentIndex();
    return {current.isValid() ? current.row() : -1, current.isValid() ? current.column() : -1,
            verticalScrollBar()->value()};
}

void ScheduleGrid::restorePosition(const GridPosition &position)
{
    const int rows = model()->rowCount();
    const int columns = model()->columnCount();
    if (position.row >= 0 && rows > 0 && columns > 0) {
        const QModelIndex cell =
            model()->index(std::min(position.row, rows - 1), std::min(position.column, columns - 1));
        // Setting the cursor selects its cell: a cursor that did not move keeps the user's selection.
        if (cell != currentIndex())
            setCurrentIndex(cell);
    }
    verticalScrollBar()->setValue(position.topRow);
}

void ScheduleGrid::SetGridMain1(GridRequest request)
{
    switch (request) {
    case GridRequest::ReadFromArray: {
        // The report keeps its own columns until it is closed.
        if (reportShown()) {
            m_model->reload();
            return;
        }
        const GridPosition kept = position();
        m_model->reload();
        applyColumnWidths();
        restorePosition(kept);
        break;
    }
    case GridRequest::StoreToArray:
        // Only the shown schedule carries the user's layout.
        if (isHidden() || reportShown())
            return;
        for (int p = 0; p < m_model->columnCount(); ++p) {
            auto &column = m_data.columns.columns[size_t(m_model->logicalColumn(p))];
            column.Caption = m_model->headerData(p, Qt::Horizontal).toString().toStdString();
            column.Alignment = m_model->columnAlignment(p);
            // A width the user has not changed keeps its exact twips.
            if (columnWidth(p) != pixels(column.Width))
                column.Width = ui::twipsFromPixels(columnWidth(p));
        }
        break;
    }
}

void ScheduleGrid::applyColumnWidths()
{
    for (int p = 0; p < m_model->columnCount(); ++p) {
        const int twips = m_data.columns.columns[size_t(m_model->logicalColumn(p))].Width;
        setColumnWidth(p, std::max(pixels(twips), 1));
    }
}

int ScheduleGrid::GetNumberOfVisibleColumns() const
{
    return m_data.columns.visibleCount();
}

void ScheduleGrid::SetGridMain1DateColumn()
{
    // The schedule makes its Date texts from the serials with its format: giving it the current one is enough.
    m_data.loan.gridMain0.setFormat(m_format);
    // The report's dates are made in the schedule's format when the report is: it is made again.
    if (reportShown()) {
        YearEndReport(m_reportMonth);
        return;
    }
    const int column = m_model->visibleColumn(engine::colDate);
    if (column >= 0 && m_model->rowCount() > 0)
        emit m_model->dataChanged(m_model->index(0, column), m_model->index(m_model->rowCount() - 1, column));
}

void ScheduleGrid::PaintCells()
{
    m_model->paintCells();
}

void ScheduleGrid::PaintGridInterval(int lastRow)
{
    // The bands are worked out as each row is drawn; only the progress is left to report.
    m_model->setBands(m_preferences.rowInterval, shownBandColor());
    m_shell.SetProgressBar(lastRow, std::max(lastRow, 1));
}

void ScheduleGrid::showSchedule()
{
    if (reportShown()) {
        // The report follows the schedule just computed.
        m_model->reload();
        YearEndReport(m_reportMonth);
        return;
    }
    setUpdatesEnabled(false);
    SetGridMain1(GridRequest::ReadFromArray);
    PaintCells();
    PaintGridInterval(m_model->rowCount());
    setUpdatesEnabled(true);
}

int ScheduleGrid::textWidth(std::string_view text) const
{
    int width = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 128) {
            const QString whole = QString::fromUtf8(text.data(), qsizetype(text.size()));
            return ui::twipsFromPixels(QFontMetrics(m_model->font()).horizontalAdvance(whole));
        }
        width += m_asciiAdvance[byte];
    }
    return ui::twipsFromPixels(width);
}

std::array<int, 13> ScheduleGrid::widestTexts(const std::array<int, 13> &modes) const
{
    std::array<int, document::kLogicalColumns> widest {};
    const int rows = m_model->rowCount();
    if (rows == 0)
        return widest;
    const engine::ScheduleTable &schedule = m_data.loan.gridMain0;
    auto measure = [&](const engine::ScheduleRowValues &values, int r) {
        for (int k = 0; k < document::kLogicalColumns; ++k) {
            const int mode = modes[size_t(k)];
            if (mode == 0 || (mode == 1 && r == 0) || (mode == 2 && r == rows - 1))
                widest[size_t(k)] =
                    std::max(widest[size_t(k)], textWidth(engine::cellText(values, k, schedule.format())));
        }
    };
    if (std::find(modes.begin(), modes.end(), 0) != modes.end()) {
        // One pass over the rows for every column, the texts made as they are measured.
        engine::ScheduleReader reader(schedule);
        engine::ScheduleRowValues values;
        for (int r = 0; reader.next(values); ++r)
            measure(values, r);
    } else {
        measure(schedule.row(1), 0);
        if (rows > 1)
            measure(schedule.row(rows), rows - 1);
    }
    return widest;
}

void ScheduleGrid::applyFittedWidth(int logicalColumn, int widest, int minWidth)
{
    const int column = m_model->visibleColumn(logicalColumn);
    if (column >= 0) {
        widest = std::max(widest, minWidth - kFitMargin);
        m_data.columns.columns[size_t(logicalColumn)].Width = widest + kFitMargin;
        // While the report is shown the width waits in the layout until the schedule is back.
        if (!reportShown())
            setColumnWidth(column, pixels(widest + kFitMargin));
    }
}

void ScheduleGrid::AutoSizeMainGrid2(int logicalColumn, int mode, int minWidth)
{
    std::array<int, document::kLogicalColumns> modes;
    modes.fill(-1);
    if (m_model->visibleColumn(logicalColumn) >= 0 && logicalColumn >= 0 && logicalColumn < document::kLogicalColumns)
        modes[size_t(logicalColumn)] = mode;
    const auto widest = widestTexts(modes);
    applyFittedWidth(
        logicalColumn,
        logicalColumn >= 0 && logicalColumn < document::kLogicalColumns ? widest[size_t(logicalColumn)] : 0, minWidth);
    m_shell.markModified();
}

void ScheduleGrid::fitDateColumn(bool widenOnly)
{
    if (m_model->visibleColumn(engine::colDate) < 0 || m_model->rowCount() == 0)
        return;
    std::array<int, document::kLogicalColumns> modes;
    modes.fill(-1);
    modes[engine::colDate] = 0;
    const int widest = widestTexts(modes)[engine::colDate];
    const int minWidth = document::minimumColumnWidth(engine::colDate);
    // As wide as fitting would make it, or wider: the dates show whole.
    if (widenOnly
        && m_data.columns.columns[engine::colDate].Width >= std::max(widest, minWidth - kFitMargin) + kFitMargin)
        return;
    applyFittedWidth(engine::colDate, widest, minWidth);
}

void ScheduleGrid::AutoSizeMainGrid()
{
    if (reportShown()) {
        fitReportColumns();
        return;
    }
    // Every data row of the first ten columns, the last row only of the three cumulative ones.
    std::array<int, document::kLogicalColumns> modes;
    for (int k = 0; k < document::kLogicalColumns; ++k)
        modes[size_t(k)] = m_model->visibleColumn(k) < 0 ? -1 : k < 10 ? 0 : 2;
    const auto widest = widestTexts(modes);
    for (int k = 0; k < document::kLogicalColumns; ++k) {
        if (k < 10)
            m_shell.SetProgressBar(k + 1, 10);
        applyFittedWidth(k, widest[size_t(k)], document::minimumColumnWidth(k));
    }
    m_shell.markModified();
    SetGridMain1(GridRequest::StoreToArray);
}

void ScheduleGrid::autoFit()
{
    const GridPosition kept = position();
    std::vector<int> widths;
    for (int p = 0; p < model()->columnCount(); ++p)
        widths.push_back(columnWidth(p));
    AutoSizeMainGrid();
    restorePosition(kept);
    // The report's widths are not kept: nothing of the document changed.
    if (reportShown())
        return;
    for (int p = 0; p < m_model->columnCount(); ++p) {
        if (columnWidth(p) != widths[size_t(p)])
            m_shell.markModified();
    }
}

bool ScheduleGrid::reportShown() const
{
    return m_data.loan.gblnReportFlag;
}

void ScheduleGrid::showModel(QAbstractItemModel *shown)
{
    if (model() == shown)
        return;
    QItemSelectionModel *replaced = selectionModel();
    setModel(shown);
    delete replaced;
}

void ScheduleGrid::YearEndReport(int closingMonth)
{
    m_data.loan.gblnReportFlag = true;
    m_reportMonth = closingMonth;
    setUpdatesEnabled(false);
    m_report->setReport(engine::yearEndReport(m_data.loan, closingMonth,
                                              [this](int done, int total) { m_shell.SetProgressBar(done, total); }));
    // Each report column takes the alignment of the schedule column at its place.
    for (int p = 0; p < m_report->columnCount(); ++p)
        m_report->setColumnAlignment(
            p, p < m_model->columnCount() ? m_model->columnAlignment(p) : int(document::kAlignCenter));
    showModel(m_report);
    PaintGridInterval(m_report->rowCount());
    fitReportColumns();
    if (m_report->rowCount() > 0)
        setCurrentIndex(m_report->index(0, std::min(1, m_report->columnCount() - 1)));
    verticalScrollBar()->setValue(0);
    setUpdatesEnabled(true);
}

void ScheduleGrid::CloseYearEndReport()
{
    if (!reportShown())
        return;
    m_data.loan.gblnReportFlag = false;
    setUpdatesEnabled(false);
    showModel(m_model);
    SetGridMain1(GridRequest::ReadFromArray);
    PaintGridInterval(m_model->rowCount());
    PaintCells();
    if (m_model->rowCount() > 0 && m_model->columnCount() > 0)
        setCurrentIndex(m_model->index(0, std::min(1, m_model->columnCount() - 1)));
    verticalScrollBar()->setValue(0);
    setUpdatesEnabled(true);
}

void ScheduleGrid::fitReportColumns()
{
    const engine::YearEndReport &report = m_report->report();
    for (int p = 0; p < report.cols(); ++p) {
        const int logical = m_model->logicalColumn(p);
        const int minWidth = document::minimumColumnWidth(logical >= 0 ? logical : p);
        int widest = 0;
        for (int r = 1; r < report.rows(); ++r)
            widest = std::max(widest, textWidth(report.text(r, p)));
        setColumnWidth(p, pixels(std::max(widest, minWidth - kFitMargin) + kFitMargin));
    }
}

} // namespace views
