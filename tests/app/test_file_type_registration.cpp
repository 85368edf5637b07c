#include "app/FileTypeRegistration.h"
#include "support/Examples.h"
#include "support/QtPrinters.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <sys/resource.h>

#include <map>

using app::RegistrationOutcome;

namespace {

using Tree = std::map<QString, QByteArray>;

Tree readTree(const QString &root)
{
    Tree tree;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        tree[QDir(root).relativeFilePath(file.fileName())] = file.readAll();
    }
    return tree;
}

QByteArray entryOf(const QList<app::RegistrationFile> &files)
{
    for (const app::RegistrationFile &file : files) {
        if (file.path == QLatin1String("applications/pellandra.desktop"))
            return file.contents;
    }
    return {};
}

// Every tool the registration asked to run.
struct ToolLog
{
    QStringList runs;
    app::ToolRunner runner()
    {
        return
            [this](const QString &tool, const QStringList &arguments) { runs << tool + u' ' + arguments.join(u' '); };
    }
};

} // namespace

TEST(FileTypeRegistration, ExecArgumentIsQuotedAsTheDesktopEntryFormatAsks)
{
    // What the key's value holds in the file: the argument quoted, then the value's own backslashes doubled.
    const std::pair<const char *, const char *> cases[] = {
        {"/usr/bin/pellandra", "/usr/bin/pellandra"},
        {"/opt/My Programs/pellandra", R"("/opt/My Programs/pellandra")"},
        {"/opt/Bob's/pellandra", R"("/opt/Bob's/pellandra")"},
        {R"(/opt/a"b/pellandra)", R"("/opt/a\\"b/pellandra")"},
        {R"(/opt/a\b/pellandra)", R"("/opt/a\\\\b/pellandra")"},
        {"/opt/$HOME/pellandra", R"("/opt/\\$HOME/pellandra")"},
        {"/opt/`x`/pellandra", R"("/opt/\\`x\\`/pellandra")"},
        {"/opt/100%/pellandra", "/opt/100%%/pellandra"},
        {"/opt/100% sure/pellandra", R"("/opt/100%% sure/pellandra")"},
        {"/opt/Loans & Co/pellandra", R"("/opt/Loans & Co/pellandra")"},
        {"/opt/tab\there/pellandra", R"("/opt/tab\there/pellandra")"},
    };
    for (const auto &[argument, expected] : cases)
        EXPECT_EQ(app::desktopExecArgument(QString::fromUtf8(argument)), QString::fromUtf8(expected)) << argument;
}

// The desktop's own tools read the entry back: the format is valid, and the command runs the program with the
// document as one argument however odd the folder's name.
TEST(FileTypeRegistration, EntryWithAnAwkwardFolderRunsThatProgram)
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    const QString perl = QStandardPaths::findExecutable(QStringLiteral("perl"));
    if (validator.isEmpty() || perl.isEmpty())
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) or perl is not installed";
    const QString program = QStringLiteral(R"(/opt/Bob's "Loans" $5 \ 100% sure/pellandra)");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pellandra.desktop"));
    ASSERT_TRUE(writeFile(path, entryOf(app::registrationFiles(program))));

    auto run = [](const QString &tool, const QStringList &arguments) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(tool, arguments);
        EXPECT_TRUE(process.waitForFinished(10000));
        return std::make_pair(process.exitCode(), QString::fromUtf8(process.readAll()));
    };
    const auto [valid, complaint] = run(validator, {path});
    EXPECT_EQ(valid, 0) << complaint.toStdString();

    // File::DesktopEntry (with libfile-mimeinfo-perl) expands the command as a launcher does.
    const auto [parsed, command] =
        run(perl,
            {QStringLiteral("-MFile::DesktopEntry"), QStringLiteral("-e"),
             QStringLiteral("print join(qq(\\n), File::DesktopEntry->new($ARGV[0])->parse_Exec($ARGV[1]))"), path,
             QStringLiteral("/home/me/My Loan.plr")});
    if (parsed != 0)
        GTEST_SKIP() << "File::DesktopEntry is not installed: " << command.toStdString();
    EXPECT_EQ(command, program + QStringLiteral("\n/home/me/My Loan.plr"));
}

