#pragma once

#include "AppState.h"
#include "DialogHost.h"
#include "DocumentSlots.h"
#include "DocumentWindows.h"
#include "StatusReporter.h"

#include "engine/NumberFormat.h"
#include "ui/BusyCursor.h"

#include <QMainWindow>

#include <functional>
#include <optional>

class QDialog;
class QIcon;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QToolBar;

namespace scenario {
class frmScenario;
struct SharedCommands;
} // namespace scenario

namespace app {

class DebugCommands;
class DocumentPrinting;
class EditCommands;
class FileCommands;
class LoanComparisonWindow;
class FormatCommands;
class HelpCommands;
class ReportCommands;
class SettingsStore;
class ViewCommands;
class WindowCommands;
class frmChild;

// The frame: menus, toolbar, status and progress bars, and the document windows inside. The commands live in one
// object per menu; createMenus() puts their items in order.
class MainWindow : public QMainWindow, public DocumentWindows, public DialogHost, public StatusReporter
{
    Q_OBJECT

public:
    // Runs the loan data wizard on a new document window; false when the user cancelled it.
    using WizardRunner = std::function<bool(MainWindow &, frmChild &)>;
    // Shows a modal dialog and returns its result: exec(), unless a test drives the dialog itself.
    using DialogRunner = std::function<int(QDialog &)>;

    MainWindow(SettingsStore &settings, ui::UserDialogs &dialogs, bool debug, QWidget *parent = nullptr);
    ~MainWindow() override;

    SettingsStore &settings() { return m_settings; }
    ui::UserDialogs &dialogs() override { return m_dialogs; }
    QWidget *dialogParent() override { return this; }
    AppState &state() { return m_state; }
    DocumentSlots &docSlots() { return m_slots; }
    // The display preferences every document's views follow.
    views::ViewPreferences viewPreferences() const override;
    // The display preferences as held for the whole run; applying them stores what changed and brings every document
    // window in line with it.
    engine::Preferences preferences() const override;
    void applyPreferences(const engine::Preferences &chosen) override;
    const engine::NumberFormat &numberFormat() const override { return m_numberFormat; }

    FileCommands &files() { return *m_file; }
    EditCommands &editCommands() { return *m_edit; }
    ViewCommands &viewCommands() { return *m_view; }
    FormatCommands &formatCommands() { return *m_format; }
    ReportCommands &reportCommands() { return *m_reportCommands; }
    WindowCommands &windowCommands() { return *m_window; }
    HelpCommands &helpCommands() { return *m_help; }
    // Page setup, preview and printing of the active document.
    DocumentPrinting &printing() { return *m_printing; }
    // Null unless the program was started with --debug.
    DebugCommands *debugCommands() { return m_debug; }

    // The seams of the dialogs: File > New's wizard (none: the new document is accepted at once), how a modal
    // dialog is shown, and today's date for the wizard (none: the system's).
    void setWizardRunner(WizardRunner runner) { m_runWizard = std::move(runner); }
    void setDialogRunner(DialogRunner runner);
    void setClock(Clock clock) { m_clock = std::move(clock); }
    const Clock &clock() const override { return m_clock; }
    int runDialog(QDialog &dialog) override;
    QDate today() const override;
    WizardResult runWizard(engine::LoanDocument &loan, bool propertiesMode) override;

    // The active document window (gfrmActiveDocument) and its slot (gintActiveSlot); null and 0 without one.
    frmChild *activeDocument() const override { return m_active; }
    int activeSlot() const;
    QList<frmChild *> documents() const override;
    // The Loan Comparison window in front, if that is what the user is looking at; the document commands then have no
    // document to act on.
    LoanComparisonWindow *activeComparison() const override;
    QMdiArea *mdiArea() const override { return m_mdi; }

    // A message box titled with the program's settings name.
    ui::UserDialogs::Button message(const QString &text, int buttons = ui::UserDialogs::Ok,
                                    ui::UserDialogs::Icon icon = ui::UserDialogs::Icon::Information) override;

