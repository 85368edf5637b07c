#include "engine/Dates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace engine;

namespace {

std::string describe(std::optional<Date> date)
{
    if (!date)
        return "none";
    const Ymd ymd = toYmd(*date);
    return std::to_string(ymd.year) + "-" + std::to_string(ymd.month) + "-" + std::to_string(ymd.day);
}

} // namespace

TEST(DatesTest, SerialsFollowTheAutomationDateEpoch)
{
    struct Row
    {
        Ymd ymd;
        Date serial;
    };
    const std::vector<Row> rows = {
        {{1899, 12, 30}, 0},    {{1899, 12, 29}, -1},      {{1899, 12, 31}, 1},    {{1900, 1, 1}, 2},
        {{1900, 2, 28}, 60},    {{1900, 3, 1}, 61}, // 1900 is not a leap year: no 29 February in between
        {{1970, 1, 1}, 25569},  {{2000, 2, 29}, 36585},    {{2005, 1, 15}, 38367}, {{2005, 3, 5}, 38416},
        {{100, 1, 1}, -657434}, {{9999, 12, 31}, 2958465},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.serial);
        EXPECT_EQ(exactDate(row.ymd.year, row.ymd.month, row.ymd.day), row.serial);
        EXPECT_EQ(toYmd(row.serial), row.ymd);
        EXPECT_EQ(yearOf(row.serial), row.ymd.year);
        EXPECT_EQ(monthOf(row.serial), row.ymd.month);
        EXPECT_EQ(dayOf(row.serial), row.ymd.day);
    }
    EXPECT_EQ(kMinDate, -657434);
    EXPECT_EQ(kMaxDate, 2958465);
}

TEST(DatesTest, ValidityOfSerialsAndCalendarDays)
{
    EXPECT_TRUE(isValidSerial(kMinDate));
    EXPECT_TRUE(isValidSerial(kMaxDate));
    EXPECT_FALSE(isValidSerial(std::int64_t(kMinDate) - 1));
    EXPECT_FALSE(isValidSerial(std::int64_t(kMaxDate) + 1));

    struct Row
    {
        int year, month, day;
        bool valid;
    };
    const std::vector<Row> rows = {
        {2005, 1, 31, true},  {2005, 2, 29, false}, {2004, 2, 29, true},  {1900, 2, 29, false},
        {2000, 2, 29, true},  {2100, 2, 29, false}, {2005, 4, 31, false}, {2005, 4, 30, true},
        {2005, 13, 1, false}, {2005, 0, 1, false},  {2005, 1, 0, false},  {2005, 1, 32, false},
        {99, 12, 31, false},  {100, 1, 1, true},    {9999, 12, 31, true}, {10000, 1, 1, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.year) + "-" + std::to_string(row.month) + "-" + std::to_string(row.day));
        EXPECT_EQ(isValidYmd(row.year, row.month, row.day), row.valid);
        EXPECT_EQ(exactDate(row.year, row.month, row.day).has_value(), row.valid);
    }
}

TEST(DatesTest, DaysInMonth)
{
    struct Row
    {
        int year, month, days;
    };
    const std::vector<Row> rows = {
        {2005, 1, 31}, {2005, 2, 28}, {2004, 2, 29},  {2000, 2, 29},  {1900, 2, 28},
        {2100, 2, 28}, {2005, 4, 30}, {2005, 11, 30}, {2005, 12, 31}, {9999, 12, 31},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.year) + "-" + std::to_string(row.month));
        EXPECT_EQ(daysInMonth(row.year, row.month), row.days);
    }
}

TEST(DatesTest, MakeDateRollsOverflowingMonthsAndDays)
{
    struct Row
    {
        std::int64_t year, month, day;
        std::optional<Date> expected;
    };
    const std::vector<Row> rows = {
        {2005, 1, 15, exactDate(2005, 1, 15)},
        {2004, 13, 1, exactDate(2005, 1, 1)},
        {2005, 25, 1, exactDate(2007, 1, 1)},
        {2005, 0, 15, exactDate(2004, 12, 15)},
        {2005, -1, 1, exactDate(2004, 11, 1)},
        {2005, -12, 1, exactDate(2003, 12, 1)},
        {2005, 3, 0, exactDate(2005, 2, 28)},
        {2004, 3, 0, exactDate(2004, 2, 29)},
        {2005, 1, 0, exactDate(2004, 12, 31)},
        {2005, 1, 32, exactDate(2005, 2, 1)},
        {2005, 2, 30, exactDate(2005, 3, 2)},
        {2004, 2, 30, exactDate(2004, 3, 1)},
        {2005, 4, 31, exactDate(2005, 5, 1)},
        {2005, 1, -30, exactDate(2004, 12, 1)},
        {2005, 12, 32, exactDate(2006, 1, 1)},
        {2005, 14, 30, exactDate(2006, 3, 2)},
        {99, 13, 1, exactDate(100, 1, 1)},
        {10000, 0, 31, exactDate(9999, 12, 31)},
        {100, 1, 0, std::nullopt},
        {9999, 12, 32, std::nullopt},
        {99, 12, 31, std::nullopt},
        {10000, 1, 1, std::nullopt},
        {2005, 1000000, 1, std::nullopt},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.year) + "-" + std::to_string(row.month) + "-" + std::to_string(row.day));
        const auto made = makeDate(row.year, row.month, row.day);
        EXPECT_EQ(made, row.expected) << describe(made) << " expected " << describe(row.expected);
    }
}

