#include "FileCommands.h"

#include "AppState.h"
#include "Command.h"
#include "DialogHost.h"
#include "DocumentExport.h"
#include "DocumentPrinting.h"
#include "DocumentWindows.h"
#include "FileAccess.h"
#include "Icons.h"
#include "LoadOutcome.h"
#include "ProgressShown.h"
#include "SettingsKeys.h"
#include "SettingsStore.h"
#include "frmChild.h"
#include "wizard/frmWizard.h"

#include "ui/BusyCursor.h"
#include "views/ScheduleView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>

namespace app {

namespace {

const QString kFilter = QStringLiteral("Pellandra Files (*.plr)");

QString recentKey(int n)
{
    return QStringLiteral("RecentFile%1").arg(n);
}

} // namespace

QString fileTitle(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString recentFileCaption(int number, const QString &path, const QFontMetrics &metrics, int maxWidth)
{
    // The start says where the file is and the end which file it is: what goes is the middle.
    const QString shown = metrics.elidedText(path, Qt::ElideMiddle, maxWidth);
    return QStringLiteral("&%1 %2").arg(number).arg(QString(shown).replace(QLatin1Char('&'), QLatin1String("&&")));
}

FileCommands::FileCommands(QWidget &frame, DocumentWindows &windows, DialogHost &host, StatusReporter &status,
                           AppState &state, SettingsStore &settings, DocumentPrinting &printing)
    : QObject(&frame)
    , m_frame(frame)
    , m_windows(windows)
    , m_host(host)
    , m_status(status)
    , m_state(state)
    , m_settings(settings)
    , m_printing(printing)
{
    newDocument = command(this, QStringLiteral("&New"), icon(IconKind::New), QStringLiteral("New"),
                          [this] { m_windows.NewDocument(); });
    newDocument->setShortcut(QKeySequence::New);
    open = command(this, QStringLiteral("&Open"), icon(IconKind::Open), QStringLiteral("Open"),
                   [this] { OpenWithDialog(); });
    open->setShortcut(QKeySequence::Open);
    close = command(this, QStringLiteral("&Close"), [this] {
        if (QMdiSubWindow *window = m_windows.mdiArea()->currentSubWindow())
            window->close();
    });
    close->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)});
    save = command(this, QStringLiteral("&Save"), icon(IconKind::Save), QStringLiteral("Save"),
                   [this] { SaveDocument(); });
    save->setShortcut(QKeySequence::Save);
    saveAs = command(this, QStringLiteral("Save &As..."), [this] { SaveDocumentAs(); });
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    properties = command(this, QStringLiteral("Propert&ies"), [this] { showProperties(); });
    pageSetup = command(this, QStringLiteral("Page Set&up"), [this] { m_printing.pageSetup(); });
    printPreview = command(this, QStringLiteral("Print Pre&view"), icon(IconKind::PrintPreview),
                           QStringLiteral("Print Preview"), [this] { m_printing.openPreview(); });
    print = command(this, QStringLiteral("&Print..."), icon(IconKind::Print), QStringLiteral("Print"),
                    [this] { m_printing.printDirectly(); });
    print->setShortcut(QKeySequence::Print);
    m_export = new DocumentExport(
        windows, host, status, printing, [this] { return initialDirectory(); }, this);
    exportPdf = command(this, tr("&Export as PDF..."), icon(IconKind::ExportPdf), tr("Export as PDF"),
                        [this] { m_export->exportPdf(); });
    exportCsv = command(this, tr("Expor&t as CSV..."), icon(IconKind::ExportCsv), tr("Export as CSV"),
                        [this] { m_export->exportCsv(); });
    // Without a printer, Print offers the PDF file instead.
    m_printing.setPdfExport([this] { m_export->exportPdf(); });
    exit = command(this, QStringLiteral("E&xit"), [this] { m_frame.close(); });
    exit->setMenuRole(QAction::QuitRole);
}

