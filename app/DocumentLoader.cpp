#include "DocumentLoader.h"

#include <QFile>
#include <QFileInfo>

namespace app {

LoadOutcome loadDocumentFile(const QString &path, document::DocumentData &data, const engine::NumberFormat &format)
{
    LoadOutcome outcome;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        outcome.status = LoadOutcome::Status::Missing;
        outcome.error = QString::fromStdString(document::missingFileMessage(path.toStdString()));
        return outcome;
    }
    if (info.size() > qint64(document::kMaxDocumentBytes)) {
        outcome.status = LoadOutcome::Status::Unreadable;
        outcome.error = QStringLiteral("File '%1' is too large to be a loan document (more than 64 MB).").arg(path);
        return outcome;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        outcome.status = LoadOutcome::Status::Unreadable;
        outcome.error = QStringLiteral("File '%1' cannot be read: %2").arg(path, file.errorString());
        return outcome;
    }
    const QByteArray bytes = file.read(qint64(document::kMaxDocumentBytes) + 1);
    const std::string_view view(bytes.constData(), size_t(bytes.size()));
    if (!document::hasDocumentSignature(view)) {
        outcome.status = LoadOutcome::Status::WrongFormat;
        outcome.error = QString::fromStdString(document::wrongFormatMessage(path.toStdString()));
        return outcome;
    }
    const document::ReadResult result = document::readDocument(view, data, format);
    outcome.warning = QString::fromStdString(result.message());
    return outcome;
}

} // namespace app
