#include "engine/ArithmeticError.h"
#include "engine/Calendar.h"
#include "engine/Codes.h"
#include "support/Dates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace engine;

namespace {

std::string describe(Date date)
{
    if (date == kNoDate)
        return "no date";
    if (!isValidSerial(date))
        return "serial " + std::to_string(date);
    const Ymd d = toYmd(date);
    return std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day);
}

struct NthRow
{
    Date anchor;
    int frequency;
    std::int32_t n;
    int convention;
    Date expected;
};

void checkNthDates(const std::vector<NthRow> &rows)
{
    for (const NthRow &row : rows) {
        SCOPED_TRACE(describe(row.anchor) + " frequency " + std::to_string(row.frequency)
                     + " n=" + std::to_string(row.n) + " convention " + std::to_string(row.convention));
        const Date date = nthPaymentDate(row.anchor, row.frequency, row.n, row.convention);
        EXPECT_EQ(date, row.expected) << describe(date) << " expected " << describe(row.expected);
    }
}

} // namespace

TEST(CalendarTest, MonthlyDatesAreCountedFromTheAnchor)
{
    checkNthDates({
        // Anchor 31 January: the last day of shorter months, back to the 31st afterwards.
        {ymd(2005, 1, 31), kMonthly, 1, 0, ymd(2005, 1, 31)},
        {ymd(2005, 1, 31), kMonthly, 2, 0, ymd(2005, 2, 28)},
        {ymd(2005, 1, 31), kMonthly, 3, 0, ymd(2005, 3, 31)},
        {ymd(2005, 1, 31), kMonthly, 4, 0, ymd(2005, 4, 30)},
        {ymd(2005, 1, 31), kMonthly, 5, 0, ymd(2005, 5, 31)},
        {ymd(2004, 1, 31), kMonthly, 2, 0, ymd(2004, 2, 29)},
        {ymd(2005, 1, 31), kMonthly, 0, 0, ymd(2004, 12, 31)}, // period 0 is one period before the anchor
        // Convention 1: the anchor is period 0.
        {ymd(2005, 1, 31), kMonthly, 0, 1, ymd(2005, 1, 31)},
        {ymd(2005, 1, 31), kMonthly, 1, 1, ymd(2005, 2, 28)},
        {ymd(2005, 1, 31), kMonthly, 12, 1, ymd(2006, 1, 31)},
        {ymd(2005, 1, 31), kMonthly, 13, 1, ymd(2006, 2, 28)},
        {ymd(2005, 1, 31), kMonthly, 1, -1, ymd(2005, 2, 28)}, // any non-zero convention counts as 1
        {ymd(2005, 11, 15), kMonthly, 3, 0, ymd(2006, 1, 15)},
    });
}

TEST(CalendarTest, WeeklyAndBiWeeklyDatesArePlainDays)
{
    checkNthDates({
        {ymd(2005, 3, 1), kBiWeekly, 0, 1, ymd(2005, 3, 1)},
        {ymd(2005, 3, 1), kBiWeekly, 1, 1, ymd(2005, 3, 15)},
        {ymd(2005, 3, 1), kBiWeeklyAccelerated, 1, 1, ymd(2005, 3, 15)},
        {ymd(2005, 3, 1), kBiWeekly, 1, 0, ymd(2005, 3, 1)},
        {ymd(2005, 3, 1), kBiWeekly, 2, 0, ymd(2005, 3, 15)},
        {ymd(2005, 3, 1), kBiWeeklyAccelerated, 27, 0, ymd(2006, 2, 28)}, // 26 × 14 = 364 days
        {ymd(2004, 2, 15), kBiWeekly, 2, 0, ymd(2004, 2, 29)},
        {ymd(2005, 3, 1), kWeekly, 1, 1, ymd(2005, 3, 8)},
        {ymd(2005, 3, 1), kWeeklyAccelerated, 1, 1, ymd(2005, 3, 8)},
        {ymd(2005, 3, 1), kWeekly, 1, 0, ymd(2005, 3, 1)},
        {ymd(2005, 3, 1), kWeeklyAccelerated, 53, 0, ymd(2006, 2, 28)},
        {ymd(2005, 12, 27), kWeekly, 1, 1, ymd(2006, 1, 3)},
    });
}

