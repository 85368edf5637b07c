#include "PrintTestSupport.h"

#include "print/PageSurface.h"
#include "print/TableLayout.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include <ostream>

using print::PageSurface;
using print::TableLayout;
using printtest::FakeTable;

namespace {

// Letter, portrait, half-inch top and bottom margins, quarter-inch sides: 14,400 twips high between the margins
// (80 lines of 180 twips) and 11,520 wide. Five columns of 1,500 twips with one-line headings.
struct Layout
{
    explicit Layout(int rows, std::vector<int> widths = std::vector<int>(5, 1500))
        : table(std::make_shared<FakeTable>(std::move(widths), rows))
    {
        job.table = table;
        job.caption = QStringLiteral("loan.plr");
        job.date = QStringLiteral("12/8/2026");
        job.font = QFont(QStringLiteral("DejaVu Sans"), 8);
        job.rowInterval = 3;
        job.rowIntervalColor = QColor(200, 0, 0);
    }
    TableLayout &build()
    {
        layout = std::make_unique<TableLayout>(job);
        layout->build(surface);
        table->forget();
        return *layout;
    }
    QImage render(int page) { return printtest::renderPage(surface, page); }

    std::shared_ptr<FakeTable> table;
    print::PrintJob job;
    PageSurface surface;
    std::unique_ptr<TableLayout> layout;
};

struct HeaderCase
{
    int choice;
    const char *text;
};

// Named by the choice in the test list.
void PrintTo(const HeaderCase &c, std::ostream *os)
{
    *os << "choice " << c.choice;
}

class HeaderFooterChoices : public testing::TestWithParam<HeaderCase>
{
};

TEST_P(HeaderFooterChoices, PutTheRunningPageNumberCaptionAndDateInTheirSlots)
{
    EXPECT_EQ(print::headerFooterText(GetParam().choice, 7, QStringLiteral("loan.plr"), QStringLiteral("12/8/2026")),
              QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Table, HeaderFooterChoices,
                         testing::Values(HeaderCase {0, ""}, HeaderCase {1, "|Page 7|"}, HeaderCase {2, "|loan.plr|"},
                                         HeaderCase {3, "|12/8/2026|"}, HeaderCase {4, "|loan.plr|Page 7|"},
                                         HeaderCase {5, "|Page 7|loan.plr"}, HeaderCase {6, "|Page 7|12/8/2026"},
                                         HeaderCase {7, "|12/8/2026|Page 7"}, HeaderCase {8, ""}, HeaderCase {-1, ""}));

TEST(TableLayout, KeepsABarInTheCaptionOutOfTheSlotSeparators)
{
    EXPECT_EQ(print::headerFooterText(2, 1, QStringLiteral("a|b.plr"), QString()), QStringLiteral("|a\u00A6b.plr|"));
}

TEST(TableLayout, GivesEveryPageItsOwnHeaderAndFooter)
{
    Layout none(200);
    none.job.options.HeaderListIndex = 0;
    none.build();
    ASSERT_EQ(none.surface.pageCount(), 3);
    for (int page = 1; page <= 3; ++page)
        EXPECT_EQ(none.surface.header(page), QString()) << page;
    EXPECT_EQ(none.surface.footer(3), QStringLiteral("|loan.plr|"));

    Layout numbered(200);
    numbered.build();
    EXPECT_EQ(numbered.surface.header(1), QStringLiteral("|Page 1|"));
    EXPECT_EQ(numbered.surface.header(3), QStringLiteral("|Page 3|"));
}

TEST(TableLayout, StartsLaterPagesWithARowOrWithTheRepeatedHeading)
{
    Layout plain(200);
    const TableLayout &layout = plain.build();
    EXPECT_EQ(layout.headingHeight(), 180);
    EXPECT_EQ(layout.rowHeight(), 180);
    EXPECT_EQ(layout.usableHeight(), 14400);
    auto spans = layout.pagination();
    ASSERT_EQ(spans.size(), 3u); // 79 rows below the heading, then 80 and 41
    EXPECT_EQ(spans[1].firstRow, 79);
    EXPECT_EQ(layout.pageTop(spans[1]), 720);
    plain.render(2);
    EXPECT_TRUE(plain.table->headingsDrawn.empty());
    EXPECT_EQ(*plain.table->rowsDrawn.begin(), 79);
    EXPECT_EQ(*plain.table->rowsDrawn.rbegin(), 158);

    Layout repeated(200);
    repeated.job.options.RepeatHeading = 1;
    repeated.build();
    EXPECT_EQ(repeated.surface.pageCount(), 3); // 79 rows on every page
    repeated.render(2);
    EXPECT_EQ(repeated.table->headingsDrawn, (std::set<int> {0, 1, 2, 3, 4}));
    EXPECT_EQ(*repeated.table->rowsDrawn.rbegin(), 157);
}

TEST(TableLayout, LetsHeaderAndFooterEdgesReduceTheUsableHeightWithoutAHeader)
{
    Layout edged(200);
    edged.job.options.HeaderListIndex = 0;
    edged.job.options.FooterListIndex = 0;
    edged.job.options.HeaderEdge = 0.25f;
    edged.job.options.FooterEdge = 0.25f;
    const TableLayout &layout = edged.build();
    EXPECT_EQ(layout.usableHeight(), 14400 - 720);
    const auto spans = layout.pagination();
    EXPECT_EQ(spans[0].rows, 75);
    EXPECT_EQ(layout.pageTop(spans[0]), 720 + 360);
}

TEST(TableLayout, PrintsTheHeadingOnOnePageForATableWithoutRows)
{
    Layout empty(0);
    empty.build();
    ASSERT_EQ(empty.surface.pageCount(), 1);
    empty.render(1);
    EXPECT_EQ(empty.table->headingsDrawn.size(), 5u);
    EXPECT_TRUE(empty.table->rowsDrawn.empty());
}

TEST(TableLayout, CountsThePagesBeforeBuildingThem)
{
    Layout counted(1000);
    counted.job.options.RepeatHeading = 1;
    TableLayout layout(counted.job);
    EXPECT_EQ(layout.countPages(counted.surface), 13); // 79 rows a page
    EXPECT_EQ(counted.surface.pageCount(), 13);
    int reached = 0;
    layout.build(counted.surface, [&](int done, int total) {
        EXPECT_EQ(total, 1000);
        reached = done;
    });
    EXPECT_EQ(counted.surface.pageCount(), 13);
    EXPECT_EQ(reached, 1000);
}

TEST(TableLayout, ShadesBandsOfRowsOnlyInColour)
{
    const struct
    {
        int blackAndWhite, interval;
        std::vector<bool> shaded; // rows 1 to 9
    } cases[] = {
        {0, 3, {false, false, false, true, true, true, false, false, false}},
        {0, 1, {false, true, false, true, false, true, false, true, false}},
        {0, 0, std::vector<bool>(9, false)},
        {1, 3, std::vector<bool>(9, false)},
    };
    for (const auto &c : cases) {
        Layout shaded(20);
        shaded.table->texts = [](int, int) { return QString(); };
        shaded.job.options.BlackAndWhite = c.blackAndWhite;
        shaded.job.rowInterval = c.interval;
        shaded.build();
        const QImage page = shaded.render(1);
        for (int row = 1; row <= 9; ++row) {
            const int y = (720 + 180 + (row - 1) * 180 + 90) / 15;
            EXPECT_EQ(page.pixelColor((360 + 750) / 15, y) == QColor(200, 0, 0), c.shaded[size_t(row - 1)])
                << "black and white " << c.blackAndWhite << ", interval " << c.interval << ", row " << row;
        }
    }
}

TEST(TableLayout, DrawsCellBordersInBlackOrInWhite)
{
    for (int gridLines : {1, 0}) {
        Layout lined(5);
        lined.table->texts = [](int, int) { return QString(); };
        lined.job.options.GridLines = gridLines;
        lined.build();
        const QImage page = lined.render(1);
        // The line under the heading, and the border between the first two columns.
        EXPECT_EQ(printtest::isDark(page, (360 + 750) / 15, (720 + 180) / 15), gridLines == 1);
        EXPECT_EQ(printtest::isDark(page, (360 + 1500) / 15, (720 + 180 + 90) / 15), gridLines == 1);
    }
}

TEST(TableLayout, CentresTheGridAndLeavesOffColumnsThatDoNotFit)
{
    const struct
    {
        int columns, width, centred;
        int printed, left;
    } cases[] = {
        {5, 1500, 1, 5, 360 + (11520 - 7500) / 2},
        {5, 1500, 0, 5, 360},
        {10, 1500, 1, 7, 360 + (11520 - 10500) / 2}, // 15,000 twips: three columns go
        {10, 1500, 0, 7, 360},
        {8, 1440, 0, 8, 360}, // exactly as wide as the page
        {8, 1440, 1, 7, 360 + (11520 - 10080) / 2}, // centred, it must be narrower
    };
    for (const auto &c : cases) {
        Layout wide(3, std::vector<int>(size_t(c.columns), c.width));
        wide.job.options.CenterHorizontally = c.centred;
        const TableLayout &layout = wide.build();
        EXPECT_EQ(layout.printedColumns(), c.printed) << c.columns << " columns, centred " << c.centred;
        EXPECT_EQ(layout.gridLeft(), c.left) << c.columns << " columns, centred " << c.centred;
        wide.render(1);
        EXPECT_EQ(int(wide.table->columnsDrawn.size()), c.printed);
    }
}

TEST(TableLayout, DrawsNoTextInAColumnOfNoWidth)
{
    // Its texts would have no box to stay in and would run over the next column's.
    Layout narrow(3, {1500, 0, 1500});
    narrow.build();
    const QImage page = narrow.render(1);
    EXPECT_EQ(narrow.table->columnsDrawn, (std::set<int> {0, 2}));
    EXPECT_EQ(narrow.table->headingsDrawn, (std::set<int> {0, 2}));
    // Nothing dark inside the third column's first row but its own centred text.
    const int rowTop = (720 + narrow.layout->headingHeight()) / 15 + 2;
    int dark = 0;
    for (int y = rowTop; y < rowTop + 8; ++y)
        for (int x = (360 + 1500) / 15 + 2; x < (360 + 1500 + 400) / 15; ++x)
            dark += printtest::isDark(page, x, y) ? 1 : 0;
    EXPECT_EQ(dark, 0);
}

TEST(TableLayout, CentresEachPageVerticallyOnWhatItHolds)
{
    Layout shortTable(10);
    shortTable.job.options.CenterVertically = 1;
    const TableLayout &layout = shortTable.build();
    // Heading and ten rows use 1,980 of the 14,400 twips.
    EXPECT_EQ(layout.pageTop(layout.pagination()[0]), 720 + (14400 - 1980) / 2);

    Layout longTable(100);
    longTable.job.options.CenterVertically = 1;
    const TableLayout &twoPages = longTable.build();
    const auto spans = twoPages.pagination();
    EXPECT_EQ(twoPages.pageTop(spans[0]), 720); // full
    EXPECT_EQ(twoPages.pageTop(spans[1]), 720 + (14400 - 21 * 180) / 2);

    // Below a title block, at 60 rows a page, the first page leaves part of a row free (80 twips): full all the same,
    // it stays put.
    Layout titled(100);
    titled.job.options.CenterVertically = 1;
    titled.job.options.TitleComments = 1;
    titled.job.title = QStringLiteral("Oak Avenue condo");
    titled.job.options.RowsPerPage = 60;
    const TableLayout &withTitle = titled.build();
    const auto titledSpans = withTitle.pagination();
    ASSERT_EQ(titledSpans.size(), 2U);
    ASSERT_GE(14400 - titledSpans[0].usedHeight, 2);
    EXPECT_EQ(withTitle.pageTop(titledSpans[0]), 720);
    EXPECT_EQ(withTitle.pageTop(titledSpans[1]), 720 + (14400 - titledSpans[1].usedHeight) / 2);
}

TEST(TableLayout, PutsTheTitleBlockAboveTheHeadingOnlyWhenAsked)
{
    Layout titled(200);
    titled.job.title = QStringLiteral("Oak Avenue condo");
    titled.job.comments = QStringLiteral("Fixed rate");
    titled.build();
    EXPECT_EQ(titled.layout->titleHeight(), 0);

    titled.job.options.TitleComments = 1;
    const TableLayout &layout = titled.build();
    EXPECT_GE(layout.titleHeight(), 2 * 180);
    EXPECT_LT(layout.pagination()[0].rows, 79);

    titled.job.title = QStringLiteral(" ");
    titled.job.comments = QString();
    EXPECT_EQ(titled.build().titleHeight(), 0);
}

TEST(TableLayout, WrapsTheTitleBlockWithinThePaper)
{
    const QString words =
        QStringLiteral("Maple Street house, 25-year fixed rate mortgage with the yearly bonus paid each "
                       "spring and a renewal in the fifth year");
    const struct
    {
        int paper, centred, width;
    } cases[] = {
        {1, 0, 8640}, // Letter: six inches
        {6, 0, 7920 - 720}, // Statement: 5 1/2 inches less the margins
        {6, 1, 6600}, // centred, four columns of 1,500 fit and start 600 twips in
        {10, 0, 8391 - 720}, // A5: 148 mm
    };
    for (const auto &c : cases) {
        Layout titled(3);
        titled.job.title = words;
        titled.job.comments = words;
        titled.job.options.TitleComments = 1;
        titled.job.options.PageSize = c.paper;
        titled.job.options.CenterHorizontally = c.centred;
        const TableLayout &layout = titled.build();
        EXPECT_EQ(layout.titleWidth(), c.width) << "paper " << c.paper << ", centred " << c.centred;
        // Nothing of the title or the comments lands in the right margin or beyond it.
        const QImage page = titled.render(1);
        const int top = 720 / 15, bottom = (720 + layout.titleHeight()) / 15;
        const int rightMargin = (titled.surface.pageWidth() - 360) / 15 + 1;
        int dark = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = rightMargin; x < page.width(); ++x)
                dark += printtest::isDark(page, x, y) ? 1 : 0;
        EXPECT_EQ(dark, 0) << "paper " << c.paper << ", centred " << c.centred;
    }
}

// A title longer than page 1 has room for is printed as far as it fits above the heading and a first row.
TEST(TableLayout, PrintsOfAHugeTitleWhatFitsTheBlock)
{
    const struct
    {
        int repeats;
        const char *comments;
    } cases[] = {{40000, ""}, {40000, "Fixed rate"}, {3, ""}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.repeats);
        Layout titled(10);
        titled.job.title = QStringLiteral("Maple Street ").repeated(c.repeats);
        titled.job.comments = QString::fromLatin1(c.comments);
        titled.job.options.TitleComments = 1;
        const TableLayout &layout = titled.build();
        const auto spans = layout.pagination();
        if (c.repeats > 3 && !*c.comments) {
            EXPECT_LE(layout.titleHeight(), layout.usableHeight() - layout.headingHeight() - layout.rowHeight());
            EXPECT_GE(layout.titleHeight(), layout.usableHeight() - layout.headingHeight() - 3 * layout.rowHeight());
            ASSERT_FALSE(spans.empty());
            EXPECT_GE(spans[0].rows, 1);
        }
        EXPECT_GT(layout.titleHeight(), 0);
        // The title's text stays within its block: below it, down to the heading, the page is blank.
        const QImage page = titled.render(1);
        const int blockEnd = (720 + layout.titleHeight()) / 15;
        int dark = 0;
        for (int y = blockEnd - 2; y < blockEnd; ++y)
            for (int x = 0; x < page.width(); ++x)
                dark += printtest::isDark(page, x, y) ? 1 : 0;
        EXPECT_EQ(dark, 0);
    }
}

TEST(TableLayout, BuildsPagesFromDamagedPrintOptions)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float huge = 1e30f;
    for (const float margin : {nan, -5.0f, huge}) {
        Layout damaged(300);
        auto &options = damaged.job.options;
        options.MarginTop = options.MarginBottom = options.MarginLeft = options.MarginRight = margin;
        options.HeaderEdge = options.FooterEdge = margin;
        options.PageSize = 99;
        options.Scaling = 0;
        options.RowsPerPage = 0;
        options.HeaderListIndex = 50;
        options.FooterListIndex = -3;
        damaged.build();
        EXPECT_GE(damaged.surface.pageCount(), 1) << margin;
        EXPECT_LE(damaged.surface.pageCount(), 301) << margin;
        EXPECT_EQ(damaged.surface.header(1), QString());
        damaged.render(1);
    }
}

} // namespace
