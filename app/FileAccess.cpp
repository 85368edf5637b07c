#include "FileAccess.h"

#include "engine/MessageText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

namespace app {

PathKind pathKind(const QString &path)
{
    std::error_code error;
    const std::filesystem::file_status status =
        std::filesystem::status(std::filesystem::path(QFile::encodeName(path).toStdString()), error);
    if (error == std::errc::too_many_symbolic_link_levels)
        return PathKind::LinkLoop;
    switch (status.type()) {
    case std::filesystem::file_type::not_found:
        return PathKind::Missing;
    case std::filesystem::file_type::directory:
        return PathKind::Folder;
    case std::filesystem::file_type::fifo:
    case std::filesystem::file_type::socket:
    case std::filesystem::file_type::character:
    case std::filesystem::file_type::block:
        return PathKind::Special;
    default:
        return PathKind::File;
    }
}

QString quotedForMessage(const QString &text)
{
    // A megabyte of text goes no further than its first characters.
    const QString start = text.left(qsizetype(engine::kMaxQuotedCharacters) * 2 + 2);
    return QString::fromStdString(engine::quotedForMessage(start.toStdString()));
}

QString absolutePath(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString pathFromSettings(const QString &stored)
{
    // A drive letter or a network share: the form the Windows versions wrote.
    static const QRegularExpression windowsPath(QStringLiteral("^([A-Za-z]:\\\\|\\\\\\\\)"));
    if (!windowsPath.match(stored).hasMatch())
        return stored;
    return QString(stored).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

bool writeFully(QFileDevice &device, QByteArrayView bytes)
{
    // A short write is tried again with the rest: the second attempt reports why the first stopped.
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 written = device.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += qsizetype(written);
    }
    // A buffered write succeeds before anything reaches the disk; only the flush tells whether it did.
    return device.flush();
}

QString replaceFile(const QString &path, QByteArrayView bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a failing write reports itself at once; commit() may still report success for data
    // that never reached the disk from a buffer.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && writeFully(file, bytes) && file.commit())
        return {};
    const QString reason = file.errorString();
    file.cancelWriting();
    return reason.isEmpty() ? QStringLiteral("Unknown error") : reason;
}

} // namespace app
