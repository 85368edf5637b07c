#pragma once

#include <QObject>

class QAction;
class QActionGroup;

namespace app {

class MainWindow;

// The View menu: the detailed and the summary view of the active document, the toolbar and the status bar, and the
// Time Left to Amortize dialog.
class ViewCommands : public QObject
{
    Q_OBJECT

public:
    explicit ViewCommands(MainWindow &shell);

    void update();
    // Check marks and pressed buttons follow the active document's view.
    void CheckSelectedView();
    // View > Time Left to Amortize, on the active document.
    void showTimeLeft();

    QAction *details = nullptr;
    QAction *summary = nullptr;
    QAction *toolbar = nullptr;
    QAction *statusBar = nullptr;
    QAction *timeLeft = nullptr;

private:
    MainWindow &m_shell;
    QActionGroup *m_views = nullptr;
};

} // namespace app