TEST(FileTypeRegistration, StartingTwiceLeavesTheSameFiles)
{
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    const QString program = QStringLiteral("/opt/My Programs/pellandra");
    ToolLog tools;
    EXPECT_EQ(app::registerFileType(program, data, {}, tools.runner()), RegistrationOutcome::Written);
    EXPECT_EQ(tools.runs,
              QStringList({QStringLiteral("update-mime-database ") + data + QStringLiteral("/mime"),
                           QStringLiteral("update-desktop-database ") + data + QStringLiteral("/applications")}));
    const Tree first = readTree(data);
    EXPECT_EQ(first.size(), size_t(app::registrationFiles(program).size()));
    const QByteArrayList entry = first.at(QStringLiteral("applications/pellandra.desktop")).split('\n');
    for (const char *line : {R"(Exec="/opt/My Programs/pellandra" %f)", "Comment=Pellandra " PELLANDRA_VERSION,
                             "MimeType=application/x-pellandra;", "Icon=pellandra", "X-Pellandra-Generated=true"})
        EXPECT_TRUE(entry.contains(QByteArray(line))) << line;

    tools.runs.clear();
    EXPECT_EQ(app::registerFileType(program, data, {}, tools.runner()), RegistrationOutcome::Unchanged);
    EXPECT_TRUE(tools.runs.isEmpty());
    EXPECT_EQ(readTree(data), first);

    // An empty file, as a write that failed leaves, is put right at the next start.
    ASSERT_TRUE(writeFile(data + QStringLiteral("/icons/hicolor/48x48/apps/pellandra.png"), ""));
    EXPECT_EQ(app::registerFileType(program, data, {}, tools.runner()), RegistrationOutcome::Written);
    EXPECT_EQ(readTree(data), first);

    // A program that moved is registered where it is now.
    const QString moved = QStringLiteral("/srv/pellandra");
    EXPECT_EQ(app::registerFileType(moved, data, {}, tools.runner()), RegistrationOutcome::Written);
    const Tree second = readTree(data);
    EXPECT_TRUE(second.at(QStringLiteral("applications/pellandra.desktop")).contains("\nExec=/srv/pellandra %f\n"));
    for (const auto &[path, contents] : first) {
        if (path != QLatin1String("applications/pellandra.desktop")) {
            EXPECT_EQ(second.at(path), contents) << path.toStdString();
        }
    }
}

TEST(FileTypeRegistration, AFailureChangesNothing)
{
    QTemporaryDir dir;
    const QString data = dir.path();
    // The icons cannot be written where a file stands in the way: the entry and the type are not written either.
    ASSERT_TRUE(writeFile(data + QStringLiteral("/icons"), "not a folder"));
    ToolLog tools;
    EXPECT_EQ(app::registerFileType(QStringLiteral("/usr/local/bin/pellandra"), data, {}, tools.runner()),
              RegistrationOutcome::Failed);
    EXPECT_TRUE(tools.runs.isEmpty());
    const Tree tree = readTree(data);
    ASSERT_EQ(tree.size(), 1u);
    EXPECT_EQ(tree.begin()->first, QStringLiteral("icons"));
}

TEST(FileTypeRegistration, AnInstalledProgramLeavesTheUsersFolderAlone)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("usr"));
    const QString share = prefix + QStringLiteral("/share");
    const QString other = dir.filePath(QStringLiteral("other/share")); // an installation without the MIME type
    for (const QString &folder : {share, other})
        ASSERT_TRUE(writeFile(folder + QStringLiteral("/applications/pellandra.desktop"), "entry"));
    ASSERT_TRUE(writeFile(share + QStringLiteral("/mime/packages/pellandra.xml"), "type"));

    struct Case
    {
        const char *what;
        QString programFolder;
        QStringList dataFolders;
        bool installed;
    };
    const Case cases[] = {
        {"installed where the desktop looks", prefix + QStringLiteral("/bin"), {other, share}, true},
        {"a data folder named with a trailing slash", prefix + QStringLiteral("/bin"), {share + u'/'}, true},
        {"a prefix the desktop does not read", prefix + QStringLiteral("/bin"), {dir.path()}, false},
        {"not in a bin folder (a build tree)", prefix + QStringLiteral("/app"), {share}, false},
        {"an incomplete installation", dir.filePath(QStringLiteral("other/bin")), {other}, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(app::installedSystemWide(c.programFolder, c.dataFolders), c.installed) << c.what;

    const QString home = dir.filePath(QStringLiteral("home"));
    ToolLog tools;
    EXPECT_EQ(app::registerFileType(prefix + QStringLiteral("/bin/pellandra"), home, {share}, tools.runner()),
              RegistrationOutcome::Unchanged);
    EXPECT_FALSE(QFileInfo::exists(home));
    EXPECT_TRUE(tools.runs.isEmpty());
}

TEST(FileTypeRegistration, TheDesktopTellsADocumentByItsTypeOnceRegistered)
{
    const QString updater = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (updater.isEmpty() || query.isEmpty())
        GTEST_SKIP() << "update-mime-database (shared-mime-info) or xdg-mime (xdg-utils) is not installed";
    // Outside a desktop session xdg-mime asks mimetype(1); without it, file(1), which knows no registered type.
    if (QStandardPaths::findExecutable(QStringLiteral("mimetype")).isEmpty())
        GTEST_SKIP() << "mimetype (libfile-mimeinfo-perl) is not installed";

    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    ASSERT_EQ(app::writeRegistration(data, app::registrationFiles(QStringLiteral("/usr/bin/pellandra"))),
              RegistrationOutcome::Written);
    QProcess update;
    update.start(updater, {data + QStringLiteral("/mime")});
    ASSERT_TRUE(update.waitForFinished(30000));
    ASSERT_EQ(update.exitCode(), 0) << update.readAllStandardError().toStdString();

    // A document by its name, and one without the extension by its first line.
    const QString named = dir.filePath(QStringLiteral("My Loan.plr"));
    const QString unnamed = dir.filePath(QStringLiteral("loan-without-extension"));
    for (const QString &path : {named, unnamed})
        ASSERT_TRUE(QFile::copy(examplePath("car-loan.plr"), path));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *session :
         {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
        environment.remove(QLatin1String(session));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data);
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), QStringLiteral("/usr/local/share:/usr/share"));
    for (const QString &path : {named, unnamed}) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(query, {QStringLiteral("query"), QStringLiteral("filetype"), path});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()).trimmed(),
                  QStringLiteral("application/x-pellandra"))
            << path.toStdString() << process.readAllStandardError().toStdString();
    }
}

