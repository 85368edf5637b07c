#include "Calendar.h"

#include "ArithmeticError.h"
#include "Codes.h"

#include <cmath>
#include <cstdlib>

namespace engine {

namespace {

[[noreturn]] void outOfRange()
{
    throw ArithmeticError(ArithmeticError::Kind::DateOutOfRange, "Date out of range");
}

Date require(std::optional<Date> date)
{
    if (!date)
        outOfRange();
    return *date;
}

// The semi-monthly estimate of period n: whole years plus a share of 365.25 days, then snapped to a payment day.
std::optional<Date> semiMonthlyEstimate(Date anchor, std::int32_t n, int convention)
{
    SemiMonthlyDays pair = semiMonthlyDays(dayOf(anchor));
    if (pair.a == 15)
        pair.b = 31;
    const double y = n / 24.0;
    const double whole = std::trunc(y);
    const auto offset = std::int64_t(std::trunc((y - std::floor(y)) * 365.25));
    auto r = addYears(anchor, std::int64_t(whole));
    if (!r)
        return std::nullopt;
    r = addDays(*r, convention != 0 ? offset : offset - 15);
    if (!r)
        return std::nullopt;
    const Ymd ymd = toYmd(*r);
    if (ymd.day == pair.a || ymd.day == pair.b)
        return r;

    const int da = std::abs(ymd.day - pair.a);
    const int db = std::abs(ymd.day - pair.b);
    int year = ymd.year;
    int month = ymd.month;
    int day = 0;
    if (pair.a == 1 && da >= 26) {
        day = 1;
        if (++month > 12) {
            month = 1;
            ++year;
        }
    } else if (pair.b >= 28 && db >= 26) {
        day = pair.b;
        if (--month < 1) {
            month = 12;
            --year;
        }
    } else {
        day = da <= db ? pair.a : pair.b;
    }
    // A day the month does not have (31 in a 30-day month) falls back to the month's last day.
    for (; day >= 1; --day) {
        if (auto date = exactDate(year, month, day))
            return date;
        if (year < 100 || year > 9999)
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<Date> periodDate(Date anchor, int frequency, std::int32_t n, int convention)
{
    const std::int64_t k = convention != 0 ? std::int64_t(n) : std::int64_t(n) - 1;
    switch (frequency) {
    case kMonthly:
        return addMonths(anchor, k);
    case kBiWeeklyAccelerated:
    case kBiWeekly:
        return addDays(anchor, 14 * k);
    case kWeeklyAccelerated:
    case kWeekly:
        return addDays(anchor, 7 * k);
    case kAnnually:
        return addYears(anchor, k);
    case kSemiMonthly:
        return semiMonthlyEstimate(anchor, n, convention);
    default:
        return kNoDate;
    }
}

} // namespace

SemiMonthlyDays semiMonthlyDays(int d)
{
    if (d <= 15)
        return {d, d + 15};
    if (d <= 30)
        return {d - 15, d};
    return {15, 31};
}

Date nthPaymentDate(Date anchor, int frequency, std::int32_t n, int convention)
{
    if (!isValidSerial(anchor))
        outOfRange();
    if (auto date = periodDate(anchor, frequency, n, convention))
        return *date;
    // Past the end of the calendar the date is retried with n lowered in steps of 10. Only a date beyond the last
    // year can come back by lowering n, so search for the smallest number of steps that fits; the dates grow with
    // n, so a binary search finds it without walking every step.
    const std::int64_t lastStep = std::int64_t(n) / 10 + 1; // brings n to just below 0
    auto fits = [&](std::int64_t steps) {
        return periodDate(anchor, frequency, std::int32_t(n - 10 * steps), convention).has_value();
    };
    if (n <= 0 || !fits(lastStep))
        outOfRange();
    std::int64_t lo = 0; // does not fit
    std::int64_t hi = lastStep; // fits
    while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        (fits(mid) ? hi : lo) = mid;
    }
    return *periodDate(anchor, frequency, std::int32_t(n - 10 * hi), convention);
}

Date exactPaymentDate(Date anchor, int frequency, std::int32_t n, int convention)
{
    return require(isValidSerial(anchor) ? periodDate(anchor, frequency, n, convention) : std::nullopt);
}

Date nextSemiMonthlyDate(Date date, int step, int a, int b)
{
    if (step == 0)
        return date;
    if (step != 1 || !isValidSerial(date))
        return kNoDate;
    const Ymd x = toYmd(date);
    const int d = x.day;
    auto inMonth = [&](int monthOffset, int day) { return require(makeDate(x.year, x.month + monthOffset, day)); };
    auto next = [&](int day) { return inMonth(1, day); };

    switch (x.month) {
    case 2:
        if (d == 14 || d == 15)
            return inMonth(0, fLastDayOfMonth(x.year, 2));
        if (d == 16)
            return next(1);
        if (d == 29)
            return next(a);
        if (d != a)
            return d > 16 ? next(a) : kNoDate;
        return inMonth(0, b);
    default:
        // Months of 30 and 31 days follow the same rules; the 15th pairs with the month's last day.
        if (d == 15)
            return inMonth(0, daysInMonth(x.year, x.month));
        if (d == 16)
            return next(1);
        if (d == 30 || d == 31)
            return next(15);
        if (d != a)
            return d > 16 ? next(a) : kNoDate;
        return inMonth(0, b);
    }
}

int fLastDayOfMonth(int year, int month)
{
    for (int day : {31, 30, 29, 28, 27}) {
        if (exactDate(year, month, day))
            return day;
    }
    return 0;
}

std::int32_t toInt32(double value)
{
    const double rounded = std::nearbyint(value); // the default rounding mode rounds halves to even
    if (!(rounded >= double(INT32_MIN) && rounded <= double(INT32_MAX)))
        throw ArithmeticError(ArithmeticError::Kind::Overflow, "Overflow");
    return std::int32_t(rounded);
}

Date lastPaymentDue(Date anchor, int frequency, double periods, int convention)
{
    return nthPaymentDate(anchor, frequency, toInt32(periods), convention);
}

} // namespace engine