TEST(CalendarTest, AnnualDatesAndUnknownFrequencies)
{
    checkNthDates({
        {ymd(2004, 2, 29), kAnnually, 1, 0, ymd(2004, 2, 29)},
        {ymd(2004, 2, 29), kAnnually, 2, 0, ymd(2005, 2, 28)},
        {ymd(2004, 2, 29), kAnnually, 5, 0, ymd(2008, 2, 29)},
        {ymd(2004, 2, 29), kAnnually, 1, 1, ymd(2005, 2, 28)},
        {ymd(2005, 1, 15), kAnnually, 25, 1, ymd(2030, 1, 15)},
        {ymd(2005, 1, 15), 7, 3, 0, kNoDate},
        {ymd(2005, 1, 15), -1, 3, 1, kNoDate},
    });
}

TEST(CalendarTest, SemiMonthlyDayPairs)
{
    struct Row
    {
        int day;
        SemiMonthlyDays expected;
    };
    const std::vector<Row> rows = {
        {1, {1, 16}},   {10, {10, 25}}, {14, {14, 29}}, {15, {15, 30}}, {16, {1, 16}},
        {25, {10, 25}}, {29, {14, 29}}, {30, {15, 30}}, {31, {15, 31}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.day);
        const SemiMonthlyDays pair = semiMonthlyDays(row.day);
        EXPECT_EQ(pair.a, row.expected.a);
        EXPECT_EQ(pair.b, row.expected.b);
    }
}

TEST(CalendarTest, SemiMonthlyApproximation)
{
    checkNthDates({
        // Exactly on a payment day: whole years, no remainder.
        {ymd(2005, 1, 15), kSemiMonthly, 0, 1, ymd(2005, 1, 15)},
        {ymd(2005, 1, 15), kSemiMonthly, 24, 1, ymd(2006, 1, 15)},
        {ymd(2005, 3, 1), kSemiMonthly, 1, 1, ymd(2005, 3, 16)},
        {ymd(2005, 1, 10), kSemiMonthly, 1, 1, ymd(2005, 1, 25)},
        {ymd(2005, 1, 10), kSemiMonthly, 1, 0, ymd(2005, 1, 10)},
        // The nearer of a and b: 15 Jan + 15 days is the 30th; with a = 15 the later day is 31.
        {ymd(2005, 1, 15), kSemiMonthly, 1, 1, ymd(2005, 1, 31)},
        {ymd(2005, 1, 15), kSemiMonthly, 2, 1, ymd(2005, 2, 15)}, // 14 Feb
        {ymd(2005, 1, 15), kSemiMonthly, 4, 1, ymd(2005, 3, 15)}, // 16 Mar
        {ymd(2005, 1, 15), kSemiMonthly, 25, 1, ymd(2006, 1, 31)},
        {ymd(2005, 1, 10), kSemiMonthly, 2, 1, ymd(2005, 2, 10)}, // 9 Feb
        // Convention 0 starts 15 days earlier.
        {ymd(2005, 1, 15), kSemiMonthly, 1, 0, ymd(2005, 1, 15)},
        {ymd(2005, 1, 15), kSemiMonthly, 2, 0, ymd(2005, 1, 31)},
        {ymd(2005, 1, 15), kSemiMonthly, 3, 0, ymd(2005, 2, 15)},
        // a = 1 and the 1st is 26 days or more away: the 1st of the next month.
        {ymd(2005, 3, 1), kSemiMonthly, 2, 1, ymd(2005, 4, 1)}, // 31 Mar
        {ymd(2005, 12, 1), kSemiMonthly, 2, 1, ymd(2006, 1, 1)}, // 31 Dec
        // b >= 28 and b is 26 days or more away: day b of the month before.
        {ymd(2005, 1, 15), kSemiMonthly, 3, 1, ymd(2005, 2, 28)}, // 1 Mar; 31 Feb reduced to 28
        {ymd(2005, 1, 31), kSemiMonthly, 23, 0, ymd(2005, 12, 31)}, // 1 Jan 2006: December of the year before
        // Day b does not exist in the month: reduced by one until it does.
        {ymd(2005, 3, 15), kSemiMonthly, 3, 1, ymd(2005, 4, 30)}, // 29 Apr, b = 31
        {ymd(2004, 1, 15), kSemiMonthly, 3, 1, ymd(2004, 2, 29)}, // 29 Feb 2004, b = 31
    });
}

TEST(CalendarTest, DatesBeyondTheCalendarRetryWithTenPeriodsLess)
{
    checkNthDates({
        // 199 months from January 9990 is past 9999; n = 120 is the first to fit.
        {ymd(9990, 1, 1), kMonthly, 200, 0, ymd(9999, 12, 1)},
        // n = 30 needs year 10000; n = 20 is 304 days after the anchor.
        {ymd(9999, 1, 15), kSemiMonthly, 30, 1, ymd(9999, 11, 15)},
        {ymd(9999, 12, 25), kWeekly, 1, 1, ymd(9999, 10, 23)}, // n = -9: 63 days back
        {ymd(9999, 1, 15), kAnnually, 5, 0, ymd(9993, 1, 15)}, // n = -5, six years back
        // The largest period count comes down in steps of ten to n = 95,937: October 9999.
        {ymd(2005, 1, 15), kMonthly, 2147483647, 1, ymd(9999, 10, 15)},
    });
}

