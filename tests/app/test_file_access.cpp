#include "FifoReleaser.h"
#include "MainWindowFixture.h"

#include "app/FileAccess.h"
#include "engine/MessageText.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>

#include <csignal>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace app;

namespace {

QString quoted(const QString &text)
{
    return QString::fromStdString(engine::quotedForMessage(text.toStdString()));
}

} // namespace

// Paths that are no document file are refused before anything is opened, each with a message of its own.
TEST_F(MainWindowTest, PathsThatAreNoDocumentFileAreRefusedBeforeOpening)
{
    MainWindow &window = start();
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.plr"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = m_dir.filePath(QStringLiteral("folder.plr"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString loop = m_dir.filePath(QStringLiteral("loop.plr"));
    ASSERT_TRUE(QFile::link(loop, loop));
    const QString device = QStringLiteral("/dev/null");
    FifoReleaser releaser(fifo);

    const QStringList expected = {
        QStringLiteral("'%1' is not a document file.").arg(quoted(fifo)),
        QStringLiteral("'%1' is a folder, not a document file.").arg(quoted(folder)),
        QStringLiteral("'%1' cannot be opened: its symbolic links lead round in a loop.").arg(quoted(loop)),
        QStringLiteral("'%1' is not a document file.").arg(quoted(device)),
    };
    for (const QString &path : {fifo, folder, loop, device})
        window.files().OpenPath(path);
    EXPECT_EQ(m_dialogs.texts(), expected);
    EXPECT_TRUE(window.documents().isEmpty());
    EXPECT_TRUE(window.state().gblnOpenFailed);

    // A listed entry that has become one of these is refused the same way and leaves the list.
    m_dialogs.messages.clear();
    const QStringList listed = recentEntries();
    ASSERT_TRUE(listed.contains(fifo));
    window.files().recentActions()[listed.indexOf(fifo)]->trigger();
    EXPECT_EQ(m_dialogs.texts(), QStringList {expected.first()});
    EXPECT_FALSE(recentEntries().contains(fifo));
}

// Messages quote a path by its first 40 characters; the rest would only bury the message.
TEST_F(MainWindowTest, MessagesQuoteLongPathsByTheirStart)
{
    MainWindow &window = start();
    const QString folder = QString(60, QLatin1Char('m')) + QLatin1Char('/');
    const QString missing = m_dir.filePath(folder.repeated(5) + QStringLiteral("loan.plr"));
    window.files().OpenPath(missing);
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_EQ(m_dialogs.texts().first().toStdString(),
              QStringLiteral("File '%1\u2026' does not exist.").arg(missing.left(40)).toStdString());
}

// A save that runs out of room, however little is written, keeps the old file and the document's unsaved state.
// The file size limit stands in for a full disk wherever the tests cannot mount a small one.
TEST_F(MainWindowTest, SaveThatRunsOutOfRoomKeepsTheOldFile)
{
    MainWindow &window = start();
    const QString path = copyExample("car-loan.plr", QStringLiteral("car.plr"));
    window.files().OpenPath(path);
    frmChild *child = window.activeDocument();
    child->loan().gstrTitle = "A new title";
    window.docSlots().window(child->slot())->setWindowModified(true);
    const QByteArray before = contents(path);

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1024; // far less than the document, which still fits in the writer's buffer
    setrlimit(RLIMIT_FSIZE, &small);
    window.files().SaveDocument();
    setrlimit(RLIMIT_FSIZE, &old);

    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_EQ(m_dialogs.texts().first(), QStringLiteral("Cannot save '%1': File too large").arg(quoted(path)));
    EXPECT_TRUE(window.docSlots().window(child->slot())->isWindowModified());
    EXPECT_EQ(contents(path), before);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("car.plr*")}, QDir::Files),
              QStringList {QStringLiteral("car.plr")});
}