    // Puts a window in the area, to be deleted when closed.
    QMdiSubWindow *addSubWindow(QWidget *content, const QIcon &windowIcon) override;
    // Creates and shows a document window for a slot that GetFreeDocSlot gave.
    frmChild *createDocumentWindow(int slot, const QString &caption);
    frmChild *openDocumentWindow(const QString &caption) override;
    void setDocumentCaption(frmChild &window, const QString &caption) override;
    void activateDocument(frmChild &window) override;

    void NewDocument() override;
    void SetToolbar() override;

    // The progress bar: segments of 0..100 filled by computations in turn (see ProgressShown).
    void ShowProgressBar(bool show) override;
    void SetProgressBarUbound(int upper) override;
    void SetProgressBar(int done, int total) override;
    int progressValue() const;
    int progressUpperBound() const override { return m_progressHigh; }
    bool progressShown() const;

    QToolBar *toolBar() const { return m_toolBar; }
    QMenu *fileMenu() const { return m_fileMenu; }
    QMenu *contextMenu() const { return m_context; }

    // The first status panel: whether the current cell can be edited.
    void setCellStatus(const QString &text) override;
    QString cellStatus() const;
    // The second status panel: the page the print preview shows.
    void setPageStatus(const QString &text) override;
    QString pageStatus() const;
    // While the print preview is open the menus and the toolbar step aside, so that nothing is commanded past it.
    void setCommandsWithdrawn(bool withdrawn);

    // The active document's pop-up menu (shown at a null position: only built), and the view check marks.
    void showContextMenu(const QPoint &globalPosition);
    void CheckSelectedView();

    // Called by a document window that is closing for good.
    void documentClosed(frmChild &window, int windowState);

    // The menu under the right mouse button on the bars: the View menu's Toolbar and Status Bar, whose check marks
    // thus always say what is shown.
    QMenu *createPopupMenu() override;

    // A window inside became the active one; null when none is. The Scenario window brings its own menus and
    // leaves only New and Open on the toolbar.
    void subWindowActivated(QMdiSubWindow *window) override;
    bool scenarioActive() const override { return m_scenarioActive; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void loadPreferences();
    void restorePlacement();
    void savePlacement();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    // The main window's commands in the Scenario window's menus, and those menus enabled as the main window's are.
    scenario::SharedCommands scenarioCommands() const;
    void scenarioCreated(scenario::frmScenario *scenarioWindow);
    // The menu bar shows the main window's menus, or those of the Scenario window while it is active.
    void showMenus(const QList<QMenu *> &scenarioMenus);

    SettingsStore &m_settings;
    ui::UserDialogs &m_dialogs;
    AppState m_state;
    DocumentSlots m_slots;
    engine::NumberFormat m_numberFormat;
    DialogRunner m_runDialog;
    WizardRunner m_runWizard;
    Clock m_clock;
    bool m_loading = true;

    FileCommands *m_file = nullptr;
    EditCommands *m_edit = nullptr;
    ViewCommands *m_view = nullptr;
    FormatCommands *m_format = nullptr;
    ReportCommands *m_reportCommands = nullptr;
    WindowCommands *m_window = nullptr;
    HelpCommands *m_help = nullptr;
    DebugCommands *m_debug = nullptr;
    DocumentPrinting *m_printing = nullptr;
    bool m_toolBarWasShown = true;

    QMdiArea *m_mdi = nullptr;
    frmChild *m_active = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_context = nullptr;
    QList<QMenu *> m_menus;
    bool m_scenarioActive = false;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_cellPanel = nullptr;
    QLabel *m_pagePanel = nullptr;
    QLabel *m_datePanel = nullptr;
    QLabel *m_timePanel = nullptr;
    QProgressBar *m_progress = nullptr;
    std::optional<ui::BusyCursor> m_busy;
    int m_progressLow = 0;
    int m_progressHigh = 100;
    int m_progressRange = 100;
};

} // namespace app
