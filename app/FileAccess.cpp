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

WriteTarget writeTarget(const QString &path)
{
    namespace fs = std::filesystem;
    WriteTarget target;
    fs::path at(QFile::encodeName(path).toStdString());
    std::error_code error;
    // The links are followed here rather than by the writer, so that what is checked is what gets written.
    constexpr int kMostLinks = 40; // as the system's own limit
    for (int links = 0; fs::symlink_status(at, error).type() == fs::file_type::symlink; ++links) {
        const fs::path next = fs::read_symlink(at, error);
        if (links == kMostLinks || error) {
            target.refusal = QStringLiteral("Its symbolic links lead round in a loop");
            return target;
        }
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    target.path = QFile::decodeName(QByteArray::fromStdString(at.string()));
    switch (fs::status(at, error).type()) {
    case fs::file_type::directory:
        target.refusal = QStringLiteral("It is a folder, not a file");
        break;
    case fs::file_type::fifo:
    case fs::file_type::socket:
    case fs::file_type::character:
    case fs::file_type::block:
        target.refusal = QStringLiteral("It is not a regular file (a device, FIFO or socket), and is left as it is");
        break;
    default:
        // A regular file, a new one, or one the system would not describe: the writer says what is wrong with it.
        break;
    }
    return target;
}

bool sameExistingFile(const QString &a, const QString &b)
{
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::path(QFile::encodeName(a).toStdString()),
                                       std::filesystem::path(QFile::encodeName(b).toStdString()), error);
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
    const WriteTarget target = writeTarget(path);
    if (!target.ok())
        return target.refusal;
    QSaveFile file(target.path);
    // Unbuffered, so that a failing write reports itself at once; commit() may still report success for data
    // that never reached the disk from a buffer.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && writeFully(file, bytes) && file.commit())
        return {};
    const QString reason = file.errorString();
    file.cancelWriting();
    return reason.isEmpty() ? QStringLiteral("Unknown error") : reason;
}

} // namespace app
