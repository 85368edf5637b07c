#include "ViewCommands.h"

#include "Command.h"
#include "EditCommands.h"
#include "FileCommands.h"
#include "HelpCommands.h"
#include "Icons.h"
#include "MainWindow.h"
#include "SettingsKeys.h"
#include "SettingsStore.h"
#include "WindowCommands.h"
#include "frmChild.h"
#include "frmTimeLeft.h"

#include "scenario/frmScenario.h"
#include "views/ScheduleView.h"
#include "views/frmOptions.h"

#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>

namespace app {

ViewCommands::ViewCommands(MainWindow &shell)
    : QObject(&shell)
    , m_shell(shell)
{
    details = command(this, QStringLiteral("&Details"), icon(IconKind::DetailedView), QStringLiteral("Detailed View"),
                      [this] {
                          if (frmChild *document = m_shell.activeDocument())
                              document->view()->showDetails();
                      });
    summary =
        command(this, QStringLiteral("&Summary"), icon(IconKind::SummaryView), QStringLiteral("Summary View"), [this] {
            if (frmChild *document = m_shell.activeDocument())
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
    connect(toolbar, &QAction::toggled, this, [this](bool on) { m_shell.toolBar()->setVisible(on); });
    connect(statusBar, &QAction::toggled, this, [this](bool on) { m_shell.statusBar()->setVisible(on); });

    timeLeft = command(this, QStringLiteral("T&ime Left to Amortize..."), [this] { showTimeLeft(); });
    scenario = command(this, QStringLiteral("S&cenario"), [this] { showScenario(); });
    options = command(this, QStringLiteral("&Options..."), [this] { showOptions(); });
}

void ViewCommands::update()
{
    const bool documents = m_shell.activeDocument() != nullptr;
    for (QAction *item : {details, summary, timeLeft, options})
        item->setEnabled(documents);
    CheckSelectedView();
    // The year-end report stands in the schedule's place: no columns to arrange.
    if (documents && m_shell.activeDocument()->loan().gblnReportFlag)
        options->setEnabled(false);
}

void ViewCommands::CheckSelectedView()
{
    frmChild *document = m_shell.activeDocument();
    const bool summaryShown = document && document->view()->summaryShown();
    details->setChecked(document && !summaryShown);
    summary->setChecked(summaryShown);
}

void ViewCommands::showTimeLeft()
{
    frmChild *document = m_shell.activeDocument();
    if (!document)
        return;
    // The dialog opens on the date of the grid's current row; a row of the year-end report is no schedule row.
    const QTableView *grid = document->gridMain1();
    const int row = grid && grid->currentIndex().isValid() && !document->reportShown() ? grid->currentIndex().row() : 0;
    frmTimeLeft dialog(document->loan(), m_shell.numberFormat(), row, m_shell.dialogs(), &m_shell);
    m_shell.runDialog(dialog);
}

void ViewCommands::showOptions()
{
    frmChild *active = m_shell.activeDocument();
    if (!active || active->loan().gblnReportFlag)
        return;
    // Widths and alignments changed in the grid belong to the layout the dialog rearranges.
    active->view()->SetGridMain1(views::GridRequest::StoreToArray);
    views::frmOptions dialog(active->data().columns, m_shell.preferences(), m_optionsTab, m_shell.numberFormat(),
                             m_shell.clock(), m_shell.dialogs(), *active, &m_shell);
    const int result = m_shell.runDialog(dialog);
    m_optionsTab = dialog.tab();
    if (result != QDialog::Accepted)
        return;
    active->changeAndRecalculate(QStringLiteral("Columns"),
                                 [&](document::DocumentData &data) { dialog.applyColumns(data.columns); });
    m_shell.applyPreferences(dialog.preferences());
}

void ViewCommands::showScenario()
{
    QMdiArea *area = m_shell.mdiArea();
    if (m_scenario) {
        auto *frame = qobject_cast<QMdiSubWindow *>(m_scenario->parentWidget());
        if (frame && frame->isMinimized())
            frame->showNormal();
        area->setActiveSubWindow(frame);
        m_shell.subWindowActivated(frame);
        return;
    }
    scenario::SharedCommands shared;
    FileCommands &file = m_shell.files();
    shared.newDocument = file.newDocument;
    shared.open = file.open;
    shared.close = file.close;
    shared.recentFiles = file.recentActions();
    shared.exit = file.exit;
    shared.toolbar = toolbar;
    shared.statusBar = statusBar;
    WindowCommands &window = m_shell.windowCommands();
    shared.window = {window.cascadeAction, window.tileHorizontal, window.tileVertical, window.arrangeIconsAction};
    shared.contents = m_shell.helpCommands().contents;
    shared.about = m_shell.helpCommands().about;
    const int compounding = m_shell.settings().intValue(kSettingsSection, kInterestCompound, 0);
    scenario::ScenarioServices services {&m_shell.dialogs(), [this](const QString &text) { m_shell.message(text); }};
    m_scenario = new scenario::frmScenario(m_shell.numberFormat(), compounding, shared, std::move(services));
    // Its menus are enabled by the same rules as the main window's.
    connect(m_scenario->fileMenu(), &QMenu::aboutToShow, &file, &FileCommands::update);
    connect(m_scenario->windowMenu(), &QMenu::aboutToShow, &window, &WindowCommands::update);
    connect(m_scenario->windowMenu(), &QMenu::aboutToShow, &window,
            [&window, menu = m_scenario->windowMenu()] { window.listWindows(*menu); });

    QMdiSubWindow *frame = m_shell.addSubWindow(m_scenario, icon(IconKind::SummaryView));
    frame->setWindowTitle(m_scenario->windowTitle());
    frame->move(0, 0);
    // Closing it gives the main window its menus back, even when no other window takes its place; only once it has
    // gone, as halfway through its destruction it is a Scenario window no more.
    connect(m_scenario, &QObject::destroyed, &m_shell,
            [this] { QTimer::singleShot(0, &m_shell, [this] { m_shell.subWindowActivated(nullptr); }); });
    frame->show();
    // Room for the whole calculator as far as the area allows; the container scrolls over the rest.
    const QSize wanted = frame->size() - m_scenario->size() + m_scenario->sizeHint();
    frame->resize(wanted.boundedTo(area->viewport()->size()));
    area->setActiveSubWindow(frame);
    m_shell.subWindowActivated(frame);
}

} // namespace app
