#include "Arithmetic.h"

#include "ArithmeticError.h"
#include "Codes.h"

#include <cmath>

namespace engine {

namespace {

double divide(double a, double b)
{
    if (b == 0)
        throw ArithmeticError(ArithmeticError::Kind::DivisionByZero, "Division by zero");
    return checkedResult(a / b);
}

double power(double base, double exponent)
{
    return checkedResult(std::pow(base, exponent));
}

} // namespace

double checkedResult(double value)
{
    if (!std::isfinite(value))
        throw ArithmeticError(ArithmeticError::Kind::Overflow, "Overflow");
    return value;
}

double roundToDigits(double x, int digits)
{
    const double f = power(10.0, digits);
    return checkedResult(std::floor((x + 0.5 / f) * f) / f);
}

double roundUpToDigits(double x, int digits)
{
    if (x == 0)
        return 0;
    const double scale = power(10.0, digits);
    const double y = checkedResult(x * scale);
    if (y <= 0)
        throw ArithmeticError(ArithmeticError::Kind::InvalidArgument, "Invalid procedure call or argument");
    const double e = std::floor(std::log(y) / std::log(10.0));
    const double t = std::pow(10.0, e - 14);
    const double g = y - std::floor(y);
    return checkedResult(g >= t ? (std::floor(y) + 1) / scale : std::floor(y) / scale);
}

double compoundingPerYear(int loanType, int compounding)
{
    if (loanType == kPersonalLoan)
        return 12;
    switch (compounding) {
    case 0:
        return 2;
    case 1:
        return 12;
    case 2:
        return 1;
    case 3:
        return 4;
    default:
        return compounding;
    }
}

double daysPerYear(double p)
{
    if (p == 1 || p == 12 || p == 24)
        return 365;
    if (p == 365.25 / 14 || p == 365.25 / 7)
        return 365.25;
    if (p == 365.0 / 14 || p == 365.0 / 7)
        return 365;
    if (p == 364.0 / 14 || p == 364.0 / 7)
        return 364;
    return 0;
}

double periodicRate(double annualRate, double periodsPerYear, int loanType, int compounding)
{
    const double n = compoundingPerYear(loanType, compounding);
    return checkedResult(power(1 + divide(annualRate, n), divide(n, periodsPerYear)) - 1);
}

double annualRateForPeriodicRate(double rate, double periodsPerYear, int loanType, int compounding)
{
    // i = (1 + r/n)^(n/p) - 1, solved for r.
    const double n = compoundingPerYear(loanType, compounding);
    return checkedResult(n * (power(1 + rate, divide(periodsPerYear, n)) - 1));
}

double dailyRate(double annualRate, double periodsPerYear, int loanType, int compounding)
{
    const double n = compoundingPerYear(loanType, compounding);
    // The exponent is deliberately held in single precision; the base stays double.
    const float exponent = float(divide(n, daysPerYear(periodsPerYear)));
    return checkedResult(power(1 + divide(annualRate, n), double(exponent)) - 1);
}

double levelPayment(double rate, double periods, double presentValue)
{
    if (periods == 0)
        return 0;
    if (1 + rate == 1)
        return divide(-presentValue, periods);
    return divide(-presentValue * rate, 1 - power(1 + rate, -periods));
}

double minimumPayment(double amount, double rate)
{
    return roundToDigits(amount * rate + 0.01, 2);
}

double rateForPayment(double periods, double payment, double amount, double upperBoundPercent)
{
    double hi = upperBoundPercent / 100 / 12;
    double lo = 0;
    double mid = hi / 2;
    for (int step = 0; step < 2000; ++step) {
        const double q = levelPayment(mid, periods, -amount);
        if (q == payment)
            break;
        if (q > payment)
            hi = mid;
        if (q < payment)
            lo = mid;
        mid = lo + (hi - lo) / 2;
        if (mid + 1 == 1)
            return 0;
    }
    return mid;
}

double annualRateFromPeriodicRate(double rate, double periodsPerYear, int compounding)
{
    const double m = compounding == 0 ? 2
        : compounding == 1            ? 12
        : compounding == 2            ? 1
        : compounding == 3            ? 4
                                      : compounding;
    return checkedResult(m * (power(power(1 + rate, periodsPerYear), divide(1, m)) - 1));
}

double nper(double rate, double payment, double presentValue, double fv, bool atStart)
{
    if (rate == 0)
        return divide(-(presentValue + fv), payment);
    const double adjusted = payment * (atStart ? 1 + rate : 1);
    const double numerator = adjusted - fv * rate;
    const double denominator = adjusted + presentValue * rate;
    const double ratio = divide(numerator, denominator);
    if (ratio <= 0)
        throw ArithmeticError(ArithmeticError::Kind::InvalidArgument, "Invalid procedure call or argument");
    if (1 + rate <= 0)
        throw ArithmeticError(ArithmeticError::Kind::InvalidArgument, "Invalid procedure call or argument");
    return divide(std::log(ratio), std::log(1 + rate));
}

double presentValue(double rate, double periods, double payment, double fv, bool atStart)
{
    if (rate == 0)
        return checkedResult(-fv - payment * periods);
    const double growth = power(1 + rate, periods);
    const double annuity = payment * (atStart ? 1 + rate : 1) * (growth - 1) / rate;
    return checkedResult(-(fv + annuity) / growth);
}

double futureValue(double rate, double periods, double payment, double pv, bool atStart)
{
    if (rate == 0)
        return checkedResult(-pv - payment * periods);
    const double growth = power(1 + rate, periods);
    const double annuity = payment * (atStart ? 1 + rate : 1) * (growth - 1) / rate;
    return checkedResult(-(pv * growth + annuity));
}

double lengthToPeriods(double length, int unit, int frequency)
{
    const bool years = unit == 0;
    switch (frequency) {
    case kMonthly:
        return years ? length * 12 : length;
    case kSemiMonthly:
        return years ? length * 24 : length * 2;
    case kBiWeeklyAccelerated:
    case kBiWeekly:
        return years ? length * 365 / 14 : length * 365 / 14 / 12;
    case kWeeklyAccelerated:
    case kWeekly:
        return years ? length * 365 / 7 : length * 365 / 7 / 12;
    case kAnnually:
        return years ? length : length / 12;
    default:
        return 0;
    }
}

double periodsToLength(double periods, int unit, int frequency, Date startDate)
{
    const bool years = unit == 0;
    auto spanInDays = [&](int daysPerPeriod) {
        const auto end = addDays(startDate, std::int64_t(std::llround(daysPerPeriod * periods)));
        if (!end)
            throw ArithmeticError(ArithmeticError::Kind::DateOutOfRange, "Date out of range");
        return fractionalSpan(years ? "y" : "m", startDate, *end);
    };
    switch (frequency) {
    case kMonthly:
        return years ? periods / 12 : periods;
    case kSemiMonthly:
        return years ? periods / 24 : periods / 2;
    case kBiWeeklyAccelerated:
    case kBiWeekly:
        if (startDate != kNoDate)
            return spanInDays(14);
        return years ? periods / (365.0 / 14) : periods / (365.0 / 14) * 12;
    case kWeeklyAccelerated:
    case kWeekly:
        if (startDate != kNoDate)
            return spanInDays(7);
        return years ? periods / (365.0 / 7) : periods / (365.0 / 7) * 12;
    case kAnnually:
        return years ? periods : periods * 12;
    default:
        return 0;
    }
}

double fractionalSpan(std::string_view unit, Date d1, Date d2)
{
    if (unit == "y") {
        const int w = yearDiff(d1, d2);
        const int y2 = yearOf(d2);
        const double k = *exactDate(y2, 12, 31) - *exactDate(y2, 1, 1) + 1;
        const auto shifted = addYears(d1, w);
        if (!shifted)
            throw ArithmeticError(ArithmeticError::Kind::DateOutOfRange, "Date out of range");
        return w + (d2 - *shifted) / k;
    }
    if (unit == "m") {
        const int w = monthDiff(d1, d2);
        const double k = daysInMonth(yearOf(d2), monthOf(d2));
        const auto shifted = addMonths(d1, w);
        if (!shifted)
            throw ArithmeticError(ArithmeticError::Kind::DateOutOfRange, "Date out of range");
        return w + (d2 - *shifted) / k;
    }
    return 0;
}

int equivalenceFactor(int frequency)
{
    switch (frequency) {
    case kMonthly:
        return 12;
    case kSemiMonthly:
    case kBiWeeklyAccelerated:
        return 24;
    case kBiWeekly:
        return 26;
    case kWeeklyAccelerated:
        return 48;
    case kWeekly:
        return 52;
    default:
        return 1;
    }
}

double equivalentPayment(double payment, int fromFrequency, int toFrequency)
{
    const double monthly = payment * equivalenceFactor(fromFrequency) / 12;
    return checkedResult(monthly * 12 / equivalenceFactor(toFrequency));
}

} // namespace engine
