#include "ScheduleView.h"

#include "CellEditor.h"
#include "FittedTextDelegate.h"
#include "ScheduleModel.h"
#include "ShellServices.h"

#include "document/DocumentFile.h"
#include "engine/NumberFormat.h"
#include "engine/Summary.h"
#include "travina/CTravinaCtrl.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

#include <cmath>

namespace views {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kHeaderHeightTwips = 450;

int pixels(int twips)
{
    return (twips + kTwipsPerPixel - 1) / kTwipsPerPixel;
}

// Right clicks on a view become a request for the document's context menu.
class ContextMenuForwarder : public QObject
{
public:
    explicit ContextMenuForwarder(ScheduleView *view)
        : QObject(view)
        , m_view(view)
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ContextMenu) {
            emit m_view->contextMenuRequested(static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    ScheduleView *m_view;
};

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

} // namespace

ScheduleView::ScheduleView(document::DocumentData &data, const engine::NumberFormat &format, ShellServices &shell,
                           QWidget *parent)
    : QWidget(parent)
    , m_data(data)
    , m_format(format)
    , m_shell(shell)
{
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    const QFontMetrics metrics(font);
    for (int c = 0; c < 128; ++c)
        m_asciiAdvance[size_t(c)] = metrics.horizontalAdvance(QChar(c));

    auto *forwarder = new ContextMenuForwarder(this);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("gridMain1"));
    m_model = new ScheduleModel(m_data.loan, m_data.columns, this);
    m_model->setFont(font);
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new FittedTextDelegate(m_grid));
    setupTable(m_grid, font);
    QHeaderView *header = m_grid->horizontalHeader();
    header->setFixedHeight(pixels(kHeaderHeightTwips));
    header->setSectionsMovable(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->viewport()->installEventFilter(forwarder);
    m_editor = new CellEditor(m_grid, m_model, m_data, m_format, m_shell);

    m_container = new CTravinaCtrl(this);
    m_container->setObjectName(QStringLiteral("Travina1"));
    m_container->setBackColor(palette().color(QPalette::Window));
    m_frame = new QWidget(m_container->viewport());
    m_frame->setObjectName(QStringLiteral("fraContainer"));
    m_frame->installEventFilter(forwarder);
    m_summaryGrid = new QTableView(m_frame);
    m_summaryGrid->setObjectName(QStringLiteral("gridSummary"));
    m_summaryModel = new QStandardItemModel(14, 2, this);
    m_summaryGrid->setModel(m_summaryModel);
    setupTable(m_summaryGrid, font);
    m_summaryGrid->horizontalHeader()->hide();
    m_summaryGrid->viewport()->installEventFilter(forwarder);
    m_container->hide();

    setPreferences(m_preferences);
}

ScheduleView::~ScheduleView() = default;

void ScheduleView::setPreferences(const ViewPreferences &preferences)
{
    m_preferences = preferences;
    m_grid->verticalScrollBar()->setTracking(preferences.scrollTrack);
    m_grid->horizontalScrollBar()->setTracking(preferences.scrollTrack);
    m_model->setBands(preferences.rowInterval, preferences.rowIntervalColor);
}

void ScheduleView::SetGridMain1(const QString &action)
{
    if (action == QLatin1String("Init")) {
        m_data.columns.init(false);
    } else if (action == QLatin1String("ReadFromArray")) {
        const QModelIndex current = m_grid->currentIndex();
        m_model->reload();
        applyColumnWidths();
        if (current.isValid())
            m_grid->setCurrentIndex(m_model->index(std::min(current.row(), m_model->rowCount() - 1),
                                                   std::min(current.column(), m_model->columnCount() - 1)));
    } else if (action == QLatin1String("StoreToArray")) {
        // Only the shown grid carries the user's layout.
        if (m_summary)
            return;
        for (int p = 0; p < m_model->columnCount(); ++p) {
            auto &column = m_data.columns.columns[size_t(m_model->logicalColumn(p))];
            column.Caption = m_model->headerData(p, Qt::Horizontal).toString().toStdString();
            column.Alignment = m_model->columnAlignment(p);
            // A width the user has not changed keeps its exact twips.
            if (m_grid->columnWidth(p) != pixels(column.Width))
                column.Width = m_grid->columnWidth(p) * kTwipsPerPixel;
        }
    }
}

