#include "RateChange.h"

#include "Arithmetic.h"
#include "ArithmeticError.h"
#include "ChangeTables.h"
#include "Codes.h"
#include "LoanDocument.h"
#include "MessageText.h"
#include "NumberFormat.h"
#include "Schedule.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

// The texts of this file.
constexpr const char *kKeepPayment = "Keep the payment of %1 (the loan is then repaid on %2)";
constexpr const char *kKeepPaymentNeverRepaid = "Keep the payment of %1 (the loan is then never repaid)";
constexpr const char *kKeepEndDate = "Keep the end date %1 (the payment becomes %2)";
constexpr const char *kNoEndDate = "The loan is never repaid at its payments: there is no end date to keep.";
constexpr const char *kRateNotOnPayment = "A new rate takes effect on a payment date; %1 is none.";
constexpr const char *kNoPaymentAfterLumpSum = "No payment follows the lump sum of %1: there is no payment to change.";
constexpr const char *kChangeAfterEnd = "%1 is after the loan's last payment.";
constexpr const char *kNothingOwed = "Nothing is owed after the change: there is no payment to change.";
constexpr const char *kCannotCompute = "The payment that keeps the end date cannot be computed.";

// How far past its amortization a loan is followed to find when it is repaid.
constexpr double kYearsFollowed = 100;

struct Payoff
{
    Date date = kNoDate;
    int period = 0;
};

// When a computed loan is repaid: within its term, or followed on at its last terms past the term (a term shorter than
// the amortization leaves a balance, a payment that no longer covers enough leaves one at the end of the term):
// first to the end of its amortization, whose last payment takes the cents a rounded payment leaves, then for a
// hundred years more. Nothing when it is not repaid by then.
std::optional<Payoff> payoffOf(const LoanDocument &computed, const NumberFormat &format)
{
    auto repaid = [](const LoanDocument &doc) -> std::optional<Payoff> {
        if (doc.gdblNumberOfPeriods < 1 || doc.gridMain0.balanceLeft() >= 0.01)
            return std::nullopt;
        return Payoff {doc.gdtmLastPaymentDate, int(doc.gdblNumberOfPeriods)};
    };
    if (auto own = repaid(computed))
        return own;
    const double term = std::round(computed.mdblNperTerm);
    const double amortization = std::min(double(amortizationPeriods(computed)), double(kMaxPeriods));
    const double periodsPerYear = periodsPerYearValue(computed.gintFreqOfInst, computed.gintPeriodsPerYearIndex);
    const double longest =
        std::min(double(kMaxPeriods), std::max(term, amortization) + std::round(periodsPerYear * kYearsFollowed));
    for (double periods : {amortization, longest}) {
        if (periods <= term)
            continue;
        LoanDocument followed = computed;
        followed.mdblNperTerm = periods;
        if (!Calculate(followed, format))
            return std::nullopt;
        if (auto found = repaid(followed))
            return found;
    }
    return std::nullopt;
}

PaymentChoice refused(std::string message)
{
    PaymentChoice choice;
    choice.error = std::move(message);
    return choice;
}

// The choice once the change is written into `changed`: the payment change goes on its payment row `row`.
PaymentChoice choose(const LoanDocument &doc, const LoanDocument &changed, int row, const NumberFormat &format)
{
    LoanDocument before = doc;
    const CalculateResult computed = Calculate(before, format);
    if (!computed)
        return refused(computed.message);
    const std::optional<Payoff> end = payoffOf(before, format);
    if (!end)
        return refused(kNoEndDate);

    // The row's own numbers, before they are rounded to what its cells show.
    ScheduleReader reader(changed.gridMain0, row);
    ScheduleRowValues values;
    reader.next(values);
    const int period = int(values[colNumber]);
    if (period > end->period)
        return refused(withValues(kChangeAfterEnd, {format.formatDate(values.date())}));
    const TermsInForce terms = termsInForce(changed, row);
    const double rate =
        periodicRate(terms.annualRate, periodsPerYearValue(changed.gintFreqOfInst, changed.gintPeriodsPerYearIndex),
                     changed.gintLoanType, changed.gintCompounding);
    // What the row credits besides its payment (lump sums paid since the last payment, with the interest they save)
    // comes off the balance at the end of the period; a period earlier it is worth that much less.
    const double credited =
        reader.unrounded(colPrincipal) + reader.unrounded(colInterest) - reader.unrounded(colPayment);
    const double owed = reader.unrounded(colOpeningBalance) - credited / (1 + rate);
    if (owed < 0.01)
        return refused(kNothingOwed);

    PaymentChoice choice;
    choice.changeDate = values.date();
    choice.payment = terms.payment;
    if (const std::optional<Payoff> repaid = payoffOf(changed, format))
        choice.repaidOn = repaid->date;
    choice.endDate = end->date;
    choice.periodsLeft = end->period - period + 1;
    choice.balanceOwed = owed;
    choice.endDatePayment = roundUpToDigits(levelPayment(rate, choice.periodsLeft, -owed), 2);
    return choice;
}

} // namespace

