#include "ScheduleGrid.h"

#include "CellEditor.h"
#include "FittedTextDelegate.h"
#include "ScheduleModel.h"
#include "ShellServices.h"

#include "document/DocumentFile.h"
#include "engine/NumberFormat.h"
#include "ui/Twips.h"

#include <QHeaderView>
#include <QScrollBar>

#include <cmath>

namespace views {

namespace {

constexpr int kHeaderHeightTwips = 450;

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
    setPreferences(m_preferences);
}

void ScheduleGrid::setPreferences(const ViewPreferences &preferences)
{
    m_preferences = preferences;
    verticalScrollBar()->setTracking(preferences.scrollTrack);
    horizontalScrollBar()->setTracking(preferences.scrollTrack);
    m_model->setBands(preferences.rowInterval, preferences.rowIntervalColor);
}

GridPosition ScheduleGrid::position() const
{
    const QModelIndex current = currentIndex();
    return {current.isValid() ? current.row() : -1, current.isValid() ? current.column() : -1,
            verticalScrollBar()->value()};
}

void ScheduleGrid::restorePosition(const GridPosition &position)
{
    const int rows = m_model->rowCount();
    const int columns = m_model->columnCount();
    if (position.row >= 0 && rows > 0 && columns > 0) {
        const QModelIndex cell =
            m_model->index(std::min(position.row, rows - 1), std::min(position.column, columns - 1));
        // Setting the cursor selects its cell: a cursor that did not move keeps the user's selection.
        if (cell != currentIndex())
            setCurrentIndex(cell);
    }
    verticalScrollBar()->setValue(position.topRow);
}

void ScheduleGrid::SetGridMain1(GridRequest request)
{
    switch (request) {
    case GridRequest::Init:
        m_data.columns.init(false);
        break;
    case GridRequest::ReadFromArray: {
        const GridPosition kept = position();
        m_model->reload();
        applyColumnWidths();
        restorePosition(kept);
        break;
    }
    case GridRequest::StoreToArray:
        // Only the shown grid carries the user's layout.
        if (isHidden())
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
    // The grid reads the schedule table directly, so the Date texts are rewritten there.
    engine::TextTable &grid = m_data.loan.gridMain0;
    for (int r = 1; r < grid.rows(); ++r) {
        const engine::Date date = engine::serialDate(grid.text(r, engine::colDateSerial));
        grid.setText(r, engine::colDate, m_format.formatDate(date));
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
    m_model->setBands(m_preferences.rowInterval, m_preferences.rowIntervalColor);
    m_shell.SetProgressBar(lastRow, std::max(lastRow, 1));
}

void ScheduleGrid::showSchedule()
{
    setUpdatesEnabled(false);
    SetGridMain1(GridRequest::ReadFromArray);
    PaintCells();
    PaintGridInterval(m_model->rowCount());
    setUpdatesEnabled(true);
}

int ScheduleGrid::textWidth(const QString &text) const
{
    int width = 0;
    for (QChar c : text) {
        if (c.unicode() >= 128)
            return ui::twipsFromPixels(QFontMetrics(m_model->font()).horizontalAdvance(text));
        width += m_asciiAdvance[c.unicode()];
    }
    return ui::twipsFromPixels(width);
}

void ScheduleGrid::AutoSizeMainGrid2(int logicalColumn, int mode, int minWidth)
{
    const int column = m_model->visibleColumn(logicalColumn);
    if (column >= 0) {
        const int rows = m_model->rowCount();
        int first = 0;
        int last = rows - 1;
        if (mode == 1)
            last = std::min(0, rows - 1);
        else if (mode == 2)
            first = rows - 1;
        int widest = 0;
        for (int r = std::max(first, 0); r <= last; ++r) {
            const std::string_view text = m_data.loan.gridMain0.text(r + 1, logicalColumn);
            widest = std::max(widest, textWidth(QString::fromUtf8(text.data(), qsizetype(text.size()))));
        }
        widest = std::max(widest, minWidth - 150);
        m_data.columns.columns[size_t(logicalColumn)].Width = widest + 150;
        setColumnWidth(column, pixels(widest + 150));
    }
    m_shell.markModified();
}

void ScheduleGrid::AutoSizeMainGrid()
{
    for (int k = 0; k < document::kLogicalColumns; ++k) {
        if (k < 10)
            m_shell.SetProgressBar(k + 1, 10);
        AutoSizeMainGrid2(k, k < 10 ? 0 : 2, document::minimumColumnWidth(k));
    }
    SetGridMain1(GridRequest::StoreToArray);
}

void ScheduleGrid::autoFit()
{
    const GridPosition kept = position();
    std::vector<int> widths;
    for (int p = 0; p < m_model->columnCount(); ++p)
        widths.push_back(columnWidth(p));
    AutoSizeMainGrid();
    restorePosition(kept);
    for (int p = 0; p < m_model->columnCount(); ++p) {
        if (columnWidth(p) != widths[size_t(p)])
            m_shell.markModified();
    }
}

} // namespace views
