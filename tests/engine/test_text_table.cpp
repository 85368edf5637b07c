#include "engine/TextTable.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace engine;

namespace {

using Rows = std::vector<std::vector<std::string>>;

TextTable tableOf(const Rows &rows)
{
    TextTable table(int(rows.size()), rows.empty() ? 0 : int(rows.front().size()));
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c)
            table.setText(int(r), int(c), rows[r][c]);
    }
    return table;
}

Rows contents(const TextTable &table)
{
    Rows rows(size_t(table.rows()));
    for (int r = 0; r < table.rows(); ++r) {
        for (int c = 0; c < table.cols(); ++c)
            rows[size_t(r)].emplace_back(table.text(r, c));
    }
    return rows;
}

} // namespace

TEST(TextTableTest, ANewTableHasTheHeaderRowOnly)
{
    const TextTable table;
    EXPECT_EQ(table.rows(), 1);
    EXPECT_EQ(table.cols(), 0);
    const TextTable sized(3, 4);
    EXPECT_EQ(sized.rows(), 3);
    EXPECT_EQ(sized.cols(), 4);
    EXPECT_EQ(sized.text(2, 3), "");
}

TEST(TextTableTest, ResizingRows)
{
    struct Row
    {
        int rows;
        Rows expected;
    };
    const Rows start = {{"Date", "Rate"}, {"a", "1"}, {"b", "2"}};
    const std::vector<Row> rows = {
        {3, start},
        {2, {{"Date", "Rate"}, {"a", "1"}}},
        {1, {{"Date", "Rate"}}},
        {5, {{"Date", "Rate"}, {"a", "1"}, {"b", "2"}, {"", ""}, {"", ""}}},
        {0, {}},
        {-1, {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.rows);
        TextTable table = tableOf(start);
        table.setRows(row.rows);
        EXPECT_EQ(table.rows(), int(row.expected.size()));
        EXPECT_EQ(table.cols(), 2);
        EXPECT_EQ(contents(table), row.expected);
    }
}

TEST(TextTableTest, TruncatedRowsComeBackEmpty)
{
    TextTable table = tableOf({{"h"}, {"a"}, {"b"}});
    table.setRows(1);
    table.setRows(3);
    EXPECT_EQ(contents(table), (Rows {{"h"}, {""}, {""}}));
}

TEST(TextTableTest, ResizingColumnsKeepsCells)
{
    struct Row
    {
        int cols;
        Rows expected;
    };
    const Rows start = {{"h0", "h1"}, {"a0", "a1"}, {"b0", "b1"}};
    const std::vector<Row> rows = {
        {3, {{"h0", "h1", ""}, {"a0", "a1", ""}, {"b0", "b1", ""}}},
        {1, {{"h0"}, {"a0"}, {"b0"}}},
        {2, start},
        {0, {{}, {}, {}}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.cols);
        TextTable table = tableOf(start);
        table.setCols(row.cols);
        EXPECT_EQ(table.cols(), row.cols);
        EXPECT_EQ(table.rows(), 3);
        EXPECT_EQ(contents(table), row.expected);
    }
}

TEST(TextTableTest, RemoveRow)
{
    struct Row
    {
        int row;
        Rows expected;
    };
    const Rows start = {{"h"}, {"a"}, {"b"}, {"c"}};
    const std::vector<Row> rows = {
        {1, {{"h"}, {"b"}, {"c"}}}, {3, {{"h"}, {"a"}, {"b"}}}, {0, {{"a"}, {"b"}, {"c"}}}, {4, start}, {-1, start},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.row);
        TextTable table = tableOf(start);
        table.removeRow(row.row);
        EXPECT_EQ(contents(table), row.expected);
    }
}

