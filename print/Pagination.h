#pragma once

#include <vector>

namespace print {

// The heights (in twips) that decide where a table's pages break. Every row is as high as the measured row.
struct PaginationInput
{
    int usableHeight = 0; // page height less the margins and the header and footer edges
    int headingHeight = 0;
    int titleHeight = 0; // the title block above the heading on page 1; 0 when there is none
    int rowHeight = 0;
    int rows = 0;
    bool repeatHeading = false;
};

// The rows one page holds (0-based, `firstRow` .. `firstRow + rows - 1`) and what stands above them.
struct PageSpan
{
    int firstRow = 0;
    int rows = 0;
    bool title = false;
    bool heading = false;
    int usedHeight = 0; // title, heading and rows together
    friend bool operator==(const PageSpan &, const PageSpan &) = default;
};

// Pages of a table: rows are added to a page while they end at or above the usable height; the row that would pass
// it starts the next page, below the heading again when it is repeated. A row taller than a whole page still gets a
// page of its own, so every input ends. A table without rows gives one page with its heading.
std::vector<PageSpan> paginate(const PaginationInput &input);

} // namespace print
