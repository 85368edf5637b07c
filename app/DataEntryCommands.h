#pragma once

#include <QDate>
#include <QObject>

#include <functional>

class QAction;
class QDialog;

namespace app {

class MainWindow;
class frmChild;

// The commands that enter and examine a loan: the wizard behind File > New and File > Properties, and the
// Time Left to Amortize dialog of the View menu.
class DataEntryCommands : public QObject
{
    Q_OBJECT

public:
    // Shows a modal dialog and returns its result. exec() unless a test drives the dialog itself.
    using DialogRunner = std::function<int(QDialog &)>;
    using Clock = std::function<QDate()>;

    explicit DataEntryCommands(MainWindow &window);

    // Becomes the window's wizard runner and adds "Properties" to the File menu and "Time Left" to the View menu.
    void install();

    // The wizard on a new document; false when the user cancelled it.
    bool runWizard(frmChild &document);
    // File > Properties: the wizard on the active document, then a new schedule if the loan changed.
    void showProperties();
    // View > Time Left to Amortize, on the active document.
    void showTimeLeft();

    void setDialogRunner(DialogRunner runner);
    void setClock(Clock clock) { m_clock = std::move(clock); }

    QAction *propertiesAction() const { return m_properties; }
    QAction *timeLeftAction() const { return m_timeLeft; }

private:
    void updateActions();

    MainWindow &m_window;
    DialogRunner m_run;
    Clock m_clock;
    QAction *m_properties = nullptr;
    QAction *m_timeLeft = nullptr;
};

// Creates the window's data-entry commands (once) and installs them.
void installDataEntryCommands(MainWindow &window);
// The window's data-entry commands; null before installDataEntryCommands.
DataEntryCommands *dataEntryCommands(MainWindow &window);
// Time Left to Amortize on the active document, for the menus that offer it.
void showTimeLeft(MainWindow &window);

} // namespace app
