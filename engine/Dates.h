#pragma once

#include <cstdint>
#include <optional>

namespace engine {

// A calendar date as a whole-day serial: 30 December 1899 is day 0, and 0 also means "no date".
using Date = int;

inline constexpr Date kNoDate = 0;
inline constexpr Date kMinDate = -657434; // 1 January 100
inline constexpr Date kMaxDate = 2958465; // 31 December 9999

struct Ymd
{
    int year = 1899;
    int month = 12;
    int day = 30;
    friend bool operator==(const Ymd &, const Ymd &) = default;
};

bool isValidSerial(std::int64_t serial);
bool isValidYmd(int year, int month, int day);

// Calendar fields of a serial; the serial must be valid.
Ymd toYmd(Date date);
int yearOf(Date date);
int monthOf(Date date);
int dayOf(Date date);

int daysInMonth(int year, int month);

// The serial of an existing calendar day, or nothing when the day does not exist or is out of range.
std::optional<Date> exactDate(int year, int month, int day);

// Builds a date the forgiving way: months beyond 12 roll into the next years, days beyond the month's
// end (or below 1) roll into the neighbouring months. Nothing when the result is out of range.
std::optional<Date> makeDate(std::int64_t year, std::int64_t month, std::int64_t day);

// Calendar arithmetic; the day is clamped to the end of a shorter month. Nothing when out of range.
std::optional<Date> addMonths(Date date, std::int64_t months);
std::optional<Date> addYears(Date date, std::int64_t years);
std::optional<Date> addDays(Date date, std::int64_t days);

// Boundaries crossed between two dates (the second minus the first), as in "year of d2 - year of d1".
int yearDiff(Date from, Date to);
int monthDiff(Date from, Date to);

} // namespace engine
