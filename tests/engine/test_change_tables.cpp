#include "engine/ChangeTables.h"
#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "support/Dates.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

using namespace engine;

namespace {

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
        {"on the start and on the last payment stay",
         {start - 1, start, ymd(2027, 2, 1), last, last + 1},
         last,
         {start, ymd(2027, 2, 1), last}},
        {"before the start", {start - 30, ymd(2030, 1, 1)}, last, {ymd(2030, 1, 1)}},
        {"the only entry", {ymd(2060, 1, 1)}, last, {}},
        {"no last payment yet: only the start bounds", {start - 1, ymd(2090, 1, 1)}, kNoDate, {ymd(2090, 1, 1)}},
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

namespace {

// 1,200 at 0 % in twelve monthly payments of 100 from 15 February 2026: the schedule runs from its start row on
// 15 January 2026 to 15 January 2027. A lump sum of 600 on 15 March 2026 repays it on 15 July 2026 instead.
LoanDocument interestFreeLoan(bool repaidEarly)
{
    LoanDocument loan;
    loan.gdblLoanAmount = 1200;
    loan.gintFreqOfInst = kMonthly;
    loan.gdblBasicPayment = 100;
    loan.gdtmFirstPaymentDue = ymd(2026, 2, 15);
    loan.mdblNperTerm = 12;
    const NumberFormat format;
    if (repaidEarly)
        putChangeEntry(loan.gridLumpSum, ymd(2026, 3, 15), 600, format);
    EXPECT_TRUE(Calculate(loan, format).ok);
    return loan;
}

std::vector<Date> entryDates(const TextTable &table)
{
    std::vector<Date> dates;
    for (int row = 1; row < table.rows(); ++row)
        dates.push_back(serialDate(table.text(row, chgDateSerial)));
    return dates;
}

} // namespace

// A lump sum can fall on any day after the schedule's first date, up to its last; a date outside is pulled back.
TEST(LumpSumDates, RangeAndPullBack)
{
    const LoanDocument full = interestFreeLoan(false);
    const LoanDocument early = interestFreeLoan(true);
    ASSERT_EQ(full.gdtmLastPaymentDue, ymd(2027, 1, 15));
    ASSERT_EQ(early.gdtmLastPaymentDue, ymd(2027, 1, 15));
    const DateRange fullRange = lumpSumDateRange(full.gridMain0).value();
    const DateRange earlyRange = lumpSumDateRange(early.gridMain0).value();
    EXPECT_EQ(fullRange.first, ymd(2026, 1, 16));
    EXPECT_EQ(fullRange.last, ymd(2027, 1, 15));
    EXPECT_EQ(earlyRange.last, ymd(2026, 7, 15));
    EXPECT_FALSE(fullRange.contains(ymd(2026, 1, 15))); // the first schedule date itself
    EXPECT_TRUE(fullRange.contains(ymd(2026, 1, 16)));
    EXPECT_TRUE(fullRange.contains(ymd(2027, 1, 15)));
    EXPECT_FALSE(fullRange.contains(ymd(2027, 1, 16)));
    EXPECT_FALSE(lumpSumDateRange(ScheduleTable()).has_value());

    struct Case
    {
        const char *name;
        const LoanDocument &loan;
        const DateRange &range;
        Date refused, pulled;
    };
    for (const Case &c : {
             Case {"the first schedule date", full, fullRange, ymd(2026, 1, 15), ymd(2026, 1, 16)},
             Case {"before the schedule", full, fullRange, ymd(2025, 6, 1), ymd(2026, 1, 16)},
             Case {"after the last payment due", full, fullRange, ymd(2027, 3, 1), ymd(2027, 1, 14)},
             // Repaid early: the day before the last payment due lies past the schedule's end.
             Case {"after a loan repaid early", early, earlyRange, ymd(2026, 9, 1), ymd(2026, 7, 15)},
             Case {"past the due date, repaid early", early, earlyRange, ymd(2027, 2, 1), ymd(2026, 7, 15)},
         }) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pulledIntoRange(c.refused, c.range, c.loan.gdtmFirstPaymentDue, c.loan.gdtmLastPaymentDue), c.pulled);
    }
}

