#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace app {

// One file that tells the desktop about Pellandra's documents: where it goes under a data folder
// (applications/..., mime/packages/..., icons/hicolor/...) and what it holds.
struct RegistrationFile
{
    QString path;
    QByteArray contents;
    // The line that tells a file of this kind written by the program from one the user made; empty for an icon, which
    // has no room for one: an icon is written only where there is none yet (or an empty one).
    QByteArray marker;
};

// The line the program's own desktop entry and MIME type carry.
extern const QByteArray kDesktopEntryMarker;
extern const QByteArray kMimeTypeMarker;

// `argument` written as one argument of a desktop entry's Exec key: quoted when it holds a character the format
// reserves, with the escapes that quoting and the key's string type ask for, and "%" doubled.
QString desktopExecArgument(const QString &argument);

// The files that register the document type for the program at `programPath`: the desktop entry opening documents
// with that program, the MIME type of "*.plr" files and the icons of the program and of its documents.
QList<RegistrationFile> registrationFiles(const QString &programPath);

// True when the program in `programFolder` is an installed one (<prefix>/bin) whose <prefix>/share is one of
// `dataFolders`, the folders the desktop reads, and holds the installed desktop entry and MIME type: the desktop
// knows the program already, and a per-user entry would only shadow the installed one.
bool installedSystemWide(const QString &programFolder, const QStringList &dataFolders);

enum class RegistrationOutcome { Unchanged, Written, Failed };

// Writes the files under `dataFolder`, each only when it does not already hold the same bytes, so that starting
// again changes nothing. A file is replaced only when the program wrote it (it carries the file's marker, or is
// empty): any other file, and any symbolic link, is left alone. The new files replace the old ones only when every
// one of them could be written and flushed to the disk.
RegistrationOutcome writeRegistration(const QString &dataFolder, const QList<RegistrationFile> &files);

// Runs a tool on its arguments without waiting for it.
using ToolRunner = std::function<void(const QString &tool, const QStringList &arguments)>;

// The start-up registration: writes the files for the running program into the user's data folder, unless the
// program is installed system-wide, and has the desktop's MIME and desktop-entry caches rebuilt when something
// changed and their tools exist. Nothing is reported: without it the program works all the same.
RegistrationOutcome registerFileType(const QString &programPath, const QString &dataFolder,
                                     const QStringList &systemDataFolders, const ToolRunner &runTool);
// The same for the running program, its user's data folder and the system's tools, started detached.
void registerFileType();

} // namespace app