TEST_F(MainWindowTest, SaveOntoAFullDiskKeepsTheOldFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small file system needs root";
    const QString disk = m_dir.filePath(QStringLiteral("disk"));
    ASSERT_TRUE(QDir().mkpath(disk));
    if (::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "this machine does not allow mounting a small file system";
    struct Unmount
    {
        QByteArray at;
        ~Unmount() { ::umount2(at.constData(), MNT_DETACH); }
    } unmount {QFile::encodeName(disk)};

    MainWindow &window = start();
    const QString path = QDir(disk).filePath(QStringLiteral("house.plr"));
    ASSERT_TRUE(QFile::copy(examplePath("canadian-mortgage-25y.plr"), path));
    window.files().OpenPath(path);
    frmChild *child = window.activeDocument();
    ASSERT_NE(child, nullptr);
    child->loan().gstrTitle = "A new title";
    window.docSlots().window(child->slot())->setWindowModified(true);
    const QByteArray before = contents(path);
    // Whatever room is left goes to another file.
    QFile filler(QDir(disk).filePath(QStringLiteral("filler")));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(512, 'f')) > 0) { }
    filler.close();

    window.files().SaveDocument();
    ASSERT_EQ(m_dialogs.messages.size(), 1);
    EXPECT_EQ(m_dialogs.texts().first(), QStringLiteral("Cannot save '%1': No space left on device").arg(quoted(path)));
    EXPECT_TRUE(window.docSlots().window(child->slot())->isWindowModified());
    EXPECT_EQ(contents(path), before);
}

// Backslashes are ordinary characters in this platform's file names.
TEST_F(MainWindowTest, BackslashesInPathsStayAsTheyAre)
{
    MainWindow &window = start();
    const QString path = copyExample("car-loan.plr", QStringLiteral("back\\slash.plr"));
    window.files().OpenPath(path);
    EXPECT_TRUE(m_dialogs.messages.isEmpty());
    EXPECT_EQ(captions(), QStringList {QStringLiteral("back\\slash.plr")});
    EXPECT_EQ(recentEntries(), QStringList {path});

    const QString copy = m_dir.filePath(QStringLiteral("copy\\of.plr"));
    m_dialogs.saveAnswers = {copy};
    window.files().SaveDocumentAs();
    EXPECT_TRUE(QFileInfo(copy).isFile());
    EXPECT_EQ(captions(), QStringList {QStringLiteral("copy\\of.plr")});
    EXPECT_EQ(m_settings->value(kSettingsSection, kInitialDirectory), m_dir.path());
}

// Relative paths are stored as full paths, so that an entry means the same file from any folder.
TEST_F(MainWindowTest, RecentFilesAndTheInitialFolderAreStoredInFull)
{
    MainWindow &window = start();
    const QString path = copyExample("car-loan.plr", QStringLiteral("car.plr"));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    window.files().OpenPath(QStringLiteral("car.plr"));
    ASSERT_TRUE(QDir::setCurrent(before));
    EXPECT_EQ(captions(), QStringList {QStringLiteral("car.plr")});
    EXPECT_EQ(recentEntries(), QStringList {path});
    EXPECT_EQ(m_settings->value(kSettingsSection, kInitialDirectory), m_dir.path());
    EXPECT_EQ(QString::fromStdString(window.activeDocument()->loan().gstrFileName), path);
}

// A write that only fills a buffer has not reached the disk: the flush is where a full device shows.
TEST(FileAccess, WritesCountOnlyOnceFlushed)
{
    QFile full(QStringLiteral("/dev/full"));
    if (!full.exists())
        GTEST_SKIP() << "this system has no /dev/full";
    ASSERT_TRUE(full.open(QIODevice::WriteOnly));
    EXPECT_FALSE(writeFully(full, QByteArrayView("a document small enough for the buffer")));
    EXPECT_EQ(full.errorString().toStdString(), "No space left on device");
}

TEST(FileAccess, OnlyPathsWrittenByWindowsGetThisPlatformsSeparator)
{
    const std::pair<const char *, const char *> cases[] = {
        {"C:\\Loans\\car.plr", "C:/Loans/car.plr"},
        {"d:\\", "d:/"},
        {"\\\\server\\share\\house.plr", "//server/share/house.plr"},
        {"/home/ann/back\\slash.plr", "/home/ann/back\\slash.plr"},
        {"back\\slash.plr", "back\\slash.plr"},
        {"C:loan.plr", "C:loan.plr"},
        {"", ""},
    };
    for (const auto &[stored, path] : cases)
        EXPECT_EQ(pathFromSettings(QString::fromLatin1(stored)).toStdString(), path) << stored;
}

