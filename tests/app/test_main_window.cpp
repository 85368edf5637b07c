#include "MainWindowFixture.h"
#include "support/QtPrinters.h"

#include "app/FileCommands.h"
#include "app/MainWindow.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/frmChild.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace app;

TEST_F(MainWindowTest, FirstStartWithEmptySettings)
{
    MainWindow &window = start();
    EXPECT_EQ(window.size(), QGuiApplication::primaryScreen()->availableGeometry().size() * 3 / 4);
    EXPECT_FALSE(window.isMaximized());
    // No title of its own: the desktop shows the program's name, "Pellandra", in its place.
    EXPECT_EQ(window.windowTitle(), QString());
    EXPECT_EQ(kMainCaption, QStringLiteral("Pellandra"));
    EXPECT_EQ(window.state().gstrDateFormat, QStringLiteral("M/d/yyyy"));
    EXPECT_EQ(window.state().gintRowInterval, 4);
    EXPECT_EQ(window.state().glngRowIntervalColor, 0xEFEFEF);
    EXPECT_EQ(window.state().gintScrollTrack, 1);
    // Unreadable values fall back to the defaults; keys are found whatever their letter case.
    m_settings->setValue(kSettingsSection, QStringLiteral("rowinterval"), QStringLiteral("lots"));
    m_settings->setValue(kSettingsSection, QStringLiteral("DATEFORMATSTRING"), QStringLiteral("yyyy-MM-dd"));
    restart();
    EXPECT_EQ(m_window->state().gintRowInterval, 4);
    EXPECT_EQ(m_window->state().gstrDateFormat, QStringLiteral("yyyy-MM-dd"));
}

TEST_F(MainWindowTest, MaximisedRestartKeepsTheLastNormalPlacement)
{
    MainWindow &window = start();
    window.move(100, 120);
    window.resize(500, 400);
    window.showMaximized();
    restart();
    EXPECT_TRUE(m_window->isMaximized());
    EXPECT_EQ(m_settings->intValue(kSettingsSection, kMainLeft, 0), 1500);
    EXPECT_EQ(m_settings->intValue(kSettingsSection, kMainTop, 0), 1800);
    EXPECT_EQ(m_settings->intValue(kSettingsSection, kMainWidth, 0), 7500);
    EXPECT_EQ(m_settings->intValue(kSettingsSection, kMainHeight, 0), 6000);
    EXPECT_EQ(m_settings->intValue(kSettingsSection, kMainWinState, 0), kStateMaximized);
}

TEST_F(MainWindowTest, UntitledDocumentsReuseFreeNumbers)
{
    MainWindow &window = start();
    window.NewDocument();
    window.NewDocument();
    EXPECT_EQ(captions(), (QStringList {QStringLiteral("Untitled1"), QStringLiteral("Untitled2")}));
    EXPECT_EQ(window.activeDocument()->windowTitle(), QStringLiteral("Untitled2"));
    EXPECT_EQ(window.activeSlot(), 2);

    window.activateDocument(*window.documents().first());
    m_dialogs.answers = {ui::UserDialogs::No};
    closeActive();
    EXPECT_EQ(captions(), QStringList {QStringLiteral("Untitled2")});
    window.NewDocument();
    EXPECT_EQ(captions(), (QStringList {QStringLiteral("Untitled2"), QStringLiteral("Untitled1")}));
}

TEST_F(MainWindowTest, CancelledWizardLeavesNoWindow)
{
    MainWindow &window = start();
    window.setWizardRunner([](MainWindow &, frmChild &) { return false; });
    window.NewDocument();
    EXPECT_TRUE(window.documents().isEmpty());
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
    EXPECT_TRUE(window.docSlots().state(1).blnFree);
}

