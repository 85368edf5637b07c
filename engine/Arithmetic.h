#pragma once

#include "Dates.h"

#include <string_view>

namespace engine {

// Rate and payment arithmetic. Every function either returns a finite value or throws ArithmeticError.

// floor((x + 0.5 / 10^d) × 10^d) / 10^d: half up, and towards the larger value for negative halves.
double roundToDigits(double x, int digits);
// Rounds a positive x up to `digits` decimals, treating an excess below about the fourteenth significant
// digit as noise. 0 gives 0; a negative x is an InvalidArgument error.
double roundUpToDigits(double x, int digits);

// Compounding periods per year: a personal loan always compounds monthly.
double compoundingPerYear(int loanType, int compounding);
// Days per year for the daily rate, by exact comparison of the periods per year; 0 when none matches.
double daysPerYear(double periodsPerYear);

double periodicRate(double annualRate, double periodsPerYear, int loanType, int compounding);
double dailyRate(double annualRate, double periodsPerYear, int loanType, int compounding);
// The inverse of periodicRate: the nominal annual rate (a fraction, unrounded) whose rate per payment period is `rate`.
double annualRateForPeriodicRate(double rate, double periodsPerYear, int loanType, int compounding);

// Annuity payment at the end of each period; pass the loan amount negated as presentValue for a positive payment.
double levelPayment(double rate, double periods, double presentValue);
// One period's interest plus a cent, rounded to cents: the smallest payment that still reduces the balance.
double minimumPayment(double amount, double rate);
// The periodic rate, found by bisection, for which `periods` level payments of `payment` repay `amount`;
// upperBoundPercent is the highest annual rate, in percent, the search considers.
double rateForPayment(double periods, double payment, double amount, double upperBoundPercent);
// The nominal annual rate (fraction) equivalent to a periodic rate, unrounded: a rate rounded to a few decimals no
// longer repays the loan with the payment it was solved from.
double annualRateFromPeriodicRate(double rate, double periodsPerYear, int compounding);

// Standard annuity relations (payments at period end unless `atStart`): number of periods,
// present value and future value. A payment that never repays the balance is an InvalidArgument error.
double nper(double rate, double payment, double presentValue, double futureValue = 0, bool atStart = false);
double presentValue(double rate, double periods, double payment, double futureValue = 0, bool atStart = false);
double futureValue(double rate, double periods, double payment, double presentValue = 0, bool atStart = false);

// Amortization length (unit 0 years, 1 months) and number of periods, both ways; not rounded.
double lengthToPeriods(double length, int unit, int frequency);
double periodsToLength(double periods, int unit, int frequency, Date startDate);
// Years ("y") or months ("m") between two dates, with the remainder as a fraction of d2's year or month.
double fractionalSpan(std::string_view unit, Date d1, Date d2);

// Payments per year counted for the payment equivalence of the frequencies (12 monthly, 24 semi-monthly and
// accelerated bi-weekly, 26 bi-weekly, 48 accelerated weekly, 52 weekly, 1 annual).
int equivalenceFactor(int frequency);
// The payment of one frequency carried over to another through its monthly equivalent.
double equivalentPayment(double payment, int fromFrequency, int toFrequency);

} // namespace engine
