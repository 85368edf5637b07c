#pragma once

#include <QString>

namespace print {

class PageSurface;

// Writes every page of a complete document to a PDF file named `path`. An existing file is replaced only by a
// complete new one: when anything fails it stays as it was, and `error` tells why.
bool writePdf(PageSurface &surface, const QString &path, const QString &title, QString *error);

} // namespace print
