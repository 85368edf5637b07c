#pragma once

#include "scenario/frmScenario.h"

#include <QObject>
#include <QPointer>

class QAction;
class QActionGroup;

namespace app {

class DialogHost;
class DocumentWindows;
class SettingsStore;

// The View menu: the detailed and the summary view of the active document, the toolbar and the status bar, the
// Time Left to Amortize dialog, the Scenario window and the Options.
class ViewCommands : public QObject
{
    Q_OBJECT

public:
    ViewCommands(DocumentWindows &windows, DialogHost &host, SettingsStore &settings, QObject *parent);

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
    // The main window's commands the Scenario window shows in its own menus; the bars' items are this menu's.
    void setScenarioCommands(const scenario::SharedCommands &commands) { m_scenarioCommands = commands; }

    QAction *details = nullptr;
    QAction *summary = nullptr;
    QAction *toolbar = nullptr;
    QAction *statusBar = nullptr;
    QAction *timeLeft = nullptr;
    QAction *scenario = nullptr;
    QAction *options = nullptr;

signals:
    // The Scenario window was made, its menus not yet enabled by anyone.
    void scenarioCreated(scenario::frmScenario *window);

private:
    DocumentWindows &m_windows;
    DialogHost &m_host;
    SettingsStore &m_settings;
    QActionGroup *m_views = nullptr;
    scenario::SharedCommands m_scenarioCommands;
    QPointer<scenario::frmScenario> m_scenario;
    int m_optionsTab = 0; // the Options' tab shown last, for as long as the program runs
};

} // namespace app
