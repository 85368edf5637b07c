#include "frmChild.h"

#include "DialogHost.h"
#include "DocumentChange.h"
#include "FileAccess.h"
#include "ProgressShown.h"
#include "SettingsKeys.h"
#include "StatusReporter.h"

#include "engine/ChangeTables.h"
#include "engine/Schedule.h"
#include "ui/DateField.h"
#include "views/ScheduleView.h"
#include "views/SummaryView.h"
#include "views/TextTableModel.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QSplitter>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

namespace app {

frmChild::frmChild(int slot, const engine::NumberFormat &format, StatusReporter &status, DialogHost &dialogs,
                   const QString &folder, QWidget *parent)
    : QWidget(parent)
    , m_format(format)
    , m_status(status)
    , m_dialogs(dialogs)
    , m_slot(slot)
    , m_folder(folder)
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_view = new views::ScheduleView(m_data, format, *this, this);

    m_undo = new QUndoStack(this);
    m_undo->setUndoLimit(100);
    // Undoing back to the document as saved leaves nothing to save.
    connect(m_undo, &QUndoStack::cleanChanged, this, [this](bool clean) { showModified(!clean); });

    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->addWidget(m_view);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);
}

frmChild::~frmChild()
{
    // The stack empties itself as it goes, signalling as it does: nothing of this window is left to hear it.
    disconnect(m_undo, nullptr, nullptr, nullptr);
}

QTableView *frmChild::gridMain1() const
{
    return m_view->gridMain1();
}

void frmChild::SetProgressBar(int done, int total)
{
    m_status.SetProgressBar(done, total);
}

void frmChild::markModified()
{
    setModified(true);
}

void frmChild::setModified(bool modified)
{
    if (!modified)
        m_undo->setClean();
    else if (m_undo->isClean())
        m_undo->resetClean();
    showModified(modified);
}

void frmChild::showModified(bool modified)
{
    setWindowModified(modified);
    if (QWidget *frame = parentWidget())
        frame->setWindowModified(modified);
}

void frmChild::showMessage(const QString &text)
{
    m_dialogs.message(text);
}

engine::Date frmChild::today() const
{
    return ui::toSerial(m_dialogs.today());
}

void frmChild::setCellStatus(const QString &text)
{
    m_status.setCellStatus(text);
}

document::DocumentData frmChild::withoutSchedule()
{
    engine::ScheduleTable schedule = std::move(m_data.loan.gridMain0);
    document::DocumentData values = m_data;
    values.loan.gridMain0 = engine::ScheduleTable();
    m_data.loan.gridMain0 = std::move(schedule);
    return values;
}

bool frmChild::changeAndRecalculate(const QString &what, const Change &change)
{
    document::DocumentData before = withoutSchedule();
    if (!recalculateWith(change, before))
        return false;
    record(what, std::move(before));
    return true;
}

void frmChild::changeKeepingSchedule(const QString &what, const Change &change)
{
    document::DocumentData before = withoutSchedule();
    change(m_data);
    record(what, std::move(before));
    // A new title shows wherever the loan is named.
    emit scheduleShown();
}

void frmChild::record(const QString &what, document::DocumentData before)
{
    document::DocumentEdit edit(std::move(before), withoutSchedule());
    if (!edit.empty())
        m_undo->push(new DocumentChange(*this, what, std::move(edit)));
}

void frmChild::applyEdit(const document::DocumentEdit &edit, bool redo)
{
    recalculateWith(
        [&](document::DocumentData &data) {
            if (redo)
                edit.redo(data);
            else
                edit.undo(data);
            // The tables keep their dates as the grid shows them, in the date format of today.
            engine::reformatChangeDates(data.loan, m_format);
        },
        withoutSchedule());
}

bool frmChild::recalculateWith(const Change &change, document::DocumentData before)
{
    change(m_data);
    const ProgressShown progress(m_status, 100);
    const bool computed = computeSchedule();
    if (!computed) {
        // Taken back, so that the document and its schedule agree. A schedule that cannot be computed leaves the one
        // computed before in place: it goes with `before`.
        before.loan.gridMain0 = std::move(m_data.loan.gridMain0);
        m_data = std::move(before);
    }
    showSchedule();
    return computed;
}

