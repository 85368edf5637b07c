#pragma once

#include "scenario/frmScenario.h"

#include <QObject>
#include <QPointer>

class QAction;
class QActionGroup;

namespace app {

class MainWindow;

// The View menu: the detailed and the summary view of the active document, the toolbar and the status bar, the
// Time Left to Amortize dialog, the Scenario window and the Options.
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
    // View > Scenario: the one Scenario window, made when there is none, brought to the front.
    void showScenario();
    // The Scenario window while it is open.
    scenario::frmScenario *scenarioWindow() const { return m_scenario; }
    // View > Options: the active document's columns, and the preferences of every window.
    void showOptions();

    QAction *details = nullptr;
    QAction *summary = nullptr;
    QAction *toolbar = nullptr;
    QAction *statusBar = nullptr;
    QAction *timeLeft = nullptr;
    QAction *scenario = nullptr;
    QAction *options = nullptr;

private:
    MainWindow &m_shell;
    QActionGroup *m_views = nullptr;
    QPointer<scenario::frmScenario> m_scenario;
    int m_optionsTab = 0; // the Options' tab shown last, for as long as the program runs
};

} // namespace app
