#include "Renewal.h"

#include "Arithmetic.h"
#include "ArithmeticError.h"
#include "Calendar.h"
#include "ChangeTables.h"
#include "Codes.h"
#include "LoanDocument.h"
#include "NumberFormat.h"
#include "Schedule.h"

#include <algorithm>
#include <array>

namespace engine {

namespace {

// The texts of this file.
constexpr const char *kTermCoversAmortization =
    "The term of this loan covers its amortization: there is no balance to renew at its end.";
constexpr const char *kRepaidWithinTerm = "This loan is repaid within its term: there is no balance to renew.";
constexpr const char *kRenewalCannotCompute = "The renewal of this loan cannot be computed.";
constexpr std::array<const char *, 7> kCaptions = {"Renewal Date", "Balance Left",   "Periods Left",      "Annual Rate",
                                                   "Payment",      "Payment Change", "Interest over Term"};

Renewal refusedRenewal(std::string message)
{
    Renewal out;
    out.error = std::move(message);
    return out;
}

// The interest a new term at `rate` costs: the loan followed past its term with the new rate and payment from the
// first payment after the renewal, up to the end of the new term.
double interestOverTerm(const LoanDocument &followed, int renewalRow, Date nextPayment, const RenewalRate &rate,
                        const NumberFormat &format)
{
    LoanDocument renewed = followed;
    putChangeEntry(renewed.gridAnnualRate, nextPayment, rate.annualRate * 100, format);
    putChangeEntry(renewed.gridBasicPayment, nextPayment, rate.payment, format);
    if (!Calculate(renewed, format))
        throw ArithmeticError(ArithmeticError::Kind::InvalidArgument, "renewal");
    // Summed over the term's rows and rounded once, as a year's interest is.
    ScheduleReader reader(renewed.gridMain0, renewalRow);
    ScheduleRowValues row;
    reader.next(row);
    return roundAsShown(renewed.gdblInterestPaid - reader.unrounded(colCumulativeInterest), 2);
}

Renewal computeRenewal(const LoanDocument &doc, const std::vector<double> &rates, const NumberFormat &format)
{
    LoanDocument base = doc;
    if (const CalculateResult computed = Calculate(base, format); !computed)
        return refusedRenewal(computed.message);
    if (base.glngAmortization <= 0 || termCoversAmortization(base))
        return refusedRenewal(kTermCoversAmortization);
    const ScheduleTable &schedule = base.gridMain0;
    const int termPeriods = toInt32(base.mdblNperTerm);
    const int renewalRow = schedule.rowOfPayment(termPeriods);
    if (renewalRow == 0 || schedule.balanceLeft() < 0.01)
        return refusedRenewal(kRepaidWithinTerm);

    Renewal out;
    out.date = schedule.row(renewalRow).date();
    out.balanceLeft = schedule.balanceLeft();
    out.termPeriods = termPeriods;
    out.periodsLeft = amortizationPeriods(base) - termPeriods;
    out.amortizationLeft = periodsToLength(out.periodsLeft, base.gintAmortUnit, base.gintFreqOfInst, kNoDate);
    const TermsInForce terms = termsInForce(base, renewalRow);
    out.annualRate = terms.annualRate;
    out.payment = terms.payment;

    // The loan followed for another term at its present terms; the entries dated after the renewal belong to no
    // renewed loan.
    LoanDocument followed = base;
    for (TextTable *table : {&followed.gridAnnualRate, &followed.gridBasicPayment, &followed.gridLumpSum})
        removeChangeEntriesIf(*table, [&out](Date date) { return date > out.date; });
    followed.mdblNperTerm = std::min(2.0 * termPeriods, double(kMaxPeriods));
    if (!Calculate(followed, format))
        return refusedRenewal(kRenewalCannotCompute);
    const int nextRow = followed.gridMain0.rowOfPayment(termPeriods + 1);
    if (nextRow == 0)
        return refusedRenewal(kRenewalCannotCompute);
    const Date nextPayment = followed.gridMain0.row(nextRow).date();

    const double periodsPerYear = periodsPerYearValue(base.gintFreqOfInst, base.gintPeriodsPerYearIndex);
    for (double annualRate : rates.empty() ? renewalRates(out.annualRate) : rates) {
        RenewalRate rate;
        rate.annualRate = annualRate;
        const double periodic = periodicRate(annualRate, periodsPerYear, base.gintLoanType, base.gintCompounding);
        rate.payment = roundUpToDigits(levelPayment(periodic, out.periodsLeft, -out.balanceLeft), 2);
        rate.paymentDifference = roundAsShown(rate.payment - out.payment, 2);
        rate.interestOverTerm = interestOverTerm(followed, renewalRow, nextPayment, rate, format);
        out.rates.push_back(rate);
    }
    return out;
}

} // namespace

std::vector<double> renewalRates(double annualRate)
{
    std::vector<double> rates;
    for (int points : {-1, 0, 1, 2}) {
        // To eight decimals: 5.25 % and a point is 6.25 %, not 6.2500000000000001 %.
        const double rate = roundToDigits(annualRate + points / 100.0, 8);
        if (rate >= 0)
            rates.push_back(rate);
    }
    return rates;
}

Renewal renewal(const LoanDocument &doc, const std::vector<double> &rates, const NumberFormat &format)
{
    try {
        return computeRenewal(doc, rates, format);
    } catch (const ArithmeticError &) {
        return refusedRenewal(kRenewalCannotCompute);
    }
}

std::vector<std::vector<std::string>> renewalTable(const Renewal &renewal, const NumberFormat *format)
{
    std::vector<std::vector<std::string>> cells;
    cells.emplace_back(kCaptions.begin(), kCaptions.end());
    const NumberFormat &shown = format ? *format : plainFormat();
    auto money = [&](double value) { return format ? format->currency(value) : plainFormat().fixed(value, 2); };
    for (const RenewalRate &rate : renewal.rates) {
        cells.push_back({shown.formatDate(renewal.date), money(renewal.balanceLeft),
                         std::to_string(renewal.periodsLeft),
                         format ? format->ratePercent(rate.annualRate) : plainFormat().fixed(rate.annualRate * 100, 4),
                         money(rate.payment), money(rate.paymentDifference), money(rate.interestOverTerm)});
    }
    return cells;
}

} // namespace engine
