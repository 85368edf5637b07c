#pragma once

#include "Dates.h"

#include <cstdint>

namespace engine {

// The two days of each month a semi-monthly loan pays on, derived from the anchor's day of month.
struct SemiMonthlyDays
{
    int a = 0; // the earlier day
    int b = 0; // the later day
    friend bool operator==(const SemiMonthlyDays &, const SemiMonthlyDays &) = default;
};

SemiMonthlyDays semiMonthlyDays(int dayOfMonth);

// The date of period n counted from the anchor. With convention 0 the anchor is payment 1; otherwise the anchor
// is period 0. Every date is computed from the anchor, not from the previous one. A date beyond year 9999 is
// retried with n reduced by 10 until it fits; anything that cannot be computed throws ArithmeticError.
Date nthPaymentDate(Date anchor, int frequency, std::int32_t n, int convention);
// The same without the retry: a date beyond the calendar throws ArithmeticError. The schedule uses this, since a
// lowered n would put a row's date before the rows above it.
Date exactPaymentDate(Date anchor, int frequency, std::int32_t n, int convention);

// The semi-monthly payment date after `date` (step 1) or `date` itself (step 0); the zero date for a date the
// pair (a, b) never pays on and for any other step.
Date nextSemiMonthlyDate(Date date, int step, int a, int b);

// The last day (28..31) of a month; 0 when there is none.
int fLastDayOfMonth(int year, int month);

// The date of the last scheduled period: the number of periods rounded to the nearest whole (halves to even).
Date lastPaymentDue(Date anchor, int frequency, double periods, int convention);

// Nearest 32-bit integer with halves to even; throws ArithmeticError (overflow) outside the 32-bit range.
std::int32_t toInt32(double value);

} // namespace engine