void frmChild::discard()
{
    // Nothing of a document never accepted is worth keeping.
    setModified(false);
    if (QWidget *frame = parentWidget())
        frame->close();
}

void frmChild::AutoSizeMainGrid()
{
    m_view->AutoSizeMainGrid();
}

void frmChild::YearEndReport(int closingMonth)
{
    const bool modified = isWindowModified();
    {
        const ProgressShown progress(m_status, 100);
        m_view->YearEndReport(closingMonth);
    }
    // The report takes the detailed view's place: asked for from the summary, it is shown at once.
    if (m_view->summaryShown())
        m_view->showDetails();
    if (isWindowModified() != modified)
        setModified(modified);
}

void frmChild::CloseYearEndReport()
{
    if (!reportShown())
        return;
    const ProgressShown progress(m_status, 100);
    m_view->CloseYearEndReport();
}

void frmChild::dateFormatChanged()
{
    // The editors find a change by the date the schedule shows: the tables must show it the same way.
    engine::reformatChangeDates(m_data.loan, m_format);
    m_view->SetGridMain1DateColumn();
    m_view->gridMain1()->fitDateColumn(false);
    emit scheduleShown();
}

bool frmChild::Calculate()
{
    const bool computed = computeSchedule();
    showSchedule();
    return computed;
}

bool frmChild::computeSchedule()
{
    const engine::CalculateResult result =
        engine::Calculate(m_data.loan, m_format, [this](int done, int total) { m_status.SetProgressBar(done, total); });
    if (!result.ok)
        m_dialogs.message(QString::fromStdString(result.message), ui::UserDialogs::Ok, ui::UserDialogs::Icon::Warning);
    m_status.SetProgressBarUbound(m_status.progressUpperBound());
    return result.ok;
}

void frmChild::showSchedule()
{
    m_view->refreshAfterCalculate();
    if (m_hiddenGrids) {
        for (auto *model : m_hiddenGrids->findChildren<views::TextTableModel *>())
            model->reload();
    }
    emit scheduleShown();
}

bool frmChild::SaveToFile(const QString &path, QString *error)
{
    // The layout is stored from the schedule, never from the report's columns.
    CloseYearEndReport();
    m_view->SetGridMain1(views::GridRequest::StoreToArray);
    const std::string bytes = document::writeDocument(m_data);
    const QString reason = replaceFile(path, QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (reason.isEmpty())
        return true;
    if (error)
        *error = QStringLiteral("Cannot save '%1': %2").arg(quotedForMessage(path), reason);
    return false;
}

bool frmChild::hiddenGridsShown() const
{
    return m_hiddenGrids && m_hiddenGrids->isVisible();
}

void frmChild::toggleHiddenGrids()
{
    if (!m_hiddenGrids) {
        m_hiddenGrids = new QWidget(this);
        auto *layout = new QVBoxLayout(m_hiddenGrids);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *changes = new QSplitter(Qt::Horizontal, m_hiddenGrids);
        for (const engine::TextTable *table :
             {&m_data.loan.gridAnnualRate, &m_data.loan.gridBasicPayment, &m_data.loan.gridLumpSum}) {
            auto *view = new QTableView(changes);
            view->setModel(new views::TextTableModel(*table, view));
            changes->addWidget(view);
        }
        auto *chart = new QTableView(changes);
        chart->setObjectName(QStringLiteral("gridChart"));
        chart->setModel(new views::TextTableModel(m_view->summaryView()->gridChart(), m_format, chart));
        changes->addWidget(chart);
        auto *schedule = new QTableView(m_hiddenGrids);
        schedule->setObjectName(QStringLiteral("gridMain0"));
        schedule->setModel(new views::TextTableModel(m_data.loan.gridMain0, schedule));
        layout->addWidget(changes, 1);
        layout->addWidget(schedule, 2);
        m_splitter->addWidget(m_hiddenGrids);
        m_hiddenGrids->hide();
    }
    m_hiddenGrids->setVisible(!m_hiddenGrids->isVisible());
}

void frmChild::closeEvent(QCloseEvent *event)
{
    CloseYearEndReport();
    event->accept();
    int state = kStateNormal;
    if (QWidget *frame = parentWidget())
        state = frame->isMaximized() ? kStateMaximized : frame->isMinimized() ? kStateMinimized : kStateNormal;
    emit closing(state);
}

} // namespace app
