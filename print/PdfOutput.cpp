#include "PdfOutput.h"

#include "PageSurface.h"

#include <QPdfWriter>
#include <QSaveFile>

namespace print {

bool writePdf(PageSurface &surface, const QString &path, const QString &title, QString *error,
              const PageSurface::PagePrinted &pagePrinted)
{
    // The PDF goes to a temporary file beside the target, renamed over it only once it is whole; QSaveFile also
    // remembers a failed write (a full disk) and refuses to commit.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    bool printed = false;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Pellandra"));
        writer.setTitle(title);
        printed = surface.print(writer, 1, surface.pageCount(), error, pagePrinted);
    }
    if (!printed) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace print
