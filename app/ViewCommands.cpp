#include "ViewCommands.h"

#include "Command.h"
#include "DialogHost.h"
#include "DocumentWindows.h"
#include "Icons.h"
#include "SettingsKeys.h"
#include "SettingsStore.h"
#include "frmChild.h"
#include "frmTimeLeft.h"

#include "scenario/frmScenario.h"
#include "views/ScheduleView.h"
#include "views/frmOptions.h"

#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTableView>
#include <QTimer>

namespace app {

ViewCommands::ViewCommands(DocumentWindows &windows, DialogHost &host, SettingsStore &settings, QObject *parent)
    : QObject(parent)
    , m_windows(windows)
    , m_host(host)
    , m_settings(settings)
{
    details = command(this, QStringLiteral("&Details"), icon(IconKind::DetailedView), QStringLiteral("Detailed View"),
                      [this] {
                          if (frmChild *document = m_windows.activeDocument())
                              document->view()->showDetails();
                      });
    summary =
        command(this, QStringLiteral("&Summary"), icon(IconKind::SummaryView), QStringLiteral("Summary View"), [this] {
            if (frmChild *document = m_windows.activeDocument())
                document->view()->showSummary();
        });
    m_views = new QActionGroup(this);
    // Without a document neither view is shown, and neither button is pressed.
    m_views->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction *view : {details, summary}) {
        view->setCheckable(true);
        m_views->addAction(view);
    }

    // The bars are shown while their items are checked; not stored in the settings.
    toolbar = new QAction(QStringLiteral("&Toolbar"), this);
    statusBar = new QAction(QStringLiteral("Status &Bar"), this);
    for (QAction *bar : {toolbar, statusBar}) {
        bar->setCheckable(true);
        bar->setChecked(true);
    }

    timeLeft = command(this, QStringLiteral("T&ime Left to Amortize..."), [this] { showTimeLeft(); });
    scenario = command(this, QStringLiteral("S&cenario"), [this] { showScenario(); });
    options = command(this, QStringLiteral("&Options..."), [this] { showOptions(); });
}

void ViewCommands::update()
{
    const bool documents = m_windows.activeDocument() != nullptr;
    for (QAction *item : {details, summary, timeLeft, options})
        item->setEnabled(documents);
    CheckSelectedView();
    // The year-end report stands in the schedule's place: no columns to arrange.
    if (documents && m_windows.activeDocument()->loan().gblnReportFlag)
        options->setEnabled(false);
}

void ViewCommands::CheckSelectedView()
{
    frmChild *document = m_windows.activeDocument();
    const bool summaryShown = document && document->view()->summaryShown();
    details->setChecked(document && !summaryShown);
    summary->setChecked(summaryShown);
}

void ViewCommands::showTimeLeft()
{
    frmChild *document = m_windows.activeDocument();
    if (!document)
        return;
    // The dialog opens on the date of the grid's current row; a row of the year-end report is no schedule row.
    const QTableView *grid = document->gridMain1();
    const int row = grid && grid->currentIndex().isValid() && !document->reportShown() ? grid->currentIndex().row() : 0;
    frmTimeLeft dialog(document->loan(), m_windows.numberFormat(), row, m_host.dialogs(), m_host.dialogParent());
    m_host.runDialog(dialog);
}

void ViewCommands::showOptions()
{
    frmChild *active = m_windows.activeDocument();
    if (!active || active->loan().gblnReportFlag)
        return;
    // Widths and alignments changed in the grid belong to the layout the dialog rearranges.
    active->view()->SetGridMain1(views::GridRequest::StoreToArray);
    views::frmOptions dialog(active->data().columns, m_windows.preferences(), m_optionsTab, m_windows.numberFormat(),
                             m_host.clock(), m_host.dialogs(), *active, m_host.dialogParent());
    const int result = m_host.runDialog(dialog);
    m_optionsTab = dialog.tab();
    if (result != QDialog::Accepted)
        return;
    active->changeAndRecalculate(QStringLiteral("Columns"),
                                 [&](document::DocumentData &data) { dialog.applyColumns(data.columns); });
    m_windows.applyPreferences(dialog.preferences());
}

void ViewCommands::showScenario()
{
    QMdiArea *area = m_windows.mdiArea();
    if (m_scenario) {
        auto *frame = qobject_cast<QMdiSubWindow *>(m_scenario->parentWidget());
        if (frame && frame->isMinimized())
            frame->showNormal();
        area->setActiveSubWindow(frame);
        m_windows.subWindowActivated(frame);
        return;
    }
    scenario::SharedCommands shared = m_scenarioCommands;
    shared.toolbar = toolbar;
    shared.statusBar = statusBar;
    const int compounding = m_settings.intValue(kSettingsSection, kInterestCompound, 0);
    scenario::ScenarioServices services {&m_host.dialogs(), [this](const QString &text) { m_host.message(text); }};
    m_scenario = new scenario::frmScenario(m_windows.numberFormat(), compounding, shared, std::move(services));
    emit scenarioCreated(m_scenario);

    QMdiSubWindow *frame = m_windows.addSubWindow(m_scenario, icon(IconKind::SummaryView));
    frame->setWindowTitle(m_scenario->windowTitle());
    frame->move(0, 0);
    // Closing it gives the main window its menus back, even when no other window takes its place; only once it has
    // gone, as halfway through its destruction it is a Scenario window no more.
    QWidget *frameWindow = m_host.dialogParent();
    connect(m_scenario, &QObject::destroyed, frameWindow, [this, frameWindow] {
        QTimer::singleShot(0, frameWindow, [this] { m_windows.subWindowActivated(nullptr); });
    });
    frame->show();
    // Room for the whole calculator as far as the area allows; the container scrolls over the rest.
    const QSize wanted = frame->size() - m_scenario->size() + m_scenario->sizeHint();
    frame->resize(wanted.boundedTo(area->viewport()->size()));
    area->setActiveSubWindow(frame);
    m_windows.subWindowActivated(frame);
}

} // namespace app
