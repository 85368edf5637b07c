#include "DataEntryCommands.h"

#include "MainWindow.h"
#include "frmChild.h"
#include "frmTimeLeft.h"
#include "frmWizard.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>

namespace app {

namespace {

const QString kObjectName = QStringLiteral("DataEntryCommands");

// The action after `action` in `menu`, or null when it is the last.
QAction *actionAfter(QMenu *menu, QAction *action)
{
    const QList<QAction *> actions = menu->actions();
    const qsizetype at = actions.indexOf(action);
    return at >= 0 && at + 1 < actions.size() ? actions.at(at + 1) : nullptr;
}

} // namespace

DataEntryCommands::DataEntryCommands(MainWindow &window)
    : QObject(&window)
    , m_window(window)
    , m_run([](QDialog &dialog) { return dialog.exec(); })
{
    setObjectName(kObjectName);
}

void DataEntryCommands::setDialogRunner(DialogRunner runner)
{
    m_run = runner ? std::move(runner) : DialogRunner([](QDialog &dialog) { return dialog.exec(); });
}

void DataEntryCommands::install()
{
    m_window.setWizardRunner([this](MainWindow &, frmChild &document) { return runWizard(document); });

    // The actions are the window's own, so that every menu (the document's pop-up menu too) finds them by name.
    m_properties = new QAction(QStringLiteral("Propert&ies"), &m_window);
    m_properties->setObjectName(QStringLiteral("Properties"));
    connect(m_properties, &QAction::triggered, this, &DataEntryCommands::showProperties);
    m_timeLeft = new QAction(QStringLiteral("T&ime Left to Amortize..."), &m_window);
    m_timeLeft->setObjectName(QStringLiteral("TimeLeft"));
    connect(m_timeLeft, &QAction::triggered, this, &DataEntryCommands::showTimeLeft);

    // File: a separator and Properties after Save As.
    QMenu *file = m_window.fileMenu();
    if (QAction *saveAs = m_window.action(QStringLiteral("SaveAs")); file && saveAs) {
        QAction *before = actionAfter(file, saveAs);
        file->insertSeparator(before);
        file->insertAction(before, m_properties);
    } else if (file) {
        file->insertAction(m_window.action(QStringLiteral("Exit")), m_properties);
    }
    if (file)
        connect(file, &QMenu::aboutToShow, this, &DataEntryCommands::updateActions);

    // View: a separator and Time Left after the bars.
    if (QMenu *view = m_window.findChild<QMenu *>(QStringLiteral("mnuView"))) {
        QAction *statusBar = m_window.action(QStringLiteral("StatusBar"));
        QAction *before = statusBar ? actionAfter(view, statusBar) : nullptr;
        view->insertSeparator(before);
        view->insertAction(before, m_timeLeft);
        connect(view, &QMenu::aboutToShow, this, &DataEntryCommands::updateActions);
    }
    // The document's pop-up menu copies the actions' state when it opens: keep it current with the documents.
    connect(m_window.mdiArea(), &QMdiArea::subWindowActivated, this, &DataEntryCommands::updateActions);
    updateActions();
}

void DataEntryCommands::updateActions()
{
    // The document area reports its last window going while the main window is being destroyed: then there is
    // nothing left to update.
    if (!qobject_cast<MainWindow *>(parent()))
        return;
    const bool documents = !m_window.documents().isEmpty();
    m_properties->setEnabled(documents);
    m_timeLeft->setEnabled(documents);
}

bool DataEntryCommands::runWizard(frmChild &document)
{
    frmWizard wizard(m_window, document, m_clock, &m_window);
    const int result = m_run(wizard);
    return result == QDialog::Accepted && !m_window.state().gblnWizardCancelled;
}

void DataEntryCommands::showProperties()
{
    frmChild *document = m_window.activeDocument();
    if (!document)
        return;
    AppState &state = m_window.state();
    state.gblnLoanDataChanged = false;
    state.gblnPropertiesMode = true;
    bool lumpSumsRemoved = false;
    {
        frmWizard wizard(m_window, *document, m_clock, &m_window);
        m_run(wizard);
        lumpSumsRemoved = wizard.lumpSumsRemoved();
    }
    state.gblnWizardCancelled = false;
    // Only the wizard reads the mode; outside it the program is not editing a document.
    state.gblnPropertiesMode = false;
    // Lump sums dropped on closing change the schedule too, even when the loan data did not change.
    if (!state.gblnLoanDataChanged && !lumpSumsRemoved)
        return;

    // The grid's cursor and scroll position survive the new schedule.
    QTableView *grid = document->gridMain1();
    const QModelIndex current = grid ? grid->currentIndex() : QModelIndex();
    const int scroll = grid ? grid->verticalScrollBar()->value() : 0;
    m_window.ShowProgressBar(true);
    m_window.SetProgressBarUbound(100);
    document->Calculate();
    m_window.ShowProgressBar(false);
    if (grid && grid->model()) {
        QAbstractItemModel *model = grid->model();
        if (current.isValid() && model->rowCount() > 0 && model->columnCount() > 0) {
            grid->setCurrentIndex(model->index(std::min(current.row(), model->rowCount() - 1),
                                               std::min(current.column(), model->columnCount() - 1)));
        }
        grid->verticalScrollBar()->setValue(scroll);
    }
}

void DataEntryCommands::showTimeLeft()
{
    frmChild *document = m_window.activeDocument();
    if (!document)
        return;
    frmTimeLeft dialog(m_window, *document, &m_window);
    m_run(dialog);
}

void installDataEntryCommands(MainWindow &window)
{
    if (dataEntryCommands(window))
        return;
    auto *commands = new DataEntryCommands(window);
    commands->install();
}

DataEntryCommands *dataEntryCommands(MainWindow &window)
{
    return window.findChild<DataEntryCommands *>(kObjectName, Qt::FindDirectChildrenOnly);
}

void showTimeLeft(MainWindow &window)
{
    if (DataEntryCommands *commands = dataEntryCommands(window))
        commands->showTimeLeft();
}

} // namespace app