// An entry written by the Windows versions is read with this platform's separator, and is still the entry it was:
// failing to open, it leaves the list instead of coming back in another form.
TEST_F(MainWindowTest, RecentEntriesFromTheWindowsVersions)
{
    m_settings->setValue(kRecentFilesSection, QStringLiteral("RecentFile1"), QStringLiteral("C:\\Loans\\car.plr"));
    const QString house = copyExample("canadian-mortgage-25y.plr", QStringLiteral("house.plr"));
    m_settings->setValue(kRecentFilesSection, QStringLiteral("RecentFile2"), house);
    MainWindow &window = start();
    EXPECT_EQ(visibleRecentMenu(), (QStringList {QStringLiteral("C:/Loans/car.plr"), house}));
    window.files().recentActions().first()->trigger();
    EXPECT_EQ(m_dialogs.texts(), QStringList {QStringLiteral("File 'C:/Loans/car.plr' does not exist.")});
    EXPECT_EQ(recentEntries(), QStringList {house});
}

// Every writer's one rule: a regular file or a new path, a symbolic link followed to one of those; anything else is
// refused and left as it is.
TEST(FileAccess, WritesGoOnlyToRegularFilesAndNewPaths)
{
    QTemporaryDir dir;
    auto at = [&dir](const char *name) { return dir.filePath(QLatin1String(name)); };
    {
        QFile regular(at("regular.plr"));
        ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
        regular.write("old");
    }
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("fifo")).constData(), 0600), 0);
    FifoReleaser releaser(at("fifo"));
    ASSERT_TRUE(QDir().mkpath(at("folder")));
    ASSERT_TRUE(QFile::link(at("regular.plr"), at("to-regular")));
    ASSERT_TRUE(QFile::link(QStringLiteral("regular.plr"), at("relative-to-regular")));
    ASSERT_TRUE(QFile::link(at("new.plr"), at("to-new")));
    ASSERT_TRUE(QFile::link(at("fifo"), at("to-fifo")));
    ASSERT_TRUE(QFile::link(at("to-fifo"), at("to-link-to-fifo")));
    ASSERT_TRUE(QFile::link(at("folder"), at("to-folder")));
    ASSERT_TRUE(QFile::link(at("loop"), at("loop")));

    struct Case
    {
        const char *path;
        const char *written; // the file the bytes reach; nothing when refused
        const char *refusal;
    };
    const Case cases[] = {
        {"regular.plr", "regular.plr", ""},
        {"missing.plr", "missing.plr", ""},
        {"to-regular", "regular.plr", ""},
        {"relative-to-regular", "regular.plr", ""},
        {"to-new", "new.plr", ""},
        {"folder", nullptr, "It is a folder, not a file"},
        {"to-folder", nullptr, "It is a folder, not a file"},
        {"fifo", nullptr, "It is not a regular file (a device, FIFO or socket), and is left as it is"},
        {"to-fifo", nullptr, "It is not a regular file (a device, FIFO or socket), and is left as it is"},
        {"to-link-to-fifo", nullptr, "It is not a regular file (a device, FIFO or socket), and is left as it is"},
        {"loop", nullptr, "Its symbolic links lead round in a loop"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        const WriteTarget target = writeTarget(at(c.path));
        EXPECT_EQ(target.refusal.toStdString(), c.refusal);
        EXPECT_EQ(replaceFile(at(c.path), QByteArrayView("new")).toStdString(), c.refusal);
        if (c.written) {
            EXPECT_TRUE(sameExistingFile(target.path, at(c.written)));
            EXPECT_EQ(contents(at(c.written)), QByteArray("new"));
        }
    }
    // What was refused, and every link, is as it was.
    for (const char *fifo : {"fifo", "to-fifo", "to-link-to-fifo"})
        EXPECT_EQ(pathKind(at(fifo)), PathKind::Special) << fifo;
    EXPECT_EQ(pathKind(at("folder")), PathKind::Folder);
    for (const char *link : {"to-regular", "relative-to-regular", "to-new", "to-fifo", "to-folder"})
        EXPECT_TRUE(QFileInfo(at(link)).isSymLink()) << link;
}

// Save As onto a FIFO says why and leaves it, and the document unsaved.
TEST_F(MainWindowTest, SaveRefusesWhatIsNotARegularFile)
{
    MainWindow &window = start();
    window.files().OpenPath(copyExample("car-loan.plr", QStringLiteral("car.plr")));
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.plr"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    FifoReleaser releaser(fifo);
    m_dialogs.saveAnswers = {fifo};
    window.files().SaveDocumentAs();
    EXPECT_EQ(m_dialogs.texts(),
              QStringList {QStringLiteral("Cannot save '%1': It is not a regular file (a device, FIFO or socket), and "
                                          "is left as it is")
                               .arg(quoted(fifo))});
    EXPECT_EQ(pathKind(fifo), PathKind::Special);
    EXPECT_EQ(captions(), QStringList {QStringLiteral("car.plr")});
}
