#pragma once

#include <QString>

#include <string>

namespace views {

// The text of a lender's statement as the statement reader takes it.
struct StatementText
{
    std::string text; // UTF-8
    QString error; // why the file was not read; empty when it was
    bool missing = false; // the file does not exist
    bool ok() const { return error.isEmpty(); }
};

// Reads a statement file: refused when it is missing, unreadable or larger than the reader accepts. Bytes that are not
// UTF-8 are taken as Windows-1252, the encoding many spreadsheets save CSV in; UTF-16 is known by its byte-order mark.
StatementText readStatementFile(const QString &path);

} // namespace views