PaymentChoice choiceForRateChange(const LoanDocument &doc, Date date, double annualRate, const NumberFormat &format)
{
    try {
        LoanDocument changed = doc;
        putChangeEntry(changed.gridAnnualRate, date, annualRate * 100, format);
        if (const CalculateResult computed = Calculate(changed, format); !computed)
            return refused(computed.message);
        const int row = changed.gridMain0.firstPaymentFrom(date);
        if (row == 0 || changed.gridMain0.row(row).date() != date)
            return refused(withValues(kRateNotOnPayment, {format.formatDate(date)}));
        return choose(doc, changed, row, format);
    } catch (const ArithmeticError &) {
        return refused(kCannotCompute);
    }
}

PaymentChoice choiceForLumpSum(const LoanDocument &doc, Date date, double amount, const NumberFormat &format)
{
    try {
        LoanDocument changed = doc;
        addLumpSum(changed.gridLumpSum, date, amount, format);
        if (const CalculateResult computed = Calculate(changed, format); !computed)
            return refused(computed.message);
        // A lump sum on a payment date is paid after that payment: the next one is the first that can be lower.
        const int row = changed.gridMain0.firstPaymentFrom(date + 1);
        if (row == 0)
            return refused(withValues(kNoPaymentAfterLumpSum, {format.currency(amount)}));
        return choose(doc, changed, row, format);
    } catch (const ArithmeticError &) {
        return refused(kCannotCompute);
    }
}

void keepEndDate(LoanDocument &doc, const PaymentChoice &choice, const NumberFormat &format)
{
    if (choice.ok())
        putChangeEntry(doc.gridBasicPayment, choice.changeDate, choice.endDatePayment, format);
}

std::string keepPaymentText(const PaymentChoice &choice, const NumberFormat &format)
{
    if (!choice.repaidOn)
        return withValues(kKeepPaymentNeverRepaid, {format.currency(choice.payment)});
    return withValues(kKeepPayment, {format.currency(choice.payment), format.formatDate(*choice.repaidOn)});
}

std::string keepEndDateText(const PaymentChoice &choice, const NumberFormat &format)
{
    return withValues(kKeepEndDate, {format.formatDate(choice.endDate), format.currency(choice.endDatePayment)});
}

std::optional<double> triggerRate(const LoanDocument &doc, Date today)
{
    const ScheduleTable &schedule = doc.gridMain0;
    int row = schedule.firstPaymentFrom(today);
    if (row == 0)
        row = schedule.rowOfPayment(1);
    if (row == 0)
        return std::nullopt;
    const double owed = schedule.row(row)[colOpeningBalance];
    const double payment = termsInForce(doc, row).payment;
    if (owed < 0.01 || !(payment > 0))
        return std::nullopt;
    try {
        return annualRateForPeriodicRate(payment / owed,
                                         periodsPerYearValue(doc.gintFreqOfInst, doc.gintPeriodsPerYearIndex),
                                         doc.gintLoanType, doc.gintCompounding);
    } catch (const ArithmeticError &) {
        return std::nullopt;
    }
}

} // namespace engine
