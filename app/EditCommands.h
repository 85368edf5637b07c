#pragma once

#include <QObject>

class QAction;

namespace app {

class DialogHost;
class DocumentWindows;

// The Edit menu: Undo and Redo of the active document's changes, Cut (nothing to act on in a computed schedule),
// Copy, Paste, the Lump Sums dialog, Match Statement and the prepayment terms.
class EditCommands : public QObject
{
    Q_OBJECT

public:
    EditCommands(DocumentWindows &windows, DialogHost &host, QObject *parent);

    // Enables the items for the documents open and what the clipboard holds.
    void update();
    // The active document's last change taken back, or the last one taken back made again.
    void undoChange();
    void redoChange();
    void copy();
    void paste();
    // Edit > Lump Sums, on the active document.
    void showLumpSums();
    // Which conventions reproduce a lender's statement; Apply gives them to the active document.
    void matchStatement();
    // The active document's prepayment terms, turned on, changed or turned off.
    void showPrepaymentTerms();

    QAction *undo = nullptr;
    QAction *redo = nullptr;
    QAction *cut = nullptr;
    QAction *copyAction = nullptr;
    QAction *pasteAction = nullptr;
    QAction *lumpSums = nullptr;
    QAction *matchStatementAction = nullptr;
    QAction *prepaymentTerms = nullptr;

private:
    void stepThroughChanges(bool forward);

    DocumentWindows &m_windows;
    DialogHost &m_host;
};

} // namespace app
