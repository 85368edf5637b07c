#include "engine/ChangeTables.h"
#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace engine;

namespace {

Date ymd(int year, int month, int day)
{
    return exactDate(year, month, day).value();
}

// (date text, amount text, serial text) of each entry.
using Rows = std::vector<std::vector<std::string>>;

Rows rows(const TextTable &table)
{
    Rows out;
    for (int row = 1; row < table.rows(); ++row)
        out.push_back({std::string(table.text(row, chgDateText)), std::string(table.text(row, chgAmount)),
                       std::string(table.text(row, chgDateSerial))});
    return out;
}

} // namespace

TEST(ChangeTablesTest, SetAnEntryByItsDate)
{
    const NumberFormat format;
    const Date march = ymd(2026, 3, 15);
    const Date may = ymd(2026, 5, 15);
    const std::string marchSerial = std::to_string(march);
    const std::string maySerial = std::to_string(may);
    struct Step
    {
        const char *name;
        Date date;
        std::optional<double> amount;
        bool changed;
        Rows expected;
    };
    const std::vector<Step> steps = {
        {"removing from an empty table changes nothing", march, std::nullopt, false, {}},
        {"a new entry", may, 500, true, {{"5/15/2026", "500", maySerial}}},
        {"an earlier one goes before it",
         march,
         -12.5,
         true,
         {{"3/15/2026", "-12.5", marchSerial}, {"5/15/2026", "500", maySerial}}},
        {"the same amount again changes nothing",
         may,
         500,
         false,
         {{"3/15/2026", "-12.5", marchSerial}, {"5/15/2026", "500", maySerial}}},
        {"a new amount replaces the old",
         may,
         0.1,
         true,
         {{"3/15/2026", "-12.5", marchSerial}, {"5/15/2026", "0.1", maySerial}}},
        {"nothing removes the date's entry", march, std::nullopt, true, {{"5/15/2026", "0.1", maySerial}}},
        {"the last entry goes, the heading stays", may, std::nullopt, true, {}},
    };
    TextTable table = makeChangeTable("Amount");
    for (const Step &step : steps) {
        SCOPED_TRACE(step.name);
        EXPECT_EQ(setChangeByDate(table, step.date, step.amount, format), step.changed);
        EXPECT_EQ(rows(table), step.expected);
        EXPECT_EQ(table.text(0, chgAmount), "Amount");
    }
}

// Entries are matched on their date as shown: one written in another date format is another entry.
TEST(ChangeTablesTest, EntriesAreFoundByTheirShownDate)
{
    NumberFormat format;
    TextTable table = makeChangeTable("Rate");
    setChangeByDate(table, "15-Mar-2026", ymd(2026, 3, 15), 6.5);
    setChangeByDate(table, "3/15/2026", ymd(2026, 3, 15), 7);
    EXPECT_EQ(findChangeEntry(table, "15-Mar-2026"), 1);
    EXPECT_EQ(findChangeEntry(table, "3/15/2026"), 2);
    EXPECT_EQ(findChangeEntry(table, "3/16/2026"), 0);
    format.setDatePattern("dd-MMM-yyyy");
    EXPECT_TRUE(setChangeByDate(table, ymd(2026, 3, 15), std::nullopt, format));
    EXPECT_EQ(findChangeEntry(table, "3/15/2026"), 1);
    EXPECT_EQ(table.rows(), 2);
}

TEST(ChangeTablesTest, EntriesOutsideTheLoanGo)
{
    const Date start = ymd(2026, 1, 1);
    const Date last = ymd(2051, 1, 1);
    struct Case
    {
        const char *name;
        std::vector<Date> entries;
        Date last;
        std::vector<Date> kept;
    };
    const std::vector<Case> cases = {
        {"on the start goes, on the last payment stays",
         {start, ymd(2027, 2, 1), last, last + 1},
         last,
         {ymd(2027, 2, 1), last}},
        {"before the start", {start - 30, ymd(2030, 1, 1)}, last, {ymd(2030, 1, 1)}},
        {"the only entry", {ymd(2060, 1, 1)}, last, {}},
        {"no last payment yet: only the start bounds", {start, ymd(2090, 1, 1)}, kNoDate, {ymd(2090, 1, 1)}},
        {"nothing outside", {ymd(2030, 1, 1)}, last, {ymd(2030, 1, 1)}},
    };
    const NumberFormat format;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TextTable table = makeChangeTable("Amount");
        for (Date date : c.entries)
            setChangeByDate(table, date, 100, format);
        EXPECT_EQ(removeChangeEntriesOutside(table, start, c.last), c.kept.size() != c.entries.size());
        std::vector<Date> kept;
        for (int row = 1; row < table.rows(); ++row)
            kept.push_back(serialDate(table.text(row, chgDateSerial)));
        EXPECT_EQ(kept, c.kept);
    }
}
