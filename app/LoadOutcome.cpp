#include "LoadOutcome.h"

#include "FileAccess.h"

#include <QFile>
#include <QFileInfo>

namespace app {

FileBytes readDocumentBytes(const QString &path)
{
    FileBytes file;
    const QString quoted = quotedForMessage(path);
    auto refuse = [&](LoadOutcome::Status status, const QString &message) {
        file.status = status;
        file.error = message;
        return file;
    };
    // Checked before anything is opened: opening a FIFO waits for a writer that may never come.
    switch (pathKind(path)) {
    case PathKind::Missing:
        return refuse(LoadOutcome::Status::Missing,
                      QString::fromStdString(document::missingFileMessage(quoted.toStdString())));
    case PathKind::Folder:
        return refuse(LoadOutcome::Status::NotAFile,
                      QStringLiteral("'%1' is a folder, not a document file.").arg(quoted));
    case PathKind::LinkLoop:
        return refuse(LoadOutcome::Status::NotAFile,
                      QStringLiteral("'%1' cannot be opened: its symbolic links lead round in a loop.").arg(quoted));
    case PathKind::Special:
        return refuse(LoadOutcome::Status::NotADocument, QStringLiteral("'%1' is not a document file.").arg(quoted));
    case PathKind::File:
        break;
    }
    if (QFileInfo(path).size() > qint64(document::kMaxDocumentBytes)) {
        return refuse(LoadOutcome::Status::Unreadable,
                      QStringLiteral("File '%1' is too large to be a loan document (more than 64 MB).").arg(quoted));
    }
    QFile handle(path);
    if (!handle.open(QIODevice::ReadOnly)) {
        return refuse(LoadOutcome::Status::Unreadable,
                      QStringLiteral("File '%1' cannot be read: %2").arg(quoted, handle.errorString()));
    }
    file.bytes = handle.read(qint64(document::kMaxDocumentBytes) + 1);
    if (!document::hasDocumentSignature(std::string_view(file.bytes.constData(), size_t(file.bytes.size())))) {
        file.bytes.clear();
        return refuse(LoadOutcome::Status::WrongFormat,
                      QString::fromStdString(document::wrongFormatMessage(quoted.toStdString())));
    }
    return file;
}

LoadOutcome loadDocumentFile(const QString &path, document::DocumentData &data, const engine::NumberFormat &format)
{
    const FileBytes file = readDocumentBytes(path);
    LoadOutcome outcome = file;
    if (!file.ok())
        return outcome;
    const document::ReadResult result =
        document::readDocument(std::string_view(file.bytes.constData(), size_t(file.bytes.size())), data, format);
    outcome.warning = QString::fromStdString(result.message());
    outcome.damaged = result.stoppedEarly;
    return outcome;
}

} // namespace app
