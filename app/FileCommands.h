#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QFontMetrics;
class QMenu;
class QWidget;

namespace app {

class DialogHost;
class DocumentExport;
class DocumentPrinting;
class DocumentWindows;
class SettingsStore;
class StatusReporter;
class frmChild;
struct AppState;

// The File menu: New, Open, Close, Save, Save As, Properties (the wizard on the active document), Page Setup, Print
// Preview, Print..., Export as PDF... and Export as CSV..., the recent-files list and Exit. Every save goes through
// saveDocument(), the one a closing document window offers included (see guardClosing).
class FileCommands : public QObject
{
    Q_OBJECT

public:
    // `frame`: the main window, which Exit closes.
    FileCommands(QWidget &frame, DocumentWindows &windows, DialogHost &host, StatusReporter &status, AppState &state,
                 SettingsStore &settings, DocumentPrinting &printing);

    // Adds the recent-files part (a separator and eight hidden entries) to the File menu.
    void createRecentFilesMenu(QMenu *fileMenu);
    // Enables the items that need a document.
    void update();

    // File > Open: the file the user chooses, opened as OpenPath does.
    void OpenWithDialog();
    // Opens the document at `path`, remembers its folder and lists it among the recent files.
    void OpenPath(const QString &path);
    // Checks the file, opens a window for it, reads it and computes its schedule.
    void OpenDocument(const QString &path);
    // File > Save and Save As on the active document.
    void SaveDocument();
    void SaveDocumentAs();
    // Saves `window` under its name, or under one the user chooses when it has none yet; false when nothing was saved.
    bool saveDocument(frmChild &window);
    // Saves `window` under a name the user chooses; false when cancelled or not written.
    bool saveDocumentAs(frmChild &window);
    // From now on closing `window` first asks whether to save its changes; a Cancel, or a save that fails, keeps it
    // open.
    void guardClosing(frmChild &window);
    // The name to save under, or an empty text when the user cancelled.
    QString SaveAsDialog(const QString &proposed);
    // After an open (a refused one takes a listed entry off, see gblnOpenFailed) or a save.
    void AddRecentFile(const QString &path);
    // `openFailed`: the file was just refused. A file just written is never refused, whatever an earlier open did.
    void AddRecentFile(const QString &path, bool openFailed);
    void LoadRecentFilesMenu();

    // Writes a document window's document; a failure is shown with the system's reason.
    bool writeDocument(frmChild &window, const QString &path);
    // File > Properties: the wizard on the active document, then a new schedule if the loan changed.
    void showProperties();

    QAction *newDocument = nullptr;
    QAction *open = nullptr;
    QAction *close = nullptr;
    QAction *save = nullptr;
    QAction *saveAs = nullptr;
    QAction *properties = nullptr;
    QAction *pageSetup = nullptr;
    QAction *printPreview = nullptr;
    QAction *print = nullptr;
    QAction *exportPdf = nullptr;
    QAction *exportCsv = nullptr;
    QAction *exit = nullptr;

    QList<QAction *> recentActions() const { return m_recent; }
    QString initialDirectory() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether `window` may close: nothing to save, the user chose not to, or it was saved.
    bool mayClose(frmChild &window);
    void rememberDirectory(const QString &folder);
    // Closes up the stored list where an entry is missing (settings edited by hand), so that every entry after the
    // gap keeps one place.
    void closeRecentFileGaps();

    QWidget &m_frame;
    DocumentWindows &m_windows;
    DialogHost &m_host;
    StatusReporter &m_status;
    AppState &m_state;
    SettingsStore &m_settings;
    DocumentPrinting &m_printing;
    DocumentExport *m_export = nullptr;
    QMenu *m_fileMenu = nullptr;
    QAction *m_recentSeparator = nullptr;
    QList<QAction *> m_recent;
};

// "name" without its folder.
QString fileTitle(const QString &path);
// The menu caption of recent file `number` (1 the most recent): the number as its access key, then the path
// shortened in the middle to `maxWidth` pixels, an "&" in it kept from being an access key.
QString recentFileCaption(int number, const QString &path, const QFontMetrics &metrics, int maxWidth);

} // namespace app
