#include "document/ColumnChooser.h"
#include "document/DocumentFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <vector>

using namespace document;

namespace {

using Columns = std::vector<int>;

// Shows the columns in `shown` in that order after "No.", hides the rest.
ColumnProperties layout(const Columns &shown)
{
    ColumnProperties columns;
    for (int k = 1; k < kLogicalColumns; ++k)
        columns.columns[size_t(k)].Position = -1;
    for (size_t i = 0; i < shown.size(); ++i)
        columns.columns[size_t(shown[i])].Position = int(i) + 1;
    return columns;
}

std::vector<int> positions(const ColumnProperties &columns)
{
    std::vector<int> out;
    for (const auto &column : columns.columns)
        out.push_back(column.Position);
    return out;
}

} // namespace

TEST(ColumnChooserTest, ListsLeaveNoOutAndFollowTheLayout)
{
    ColumnProperties columns = layout({8, 1, 6});
    // A position the grid cannot show counts as hidden.
    columns.columns[4].Position = 40;
    const ColumnChooser chooser(columns);
    EXPECT_EQ(chooser.visible(), (Columns {8, 1, 6}));
    EXPECT_EQ(chooser.hidden(), (Columns {2, 3, 4, 5, 7, 9, 10, 11, 12}));
}

TEST(ColumnChooserTest, Moves)
{
    using Move = std::optional<int> (ColumnChooser::*)(int);
    struct Case
    {
        const char *name;
        Columns shown;
        Move move;
        int index;
        std::optional<int> selected;
        Columns visible;
        int lastHidden; // the column at the end of the hidden list afterwards
    };
    for (const Case &c : {
             Case {
                 "up on the first changes nothing", {1, 2, 3}, &ColumnChooser::moveUp, 0, std::nullopt, {1, 2, 3}, 12},
             Case {"down on the last changes nothing",
                   {1, 2, 3},
                   &ColumnChooser::moveDown,
                   2,
                   std::nullopt,
                   {1, 2, 3},
                   12},
             Case {"nothing selected", {1, 2, 3}, &ColumnChooser::moveDown, -1, std::nullopt, {1, 2, 3}, 12},
             Case {"up", {1, 2, 3}, &ColumnChooser::moveUp, 2, 1, {1, 3, 2}, 12},
             Case {"down", {1, 2, 3}, &ColumnChooser::moveDown, 0, 1, {2, 1, 3}, 12},
             Case {"hiding keeps the place selected", {1, 2, 3}, &ColumnChooser::hide, 1, 1, {1, 3}, 2},
             Case {"hiding the last selects the new last", {1, 2, 3}, &ColumnChooser::hide, 2, 1, {1, 2}, 3},
             Case {"hiding the only one leaves nothing to select", {5}, &ColumnChooser::hide, 0, -1, {}, 5},
             Case {"showing puts it at the end of the shown", {3}, &ColumnChooser::show, 0, 0, {3, 1}, 12},
             Case {"showing the last hidden", {3}, &ColumnChooser::show, 10, 9, {3, 12}, 11},
         }) {
        SCOPED_TRACE(c.name);
        ColumnChooser chooser(layout(c.shown));
        EXPECT_EQ((chooser.*c.move)(c.index), c.selected);
        EXPECT_EQ(chooser.visible(), c.visible);
        ASSERT_FALSE(chooser.hidden().empty());
        EXPECT_EQ(chooser.hidden().back(), c.lastHidden);
        EXPECT_EQ(chooser.visible().size() + chooser.hidden().size(), 12u);
    }
}

// The layout as the lists leave it, and as the document file keeps it: "No." first, the shown columns 1..n, the
// hidden ones -1.
TEST(ColumnChooserTest, PositionsWrittenToTheFile)
{
    ColumnProperties columns = layout({1, 2, 3, 4});
    columns.columns[0].Position = -1; // a file that hid "No.": it is always shown
    ColumnChooser chooser(columns);
    chooser.moveUp(2); // 1, 3, 2, 4
    chooser.hide(3); // 1, 3, 2
    chooser.show(0); // 1, 3, 2, 5
    chooser.applyTo(columns);
    EXPECT_EQ(positions(columns), (std::vector<int> {0, 1, 3, 2, -1, 4, -1, -1, -1, -1, -1, -1, -1}));

    const std::string file = writeDocument(engine::LoanDocument(), columns, PrintOptions());
    const std::regex position("\"Position\",(-?[0-9]+)\r\n");
    std::vector<int> written;
    for (auto it = std::sregex_iterator(file.begin(), file.end(), position); it != std::sregex_iterator(); ++it)
        written.push_back(std::stoi((*it)[1]));
    EXPECT_EQ(written, positions(columns));

    // Every column hidden: only "No." is left.
    ColumnChooser emptied(columns);
    while (emptied.hide(0))
        ;
    emptied.applyTo(columns);
    EXPECT_EQ(columns.visibleCount(), 1);
    EXPECT_EQ(columns.columns[0].Position, 0);
}