TEST(CalendarTest, DatesThatCannotBeComputedFailCleanly)
{
    // Lowering n cannot bring a date that is too early back into the calendar.
    EXPECT_THROW(nthPaymentDate(ymd(100, 1, 15), kMonthly, -5, 0), ArithmeticError);
    EXPECT_THROW(nthPaymentDate(ymd(100, 1, 1), kWeekly, 0, 0), ArithmeticError);
    EXPECT_THROW(nthPaymentDate(kMaxDate + 1, kMonthly, 1, 0), ArithmeticError);
    EXPECT_THROW(nthPaymentDate(kMinDate - 1, kMonthly, 1, 0), ArithmeticError);
}

TEST(CalendarTest, NextSemiMonthlyDate)
{
    struct Row
    {
        const char *rule;
        Date date;
        int a, b;
        Date expected;
    };
    const std::vector<Row> rows = {
        // Months with 31 days.
        {"15th: the 31st", ymd(2005, 1, 15), 15, 30, ymd(2005, 1, 31)},
        {"16th: the 1st of the next month", ymd(2005, 7, 16), 1, 16, ymd(2005, 8, 1)},
        {"16 December: 1 January", ymd(2005, 12, 16), 1, 16, ymd(2006, 1, 1)},
        {"30th: the 15th of the next month", ymd(2005, 3, 30), 15, 30, ymd(2005, 4, 15)},
        {"31st: the 15th of the next month", ymd(2005, 3, 31), 15, 31, ymd(2005, 4, 15)},
        {"31 December: 15 January", ymd(2005, 12, 31), 15, 30, ymd(2006, 1, 15)},
        {"30th before day a of any pair", ymd(2005, 1, 30), 10, 25, ymd(2005, 2, 15)},
        {"day b: day a of the next month", ymd(2005, 1, 25), 10, 25, ymd(2005, 2, 10)},
        {"day b in December", ymd(2005, 12, 25), 10, 25, ymd(2006, 1, 10)},
        {"29th of a 31-day month", ymd(2005, 1, 29), 14, 29, ymd(2005, 2, 14)},
        {"a day the pair never pays on", ymd(2005, 1, 12), 10, 25, kNoDate},
        {"day a: day b", ymd(2005, 5, 10), 10, 25, ymd(2005, 5, 25)},
        {"day a = 1: the 16th", ymd(2005, 7, 1), 1, 16, ymd(2005, 7, 16)},
        {"day a = 14: the 29th", ymd(2005, 1, 14), 14, 29, ymd(2005, 1, 29)},
        // February.
        {"15 Feb: the last day", ymd(2005, 2, 15), 15, 30, ymd(2005, 2, 28)},
        {"15 Feb leap year", ymd(2004, 2, 15), 15, 30, ymd(2004, 2, 29)},
        {"14 Feb: the last day", ymd(2005, 2, 14), 14, 29, ymd(2005, 2, 28)},
        {"14 Feb leap year", ymd(2004, 2, 14), 14, 29, ymd(2004, 2, 29)},
        {"16 Feb: 1 March", ymd(2005, 2, 16), 1, 16, ymd(2005, 3, 1)},
        {"29 Feb: day a of March", ymd(2004, 2, 29), 14, 29, ymd(2004, 3, 14)},
        {"29 Feb, pair 15/30", ymd(2004, 2, 29), 15, 30, ymd(2004, 3, 15)},
        {"28 Feb: day a of March", ymd(2005, 2, 28), 15, 30, ymd(2005, 3, 15)},
        {"28 Feb leap year is day b of 13/28", ymd(2004, 2, 28), 13, 28, ymd(2004, 3, 13)},
        {"day b of February", ymd(2005, 2, 25), 10, 25, ymd(2005, 3, 10)},
        {"February, a day never paid", ymd(2005, 2, 12), 10, 25, kNoDate},
        {"February day a", ymd(2005, 2, 10), 10, 25, ymd(2005, 2, 25)},
        {"February day a, b = 28", ymd(2005, 2, 13), 13, 28, ymd(2005, 2, 28)},
        {"February day b beyond the month rolls into March", ymd(2005, 2, 12), 12, 29, ymd(2005, 3, 1)},
        // Months with 30 days.
        {"15 Apr: the 30th", ymd(2005, 4, 15), 15, 30, ymd(2005, 4, 30)},
        {"16 Jun: 1 July", ymd(2005, 6, 16), 1, 16, ymd(2005, 7, 1)},
        {"30 Sep: 15 October", ymd(2005, 9, 30), 15, 30, ymd(2005, 10, 15)},
        {"30 Nov: 15 December", ymd(2005, 11, 30), 15, 30, ymd(2005, 12, 15)},
        {"day b of June", ymd(2005, 6, 25), 10, 25, ymd(2005, 7, 10)},
        {"29 Apr, pair 14/29", ymd(2005, 4, 29), 14, 29, ymd(2005, 5, 14)},
        {"30-day month, a day never paid", ymd(2005, 4, 12), 10, 25, kNoDate},
        {"day a of November", ymd(2005, 11, 10), 10, 25, ymd(2005, 11, 25)},
        {"14 Apr, pair 14/29", ymd(2005, 4, 14), 14, 29, ymd(2005, 4, 29)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.rule) + ": " + describe(row.date));
        const Date next = nextSemiMonthlyDate(row.date, 1, row.a, row.b);
        EXPECT_EQ(next, row.expected) << describe(next) << " expected " << describe(row.expected);
    }
}

