#include "Dates.h"

#include <algorithm>
#include <chrono>

namespace engine {

namespace {

using namespace std::chrono;

// Days from 1 January 1970 (the chrono epoch) back to the serial epoch of 30 December 1899.
constexpr int kEpochOffset = 25569;

Date fromYmd(const year_month_day &ymd)
{
    return static_cast<Date>(sys_days(ymd).time_since_epoch().count()) + kEpochOffset;
}

year_month_day chronoYmd(Date date)
{
    return year_month_day(sys_days(days(date - kEpochOffset)));
}

} // namespace

bool isValidSerial(std::int64_t serial)
{
    return serial >= kMinDate && serial <= kMaxDate;
}

bool isValidYmd(int y, int m, int d)
{
    if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31)
        return false;
    return year_month_day(year(y), month(unsigned(m)), day(unsigned(d))).ok();
}

Ymd toYmd(Date date)
{
    const auto ymd = chronoYmd(date);
    return {int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day()))};
}

int yearOf(Date date)
{
    return toYmd(date).year;
}

int monthOf(Date date)
{
    return toYmd(date).month;
}

int dayOf(Date date)
{
    return toYmd(date).day;
}

int daysInMonth(int y, int m)
{
    return int(unsigned(year_month_day_last(year(y), month_day_last(month(unsigned(m)))).day()));
}

std::optional<Date> exactDate(int y, int m, int d)
{
    if (!isValidYmd(y, m, d))
        return std::nullopt;
    return fromYmd(year_month_day(year(y), month(unsigned(m)), day(unsigned(d))));
}

std::optional<Date> makeDate(std::int64_t y, std::int64_t m, std::int64_t d)
{
    // Fold the months into the years first (floor division keeps month 0 as December of the year before).
    const std::int64_t m0 = m - 1;
    const std::int64_t yearShift = m0 >= 0 ? m0 / 12 : -((-m0 + 11) / 12);
    y += yearShift;
    m = m0 - yearShift * 12 + 1;
    if (y < 100 || y > 9999)
        return std::nullopt;
    const Date first = fromYmd(year_month_day(year(int(y)), month(unsigned(m)), day(1)));
    const std::int64_t serial = std::int64_t(first) + d - 1;
    if (!isValidSerial(serial))
        return std::nullopt;
    return Date(serial);
}

std::optional<Date> addMonths(Date date, std::int64_t months)
{
    if (!isValidSerial(date))
        return std::nullopt;
    const Ymd ymd = toYmd(date);
    const std::int64_t total = std::int64_t(ymd.year) * 12 + (ymd.month - 1) + months;
    if (total < 100 * 12 || total > 9999 * 12 + 11)
        return std::nullopt;
    const int y = int(total / 12);
    const int m = int(total % 12) + 1;
    const int d = std::min(ymd.day, daysInMonth(y, m));
    return exactDate(y, m, d);
}

std::optional<Date> addYears(Date date, std::int64_t years)
{
    if (years > 10000 || years < -10000)
        return std::nullopt;
    return addMonths(date, years * 12);
}

std::optional<Date> addDays(Date date, std::int64_t count)
{
    const std::int64_t serial = std::int64_t(date) + count;
    if (!isValidSerial(date) || !isValidSerial(serial))
        return std::nullopt;
    return Date(serial);
}

int yearDiff(Date from, Date to)
{
    return yearOf(to) - yearOf(from);
}

int monthDiff(Date from, Date to)
{
    const Ymd a = toYmd(from);
    const Ymd b = toYmd(to);
    return (b.year - a.year) * 12 + (b.month - a.month);
}

} // namespace engine