TEST_F(MainWindowTest, SavePromptAnswers)
{
    MainWindow &window = start();
    window.NewDocument();
    const QString prompt = QStringLiteral("Do you want to save the changes you made to 'Untitled1'?");

    // Cancel keeps the window.
    m_dialogs.answers = {ui::UserDialogs::Cancel};
    closeActive();
    EXPECT_EQ(captions().size(), 1);
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_EQ(m_dialogs.messages[0].text, prompt);
    EXPECT_EQ(m_dialogs.messages[0].buttons, ui::UserDialogs::Yes | ui::UserDialogs::No | ui::UserDialogs::Cancel);

    // Yes offers Save As with the caption and ".plr"; cancelling that keeps the window too.
    m_dialogs.answers = {ui::UserDialogs::Yes};
    closeActive();
    EXPECT_EQ(captions().size(), 1);
    ASSERT_EQ(m_dialogs.saveProposals.size(), 1);
    EXPECT_TRUE(m_dialogs.saveProposals[0].endsWith(QLatin1String("/Untitled1.plr")));

    // Yes with a name saves there and closes.
    const QString path = m_dir.filePath(QStringLiteral("first loan"));
    m_dialogs.answers = {ui::UserDialogs::Yes};
    m_dialogs.saveAnswers = {path};
    closeActive();
    EXPECT_TRUE(captions().isEmpty());
    EXPECT_TRUE(QFile::exists(path + QStringLiteral(".plr")));
    EXPECT_EQ(recentEntries(), QStringList {path + QStringLiteral(".plr")});

    // No closes without saving.
    window.NewDocument();
    m_dialogs.answers = {ui::UserDialogs::No};
    closeActive();
    EXPECT_TRUE(captions().isEmpty());
}

TEST_F(MainWindowTest, OpenedDocumentClosesWithoutPromptUntilChanged)
{
    MainWindow &window = start();
    const QString path = copyExample("car-loan.plr", QStringLiteral("car.plr"));
    window.files().OpenPath(path);
    ASSERT_EQ(captions(), QStringList {QStringLiteral("car.plr")});
    frmChild *child = window.activeDocument();
    EXPECT_EQ(child->gridMain1()->model()->rowCount(), 61); // the start row and sixty payments
    EXPECT_FALSE(window.docSlots().window(child->slot())->isWindowModified());
    EXPECT_FALSE(window.docSlots().window(child->slot())->isUntitled());
    closeActive();
    EXPECT_TRUE(captions().isEmpty());
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
}

TEST_F(MainWindowTest, EnablingWithoutDocuments)
{
    MainWindow &window = start(true);
    auto enabledButtons = [&] {
        QStringList names;
        for (QAction *action : window.toolBar()->actions()) {
            if (action->isEnabled())
                names << action->objectName();
        }
        return names;
    };
    EXPECT_EQ(enabledButtons(), (QStringList {QStringLiteral("New"), QStringLiteral("Open")}));
    emit window.fileMenu()->aboutToShow();
    const FileCommands &file = window.files();
    for (QAction *item :
         {file.close, file.save, file.saveAs, file.properties, file.pageSetup, file.printPreview, file.print})
        EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
    for (QAction *item : {file.newDocument, file.open, file.exit})
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();

    // Paste (and its Ctrl+V) follows the documents and the clipboard without the menu being opened.
    QMenu *edit = window.findChild<QMenu *>(QStringLiteral("mnuEdit"));
    QGuiApplication::clipboard()->setText(QStringLiteral("12.5"));
    emit edit->aboutToShow();
    EXPECT_FALSE(window.editCommands().pasteAction->isEnabled());
    window.NewDocument();
    EXPECT_TRUE(window.editCommands().pasteAction->isEnabled());
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(window.editCommands().pasteAction->isEnabled());
    QGuiApplication::clipboard()->setText(QStringLiteral("250"));
    EXPECT_TRUE(window.editCommands().pasteAction->isEnabled());
    EXPECT_EQ(
        enabledButtons(),
        (QStringList {QStringLiteral("New"), QStringLiteral("Open"), QStringLiteral("Save"), QStringLiteral("Print"),
                      QStringLiteral("PrintPreview"), QStringLiteral("ExportPdf"), QStringLiteral("ExportCsv"),
                      QStringLiteral("Copy"), QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right"),
                      QStringLiteral("DetailedView"), QStringLiteral("SummaryView"), QStringLiteral("DebugGrid")}));
    emit window.fileMenu()->aboutToShow();
    for (QAction *item : {file.save, file.pageSetup, file.printPreview, file.print})
        EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();

    // Paste only while the clipboard holds text.
    QGuiApplication::clipboard()->clear();
    emit edit->aboutToShow();
    EXPECT_FALSE(window.editCommands().pasteAction->isEnabled());
    EXPECT_TRUE(window.editCommands().copyAction->isEnabled());
    EXPECT_FALSE(window.editCommands().undo->isEnabled());
    QGuiApplication::clipboard()->setText(QStringLiteral("12.5"));
    emit edit->aboutToShow();
    EXPECT_TRUE(window.editCommands().pasteAction->isEnabled());
}

