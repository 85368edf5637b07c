#pragma once

#include "document/DocumentFile.h"

#include <QByteArray>
#include <QString>

namespace app {

// Reading a document file from disk, with the checks made before a window is opened for it.
struct LoadOutcome
{
    // NotAFile: a folder or a loop of links; NotADocument: something that is not a regular file at all.
    enum class Status { Loaded, Missing, Unreadable, NotAFile, NotADocument, WrongFormat };
    Status status = Status::Loaded;
    QString error; // the message for a file that was not loaded
    QString warning; // the reader's message for a file loaded with problems; empty when it read cleanly
    bool damaged = false; // the reader stopped before the end: what was loaded is not the whole document
    bool ok() const { return status == Status::Loaded; }
};

// The bytes of a file that passed the checks: it exists, is a regular file, is not too large, can be read, and starts
// like a document. The messages quote the path as given.
struct FileBytes : LoadOutcome
{
    QByteArray bytes;
};

FileBytes readDocumentBytes(const QString &path);
LoadOutcome loadDocumentFile(const QString &path, document::DocumentData &data, const engine::NumberFormat &format);

} // namespace app
