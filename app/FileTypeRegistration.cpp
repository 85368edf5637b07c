#include "FileTypeRegistration.h"

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

// The installed entry runs "pellandra" from the PATH; this one runs the program that is starting.
QByteArray entryFor(const QString &programPath)
{
    QByteArrayList lines = resource(QStringLiteral("pellandra.desktop")).split('\n');
    for (QByteArray &line : lines) {
        if (line.startsWith("Exec="))
            line = "Exec=" + desktopExecArgument(programPath).toUtf8() + " %f";
    }
    return lines.join('\n');
}

bool holds(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.size() == contents.size() && file.open(QIODevice::ReadOnly) && file.readAll() == contents;
}

QString canonical(const QString &path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? QDir::cleanPath(path) : resolved;
}

} // namespace

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
    QList<RegistrationFile> files {{kDesktopEntry, entryFor(programPath)},
                                   {kMimeType, resource(QStringLiteral("pellandra.xml"))}};
    for (const int size : kProgramIconSizes) {
        const QByteArray icon = resource(QStringLiteral("icons/pellandra-%1.png").arg(size));
        const QString folder = QStringLiteral("icons/hicolor/%1x%1/").arg(size);
        files.append({folder + QStringLiteral("apps/pellandra.png"), icon});
        files.append({folder + QStringLiteral("mimetypes/application-x-pellandra.png"), icon});
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
        if (holds(path, file.contents))
            continue;
        if (file.contents.isEmpty() || !root.mkpath(QFileInfo(file.path).path()))
            return RegistrationOutcome::Failed;
        auto save = std::make_unique<QSaveFile>(path);
        if (!save->open(QIODevice::WriteOnly) || save->write(file.contents) != file.contents.size())
            return RegistrationOutcome::Failed; // the files not committed are dropped with their QSaveFile
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