TEST_F(MainWindowTest, MenusInOrder)
{
    MainWindow &window = start();
    QStringList titles;
    for (QAction *menu : window.menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles,
              (QStringList {QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&View"),
                            QStringLiteral("F&ormat"), QStringLiteral("&Report"), QStringLiteral("&Window"),
                            QStringLiteral("&Help")}));
    // Every menu's items in order, "-" for a separator; the recent files are hidden while there are none.
    auto items = [](const QMenu *menu) {
        QStringList list;
        for (const QAction *item : menu->actions()) {
            if (item->isVisible())
                list << (item->isSeparator() ? QStringLiteral("-") : item->text());
        }
        return list.join(QLatin1Char('|'));
    };
    struct Case
    {
        const char *menu;
        const char *items;
    };
    for (const Case &c :
         {Case {"mnuFile",
                "&New|&Open|&Close|-|&Save|Save &As...|-|Propert&ies|-|Page Set&up|Print Pre&view|&Print...|-|"
                "&Export as PDF...|Expor&t as CSV...|-|E&xit"},
          Case {"mnuEdit", "&Undo|&Redo|-|Cu&t|&Copy|&Paste|-|&Lump Sums...|Pr&epayment Terms...|Match &Statement..."},
          Case {"mnuView",
                "&Details|&Summary|-|&Toolbar|Status &Bar|-|T&ime Left to Amortize...|S&cenario|-|&Options..."},
          Case {"mnuFormat", "Align &Left|&Center|Align &Right|-|&AutoFit Columns"},
          Case {"mnuReport",
                "&Year End Report|Year End &Month|-|&Close Year End Report|-|Compare &Loans...|-|"
                "&Break Penalty...|Prepayment &Privileges|&Renewal..."},
          Case {"mnuReportYearEndMonths",
                "&January|&February|&March|&April|Ma&y|J&une|Ju&ly|Au&gust|"
                "&September|&October|&November|&December"},
          Case {"mnuWindow", "&Cascade|Tile &Horizontal|Tile &Vertical|&Arrange Icons"},
          Case {"mnuHelp", "&Contents|-|&About Pellandra..."}}) {
        SCOPED_TRACE(c.menu);
        const auto *menu = window.findChild<QMenu *>(QLatin1String(c.menu));
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(items(menu), QLatin1String(c.items));
    }
    // The document's pop-up menu repeats items of the menus, each running its command.
    window.showContextMenu(QPoint());
    EXPECT_EQ(items(window.contextMenu()),
              QStringLiteral("&Undo|&Redo|-|Cu&t|&Copy|&Paste|-|&Lump Sum|-|&AutoFit Columns|-|&Time "
                             "Left to Amortize|Sce&nario|-|&Detailed View|&Summary View|-|Propert&ies"));
    EXPECT_EQ(window.findChild<QMenu *>(QStringLiteral("mnuDebug")), nullptr);

    // Help: no help file yet, and the about box.
    window.helpCommands().contents->trigger();
    EXPECT_EQ(m_dialogs.texts(),
              QStringList {
                  QStringLiteral("Unable to display Help Contents. There is no Help associated with this project.")});
    EXPECT_EQ(m_dialogs.messages[0].title, QStringLiteral("Pellandra 3.0"));
    window.helpCommands().about->trigger();
    EXPECT_EQ(m_dialogs.aboutShown, 1);
}

