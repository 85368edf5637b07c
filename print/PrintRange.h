#pragma once

#include <utility>

class QPrinter;

namespace print {

// The first and last page the print dialog chose on `printer`: every page, the range typed (to the last page when
// only a start was given), or for the selection the page `selectedPage` that is on show.
std::pair<int, int> chosenPages(const QPrinter &printer, int pageCount, int selectedPage);

} // namespace print
