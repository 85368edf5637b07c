#include "ScheduleView.h"

#include "ScheduleModel.h"
#include "ShellServices.h"
#include "SummaryView.h"
#include "YearEndModel.h"

#include "travina/CTravinaCtrl.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>

#include <climits>

namespace views {

namespace {

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

} // namespace

ScheduleView::ScheduleView(document::DocumentData &document, const engine::NumberFormat &format, ShellServices &shell,
                           QWidget *parent)
    : QWidget(parent)
{
    const QFont font = scheduleFont();
    m_grid = new ScheduleGrid(document, format, shell, font, this);
    m_summary = new SummaryView(document, format, font, this);
    m_summary->setClock([&shell] { return shell.today(); });
    m_summary->hide();
    auto *forwarder = new ContextMenuForwarder(this);
    for (QObject *watched :
         {static_cast<QObject *>(m_grid->viewport()), static_cast<QObject *>(m_summary->fraContainer()),
          static_cast<QObject *>(m_summary->gridSummary()->viewport())})
        watched->installEventFilter(forwarder);
}

ScheduleView::~ScheduleView() = default;

QTableView *ScheduleView::gridSummary() const
{
    return m_summary->gridSummary();
}

CTravinaCtrl *ScheduleView::Travina1() const
{
    return m_summary->Travina1();
}

void ScheduleView::refreshAfterCalculate()
{
    m_grid->showSchedule();
    m_summary->PopulateGridSummary();
    m_summary->AutoSizeSummaryGrid();
    m_summary->PopulateGridChart();
    m_summary->PositionSummaryViewControls();
    Form_Resize();
}

void ScheduleView::SetGridMain1DateColumn()
{
    m_grid->SetGridMain1DateColumn();
    // The summary's dates too, rather than at the next calculation: one window never shows two date formats.
    m_summary->PopulateGridSummary();
    m_summary->AutoSizeSummaryGrid();
    m_summary->PositionSummaryViewControls();
}

QTableView *ScheduleView::VisibleGrid() const
{
    return m_summaryShown ? gridSummary() : m_grid;
}

void ScheduleView::showDetails()
{
    m_summaryShown = false;
    const bool focused = m_summary->isAncestorOf(QApplication::focusWidget());
    m_summary->hide();
    m_grid->show();
    // The keys go on to the view that shows, not to the hidden one.
    if (focused)
        m_grid->setFocus(Qt::OtherFocusReason);
    Form_Resize();
    emit viewChanged();
}

void ScheduleView::showSummary()
{
    m_summaryShown = true;
    const bool focused = m_grid->hasFocus();
    m_grid->hide();
    m_summary->show();
    if (focused)
        m_summary->gridSummary()->setFocus(Qt::OtherFocusReason);
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
    if (!m_summaryShown) {
        m_grid->setGeometry(0, 0, width(), height());
        return;
    }
    m_summary->setGeometry(0, 0, width(), height());
    m_summary->Form_Resize();
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
        if (grid == m_grid && m_grid->reportShown())
            m_grid->yearEndModel()->setColumnAlignment(p, code);
        else if (grid == m_grid)
            model()->setColumnAlignment(p, code);
        else
            m_summary->setColumnAlignment(p, code);
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
    // Every row of the columns copied: their headings come first, as a spreadsheet wants them. The summary has none.
    const QAbstractItemModel *model = grid->model();
    if (top == 0 && bottom == model->rowCount() - 1 && !grid->horizontalHeader()->isHidden()) {
        for (int c = left; c <= right; ++c) {
            if (c > left)
                text += QLatin1Char('\t');
            text += model->headerData(c, Qt::Horizontal).toString();
        }
        text += QLatin1Char('\n');
    }
    for (int r = top; r <= bottom; ++r) {
        if (r > top)
            text += QLatin1Char('\n');
        for (int c = left; c <= right; ++c) {
            if (c > left)
                text += QLatin1Char('\t');
            text += model->index(r, c).data().toString();
        }
    }
    return text;
}

} // namespace views
