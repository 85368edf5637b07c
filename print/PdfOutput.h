#pragma once

#include "PageSurface.h"

#include <QString>

namespace print {

// Writes every page of a complete document to a PDF file named `path`. An existing file is replaced only by a
// complete new one: when anything fails, or `pagePrinted` stops the writing (see PageSurface::print), it stays as it
// was, and `error` tells why.
bool writePdf(PageSurface &surface, const QString &path, const QString &title, QString *error,
              const PageSurface::PagePrinted &pagePrinted = {});

} // namespace print
