#pragma once

#include <QByteArrayView>
#include <QString>

class QFileDevice;

namespace app {

// What a path names, as far as opening it as a document is concerned.
enum class PathKind {
    File, // a regular file, or one the system would not describe: opening it tells what is wrong
    Missing,
    Folder,
    LinkLoop, // symbolic links that lead back to themselves
    Special, // a FIFO, socket or device: reading one may block for good or never end
};

PathKind pathKind(const QString &path);

// Where a write to a path goes, and whether the program may make it there.
struct WriteTarget
{
    QString path; // the file to replace or create: the path itself, or the file its symbolic links lead to
    QString refusal; // why nothing may be written there, as a message's reason; empty when the write may go ahead
    bool ok() const { return refusal.isEmpty(); }
};

// The one rule for every file the program writes: a regular file or a new path, a symbolic link followed to its
// target, which must be one of those. A folder, a FIFO, a socket or a device is refused and left as it is. Looks at
// the path's type only: nothing is opened.
WriteTarget writeTarget(const QString &path);

// True when both paths name one existing file, through links or another spelling.
bool sameExistingFile(const QString &a, const QString &b);

// User data as a message quotes it: whole when short, else its first 40 characters and "…".
QString quotedForMessage(const QString &text);

// The full, clean form of a path, so that it names the same file whatever the current folder.
QString absolutePath(const QString &path);

// A path read from the settings. Entries written by the program's Windows versions ("C:\Loans\car.plr") get this
// platform's separator; every other path is taken as it is, backslashes included, as they are ordinary characters
// in file names here.
QString pathFromSettings(const QString &stored);

// Writes every byte to an open device and pushes them out of its buffer. False, with the device's error string
// telling why, when any part could not be written.
bool writeFully(QFileDevice &device, QByteArrayView bytes);

// Replaces the file at `path` (where writeTarget() leads) with `bytes` through a temporary file, renamed over it only
// once every byte is written: a failure leaves the old file as it was. Returns why on failure, an empty text on
// success.
QString replaceFile(const QString &path, QByteArrayView bytes);

} // namespace app