TEST(CalendarTest, NextSemiMonthlyDateStepOtherThanOne)
{
    struct Row
    {
        int step;
        Date expected;
    };
    const Date date = ymd(2005, 1, 12); // not even a payment day of the pair
    const std::vector<Row> rows = {{0, date}, {2, kNoDate}, {-1, kNoDate}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.step);
        EXPECT_EQ(nextSemiMonthlyDate(date, row.step, 15, 30), row.expected);
    }
}

TEST(CalendarTest, LastDayOfMonth)
{
    struct Row
    {
        int year, month, expected;
    };
    const std::vector<Row> rows = {
        {2000, 2, 29}, {1900, 2, 28}, {2004, 2, 29},  {2005, 2, 28},  {2100, 2, 28},  {2005, 1, 31}, {2005, 4, 30},
        {2005, 6, 30}, {2005, 9, 30}, {2005, 11, 30}, {2005, 12, 31}, {9999, 12, 31}, {2005, 13, 0}, // no such month
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.year) + "-" + std::to_string(row.month));
        EXPECT_EQ(fLastDayOfMonth(row.year, row.month), row.expected);
    }
}

TEST(CalendarTest, LastPaymentDueRoundsHalvesToEven)
{
    struct Row
    {
        double periods;
        int frequency, convention;
        Date expected;
    };
    const Date anchor = ymd(2005, 1, 15);
    const std::vector<Row> rows = {
        {2.5, kMonthly, 1, ymd(2005, 3, 15)}, // 2
        {3.5, kMonthly, 1, ymd(2005, 5, 15)}, // 4
        {2.4999, kMonthly, 1, ymd(2005, 3, 15)},
        {2.6, kMonthly, 1, ymd(2005, 4, 15)},
        {300, kMonthly, 0, ymd(2029, 12, 15)},
        {300, kMonthly, 1, ymd(2030, 1, 15)},
        {651.7857142857143, kBiWeekly, 1, ymd(2030, 1, 12)}, // 652 × 14 = 9128 days
        {24, kSemiMonthly, 1, ymd(2006, 1, 15)},
        {25, kAnnually, 0, ymd(2029, 1, 15)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.periods) + " frequency " + std::to_string(row.frequency));
        const Date last = lastPaymentDue(anchor, row.frequency, row.periods, row.convention);
        EXPECT_EQ(last, row.expected) << describe(last) << " expected " << describe(row.expected);
    }
    EXPECT_THROW(lastPaymentDue(anchor, kMonthly, 3e9, 1), ArithmeticError);
}

TEST(CalendarTest, ToInt32RoundsHalvesToEven)
{
    struct Row
    {
        double value;
        std::int32_t expected;
    };
    const std::vector<Row> rows = {
        {0.5, 0},    {1.5, 2},    {2.5, 2},
        {-0.5, 0},   {-1.5, -2},  {-2.5, -2},
        {2.4999, 2}, {2.5001, 3}, {2147483647, 2147483647},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(toInt32(row.value), row.expected);
    }
    EXPECT_THROW(toInt32(2147483648.0), ArithmeticError);
    EXPECT_THROW(toInt32(-3e9), ArithmeticError);
    EXPECT_THROW(toInt32(std::nan("")), ArithmeticError);
}