// A data folder that fills up while the files are written: nothing is replaced by an empty or partial file, and the
// desktop's caches are not rebuilt from one. The file size limit stands in for a full disk.
TEST(FileTypeRegistration, AFullDiskChangesNothing)
{
    QTemporaryDir dir;
    const QString data = dir.path();
    const QString program = QStringLiteral("/opt/pellandra");
    ToolLog tools;
    ASSERT_EQ(app::registerFileType(QStringLiteral("/srv/pellandra"), data, {}, tools.runner()),
              RegistrationOutcome::Written);
    // The entry for the program's new place fits under the largest limit; the largest icon, missing, does not.
    ASSERT_TRUE(QFile::remove(data + QStringLiteral("/icons/hicolor/256x256/apps/pellandra.png")));
    const Tree before = readTree(data);
    tools.runs.clear();

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    for (const rlim_t limit : {rlim_t(0), rlim_t(100), rlim_t(4096)}) {
        SCOPED_TRACE(limit);
        rlimit small = old;
        small.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &small);
        const RegistrationOutcome outcome = app::registerFileType(program, data, {}, tools.runner());
        setrlimit(RLIMIT_FSIZE, &old);
        EXPECT_EQ(outcome, RegistrationOutcome::Failed);
        EXPECT_TRUE(tools.runs.isEmpty());
        EXPECT_TRUE(readTree(data) == before);
    }
}

// Only files the program wrote are written again: the user's own desktop entry or type, a link (into a dotfiles
// folder, say) and an icon of the user's stay as they are, and what the program wrote is brought up to date.
TEST(FileTypeRegistration, TheUsersOwnFilesAndLinksAreLeftAlone)
{
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    const QString entry = data + QStringLiteral("/applications/pellandra.desktop");
    const QString type = data + QStringLiteral("/mime/packages/pellandra.xml");
    const QString icon = data + QStringLiteral("/icons/hicolor/48x48/apps/pellandra.png");
    const QString dotfile = dir.filePath(QStringLiteral("dotfiles/pellandra.desktop"));
    const QByteArray mine = "[Desktop Entry]\nType=Application\nName=My Pellandra\nExec=/opt/pellandra --debug %f\n";
    ToolLog tools;

    struct Case
    {
        const char *what;
        std::function<void()> prepare;
        QString path; // the file at stake
        bool rewritten;
    };
    const Case cases[] = {
        {"a desktop entry of the user's", [&] { writeFile(entry, mine); }, entry, false},
        {"a desktop entry that is a link",
         [&] {
             writeFile(dotfile, mine);
             QFile::remove(entry);
             QFile::link(dotfile, entry);
         },
         entry, false},
        {"a desktop entry the program wrote for another place",
         [&] { writeFile(entry, entryOf(app::registrationFiles(QStringLiteral("/old/pellandra")))); }, entry, true},
        {"a MIME type of the user's", [&] { writeFile(type, "<mime-info/>"); }, type, false},
        {"an icon of the user's", [&] { writeFile(icon, "my own picture"); }, icon, false},
        {"an empty icon", [&] { writeFile(icon, ""); }, icon, true},
    };
    const QString program = QStringLiteral("/usr/local/bin/pellandra");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(data).removeRecursively();
        QDir(dir.filePath(QStringLiteral("dotfiles"))).removeRecursively();
        ASSERT_EQ(app::registerFileType(program, data, {}, tools.runner()), RegistrationOutcome::Written);
        c.prepare();
        const bool link = QFileInfo(c.path).isSymLink();
        const QByteArray before = readTree(data).at(QDir(data).relativeFilePath(c.path));
        const Tree dotfiles = readTree(dir.filePath(QStringLiteral("dotfiles")));
        tools.runs.clear();
        const RegistrationOutcome outcome = app::registerFileType(program, data, {}, tools.runner());
        EXPECT_EQ(outcome, c.rewritten ? RegistrationOutcome::Written : RegistrationOutcome::Unchanged);
        EXPECT_EQ(tools.runs.isEmpty(), !c.rewritten);
        EXPECT_EQ(QFileInfo(c.path).isSymLink(), link);
        EXPECT_EQ(readTree(dir.filePath(QStringLiteral("dotfiles"))), dotfiles);
        const QByteArray after = readTree(data).at(QDir(data).relativeFilePath(c.path));
        EXPECT_EQ(after == before, !c.rewritten);
        EXPECT_EQ(app::registerFileType(program, data, {}, tools.runner()), RegistrationOutcome::Unchanged);
    }
}
