#pragma once

#include "document/DocumentFile.h"
#include "engine/NumberFormat.h"

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

// The example documents shipped with the program, by file name.
inline QString examplePath(const char *name)
{
    return QStringLiteral(PELLANDRA_SOURCE_DIR "/examples/") + QLatin1String(name);
}

// A document file as the reader loads it.
inline document::DocumentData readDocumentFile(const QString &path, const engine::NumberFormat &format = {})
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    document::DocumentData data;
    document::readDocument(std::string_view(bytes.constData(), size_t(bytes.size())), data, format);
    return data;
}

// An example document as the reader loads it.
inline document::DocumentData readExample(const char *name, const engine::NumberFormat &format = {})
{
    return readDocumentFile(examplePath(name), format);
}