TEST(LumpSumDates, PresetFromTheScheduleRow)
{
    const LoanDocument early = interestFreeLoan(true);
    const DateRange range = lumpSumDateRange(early.gridMain0).value();
    struct Case
    {
        int row;
        Date date;
        double amount;
    };
    for (const Case &c : {
             Case {1, ymd(2026, 1, 16), 0}, // the start row: no earlier than the range
             Case {3, ymd(2026, 3, 15), 600}, // the row's lump sum
             Case {5, ymd(2026, 5, 15), 0},
             Case {0, kNoDate, 0}, // no schedule row
             Case {99, kNoDate, 0},
         }) {
        SCOPED_TRACE(c.row);
        const LumpSumPreset preset = lumpSumPreset(early.gridMain0, c.row, range);
        EXPECT_EQ(preset.date, c.date);
        EXPECT_EQ(preset.amount, c.amount);
    }
}

TEST(LumpSumDates, EntriesOutsideTheScheduleGo)
{
    const LoanDocument loan = interestFreeLoan(false);
    const NumberFormat format;
    TextTable lumps = makeChangeTable("Amount");
    for (Date date : {ymd(2026, 1, 14), ymd(2026, 1, 15), ymd(2027, 1, 15), ymd(2027, 1, 16)})
        putChangeEntry(lumps, date, 100, format);
    TextTable untouched = lumps;
    // Without a schedule nothing is known to lie outside it: every entry stays.
    EXPECT_FALSE(removeLumpSumsOutsideSchedule(untouched, ScheduleTable()));
    EXPECT_EQ(untouched, lumps);
    EXPECT_TRUE(removeLumpSumsOutsideSchedule(lumps, loan.gridMain0));
    EXPECT_EQ(entryDates(lumps), (std::vector<Date> {ymd(2026, 1, 15), ymd(2027, 1, 15)}));
}

// Entries put by date are matched on the day, whatever text shows it, and the table stays in date order.
TEST(ChangeTablesTest, PutByDateReplacesOrAddsInOrder)
{
    NumberFormat format;
    TextTable table = makeChangeTable("Amount");
    EXPECT_EQ(putChangeEntry(table, ymd(2026, 6, 1), 300, format), 1);
    EXPECT_EQ(putChangeEntry(table, ymd(2026, 2, 1), 100, format), 1);
    EXPECT_EQ(putChangeEntry(table, ymd(2026, 4, 1), 200, format), 2);
    format.setDatePattern("dd-MMM-yyyy");
    EXPECT_EQ(putChangeEntry(table, ymd(2026, 2, 1), 150.25, format), 1);
    EXPECT_EQ(rows(table),
              (Rows {{"01-Feb-2026", "150.25", std::to_string(ymd(2026, 2, 1))},
                     {"4/1/2026", "200", std::to_string(ymd(2026, 4, 1))},
                     {"6/1/2026", "300", std::to_string(ymd(2026, 6, 1))}}));
    EXPECT_EQ(findChangeEntryByDate(table, ymd(2026, 4, 1)), 2);
    EXPECT_EQ(findChangeEntryByDate(table, ymd(2026, 4, 2)), 0);
}

// Money paid on one date adds up: a lump sum added on a date that has one already makes one entry of their sum.
TEST(ChangeTablesTest, LumpSumsAddedOnOneDateAddUp)
{
    const NumberFormat format;
    TextTable table = makeChangeTable("Amount");
    EXPECT_EQ(addLumpSum(table, ymd(2027, 5, 1), 100, format), 1);
    EXPECT_EQ(addLumpSum(table, ymd(2027, 3, 1), 50, format), 1);
    EXPECT_EQ(addLumpSum(table, ymd(2027, 5, 1), 200.1, format), 2);
    EXPECT_EQ(addLumpSum(table, ymd(2027, 5, 1), 300.2, format), 2);
    EXPECT_EQ(rows(table),
              (Rows {{"3/1/2027", "50", std::to_string(ymd(2027, 3, 1))},
                     {"5/1/2027", "600.3", std::to_string(ymd(2027, 5, 1))}}));
}