// Alt and a letter reach one item of a menu, never two: each menu's access keys differ (the recent files have
// their numbers).
TEST_F(MainWindowTest, AccessKeysDifferWithinEachMenu)
{
    MainWindow &window = start();
    for (int i = 1; i <= 3; ++i) {
        window.files().OpenPath(copyExample("car-loan.plr", QStringLiteral("loan%1.plr").arg(i)));
        m_dialogs.answers = {ui::UserDialogs::No};
        closeActive();
    }
    QList<QMenu *> menus = window.menuBar()->findChildren<QMenu *>();
    menus << window.findChild<QMenu *>(QStringLiteral("mnuReportYearEndMonths"));
    int checked = 0;
    for (const QMenu *menu : menus) {
        if (!menu)
            continue;
        SCOPED_TRACE(menu->objectName().toStdString());
        QMap<QChar, QString> keys;
        for (const QAction *item : menu->actions()) {
            const QString text = item->text();
            const qsizetype at =
                QString(text).replace(QLatin1String("&&"), QLatin1String("__")).indexOf(QLatin1Char('&'));
            if (item->isSeparator() || !item->isVisible() || at < 0 || at + 1 >= text.size())
                continue;
            const QChar key = text[at + 1].toLower();
            EXPECT_FALSE(keys.contains(key)) << text.toStdString() << " and " << keys.value(key).toStdString();
            keys.insert(key, text);
        }
        ++checked;
    }
    EXPECT_GE(checked, 8);
    // The recent files by number, the most recent first.
    const QList<QAction *> recent = window.files().recentActions();
    EXPECT_TRUE(recent[0]->text().startsWith(QLatin1String("&1 "))) << recent[0]->text().toStdString();
    EXPECT_TRUE(recent[0]->text().endsWith(QLatin1String("loan3.plr")));
    EXPECT_TRUE(recent[2]->text().startsWith(QLatin1String("&3 ")));
}

TEST_F(MainWindowTest, RecentFilesKeepEightAndMoveReopenedToTheTop)
{
    MainWindow &window = start();
    QStringList paths;
    for (int i = 1; i <= 9; ++i) {
        paths << copyExample("car-loan.plr", QStringLiteral("loan%1.plr").arg(i));
        window.files().OpenPath(paths.last());
        m_dialogs.answers = {ui::UserDialogs::No};
        closeActive();
    }
    QStringList expected;
    for (int i = 9; i >= 2; --i)
        expected << paths[i - 1];
    EXPECT_EQ(recentEntries(), expected);
    EXPECT_EQ(visibleRecentMenu(), expected);

    // Listed again in another letter case: moved to the top, stored as written this time.
    const QString shouted = paths[4].toUpper();
    window.state().gblnOpenFailed = false;
    window.files().AddRecentFile(shouted);
    EXPECT_EQ(recentEntries().first(), shouted);
    EXPECT_EQ(recentEntries().size(), 8);
    EXPECT_FALSE(recentEntries().contains(paths[4]));
    // The top entry again: nothing changes.
    const QStringList before = recentEntries();
    window.files().AddRecentFile(shouted);
    EXPECT_EQ(recentEntries(), before);

    // A listed file that has gone: the missing-file message, and the entry leaves the list.
    QFile::remove(paths[6]);
    const QStringList listed = recentEntries();
    window.files().recentActions()[listed.indexOf(paths[6])]->trigger();
    EXPECT_EQ(m_dialogs.texts().last(), QStringLiteral("File '%1' does not exist.").arg(paths[6]));
    QStringList pruned = listed;
    pruned.removeAll(paths[6]);
    EXPECT_EQ(recentEntries(), pruned);
    EXPECT_EQ(visibleRecentMenu(), pruned);
}

