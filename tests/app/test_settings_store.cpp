#include "FifoReleaser.h"
#include "MainWindowFixture.h"

#include "app/FileAccess.h"
#include "app/SettingsStore.h"
#include "app/WindowPlacement.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace app;

namespace {

void writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

// A settings path that is no regular file is neither read (a FIFO would stop the start for good) nor replaced at the
// end: the program runs on its defaults and keeps what it sets until it ends. A link to a settings file is followed.
TEST(SettingsStore, OnlyARegularFileIsReadAndWritten)
{
    QTemporaryDir dir;
    auto at = [&dir](const char *name) { return dir.filePath(QLatin1String(name)); };
    writeText(at("real.ini"), "[Settings]\nRowInterval=7\n");
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("fifo.ini")).constData(), 0600), 0);
    // Should a reader open the FIFO after all, it ends instead of waiting.
    FifoReleaser releaser(at("fifo.ini"));
    ASSERT_TRUE(QFile::link(at("fifo.ini"), at("to-fifo.ini")));
    ASSERT_TRUE(QFile::link(at("real.ini"), at("to-real.ini")));

    for (const char *refused : {"fifo.ini", "to-fifo.ini"}) {
        SCOPED_TRACE(refused);
        {
            IniSettingsStore store(at(refused));
            EXPECT_FALSE(store.usesFile());
            EXPECT_EQ(store.intValue(kSettingsSection, kRowInterval, kDefaultRowInterval), kDefaultRowInterval);
            store.setIntValue(kSettingsSection, kRowInterval, 9);
            EXPECT_EQ(store.intValue(kSettingsSection, QStringLiteral("rowinterval"), 0), 9);
            store.remove(kSettingsSection, kRowInterval);
            EXPECT_EQ(store.value(kSettingsSection, kRowInterval), QString());
            store.setIntValue(kSettingsSection, kRowInterval, 9);
        }
        EXPECT_EQ(pathKind(at(refused)), PathKind::Special);
    }
    {
        IniSettingsStore store(at("to-real.ini"));
        EXPECT_TRUE(store.usesFile());
        EXPECT_EQ(store.intValue(kSettingsSection, kRowInterval, 0), 7);
        store.setIntValue(kSettingsSection, kRowInterval, 5);
    }
    EXPECT_TRUE(QFileInfo(at("to-real.ini")).isSymLink());
    EXPECT_EQ(IniSettingsStore(at("real.ini")).intValue(kSettingsSection, kRowInterval, 0), 5);
}

// The store's own file is the one QSettings keeps for the program's name.
TEST(SettingsStore, TheUsersFileIsWhereQSettingsKeepsIt)
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, kSettingsName, kSettingsName);
    EXPECT_EQ(IniSettingsStore().fileName(), settings.fileName());
}

// A date pattern written by hand with its commas unquoted is read whole; an empty one gives the default.
TEST(SettingsStore, DatePatternsWrittenByHand)
{
    const std::pair<const char *, const char *> cases[] = {
        {"DateFormatString=dddd, MMMM d, yyyy", "dddd, MMMM d, yyyy"},
        {"DateFormatString=\"dddd, MMMM d, yyyy\"", "dddd, MMMM d, yyyy"},
        {"DateFormatString=yyyy-MM-dd", "yyyy-MM-dd"},
        {"DateFormatString=", "M/d/yyyy"},
        {"DateFormatString=\"  \"", "M/d/yyyy"},
        {"", "M/d/yyyy"},
    };
    QTemporaryDir dir;
    for (const auto &[line, pattern] : cases) {
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        writeText(path, QByteArray("[Settings]\n") + line + '\n');
        EXPECT_EQ(storedDatePattern(IniSettingsStore(path)).toStdString(), pattern) << line;
    }
}

TEST(WindowPlacement, StoredSizesThatNoWindowHasAreNotUsed)
{
    struct Case
    {
        QRect stored;
        std::optional<QRect> placement;
    };
    const Case cases[] = {
        {QRect(10, 20, 800, 600), QRect(10, 20, 800, 600)}, {QRect(10, 20, 50, 40), QRect(10, 20, 200, 150)},
        {QRect(10, 20, -333, 600), std::nullopt},           {QRect(10, 20, 800, 0), std::nullopt},
        {QRect(10, 20, 143165576, 600), std::nullopt},      {QRect(10, 20, 800, 40000), std::nullopt},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(storedPlacement(c.stored.x(), c.stored.y(), c.stored.width(), c.stored.height()), c.placement)
            << c.stored.width() << " x " << c.stored.height();
    }
}

// Such a size gives the window its first placement instead of the smallest one.
TEST_F(MainWindowTest, ANegativeStoredSizeGivesTheFirstPlacement)
{
    m_settings->setIntValue(kSettingsSection, kMainLeft, 1500);
    m_settings->setIntValue(kSettingsSection, kMainTop, 1500);
    m_settings->setIntValue(kSettingsSection, kMainWidth, -7500);
    m_settings->setIntValue(kSettingsSection, kMainHeight, 6000);
    const MainWindow &window = start();
    EXPECT_EQ(window.size(), QGuiApplication::primaryScreen()->availableGeometry().size() * 3 / 4);
}

// A list with an entry missing in the middle closes up: every file is listed once, in its order.
TEST_F(MainWindowTest, AGapInTheRecentFilesDuplicatesNothing)
{
    const QString car = copyExample("car-loan.plr", QStringLiteral("car.plr"));
    const QString house = copyExample("canadian-mortgage-25y.plr", QStringLiteral("house.plr"));
    const QString boat = copyExample("car-loan.plr", QStringLiteral("boat.plr"));
    m_settings->setValue(kRecentFilesSection, QStringLiteral("RecentFile1"), car);
    m_settings->setValue(kRecentFilesSection, QStringLiteral("RecentFile3"), house);
    MainWindow &window = start();
    EXPECT_EQ(visibleRecentMenu(), (QStringList {car, house}));
    window.files().OpenPath(boat);
    QStringList stored;
    for (int n = 1; n <= kMaxRecentFiles; ++n)
        stored << m_settings->value(kRecentFilesSection, QStringLiteral("RecentFile%1").arg(n));
    EXPECT_EQ(stored, (QStringList {boat, car, house, {}, {}, {}, {}, {}}));
    EXPECT_EQ(visibleRecentMenu(), (QStringList {boat, car, house}));
}
