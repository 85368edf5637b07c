#pragma once

#include <QObject>

class QAction;

namespace app {

class MainWindow;

// The Edit menu: Undo and Cut (nothing to act on in a computed schedule), Copy and Paste.
class EditCommands : public QObject
{
    Q_OBJECT

public:
    explicit EditCommands(MainWindow &shell);

    // Enables the items for the documents open and what the clipboard holds.
    void update();
    void copy();
    void paste();

    QAction *undo = nullptr;
    QAction *cut = nullptr;
    QAction *copyAction = nullptr;
    QAction *pasteAction = nullptr;

private:
    MainWindow &m_shell;
};

} // namespace app