TEST(DatesTest, AddMonthsClampsToTheEndOfShorterMonths)
{
    struct Row
    {
        Date from;
        std::int64_t months;
        std::optional<Date> expected;
    };
    const std::vector<Row> rows = {
        {*exactDate(2005, 1, 31), 1, exactDate(2005, 2, 28)},
        {*exactDate(2004, 1, 31), 1, exactDate(2004, 2, 29)},
        {*exactDate(2005, 1, 31), 2, exactDate(2005, 3, 31)},
        {*exactDate(2005, 1, 31), 3, exactDate(2005, 4, 30)},
        {*exactDate(2005, 3, 31), -1, exactDate(2005, 2, 28)},
        {*exactDate(2005, 11, 15), 2, exactDate(2006, 1, 15)},
        {*exactDate(2005, 1, 15), -1, exactDate(2004, 12, 15)},
        {*exactDate(2005, 1, 15), 0, exactDate(2005, 1, 15)},
        {*exactDate(2005, 1, 15), 120, exactDate(2015, 1, 15)},
        {*exactDate(1900, 2, 28), -1, exactDate(1900, 1, 28)},
        {*exactDate(9999, 12, 15), 0, exactDate(9999, 12, 15)},
        {*exactDate(9999, 11, 30), 1, exactDate(9999, 12, 30)},
        {*exactDate(9999, 12, 15), 1, std::nullopt},
        {*exactDate(100, 1, 15), -1, std::nullopt},
        {*exactDate(2005, 1, 15), 1000000000000, std::nullopt},
        {kMaxDate + 1, 0, std::nullopt},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(describe(row.from) + " + " + std::to_string(row.months) + " months");
        const auto moved = addMonths(row.from, row.months);
        EXPECT_EQ(moved, row.expected) << describe(moved) << " expected " << describe(row.expected);
    }
}

TEST(DatesTest, AddYearsClampsTheLeapDay)
{
    struct Row
    {
        Date from;
        std::int64_t years;
        std::optional<Date> expected;
    };
    const std::vector<Row> rows = {
        {*exactDate(2004, 2, 29), 1, exactDate(2005, 2, 28)},
        {*exactDate(2004, 2, 29), 4, exactDate(2008, 2, 29)},
        {*exactDate(2004, 2, 29), -4, exactDate(2000, 2, 29)},
        {*exactDate(2000, 2, 29), 100, exactDate(2100, 2, 28)},
        {*exactDate(2005, 1, 15), 25, exactDate(2030, 1, 15)},
        {*exactDate(9998, 12, 31), 1, exactDate(9999, 12, 31)},
        {*exactDate(9999, 1, 1), 1, std::nullopt},
        {*exactDate(100, 12, 31), -1, std::nullopt},
        {*exactDate(2005, 1, 15), 100000, std::nullopt},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(describe(row.from) + " + " + std::to_string(row.years) + " years");
        const auto moved = addYears(row.from, row.years);
        EXPECT_EQ(moved, row.expected) << describe(moved) << " expected " << describe(row.expected);
    }
}

TEST(DatesTest, AddDaysIsPlainArithmeticWithinTheCalendar)
{
    struct Row
    {
        Date from;
        std::int64_t days;
        std::optional<Date> expected;
    };
    const std::vector<Row> rows = {
        {*exactDate(2005, 1, 15), 15, exactDate(2005, 1, 30)},
        {*exactDate(2004, 2, 28), 1, exactDate(2004, 2, 29)},
        {*exactDate(2005, 2, 28), 1, exactDate(2005, 3, 1)},
        {*exactDate(2005, 12, 31), 1, exactDate(2006, 1, 1)},
        {*exactDate(2005, 3, 1), -1, exactDate(2005, 2, 28)},
        {0, 2, exactDate(1900, 1, 1)},
        {kMaxDate, 0, kMaxDate},
        {kMaxDate, 1, std::nullopt},
        {kMinDate, -1, std::nullopt},
        {kMaxDate + 1, -1, std::nullopt}, // the start itself is outside the calendar
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.from) + " + " + std::to_string(row.days) + " days");
        EXPECT_EQ(addDays(row.from, row.days), row.expected);
    }
}

TEST(DatesTest, BoundariesBetweenTwoDates)
{
    struct Row
    {
        Date from, to;
        int years, months;
    };
    const std::vector<Row> rows = {
        {*exactDate(2004, 12, 31), *exactDate(2005, 1, 1), 1, 1},
        {*exactDate(2005, 1, 1), *exactDate(2005, 12, 31), 0, 11},
        {*exactDate(2005, 1, 31), *exactDate(2005, 2, 1), 0, 1},
        {*exactDate(2005, 6, 15), *exactDate(2003, 8, 15), -2, -22},
        {*exactDate(2005, 1, 15), *exactDate(2005, 1, 15), 0, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(describe(row.from) + " to " + describe(row.to));
        EXPECT_EQ(yearDiff(row.from, row.to), row.years);
        EXPECT_EQ(monthDiff(row.from, row.to), row.months);
    }
}
