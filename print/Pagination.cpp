#include "Pagination.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace print {

namespace {

int clampedHeight(std::int64_t height)
{
    return int(std::min<std::int64_t>(height, std::numeric_limits<int>::max()));
}

} // namespace

std::vector<PageSpan> paginate(const PaginationInput &input)
{
    const std::int64_t heading = std::max(input.headingHeight, 0);
    const std::int64_t row = std::max(input.rowHeight, 1);
    std::vector<PageSpan> pages;
    PageSpan page {0, 0, input.titleHeight > 0, true, 0};
    std::int64_t y = heading + std::max(input.titleHeight, 0);
    for (int r = 0; r < input.rows; ++r) {
        y += row;
        if (y > input.usableHeight) {
            // The row that passes the usable height opens the next page; it is placed there whatever its height.
            page.usedHeight = clampedHeight(y - row);
            pages.push_back(page);
            page = PageSpan {r, 0, false, input.repeatHeading, 0};
            y = (input.repeatHeading ? heading : 0) + row;
        }
        ++page.rows;
    }
    page.usedHeight = clampedHeight(y);
    pages.push_back(page);
    return pages;
}

} // namespace print
