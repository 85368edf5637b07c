#pragma once

#include "AppState.h"
#include "DocumentSlots.h"
#include "UserDialogs.h"

#include "engine/NumberFormat.h"
#include "views/ScheduleView.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QProgressBar;
class QToolBar;

namespace app {

class FileCommands;
class ViewCommands;
class SettingsStore;
class frmChild;

// The frame: menus, toolbar, status and progress bars, and the document windows inside.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Runs the loan data wizard on a document window; false when the user cancelled it.
    using WizardRunner = std::function<bool(MainWindow &, frmChild &)>;

    MainWindow(SettingsStore &settings, UserDialogs &dialogs, bool debug, QWidget *parent = nullptr);
    ~MainWindow() override;

    SettingsStore &settings() { return m_settings; }
    UserDialogs &dialogs() { return m_dialogs; }
    AppState &state() { return m_state; }
    DocumentSlots &docSlots() { return m_slots; }
    FileCommands &files() { return *m_files; }
    ViewCommands &viewCommands() { return *m_views; }
    // The display preferences every document's views follow.
    views::ViewPreferences viewPreferences() const;
    const engine::NumberFormat &numberFormat() const { return m_format; }
    void setWizardRunner(WizardRunner runner) { m_runWizard = std::move(runner); }

    // The active document window (gfrmActiveDocument) and its slot (gintActiveSlot); null and 0 without one.
    frmChild *activeDocument() const { return m_active; }
    int activeSlot() const;
    QList<frmChild *> documents() const;
    QMdiArea *mdiArea() const { return m_mdi; }

    // A message box titled with the program's settings name.
    UserDialogs::Button message(const QString &text, int buttons = UserDialogs::Ok,
                                UserDialogs::Icon icon = UserDialogs::Icon::Information);

    // Creates and shows a document window for a slot that GetFreeDocSlot gave.
    frmChild *createDocumentWindow(int slot, const QString &caption);
    void setDocumentCaption(frmChild &window, const QString &caption);
    void activateDocument(frmChild &window);

    void NewDocument();
    void SetToolbar();

    // The progress bar: segments of 0..100 filled by computations in turn.
    void ShowProgressBar(bool show);
    void SetProgressBarUbound(int upper);
    void SetProgressBar(int done, int total);
    int progressValue() const;
    int progressUpperBound() const { return m_progressHigh; }
    bool progressShown() const;

    // Actions, for the commands and for tests.
    QAction *action(const QString &name) const;
    QToolBar *toolBar() const { return m_toolBar; }
    QMenu *fileMenu() const { return m_fileMenu; }

    // The first status panel: whether the current cell can be edited.
    void setCellStatus(const QString &text);
    QString cellStatus() const;

    // The active document's context menu, and the view check marks.
    void showContextMenu(const QPoint &globalPosition);
    void CheckSelectedView();

    // Called by a document window that is closing for good.
    void documentClosed(frmChild &window, int windowState);

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void loadPreferences();
    void restorePlacement();
    void savePlacement();
    void createActions(bool debug);
    void createMenus(bool debug);
    void createStatusBar();
    void tileEvenly(Qt::Orientation direction);
    void cascade();
    // How far each cascaded window lies from the one before, in pixels.
    int cascadeStep() const;
    void updateFileMenu();
    void updateWindowMenu();
    void subWindowActivated(QMdiSubWindow *window);
    void showHelpContents();
    void showAbout();
    QAction *addAction(const QString &name, const QString &text, void (MainWindow::*slot)());

    SettingsStore &m_settings;
    UserDialogs &m_dialogs;
    AppState m_state;
    DocumentSlots m_slots;
    engine::NumberFormat m_format;
    std::unique_ptr<FileCommands> m_files;
    ViewCommands *m_views = nullptr;
    WizardRunner m_runWizard;
    bool m_loading = true;

    QMdiArea *m_mdi = nullptr;
    frmChild *m_active = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_windowMenu = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_cellPanel = nullptr;
    QLabel *m_datePanel = nullptr;
    QLabel *m_timePanel = nullptr;
    QProgressBar *m_progress = nullptr;
    int m_progressLow = 0;
    int m_progressHigh = 100;
    int m_progressRange = 100;
};

} // namespace app
