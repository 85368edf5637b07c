#include "PrintRange.h"

#include <QPrinter>

namespace print {

std::pair<int, int> chosenPages(const QPrinter &printer, int pageCount, int selectedPage)
{
    switch (printer.printRange()) {
    case QPrinter::PageRange:
        if (printer.fromPage() > 0)
            return {printer.fromPage(), printer.toPage() > 0 ? printer.toPage() : pageCount};
        break;
    case QPrinter::Selection:
    case QPrinter::CurrentPage:
        return {selectedPage, selectedPage};
    case QPrinter::AllPages:
        break;
    }
    return {1, pageCount};
}

} // namespace print
