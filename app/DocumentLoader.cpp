#include "DocumentLoader.h"

#include <QFile>
#include <QFileInfo>

namespace app {

FileBytes readDocumentBytes(const QString &path)
{
    FileBytes file;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        file.status = LoadOutcome::Status::Missing;
        file.error = QString::fromStdString(document::missingFileMessage(path.toStdString()));
        return file;
    }
    if (info.size() > qint64(document::kMaxDocumentBytes)) {
        file.status = LoadOutcome::Status::Unreadable;
        file.error = QStringLiteral("File '%1' is too large to be a loan document (more than 64 MB).").arg(path);
        return file;
    }
    QFile handle(path);
    if (!handle.open(QIODevice::ReadOnly)) {
        file.status = LoadOutcome::Status::Unreadable;
        file.error = QStringLiteral("File '%1' cannot be read: %2").arg(path, handle.errorString());
        return file;
    }
    file.bytes = handle.read(qint64(document::kMaxDocumentBytes) + 1);
    if (!document::hasDocumentSignature(std::string_view(file.bytes.constData(), size_t(file.bytes.size())))) {
        file.status = LoadOutcome::Status::WrongFormat;
        file.error = QString::fromStdString(document::wrongFormatMessage(path.toStdString()));
        file.bytes.clear();
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
    return outcome;
}

} // namespace app