TEST_F(MainWindowTest, SaveAsNaming)
{
    MainWindow &window = start();
    struct Case
    {
        QString typed;
        QString saved;
    };
    const QList<Case> cases = {
        {m_dir.filePath(QStringLiteral("loan")), m_dir.filePath(QStringLiteral("loan.plr"))},
        {m_dir.filePath(QStringLiteral("loan.v2")), m_dir.filePath(QStringLiteral("loan.v2"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        window.NewDocument();
        m_dialogs.saveAnswers = {c.typed};
        window.files().SaveDocument(); // untitled: goes to Save As
        EXPECT_TRUE(QFile::exists(c.saved));
        frmChild *child = window.activeDocument();
        EXPECT_EQ(child->windowTitle(), QFileInfo(c.saved).fileName());
        EXPECT_FALSE(window.docSlots().window(child->slot())->isWindowModified());
        EXPECT_FALSE(window.docSlots().window(child->slot())->isUntitled());
        EXPECT_EQ(m_settings->value(kSettingsSection, kInitialDirectory), m_dir.path());
    }
    EXPECT_TRUE(m_dialogs.saveProposals[0].endsWith(QLatin1String("/Untitled1.plr")));

    // A cancelled Save As leaves an untitled document untitled and modified.
    window.NewDocument();
    window.files().SaveDocument();
    EXPECT_TRUE(window.docSlots().window(window.activeSlot())->isUntitled());
    EXPECT_TRUE(window.docSlots().window(window.activeSlot())->isWindowModified());
}

TEST_F(MainWindowTest, OpenFailuresAndWarnings)
{
    MainWindow &window = start();
    const QString missing = m_dir.filePath(QStringLiteral("nowhere.plr"));
    const QString text = m_dir.filePath(QStringLiteral("notes.plr"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\"[LoanData]\",17,1\r\n");
    file.close();
    const QString odd = copyExample("car-loan.plr", QStringLiteral("odd.plr"));
    file.setFileName(odd);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("\"Colour\",\"blue\"\r\n");
    file.close();
    // Cut before its lump sums.
    const QString cut = copyExample("car-loan.plr", QStringLiteral("cut.plr"));
    file.setFileName(cut);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray whole = file.readAll();
    qsizetype end = 0;
    for (int line = 0; line < 54; ++line)
        end = whole.indexOf("\r\n", end) + 2;
    ASSERT_TRUE(file.resize(end));
    file.close();

    window.files().OpenPath(missing);
    window.files().OpenPath(text);
    EXPECT_TRUE(window.documents().isEmpty());
    window.files().OpenPath(odd);
    EXPECT_EQ(window.documents().size(), 1);
    window.files().OpenPath(cut);
    ASSERT_EQ(window.documents().size(), 2);
    EXPECT_EQ(window.activeDocument()->loan().gridLumpSum.rows(), 1);
    EXPECT_EQ(m_dialogs.texts(),
              (QStringList {QStringLiteral("File '%1' does not exist.").arg(missing),
                            QStringLiteral("File '%1' cannot be opened, because it is in the wrong format or is "
                                           "corrupted.")
                                .arg(text),
                            QStringLiteral("Corruption was detected while reading this file"),
                            QStringLiteral("The rest of this file could not be read (line 55: the file ends too "
                                           "early). Everything before it has been loaded.")}));
    for (const auto &shown : m_dialogs.messages)
        EXPECT_EQ(shown.title, QStringLiteral("Pellandra 3.0"));
}

TEST_F(MainWindowTest, OpenDialogStartsInTheHomeFolderFirst)
{
    MainWindow &window = start();
    const QString path = copyExample("us-mortgage-30y.plr", QStringLiteral("us.plr"));
    m_dialogs.openAnswers = {path};
    window.files().open->trigger();
    EXPECT_EQ(m_dialogs.openFolders, QStringList {QDir::homePath()});
    EXPECT_EQ(captions(), QStringList {QStringLiteral("us.plr")});
    m_dialogs.openAnswers = {QString()};
    window.files().open->trigger();
    EXPECT_EQ(m_dialogs.openFolders.last(), m_dir.path());
    EXPECT_EQ(captions().size(), 1);
}

TEST_F(MainWindowTest, ShutdownStopsAtACancel)
{
    MainWindow &window = start();
    window.NewDocument();
    window.NewDocument();
    m_dialogs.answers = {ui::UserDialogs::No, ui::UserDialogs::Cancel};
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.documents().size(), 1);
    EXPECT_EQ(m_dialogs.messages.size(), 2);
}

// A save that fails half-way (the file size limit stands in for a full disk) reports the system's reason and leaves
// both the previous file and the document's state as they were.
TEST_F(MainWindowTest, FailedSaveKeepsThePreviousFile)
{
    MainWindow &window = start();
    const QString path = copyExample("canadian-mortgage-25y.plr", QStringLiteral("house.plr"));
    window.files().OpenPath(path);
    frmChild *child = window.activeDocument();
    child->loan().gstrComments = std::string(20000, 'x');
    window.docSlots().window(child->slot())->setWindowModified(true);
    QFile original(path);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    window.files().SaveDocument();
    setrlimit(RLIMIT_FSIZE, &old);

    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_TRUE(m_dialogs.messages[0].text.startsWith(QStringLiteral("Cannot save '%1': ").arg(path)));
    EXPECT_TRUE(window.docSlots().window(child->slot())->isWindowModified());
    EXPECT_EQ(child->windowTitle(), QStringLiteral("house.plr"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), before);

    // The same save with room to write succeeds and clears the flag.
    window.files().SaveDocument();
    EXPECT_FALSE(window.docSlots().window(child->slot())->isWindowModified());
}

TEST_F(MainWindowTest, ProgressBarSegments)
{
    MainWindow &window = start();
    window.ShowProgressBar(true);
    EXPECT_TRUE(window.progressShown());
    window.SetProgressBarUbound(80);
    window.SetProgressBar(30, 60);
    EXPECT_EQ(window.progressValue(), 40);
    window.SetProgressBar(60, 60);
    EXPECT_EQ(window.progressValue(), 80);
    window.SetProgressBarUbound(100);
    window.SetProgressBar(1, 3);
    EXPECT_EQ(window.progressValue(), 86); // 80 + 20 / 3, truncated
    window.ShowProgressBar(false);
    EXPECT_FALSE(window.progressShown());
    EXPECT_EQ(window.progressValue(), 0);
}

TEST_F(MainWindowTest, DebugMenuOnlyOnRequest)
{
    MainWindow &window = start(true);
    ASSERT_NE(window.findChild<QMenu *>(QStringLiteral("mnuDebug")), nullptr);
    const QString path = copyExample("car-loan.plr", QStringLiteral("car.plr"));
    window.files().OpenPath(path);
    frmChild *child = window.activeDocument();
    EXPECT_FALSE(child->hiddenGridsShown());
    window.debugCommands()->toggleHiddenGrids->trigger();
    EXPECT_TRUE(child->hiddenGridsShown());
    auto *schedule = child->findChild<QTableView *>(QStringLiteral("gridMain0"));
    ASSERT_NE(schedule, nullptr);
    EXPECT_EQ(schedule->model()->columnCount(), 14);
    // The schedule's own texts, the day serial included.
    EXPECT_EQ(schedule->model()->index(1, 2).data().toString(), QStringLiteral("$32,000.00"));
    EXPECT_EQ(schedule->model()->index(1, 13).data().toString(), QStringLiteral("46068"));
    // The chart's samples: every second of the 60 payments and the last one.
    auto *chart = child->findChild<QTableView *>(QStringLiteral("gridChart"));
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(chart->model()->rowCount(), 31);
    EXPECT_EQ(chart->model()->index(1, 0).data().toString(), QStringLiteral("3"));
    EXPECT_EQ(chart->model()->index(30, 0).data().toString(), QStringLiteral("60"));
    EXPECT_EQ(chart->model()->index(30, 1).data().toString(), QStringLiteral("1/15/2031"));
    // The last payment takes the 0.31 the payments before it leave.
    EXPECT_EQ(chart->model()->index(30, 2).data().toString(), QStringLiteral("$0.00"));
    window.debugCommands()->toggleHiddenGrids->trigger();
    EXPECT_FALSE(child->hiddenGridsShown());
}

// The window as a user sees it with a document open; PELLANDRA_SCREENSHOTS names a folder to keep the picture in.
TEST_F(MainWindowTest, ShowsAnOpenedSchedule)
{
    MainWindow &window = start();
    window.resize(1000, 600);
    window.files().OpenPath(copyExample("canadian-mortgage-25y.plr", QStringLiteral("Maple Street.plr")));
    window.activeDocument()->parentWidget()->showMaximized();
    const QImage picture = window.grab().toImage();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), window.size() * window.devicePixelRatio());
    const QByteArray folder = qgetenv("PELLANDRA_SCREENSHOTS");
    if (!folder.isEmpty())
        picture.save(QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("main-window.png")));

    window.viewCommands().summary->trigger();
    EXPECT_TRUE(window.viewCommands().summary->isChecked());
    const QImage summary = window.grab().toImage();
    if (!folder.isEmpty())
        summary.save(QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("summary.png")));
    EXPECT_NE(summary, picture);
}

