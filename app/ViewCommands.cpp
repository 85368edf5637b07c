#include "ViewCommands.h"

#include "Command.h"
#include "Icons.h"
#include "MainWindow.h"
#include "frmChild.h"
#include "frmTimeLeft.h"

#include "views/ScheduleView.h"

#include <QActionGroup>
#include <QStatusBar>
#include <QTableView>
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
}

void ViewCommands::update()
{
    const bool documents = m_shell.activeDocument() != nullptr;
    for (QAction *item : {details, summary, timeLeft})
        item->setEnabled(documents);
    CheckSelectedView();
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
    // The dialog opens on the date of the grid's current row.
    const QTableView *grid = document->gridMain1();
    const int row = grid && grid->currentIndex().isValid() ? grid->currentIndex().row() : 0;
    frmTimeLeft dialog(document->loan(), m_shell.numberFormat(), row, m_shell.dialogs(), &m_shell);
    m_shell.runDialog(dialog);
}

} // namespace app