void FileCommands::update()
{
    // The Scenario window is no document, but Close closes it all the same; behind a comparison there is no one
    // document to save or edit, and the comparison prints itself.
    const bool documents = !m_windows.documents().isEmpty() && !m_windows.scenarioActive();
    for (QAction *item : {save, saveAs, properties, pageSetup})
        item->setEnabled(documents && m_windows.activeDocument());
    for (QAction *item : {printPreview, print, exportPdf, exportCsv})
        item->setEnabled(documents && (m_windows.activeDocument() || m_windows.activeComparison()));
    close->setEnabled(m_windows.mdiArea()->currentSubWindow() != nullptr);
}

void FileCommands::showProperties()
{
    frmChild *document = m_windows.activeDocument();
    if (!document)
        return;
    document->CloseYearEndReport();
    engine::LoanDocument edited = document->loan();
    const frmWizard::Result result = m_host.runWizard(edited, true);
    if (!result.documentChanged)
        return;
    const QString what = QStringLiteral("Properties");
    auto change = [&](document::DocumentData &data) { data.loan = std::move(edited); };
    // Lump sums dropped on closing change the schedule too, even when the loan data did not change.
    if (result.scheduleChanged)
        document->changeAndRecalculate(what, change);
    else
        document->changeKeepingSchedule(what, change);
    document->markModified();
}

void FileCommands::createRecentFilesMenu(QMenu *fileMenu)
{
    m_fileMenu = fileMenu;
    m_recentSeparator = fileMenu->addSeparator();
    m_recentSeparator->setVisible(false);
    for (int k = 1; k <= kMaxRecentFiles; ++k) {
        auto *entry = new QAction(fileMenu);
        entry->setObjectName(QStringLiteral("mnuRecentFile%1").arg(k));
        entry->setVisible(false);
        connect(entry, &QAction::triggered, this, [this, entry] { OpenPath(entry->data().toString()); });
        fileMenu->addAction(entry);
        m_recent << entry;
    }
}