void ScheduleView::applyColumnWidths()
{
    for (int p = 0; p < m_model->columnCount(); ++p) {
        const int twips = m_data.columns.columns[size_t(m_model->logicalColumn(p))].Width;
        m_grid->setColumnWidth(p, std::max(pixels(twips), 1));
    }
}

int ScheduleView::GetNumberOfVisibleColumns() const
{
    return m_data.columns.visibleCount();
}

void ScheduleView::SetGridMain1DateColumn()
{
    // The schedule makes its Date texts from the serials with its format: giving it the current one is enough.
    m_data.loan.gridMain0.setFormat(m_format);
    const int column = m_model->visibleColumn(engine::colDate);
    if (column >= 0 && m_model->rowCount() > 0)
        emit m_model->dataChanged(m_model->index(0, column), m_model->index(m_model->rowCount() - 1, column));
}

void ScheduleView::PaintCells()
{
    m_model->paintCells();
}

void ScheduleView::PaintGridInterval(int lastRow)
{
    // The bands are worked out as each row is drawn; only the progress is left to report.
    m_model->setBands(m_preferences.rowInterval, m_preferences.rowIntervalColor);
    m_shell.SetProgressBar(lastRow, std::max(lastRow, 1));
}

int ScheduleView::textWidth(std::string_view text) const
{
    int width = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 128) {
            const QString whole = QString::fromUtf8(text.data(), qsizetype(text.size()));
            return QFontMetrics(m_model->font()).horizontalAdvance(whole) * kTwipsPerPixel;
        }
        width += m_asciiAdvance[byte];
    }
    return width * kTwipsPerPixel;
}

std::array<int, 13> ScheduleView::widestTexts(const std::array<int, 13> &modes) const
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

void ScheduleView::applyFittedWidth(int logicalColumn, int widest, int minWidth)
{
    const int column = m_model->visibleColumn(logicalColumn);
    if (column >= 0) {
        widest = std::max(widest, minWidth - 150);
        m_data.columns.columns[size_t(logicalColumn)].Width = widest + 150;
        m_grid->setColumnWidth(column, pixels(widest + 150));
    }
    m_shell.markModified();
}

void ScheduleView::AutoSizeMainGrid2(int logicalColumn, int mode, int minWidth)
{
    std::array<int, document::kLogicalColumns> modes;
    modes.fill(-1);
    if (m_model->visibleColumn(logicalColumn) >= 0 && logicalColumn >= 0 && logicalColumn < document::kLogicalColumns)
        modes[size_t(logicalColumn)] = mode;
    const auto widest = widestTexts(modes);
    applyFittedWidth(
        logicalColumn,
        logicalColumn >= 0 && logicalColumn < document::kLogicalColumns ? widest[size_t(logicalColumn)] : 0, minWidth);
}

void ScheduleView::AutoSizeMainGrid()
{
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
    SetGridMain1(QStringLiteral("StoreToArray"));
}

void ScheduleView::autoFit()
{
    const int topRow = m_grid->rowAt(0);
    std::vector<int> widths;
    for (int p = 0; p < m_model->columnCount(); ++p)
        widths.push_back(m_grid->columnWidth(p));
    AutoSizeMainGrid();
    if (topRow >= 0 && m_model->rowCount() > 0)
        m_grid->scrollTo(m_model->index(std::min(topRow, m_model->rowCount() - 1), 0),
                         QAbstractItemView::PositionAtTop);
    for (int p = 0; p < m_model->columnCount(); ++p) {
        if (m_grid->columnWidth(p) != widths[size_t(p)])
            m_shell.markModified();
    }
}

void ScheduleView::refreshAfterCalculate()
{
    m_grid->setUpdatesEnabled(false);
    SetGridMain1(QStringLiteral("ReadFromArray"));
    PaintCells();
    PaintGridInterval(m_model->rowCount());
    m_grid->setUpdatesEnabled(true);
    PopulateGridSummary();
    Form_Resize();
}

