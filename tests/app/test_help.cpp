#include "MainWindowFixture.h"

#include "app/HelpWindow.h"
#include "support/TestFiles.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTextBrowser>

#include <unistd.h>

namespace {

const QString kHelpFolder = QStringLiteral(PELLANDRA_SOURCE_DIR "/help");

QString pageOf(const QTextBrowser &browser)
{
    return browser.source().fileName();
}

} // namespace

TEST_F(MainWindowTest, HelpOpensOnItsContentsPageInOneWindow)
{
    app::MainWindow &window = start();
    app::HelpCommands &help = window.helpCommands();
    help.setHelpFolder(kHelpFolder);
    help.contents->trigger();
    app::HelpWindow *viewer = help.helpWindow();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(pageOf(*viewer->browser()), QStringLiteral("index.html"));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Contents - Pellandra Help"));
    EXPECT_FALSE(viewer->back->isEnabled());
    EXPECT_TRUE(m_dialogs.messages.isEmpty());

    // Following a link, then back, forward and home.
    viewer->browser()->setSource(QUrl(QStringLiteral("wizard.html")));
    EXPECT_EQ(pageOf(*viewer->browser()), QStringLiteral("wizard.html"));
    ASSERT_TRUE(viewer->back->isEnabled());
    viewer->back->trigger();
    EXPECT_EQ(pageOf(*viewer->browser()), QStringLiteral("index.html"));
    ASSERT_TRUE(viewer->forward->isEnabled());
    viewer->forward->trigger();
    EXPECT_EQ(pageOf(*viewer->browser()), QStringLiteral("wizard.html"));
    viewer->home->trigger();
    EXPECT_EQ(pageOf(*viewer->browser()), QStringLiteral("index.html"));

    // Help > Contents again: the same window, back on its contents page.
    viewer->browser()->setSource(QUrl(QStringLiteral("wizard.html")));
    viewer->close();
    help.contents->trigger();
    EXPECT_EQ(help.helpWindow(), viewer);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(pageOf(*viewer->browser()), QStringLiteral("index.html"));

    // Esc and Ctrl+W close it, as they close a dialog and a document window.
    ASSERT_NE(viewer->closeWindow, nullptr);
    EXPECT_TRUE(viewer->closeWindow->shortcuts().contains(QKeySequence(Qt::Key_Escape)));
    EXPECT_TRUE(viewer->closeWindow->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)));
    viewer->closeWindow->trigger();
    EXPECT_FALSE(viewer->isVisible());
    help.contents->trigger();

    // Minimised, it comes back when asked for again.
    viewer->showMinimized();
    ASSERT_TRUE(viewer->isMinimized());
    help.contents->trigger();
    EXPECT_FALSE(viewer->isMinimized());
    EXPECT_TRUE(viewer->isVisible());
}

TEST_F(MainWindowTest, HelpThatIsMissingIsSaidSo)
{
    app::MainWindow &window = start();
    app::HelpCommands &help = window.helpCommands();
    help.setHelpFolder(m_dir.filePath(QStringLiteral("no-help-here")));
    help.contents->trigger();
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_EQ(m_dialogs.messages[0].title, QStringLiteral("Pellandra 3.0"));
    EXPECT_EQ(m_dialogs.messages[0].text,
              QStringLiteral("Unable to display Help Contents. There is no Help associated with this project."));
    EXPECT_EQ(m_dialogs.messages[0].icon, ui::UserDialogs::Icon::Information);
    EXPECT_EQ(help.helpWindow(), nullptr);
}

TEST_F(MainWindowTest, HelpThatCannotBeReadIsSaidSo)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the administrator reads any file: an unreadable page needs an ordinary user";
    const QString folder = m_dir.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(writeFile(folder + QStringLiteral("/index.html"), "<html></html>"));
    ASSERT_TRUE(QFile::setPermissions(folder + QStringLiteral("/index.html"), QFileDevice::Permissions()));
    app::HelpCommands &help = start().helpCommands();
    help.setHelpFolder(folder);
    help.contents->trigger();
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_TRUE(m_dialogs.messages[0].text.contains(QStringLiteral("ermission")))
        << m_dialogs.messages[0].text.toStdString();
    EXPECT_EQ(help.helpWindow(), nullptr);
}

TEST(HelpFolder, FoundBesideTheProgramOrInTheDesktopsDataFolders)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("usr"));
    const QString data = dir.filePath(QStringLiteral("data"));
    ASSERT_TRUE(writeFile(prefix + QStringLiteral("/share/pellandra/help/index.html"), "<html></html>"));
    ASSERT_TRUE(writeFile(data + QStringLiteral("/pellandra/help/index.html"), "<html></html>"));
    QDir().mkpath(prefix + QStringLiteral("/bin"));
    QDir().mkpath(dir.filePath(QStringLiteral("elsewhere/bin")));

    EXPECT_EQ(app::findHelpFolder(prefix + QStringLiteral("/bin"), {data}),
              QDir::cleanPath(prefix + QStringLiteral("/share/pellandra/help")));
    EXPECT_EQ(app::findHelpFolder(dir.filePath(QStringLiteral("elsewhere/bin")), {dir.path(), data}),
              QDir::cleanPath(data + QStringLiteral("/pellandra/help")));
    EXPECT_EQ(app::findHelpFolder(dir.filePath(QStringLiteral("elsewhere/bin")), {dir.path()}), QString());
}

// Every page has a title and every link and picture leads somewhere; every page can be reached from the contents.
TEST(HelpPages, LinksAndPicturesLeadSomewhere)
{
    const QDir folder(kHelpFolder);
    const QStringList pages = folder.entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_GT(pages.size(), 10);
    const QRegularExpression reference(QStringLiteral(R"re((?:href|src)="([^"]*)")re"));
    QSet<QString> linkedFromContents;
    for (const QString &page : pages) {
        SCOPED_TRACE(page.toStdString());
        QFile file(folder.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(QRegularExpression(QStringLiteral("<title>[^<]+</title>")).match(html).hasMatch());
        for (auto it = reference.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1).section(u'#', 0, 0);
            if (target.isEmpty())
                continue;
            EXPECT_TRUE(QFileInfo(folder.filePath(target)).isFile()) << target.toStdString();
            if (page == QLatin1String("index.html"))
                linkedFromContents << target;
        }
    }
    for (const QString &page : pages) {
        if (page != QLatin1String("index.html")) {
            EXPECT_TRUE(linkedFromContents.contains(page)) << page.toStdString() << " is not in the contents";
        }
    }
}