// The bars can also be hidden from the menu under the right mouse button on them; the View menu's check marks follow.
TEST_F(MainWindowTest, BarsMenuKeepsTheViewChecks)
{
    MainWindow &window = start();
    const std::unique_ptr<QMenu> bars(window.createPopupMenu());
    ASSERT_NE(bars, nullptr);
    struct Case
    {
        const char *item;
        QWidget *bar;
        QAction *viewItem;
    };
    for (const Case &c : {Case {"&Toolbar", window.toolBar(), window.viewCommands().toolbar},
                          Case {"Status &Bar", window.statusBar(), window.viewCommands().statusBar}}) {
        SCOPED_TRACE(c.item);
        const QList<QAction *> items = bars->actions();
        const auto item = std::find_if(items.begin(), items.end(),
                                       [&c](const QAction *a) { return a->text() == QLatin1String(c.item); });
        ASSERT_NE(item, items.end());
        for (const bool shown : {false, true}) {
            (*item)->trigger();
            EXPECT_EQ(c.bar->isVisible(), shown);
            EXPECT_EQ(c.viewItem->isChecked(), shown);
        }
    }
}

// A user who hid the status bar still sees a long computation's progress, and the bar stays hidden afterwards.
TEST_F(MainWindowTest, ProgressShowsWithTheStatusBarHidden)
{
    MainWindow &window = start();
    window.viewCommands().statusBar->trigger();
    ASSERT_FALSE(window.statusBar()->isVisible());
    window.ShowProgressBar(true);
    EXPECT_TRUE(window.statusBar()->isVisible());
    EXPECT_TRUE(window.findChild<QProgressBar *>()->isVisible());
    window.ShowProgressBar(false);
    EXPECT_FALSE(window.statusBar()->isVisible());
    EXPECT_FALSE(window.viewCommands().statusBar->isChecked());
}
