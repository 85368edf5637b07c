#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QFontMetrics;
class QMenu;

namespace app {

class MainWindow;
class frmChild;

// The File menu: New, Open, Close, Save, Save As, Properties (the wizard on the active document), Page Setup, Print
// Preview and Print..., the recent-files list and Exit.
class FileCommands : public QObject
{
    Q_OBJECT

public:
    explicit FileCommands(MainWindow &shell);

    // Adds the recent-files part (a separator and eight hidden entries) to the File menu.
    void createRecentFilesMenu(QMenu *fileMenu);
    // Enables the items that need a document.
    void update();

    void OpenWithDialog();
    void OpenPath(const QString &path);
    // Checks the file, opens a window for it, reads it and computes its schedule.
    void OpenDocument(const QString &path);
    void SaveDocument();
    void SaveDocumentAs();
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
    QAction *exit = nullptr;

    QList<QAction *> recentActions() const { return m_recent; }
    QString initialDirectory() const;

private:
    void rememberDirectory(const QString &folder);
    // Closes up the stored list where an entry is missing (settings edited by hand), so that every entry after the
    // gap keeps one place.
    void closeRecentFileGaps();

    MainWindow &m_shell;
    QAction *m_recentSeparator = nullptr;
    QList<QAction *> m_recent;
};

// "name" without its folder.
QString fileTitle(const QString &path);
// The menu caption of recent file `number` (1 the most recent): the number as its access key, then the path
// shortened in the middle to `maxWidth` pixels, an "&" in it kept from being an access key.
QString recentFileCaption(int number, const QString &path, const QFontMetrics &metrics, int maxWidth);

} // namespace app