QString FileCommands::initialDirectory() const
{
    const QString stored = m_settings.value(kSettingsSection, kInitialDirectory, kDefaultInitialDirectory);
    // The classic default names a drive this platform does not have: the user's home folder stands for it.
    if (stored.compare(kDefaultInitialDirectory, Qt::CaseInsensitive) == 0 || stored.isEmpty())
        return QDir::homePath();
    const QString folder = pathFromSettings(stored);
    return QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void FileCommands::rememberDirectory(const QString &folder)
{
    m_settings.setValue(kSettingsSection, kInitialDirectory, folder);
}

void FileCommands::OpenWithDialog()
{
    const QString chosen =
        m_host.dialogs().openFile(m_host.dialogParent(), QStringLiteral("Open"), initialDirectory(), kFilter);
    if (!chosen.isEmpty())
        OpenPath(absolutePath(chosen));
}

void FileCommands::OpenPath(const QString &path)
{
    // Stored in full, so that the recent entry and the folder mean the same from any current folder.
    const QString full = absolutePath(path);
    const QFileInfo info(full);
    m_state.gstrLastDirectory = info.path();
    m_state.gstrFileTitle = info.fileName();
    rememberDirectory(m_state.gstrLastDirectory);
    OpenDocument(path);
    m_windows.SetToolbar();
    AddRecentFile(full);
}

void FileCommands::OpenDocument(const QString &path)
{
    m_state.gblnOpenFailed = false;
    document::DocumentData data;
    data.loan.gstrFileName = absolutePath(path).toStdString();
    LoadOutcome outcome;
    {
        const ui::BusyCursor busy;
        outcome = loadDocumentFile(path, data, m_windows.numberFormat());
    }
    // The messages name the path as the user gave it.
    if (!outcome.ok()) {
        m_host.message(outcome.error);
        m_state.gblnOpenFailed = true;
        return;
    }

    frmChild *window = m_windows.openDocumentWindow(m_state.gstrFileTitle);
    window->data() = std::move(data);
    window->setUntitled(false);
    window->setModified(false);
    if (!outcome.warning.isEmpty())
        m_host.message(outcome.warning);
    window->data().columns.init(false);
    const ProgressShown progress(m_status, 100);
    window->Calculate();
    // Widths stored under a shorter date format would show the dates as "###".
    window->view()->gridMain1()->fitDateColumn(true);
}

void FileCommands::SaveDocument()
{
    if (frmChild *window = m_windows.activeDocument())
        saveDocument(*window);
}

void FileCommands::SaveDocumentAs()
{
    if (frmChild *window = m_windows.activeDocument())
        saveDocumentAs(*window);
}

bool FileCommands::saveDocument(frmChild &window)
{
    if (window.isUntitled())
        return saveDocumentAs(window);
    if (!writeDocument(window, QString::fromStdString(window.loan().gstrFileName)))
        return false;
    window.setModified(false);
    return true;
}

bool FileCommands::saveDocumentAs(frmChild &window)
{
    QString proposed = QString::fromStdString(window.loan().gstrFileName);
    if (window.isUntitled())
        proposed += QStringLiteral(".plr");
    const QString chosen = SaveAsDialog(proposed);
    if (chosen.isEmpty())
        return false;
    {
        const ui::BusyCursor busy;
        // A failed save keeps the window under its old name, with nothing listed for a file not written.
        if (!writeDocument(window, chosen))
            return false;
        window.loan().gstrFileName = chosen.toStdString();
        m_windows.setDocumentCaption(window, fileTitle(chosen));
        m_windows.activateDocument(window);
        window.setUntitled(false);
        window.setModified(false);
    }
    m_state.gstrLastDirectory = QFileInfo(chosen).absolutePath();
    m_state.gstrFileTitle = fileTitle(chosen);
    AddRecentFile(chosen, false);
    return true;
}

void FileCommands::guardClosing(frmChild &window)
{
    window.installEventFilter(this);
}

bool FileCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close) {
        if (auto *window = qobject_cast<frmChild *>(watched); window && !mayClose(*window)) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool FileCommands::mayClose(frmChild &window)
{
    window.CloseYearEndReport();
    if (!window.isWindowModified())
        return true;
    // A question, titled with the main window's caption; the name stays whole on its line.
    const auto answer = m_host.dialogs().message(m_host.dialogParent(), kMainCaption,
                                                 QStringLiteral("Do you want to save the changes you made to '%1'?")
                                                     .arg(ui::keptOnOneLine(quotedForMessage(window.windowTitle()))),
                                                 ui::UserDialogs::Yes | ui::UserDialogs::No | ui::UserDialogs::Cancel,
                                                 ui::UserDialogs::Icon::Question);
    if (answer == ui::UserDialogs::No)
        return true;
    return answer == ui::UserDialogs::Yes && saveDocument(window);
}

QString FileCommands::SaveAsDialog(const QString &proposed)
{
    QString start = QFileInfo(proposed).isAbsolute() ? proposed : QDir(initialDirectory()).filePath(proposed);
    for (;;) {
        QString name = m_host.dialogs().saveFile(m_host.dialogParent(), QStringLiteral("Save As"), start, kFilter);
        if (name.isEmpty())
            return {};
        name = absolutePath(name);
        // Only the file's own name says whether it has an extension: many folders here have a dot in theirs.
        if (!QFileInfo(name).fileName().contains(QLatin1Char('.'))) {
            name += QStringLiteral(".plr");
            // The dialog asked before replacing the name as typed, not the one the extension makes.
            if (QFileInfo::exists(name)
                && m_host.message(QStringLiteral("'%1' already exists.\nDo you want to replace it?")
                                      .arg(quotedForMessage(fileTitle(name))),
                                  ui::UserDialogs::Yes | ui::UserDialogs::No, ui::UserDialogs::Icon::Warning)
                    != ui::UserDialogs::Yes) {
                start = name;
                continue;
            }
        }
        // The old file is replaced only once the new one is complete (see writeDocument), so nothing is deleted here.
        rememberDirectory(QFileInfo(name).path());
        return name;
    }
}

bool FileCommands::writeDocument(frmChild &window, const QString &path)
{
    QString error;
    if (window.SaveToFile(path, &error))
        return true;
    m_host.message(error, ui::UserDialogs::Ok, ui::UserDialogs::Icon::Critical);
    return false;
}

void FileCommands::AddRecentFile(const QString &path)
{
    AddRecentFile(path, m_state.gblnOpenFailed);
}

void FileCommands::closeRecentFileGaps()
{
    SettingsStore &settings = m_settings;
    QStringList stored;
    QStringList entries;
    for (int n = 1; n <= kMaxRecentFiles; ++n) {
        stored << settings.value(kRecentFilesSection, recentKey(n));
        if (!stored.last().isEmpty())
            entries << stored.last();
    }
    if (stored.mid(0, entries.size()) == entries)
        return;
    for (int n = 1; n <= kMaxRecentFiles; ++n) {
        if (n <= entries.size())
            settings.setValue(kRecentFilesSection, recentKey(n), entries[n - 1]);
        else
            settings.remove(kRecentFilesSection, recentKey(n));
    }
}

void FileCommands::AddRecentFile(const QString &path, bool openFailed)
{
    closeRecentFileGaps();
    SettingsStore &settings = m_settings;
    auto stored = [&](int n) { return settings.value(kRecentFilesSection, recentKey(n)); };
    auto store = [&](int n, const QString &value) { settings.setValue(kRecentFilesSection, recentKey(n), value); };
    // Entries are compared in full, so that one written in an older form (relative, or by the Windows versions)
    // still counts as the file it names.
    const QString full = absolutePath(path);
    auto sameFile = [&](const QString &a) {
        return !a.isEmpty() && absolutePath(pathFromSettings(a)).compare(full, Qt::CaseInsensitive) == 0;
    };
    auto storedAt = [&](int count) {
        for (int n = 1; n <= count; ++n) {
            if (sameFile(stored(n)))
                return n;
        }
        return 0;
    };
    auto addAtTop = [&] {
        for (int n = kMaxRecentFiles - 1; n >= 1; --n) {
            const QString value = stored(n);
            if (!value.isEmpty())
                store(n + 1, value);
        }
        store(1, path);
    };

    const bool listed =
        std::any_of(m_recent.begin(), m_recent.end(), [&](QAction *a) { return sameFile(a->data().toString()); });
    if (!listed) {
        addAtTop();
    } else if (!openFailed) {
        const int found = storedAt(kMaxRecentFiles);
        // Only the hidden item of an entry taken off before still names it: it comes back as a new entry, rather than
        // over the most recent one.
        if (found == 0) {
            addAtTop();
        } else if (found != 1) {
            for (int n = found - 1; n >= 1; --n)
                store(n + 1, stored(n));
            store(1, path);
        }
    } else {
        int count = 0;
        while (count < kMaxRecentFiles && !stored(count + 1).isEmpty())
            ++count;
        if (const int found = storedAt(count); found > 0) {
            for (int n = found; n < count; ++n)
                store(n, stored(n + 1));
            settings.remove(kRecentFilesSection, recentKey(count));
            m_recent[count - 1]->setVisible(false);
        }
    }
    LoadRecentFilesMenu();
}

void FileCommands::LoadRecentFilesMenu()
{
    closeRecentFileGaps();
    SettingsStore &settings = m_settings;
    if (settings.value(kRecentFilesSection, recentKey(1)).isEmpty())
        return;
    // Long paths would widen the File menu past the screen.
    const QFontMetrics metrics(m_fileMenu->font());
    const int maxWidth = m_frame.screen()->availableGeometry().width() / 2;
    for (int k = 1; k <= kMaxRecentFiles; ++k) {
        const QString path = pathFromSettings(settings.value(kRecentFilesSection, recentKey(k)));
        if (path.isEmpty())
            break;
        m_recentSeparator->setVisible(true);
        m_recent[k - 1]->setData(path);
        m_recent[k - 1]->setText(recentFileCaption(k, path, metrics, maxWidth));
        m_recent[k - 1]->setStatusTip(path);
        m_recent[k - 1]->setVisible(true);
    }
}

} // namespace app