// A lump sum is paid as the list shows it, to the cent: a typed fraction of a cent would make the schedule pay what
// its Lump Sums column does not show.
TEST(LumpSumDates, AmountsAreTakenInCents)
{
    struct Case
    {
        double typed;
        double paid;
        const char *shown;
    };
    const NumberFormat format;
    for (const Case &c : {Case {2000, 2000, "$2,000.00"}, Case {1234.567, 1234.57, "$1,234.57"},
                          Case {99.9949, 99.99, "$99.99"}, Case {-10.999, -11, "-$11.00"}, Case {0.004, 0, "$0.00"}}) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(lumpSumAmount(c.typed), c.paid);
        EXPECT_EQ(format.currency(lumpSumAmount(c.typed)), c.shown);
        EXPECT_EQ(format.currency(c.typed), c.shown);
    }
}

TEST(ChangeTablesTest, TypedChangesAreTakenInCentsWithinTheBoxLimits)
{
    struct Case
    {
        double typed;
        bool amount;
        std::optional<double> taken;
    };
    const Case cases[] = {
        {700.456, true, 700.46}, // a payment or lump sum is paid as the currency box shows it
        {-12.504, true, std::nullopt}, // no loan has a negative payment, prepayment or rate
        {1250, true, 1250},
        {5.12345, false, 5.12345}, // a rate is kept as typed
        {9e9, true, 9e9},
        {-0.01, false, std::nullopt},
        {0, true, 0.0},
        {9000000000.5, true, std::nullopt}, // beyond what the box takes
        {-1e20, false, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), true, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(typedChange(c.typed, c.amount), c.taken);
    }
}

TEST(ChangeTablesTest, SameEntries)
{
    const NumberFormat format;
    TextTable base = makeChangeTable("Amount");
    putChangeEntry(base, ymd(2026, 2, 1), 1234.567, format);
    putChangeEntry(base, ymd(2026, 4, 1), 200, format);
    struct Case
    {
        const char *name;
        std::function<void(TextTable &)> change;
        bool same;
    };
    for (const Case &c : {
             Case {"a copy", [](TextTable &) {}, true},
             // An amount of fractions of a cent is compared as it is held, not as the list shows it.
             Case {"the same amount put again",
                   [&](TextTable &t) { putChangeEntry(t, ymd(2026, 2, 1), 1234.567, format); }, true},
             Case {"an amount rounded to the cent",
                   [&](TextTable &t) { putChangeEntry(t, ymd(2026, 2, 1), 1234.57, format); }, false},
             Case {"one more", [&](TextTable &t) { putChangeEntry(t, ymd(2026, 5, 1), 1, format); }, false},
             Case {"one fewer", [](TextTable &t) { removeChangeEntry(t, 2); }, false},
             Case {"a date shown otherwise", [](TextTable &t) { t.setText(1, chgDateText, "01-Feb-2026"); }, false},
         }) {
        SCOPED_TRACE(c.name);
        TextTable other = base;
        c.change(other);
        EXPECT_EQ(sameChangeEntries(base, other), c.same);
        EXPECT_EQ(sameChangeEntries(other, base), c.same);
    }
}

// After the date format changes, an edit made with the new format finds the entry made with the old one.
TEST(ChangeTablesTest, DatesFollowTheDateFormat)
{
    NumberFormat format;
    LoanDocument loan;
    setChangeByDate(loan.gridLumpSum, ymd(2026, 3, 15), 500, format);
    setChangeByDate(loan.gridAnnualRate, ymd(2026, 3, 15), 6.5, format);
    format.setDatePattern("yyyy-MM-dd");
    reformatChangeDates(loan, format);
    EXPECT_EQ(loan.gridLumpSum.text(1, chgDateText), "2026-03-15");
    EXPECT_EQ(loan.gridAnnualRate.text(1, chgDateText), "2026-03-15");
    EXPECT_TRUE(setChangeByDate(loan.gridLumpSum, ymd(2026, 3, 15), 700, format));
    EXPECT_EQ(rows(loan.gridLumpSum), (Rows {{"2026-03-15", "700", std::to_string(ymd(2026, 3, 15))}}));
}