void ScheduleView::PopulateGridSummary()
{
    const auto rows = engine::summaryRows(m_data.loan, m_format);
    m_summaryModel->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        auto *label = new QStandardItem(QString::fromStdString(rows[size_t(r)].first));
        label->setTextAlignment(alignmentForCode(document::kAlignRight));
        auto *value = new QStandardItem(QString::fromStdString(rows[size_t(r)].second));
        value->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_summaryModel->setItem(r, 0, label);
        m_summaryModel->setItem(r, 1, value);
    }
    m_summaryGrid->resizeColumnsToContents();
    for (int c = 0; c < 2; ++c)
        m_summaryGrid->setColumnWidth(c, m_summaryGrid->columnWidth(c) + 16);
    const int width = m_summaryGrid->columnWidth(0) + m_summaryGrid->columnWidth(1) + 2 * m_summaryGrid->frameWidth();
    const int height = m_summaryGrid->verticalHeader()->length() + 2 * m_summaryGrid->frameWidth();
    m_summaryGrid->setGeometry(8, 8, width, height);
    m_container->setVirtualWidth((width + 16) * kTwipsPerPixel);
    m_container->setVirtualHeight((height + 16) * kTwipsPerPixel);
}

QTableView *ScheduleView::VisibleGrid() const
{
    return m_summary ? m_summaryGrid : m_grid;
}

void ScheduleView::showDetails()
{
    m_summary = false;
    m_container->hide();
    m_grid->show();
    Form_Resize();
    emit viewChanged();
}

void ScheduleView::showSummary()
{
    m_summary = true;
    m_grid->hide();
    m_container->show();
    Form_Resize();
    emit viewChanged();
}

void ScheduleView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void ScheduleView::Form_Resize()
{
    if (!m_summary) {
        m_grid->setGeometry(0, 0, width(), height());
        return;
    }
    m_container->setVScroll(0);
    m_container->setHScroll(0);
    m_container->setGeometry(0, 0, width(), height());
    const int containerWidth = m_container->viewport()->width();
    const int containerHeight = m_container->viewport()->height();
    m_frame->setGeometry(0, 0, std::max(pixels(m_container->virtualWidth()), containerWidth),
                         std::max(pixels(m_container->virtualHeight()), containerHeight));
}

void ScheduleView::SetColumnAlignment(int code)
{
    QTableView *grid = VisibleGrid();
    const QModelIndex current = grid->currentIndex();
    if (!current.isValid())
        return;
    // The current index is where the selection ends; its other end is where it started. Only a selection made
    // rightwards (or a single column) changes anything.
    int start = current.column();
    for (const QItemSelectionRange &range : grid->selectionModel()->selection()) {
        if (range.contains(current))
            start = current.column() == range.left() ? range.right() : range.left();
    }
    for (int p = start; p <= current.column(); ++p) {
        if (grid == m_grid) {
            m_model->setColumnAlignment(p, code);
        } else {
            for (int r = 0; r < m_summaryModel->rowCount(); ++r) {
                if (QStandardItem *item = m_summaryModel->item(r, p))
                    item->setTextAlignment(alignmentForCode(code));
            }
        }
    }
}

QString ScheduleView::selectionText() const
{
    const QTableView *grid = VisibleGrid();
    const QItemSelection selection = grid->selectionModel()->selection();
    if (selection.isEmpty())
        return {};
    // The block spanned by the selection.
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (const QItemSelectionRange &range : selection) {
        top = std::min(top, range.top());
        left = std::min(left, range.left());
        bottom = std::max(bottom, range.bottom());
        right = std::max(right, range.right());
    }
    QString text;
    for (int r = top; r <= bottom; ++r) {
        if (r > top)
            text += QLatin1Char('\n');
        for (int c = left; c <= right; ++c) {
            if (c > left)
                text += QLatin1Char('\t');
            text += grid->model()->index(r, c).data().toString();
        }
    }
    return text;
}

} // namespace views
