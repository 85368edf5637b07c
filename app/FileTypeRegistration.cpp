#include "FileTypeRegistration.h"

#include "FileAccess.h"
#include "Icons.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <memory>
#include <vector>

namespace app {

namespace {

const QString kDesktopEntry = QStringLiteral("applications/pellandra.desktop");
const QString kMimeType = QStringLiteral("mime/packages/pellandra.xml");

QByteArray resource(const QString &name)
{
    QFile file(QStringLiteral(":/desktop/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The installed entry runs "pellandra" from the PATH; this one runs the program that is starting, and says that the
// program wrote it.
QByteArray entryFor(const QString &programPath)
{
    QByteArrayList lines = resource(QStringLiteral("pellandra.desktop")).split('\n');
    for (QByteArray &line : lines) {
        if (line.startsWith("Exec="))
            line = "Exec=" + desktopExecArgument(programPath).toUtf8() + " %f";
    }
    lines.insert(lines.last().isEmpty() ? lines.size() - 1 : lines.size(), kDesktopEntryMarker);
    return lines.join('\n');
}

// The MIME type with its marker as a comment after the XML declaration.
QByteArray mimeTypeFile()
{
    QByteArray xml = resource(QStringLiteral("pellandra.xml"));
    const qsizetype declarationEnd = xml.startsWith("<?xml") ? xml.indexOf('\n') + 1 : 0;
    return xml.insert(declarationEnd, kMimeTypeMarker + '\n');
}

// What stands at a registration file's place.
enum class Existing {
    Same, // the file holds what would be written
    Replaceable, // nothing, an empty file (a write that failed), or a file the program wrote before
    Foreign, // the user's own file, a symbolic link, or anything that is not a regular file: left alone
};

Existing existing(const QString &path, const RegistrationFile &file)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return Existing::Foreign;
    if (!info.exists())
        return Existing::Replaceable;
    // A desktop entry or a MIME type is a few hundred bytes; a much larger file is nothing the program wrote.
    constexpr qint64 kLargestOwnFile = 1 << 20;
    if (!info.isFile() || info.size() > kLargestOwnFile)
        return Existing::Foreign;
    if (info.size() == 0)
        return Existing::Replaceable;
    QFile handle(path);
    if (!handle.open(QIODevice::ReadOnly))
        return Existing::Foreign;
    const QByteArray contents = handle.readAll();
    if (contents == file.contents)
        return Existing::Same;
    const bool marked = !file.marker.isEmpty() && contents.split('\n').contains(file.marker);
    return marked ? Existing::Replaceable : Existing::Foreign;
}

QString canonical(const QString &path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? QDir::cleanPath(path) : resolved;
}

} // namespace

const QByteArray kDesktopEntryMarker = QByteArrayLiteral("X-Pellandra-Generated=true");
const QByteArray kMimeTypeMarker =
    QByteArrayLiteral("<!-- X-Pellandra-Generated: Pellandra writes this file at every start; "
                      "without this line it keeps the file as it is. -->");

QString desktopExecArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = argument.isEmpty();
    for (const QChar c : argument)
        quote = quote || reserved.contains(c);

    QString quoted;
    for (const QChar c : argument) {
        if (quote && (c == u'"' || c == u'`' || c == u'$' || c == u'\\'))
            quoted += u'\\';
        quoted += c;
        if (c == u'%')
            quoted += u'%';
    }
    if (quote)
        quoted = u'"' + quoted + u'"';

    // The key's value is a string: its own backslashes and control characters are escaped once more.
    QString value;
    for (const QChar c : quoted) {
        switch (c.unicode()) {
        case u'\\':
            value += QStringLiteral("\\\\");
            break;
        case u'\n':
            value += QStringLiteral("\\n");
            break;
        case u'\t':
            value += QStringLiteral("\\t");
            break;
        case u'\r':
            value += QStringLiteral("\\r");
            break;
        default:
            value += c;
        }
    }
    return value;
}

QList<RegistrationFile> registrationFiles(const QString &programPath)
{
    QList<RegistrationFile> files {{kDesktopEntry, entryFor(programPath), kDesktopEntryMarker},
                                   {kMimeType, mimeTypeFile(), kMimeTypeMarker}};
    for (const int size : kProgramIconSizes) {
        const QByteArray icon = resource(QStringLiteral("icons/pellandra-%1.png").arg(size));
        const QString folder = QStringLiteral("icons/hicolor/%1x%1/").arg(size);
        files.append({folder + QStringLiteral("apps/pellandra.png"), icon, {}});
        files.append({folder + QStringLiteral("mimetypes/application-x-pellandra.png"), icon, {}});
    }
    return files;
}

bool installedSystemWide(const QString &programFolder, const QStringList &dataFolders)
{
    if (QDir(programFolder).dirName() != QLatin1String("bin"))
        return false;
    const QString share = canonical(programFolder + QStringLiteral("/../share"));
    for (const QString &folder : dataFolders) {
        if (canonical(folder) == share)
            return QFileInfo::exists(share + u'/' + kDesktopEntry) && QFileInfo::exists(share + u'/' + kMimeType);
    }
    return false;
}

RegistrationOutcome writeRegistration(const QString &dataFolder, const QList<RegistrationFile> &files)
{
    const QDir root(dataFolder);
    std::vector<std::unique_ptr<QSaveFile>> pending;
    for (const RegistrationFile &file : files) {
        const QString path = root.filePath(file.path);
        if (existing(path, file) != Existing::Replaceable)
            continue;
        if (file.contents.isEmpty() || !root.mkpath(QFileInfo(file.path).path()))
            return RegistrationOutcome::Failed;
        // As a document is saved: every byte written and flushed before anything replaces what is there, so that a
        // full disk cannot leave empty files behind. The files not committed are dropped with their QSaveFile.
        auto save = std::make_unique<QSaveFile>(path);
        if (!save->open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !writeFully(*save, file.contents))
            return RegistrationOutcome::Failed;
        pending.push_back(std::move(save));
    }
    if (pending.empty())
        return RegistrationOutcome::Unchanged;
    for (const auto &save : pending) {
        if (!save->commit())
            return RegistrationOutcome::Failed;
    }
    return RegistrationOutcome::Written;
}

RegistrationOutcome registerFileType(const QString &programPath, const QString &dataFolder,
                                     const QStringList &systemDataFolders, const ToolRunner &runTool)
{
    if (dataFolder.isEmpty() || installedSystemWide(QFileInfo(programPath).absolutePath(), systemDataFolders))
        return RegistrationOutcome::Unchanged;
    const RegistrationOutcome outcome = writeRegistration(dataFolder, registrationFiles(programPath));
    if (outcome == RegistrationOutcome::Written) {
        const QDir root(dataFolder);
        runTool(QStringLiteral("update-mime-database"), {root.filePath(QStringLiteral("mime"))});
        runTool(QStringLiteral("update-desktop-database"), {root.filePath(QStringLiteral("applications"))});
    }
    return outcome;
}

void registerFileType()
{
    registerFileType(QCoreApplication::applicationFilePath(),
                     QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                     QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation),
                     [](const QString &tool, const QStringList &arguments) {
                         const QString path = QStandardPaths::findExecutable(tool);
                         if (path.isEmpty())
                             return;
                         // Detached and silent: the start does not wait for the desktop's caches.
                         QProcess process;
                         process.setProgram(path);
                         process.setArguments(arguments);
                         process.setStandardOutputFile(QProcess::nullDevice());
                         process.setStandardErrorFile(QProcess::nullDevice());
                         process.startDetached();
                     });
}

} // namespace app
