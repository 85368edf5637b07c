#include "views/StatementFile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using views::readStatementFile;

TEST(StatementFile, ReadsTextAndRefusesWhatIsNoStatementFile)
{
    QTemporaryDir dir;
    auto write = [&](const char *name, const QByteArray &bytes, qint64 size = -1) {
        QFile file(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        if (size >= 0)
            file.resize(size);
        return file.fileName();
    };
    // Saved by a spreadsheet in Windows-1252: the euro sign is byte 0x80.
    const QString cp1252 = write("cp1252.csv", "Date;Payment\n2025-01-01;12,50 \x80\n");
    views::StatementText read = readStatementFile(cp1252);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.text, "Date;Payment\n2025-01-01;12,50 \u20ac\n");
    read = readStatementFile(write("utf8.csv",
                                   "Date,Payment\n2025-01-01,\xE2\x82\xAC"
                                   "12.50\n"));
    EXPECT_EQ(read.text, "Date,Payment\n2025-01-01,\u20ac12.50\n");
    // A spreadsheet's "Unicode text", tab-separated UTF-16 in either byte order.
    const QString unicode = QStringLiteral("Date\tPayment\r\n2025-01-01\t\u20ac12.50\r\n");
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        QStringEncoder encode(encoding, QStringConverter::Flag::WriteBom);
        read = readStatementFile(write("unicode.txt", encode(unicode)));
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        EXPECT_EQ(read.text, unicode.toStdString());
    }

    const QString fifo = dir.filePath(QStringLiteral("pipe.csv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    write("huge.csv", "Date,Payment\n", 16 * 1024 * 1024 + 1);
    struct Case
    {
        QString path;
        bool missing;
        QString error;
    };
    // Relative paths, so that the messages quote them whole.
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const QList<Case> cases = {
        {QStringLiteral("absent.csv"), true, QStringLiteral("The statement file 'absent.csv' does not exist.")},
        {QStringLiteral("pipe.csv"), false, QStringLiteral("'pipe.csv' is not a statement file.")},
        {QStringLiteral("huge.csv"), false, QStringLiteral("The statement file 'huge.csv' is larger than 16 MB.")},
        {QStringLiteral("."), false, QStringLiteral("'.' is not a statement file.")},
    };
    for (const Case &c : cases) {
        read = readStatementFile(c.path);
        EXPECT_EQ(read.error, c.error);
        EXPECT_EQ(read.missing, c.missing);
        EXPECT_TRUE(read.text.empty());
    }
    QDir::setCurrent(previous);
}
