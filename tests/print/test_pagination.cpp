#include "print/Pagination.h"

#include <gtest/gtest.h>

#include <ostream>

using print::PageSpan;
using print::paginate;
using print::PaginationInput;

namespace {

struct PaginationCase
{
    const char *name;
    PaginationInput input;
    std::vector<PageSpan> pages;
};

// Named by what it shows in the test list.
void PrintTo(const PaginationCase &c, std::ostream *os)
{
    *os << c.name;
}

// Heading 200 and rows of 100 twips on a usable height of 1000 leave room for 8 rows below the heading.
const PaginationCase kCases[] = {
    {"rows after the first page start at the top without the heading",
     {1000, 200, 0, 100, 20, false},
     {{0, 8, false, true, 1000}, {8, 10, false, false, 1000}, {18, 2, false, false, 200}}},
    {"a repeated heading stands above the rows of every page",
     {1000, 200, 0, 100, 20, true},
     {{0, 8, false, true, 1000}, {8, 8, false, true, 1000}, {16, 4, false, true, 600}}},
    {"a row ending exactly at the usable height stays on its page",
     {1000, 200, 0, 100, 8, false},
     {{0, 8, false, true, 1000}}},
    {"one twip less and the last row starts the next page",
     {999, 200, 0, 100, 8, false},
     {{0, 7, false, true, 900}, {7, 1, false, false, 100}}},
    {"the title block takes its height from the first page only",
     {1000, 200, 300, 100, 12, true},
     {{0, 5, true, true, 1000}, {5, 7, false, true, 900}}},
    {"a table without rows gives one page with its heading", {1000, 200, 0, 100, 0, false}, {{0, 0, false, true, 200}}},
    {"a title alone still gets its page", {1000, 200, 300, 100, 0, true}, {{0, 0, true, true, 500}}},
    {"a row taller than a page gets a page of its own",
     {1000, 200, 0, 1500, 3, false},
     {{0, 0, false, true, 200}, {0, 1, false, false, 1500}, {1, 1, false, false, 1500}, {2, 1, false, false, 1500}}},
    {"no usable height at all still ends, one row a page",
     {-50, 0, 0, 100, 2, false},
     {{0, 0, false, true, 0}, {0, 1, false, false, 100}, {1, 1, false, false, 100}}},
};

class Pagination : public testing::TestWithParam<PaginationCase>
{
};

TEST_P(Pagination, BreaksPagesWhereRowsPassTheUsableHeight)
{
    EXPECT_EQ(paginate(GetParam().input), GetParam().pages) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Cases, Pagination, testing::ValuesIn(kCases));

TEST(Pagination, KeepsEveryRowOfANinetyThousandRowSchedule)
{
    // A letter page with half-inch margins at 80 rows a page, a two-line heading: 78 rows on page 1, then 80 a page,
    // so 89,923 rows fill 1,125 more pages.
    const auto pages = paginate({14400, 360, 0, 180, 90001, false});
    ASSERT_EQ(pages.size(), 1126u);
    EXPECT_EQ(pages[1].firstRow, 78);
    EXPECT_EQ(pages.back().firstRow + pages.back().rows, 90001);
}

} // namespace