TEST(TextTableTest, SortRowsByANumericColumn)
{
    struct Row
    {
        const char *name;
        Rows start;
        int column;
        Rows expected;
    };
    const std::vector<Row> rows = {
        {"numbers, not texts",
         {{"Date", "99999"}, {"x", "100"}, {"y", "9"}, {"z", "10"}},
         1,
         {{"Date", "99999"}, {"y", "9"}, {"z", "10"}, {"x", "100"}}},
        {"equal keys keep their order",
         {{"h", "k"}, {"a", "2"}, {"b", "1"}, {"c", "2"}, {"d", "1"}, {"e", "2"}},
         1,
         {{"h", "k"}, {"b", "1"}, {"d", "1"}, {"a", "2"}, {"c", "2"}, {"e", "2"}}},
        {"non-numbers count as 0",
         {{"h", "k"}, {"a", "5"}, {"b", "x"}, {"c", "-1"}, {"d", ""}},
         1,
         {{"h", "k"}, {"c", "-1"}, {"b", "x"}, {"d", ""}, {"a", "5"}}},
        {"day serials",
         {{"h", "Serial"}, {"c", "38716"}, {"a", "38367"}, {"b", "38398.5"}},
         1,
         {{"h", "Serial"}, {"a", "38367"}, {"b", "38398.5"}, {"c", "38716"}}},
        {"a single data row", {{"h", "k"}, {"a", "5"}}, 1, {{"h", "k"}, {"a", "5"}}},
        {"header only", {{"h", "k"}}, 1, {{"h", "k"}}},
        {"a column outside the table sorts nothing",
         {{"h", "k"}, {"a", "5"}, {"b", "1"}},
         7,
         {{"h", "k"}, {"a", "5"}, {"b", "1"}}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TextTable table = tableOf(row.start);
        table.sortRowsBy(row.column);
        EXPECT_EQ(contents(table), row.expected);
    }
}

TEST(TextTableTest, CellsOutsideTheTable)
{
    TextTable table = tableOf({{"h0", "h1"}, {"a0", "a1"}});
    struct Cell
    {
        int row, col;
    };
    for (const Cell cell : {Cell {-1, 0}, Cell {0, -1}, Cell {2, 0}, Cell {0, 2}, Cell {100, 100}}) {
        SCOPED_TRACE(std::to_string(cell.row) + "," + std::to_string(cell.col));
        EXPECT_EQ(table.text(cell.row, cell.col), "");
        EXPECT_THROW(table.setText(cell.row, cell.col, "x"), std::out_of_range);
    }
    EXPECT_EQ(contents(table), (Rows {{"h0", "h1"}, {"a0", "a1"}}));
}

TEST(TextTableTest, RewrittenCellsKeepTheirTexts)
{
    // Shorter, longer and repeated rewrites, enough to make the table reclaim the space of replaced texts.
    TextTable table(101, 3);
    for (int round = 0; round < 40; ++round) {
        for (int r = 0; r < table.rows(); ++r) {
            const std::string text(size_t((r + round) % 37), char('a' + round % 26));
            table.setText(r, round % 3, text);
        }
    }
    for (int r = 0; r < table.rows(); ++r) {
        for (int c = 0; c < 3; ++c) {
            const int round = 39 - (39 - c) % 3; // the last round that wrote this column
            SCOPED_TRACE(std::to_string(r) + "," + std::to_string(c));
            EXPECT_EQ(table.text(r, c), std::string(size_t((r + round) % 37), char('a' + round % 26)));
        }
    }
}

TEST(TextTableTest, ACellCanBeCopiedFromTheSameTable)
{
    TextTable table(3, 2);
    table.setText(1, 0, "38367");
    for (int i = 0; i < 200; ++i) {
        // Each copy is longer than the cell it replaces, so the table's storage grows under the source text.
        table.setText(2, 1, table.text(1, 0));
        table.setText(1, 0, std::string(table.text(2, 1)) + "0123456789");
        table.setText(0, 1, table.text(1, 0));
    }
    std::string expected = "38367";
    for (int i = 0; i < 200; ++i)
        expected += "0123456789";
    EXPECT_EQ(table.text(1, 0), expected);
    EXPECT_EQ(table.text(0, 1), expected);
    EXPECT_EQ(table.text(2, 1), expected.substr(0, expected.size() - 10));
}

TEST(TextTableTest, ClearCellsKeepsTheSize)
{
    TextTable table = tableOf({{"h0", "h1"}, {"a0", "a1"}});
    table.clearCells();
    EXPECT_EQ(contents(table), (Rows {{"", ""}, {"", ""}}));
}

TEST(TextTableTest, EqualityComparesSizeAndCells)
{
    const TextTable table = tableOf({{"h"}, {"a"}});
    EXPECT_EQ(table, tableOf({{"h"}, {"a"}}));
    EXPECT_NE(table, tableOf({{"h"}, {"b"}}));
    EXPECT_NE(table, tableOf({{"h"}, {"a"}, {""}}));
    EXPECT_NE(table, tableOf({{"h", ""}, {"a", ""}}));
}
