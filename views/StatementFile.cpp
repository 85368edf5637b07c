#include "StatementFile.h"

#include "document/TextEncoding.h"
#include "engine/MessageText.h"
#include "engine/Statement.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace views {

StatementText readStatementFile(const QString &path)
{
    StatementText statement;
    const QString quoted = QString::fromStdString(engine::quotedForMessage(path.toStdString()));
    const QFileInfo info(path);
    if (!info.exists()) {
        statement.missing = true;
        statement.error = QStringLiteral("The statement file '%1' does not exist.").arg(quoted);
        return statement;
    }
    // Checked before anything is opened: opening a FIFO waits for a writer that may never come.
    if (!info.isFile()) {
        statement.error = QStringLiteral("'%1' is not a statement file.").arg(quoted);
        return statement;
    }
    if (info.size() > qint64(engine::kMaxStatementBytes)) {
        statement.error = QStringLiteral("The statement file '%1' is larger than 16 MB.").arg(quoted);
        return statement;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        statement.error = QStringLiteral("The statement file '%1' cannot be read: %2").arg(quoted, file.errorString());
        return statement;
    }
    // One byte beyond the limit, so that a file that grew since it was looked at is still refused by the reader.
    const QByteArray bytes = file.read(qint64(engine::kMaxStatementBytes) + 1);
    const std::string_view view(bytes.constData(), size_t(bytes.size()));
    // A spreadsheet's "Unicode text" is UTF-16 behind its byte-order mark.
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        const QByteArray mark = encoding == QStringConverter::Utf16LE ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
        if (bytes.startsWith(mark)) {
            QStringDecoder decode(encoding);
            statement.text = QString(decode(bytes.mid(2))).toStdString();
            return statement;
        }
    }
    statement.text = document::decodedText(view);
    return statement;
}

} // namespace views
