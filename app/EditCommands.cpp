#include "EditCommands.h"

#include "Command.h"
#include "DialogHost.h"
#include "DocumentWindows.h"
#include "Icons.h"
#include "LoanComparisonWindow.h"
#include "SettingsKeys.h"
#include "frmChild.h"

#include "engine/StatementMatch.h"
#include "views/CellEditor.h"
#include "views/MatchStatementDialog.h"
#include "views/PrepaymentTermsDialog.h"
#include "views/ScheduleView.h"
#include "views/frmLumpSums.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTableView>
#include <QUndoStack>

namespace app {

EditCommands::EditCommands(DocumentWindows &windows, DialogHost &host, QObject *parent)
    : QObject(parent)
    , m_windows(windows)
    , m_host(host)
{
    undo = command(this, QStringLiteral("&Undo"), [this] { undoChange(); });
    undo->setShortcut(QKeySequence::Undo);
    redo = command(this, QStringLiteral("&Redo"), [this] { redoChange(); });
    redo->setShortcut(QKeySequence::Redo);
    cut = command(this, QStringLiteral("Cu&t"), [] {});
    copyAction =
        command(this, QStringLiteral("&Copy"), icon(IconKind::Copy), QStringLiteral("Copy"), [this] { copy(); });
    copyAction->setShortcut(QKeySequence::Copy);
    pasteAction = command(this, QStringLiteral("&Paste"), [this] { paste(); });
    pasteAction->setShortcut(QKeySequence::Paste);
    lumpSums = command(this, QStringLiteral("&Lump Sums..."), [this] { showLumpSums(); });
    matchStatementAction = command(this, QStringLiteral("Match &Statement..."), [this] { matchStatement(); });
    prepaymentTerms = command(this, tr("Pr&epayment Terms..."), [this] { showPrepaymentTerms(); });
    // Ctrl+V follows the clipboard, not only the state it had when the menu was last opened.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &EditCommands::update);
}

void EditCommands::update()
{
    const bool documents = m_windows.activeDocument() != nullptr;
    // Each item names the change it would take back or make again.
    const QUndoStack *changes = documents ? m_windows.activeDocument()->undoStack() : nullptr;
    auto offer = [](QAction *item, const QString &caption, bool can, const QString &what) {
        item->setEnabled(can);
        item->setText(can && !what.isEmpty() ? caption + QLatin1Char(' ') + what : caption);
    };
    offer(undo, QStringLiteral("&Undo"), changes && changes->canUndo(), changes ? changes->undoText() : QString());
    offer(redo, QStringLiteral("&Redo"), changes && changes->canRedo(), changes ? changes->redoText() : QString());
    cut->setEnabled(false);
    copyAction->setEnabled(documents || m_windows.activeComparison());
    pasteAction->setEnabled(documents && !QGuiApplication::clipboard()->text().isEmpty());
    lumpSums->setEnabled(documents);
    // The document's own figures are matched, not a report shown in their place.
    frmChild *document = m_windows.activeDocument();
    matchStatementAction->setEnabled(document && !document->loan().gblnReportFlag);
    prepaymentTerms->setEnabled(documents);
}

void EditCommands::undoChange()
{
    stepThroughChanges(false);
}

void EditCommands::redoChange()
{
    stepThroughChanges(true);
}

void EditCommands::stepThroughChanges(bool forward)
{
    frmChild *document = m_windows.activeDocument();
    QUndoStack *changes = document ? document->undoStack() : nullptr;
    if (!changes || !(forward ? changes->canRedo() : changes->canUndo()))
        return;
    // As any command that changes the document: an open edit is dropped and the schedule comes back first.
    document->view()->cellEditor()->GridMain1_Scroll();
    document->CloseYearEndReport();
    if (forward)
        changes->redo();
    else
        changes->undo();
}

void EditCommands::copy()
{
    if (const LoanComparisonWindow *comparison = m_windows.activeComparison()) {
        QGuiApplication::clipboard()->setText(comparison->tableText());
        return;
    }
    frmChild *document = m_windows.activeDocument();
    if (!document)
        return;
    QGuiApplication::clipboard()->clear();
    QGuiApplication::clipboard()->setText(document->view()->selectionText());
}

void EditCommands::paste()
{
    frmChild *document = m_windows.activeDocument();
    const QString text = QGuiApplication::clipboard()->text();
    if (document && !text.isEmpty() && !document->loan().gblnReportFlag)
        document->view()->cellEditor()->paste(text);
}

void EditCommands::showLumpSums()
{
    frmChild *document = m_windows.activeDocument();
    if (!document)
        return;
    // The dialog edits the whole list: an edit still open in the grid is dropped, as scrolling drops it.
    document->view()->cellEditor()->GridMain1_Scroll();
    // The dialog opens on the lump sum of the schedule row the user is on; the year-end report's rows are not
    // schedule rows, and the report is closed first.
    const QTableView *grid = document->gridMain1();
    const bool scheduleShown = !document->loan().gblnReportFlag;
    const int row = scheduleShown && grid->currentIndex().isValid() ? grid->currentIndex().row() : -1;
    document->CloseYearEndReport();
    views::frmLumpSums dialog(document->loan(), *document, row, m_windows.numberFormat(), m_host.dialogParent());
    m_host.runDialog(dialog);
}

void EditCommands::matchStatement()
{
    frmChild *document = m_windows.activeDocument();
    if (!document || document->loan().gblnReportFlag)
        return;
    views::MatchStatementDialog dialog(document->loan(), m_windows.numberFormat(), m_host.dialogs(), kSettingsName,
                                       document->folder(), m_host.dialogParent());
    if (m_host.runDialog(dialog) != QDialog::Accepted || !dialog.applied())
        return;
    const engine::Conventions conventions = *dialog.applied();
    if (document->changeAndRecalculate(QStringLiteral("Match Statement"), [&conventions](document::DocumentData &data) {
            engine::applyConventions(data.loan, conventions);
        }))
        document->markModified();
}

void EditCommands::showPrepaymentTerms()
{
    frmChild *document = m_windows.activeDocument();
    if (!document)
        return;
    const engine::ScheduleTable &schedule = document->loan().gridMain0;
    const engine::Date lastPayment = schedule.rows() >= 2 ? schedule.dateOf(schedule.rows() - 1) : engine::kNoDate;
    views::PrepaymentTermsDialog dialog(document->loan().prepaymentTerms, lastPayment, m_windows.numberFormat(),
                                        m_host.dialogs(), kSettingsName, m_host.dialogParent());
    if (m_host.runDialog(dialog) != QDialog::Accepted || dialog.chosen() == document->loan().prepaymentTerms)
        return;
    document->view()->cellEditor()->GridMain1_Scroll();
    document->CloseYearEndReport();
    const std::optional<engine::PrepaymentTerms> terms = dialog.chosen();
    document->changeAndRecalculate(tr("Prepayment Terms"),
                                   [&terms](document::DocumentData &data) { data.loan.prepaymentTerms = terms; });
}

} // namespace app
