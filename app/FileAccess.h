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

// Replaces the file at `path` with `bytes` through a temporary file, renamed over it only once every byte is
// written: a failure leaves the old file as it was. Returns the system's reason on failure, an empty text on success.
QString replaceFile(const QString &path, QByteArrayView bytes);

} // namespace app
