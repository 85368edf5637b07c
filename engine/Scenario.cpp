#include "Scenario.h"

#include "Arithmetic.h"
#include "ArithmeticError.h"
#include "Codes.h"
#include "NumberFormat.h"

#include <cmath>
#include <cstdint>

namespace engine {

namespace {

// The calculator knows only mortgage compounding: every code of its list is consulted.
constexpr int kLoanType = kMortgageLoan;
constexpr int kDaysInYearCount = int(kDaysInYearTexts.size());

Blankable finiteOrBlank(Blankable value)
{
    if (value && !std::isfinite(*value))
        return std::nullopt;
    return value;
}

// Rows 0 and 1 have the same number of periods whatever the year's length.
double rowPeriodsPerYear(int row, int daysInYearIndex)
{
    return periodsPerYearValue(row, row <= kSemiMonthly ? 0 : daysInYearIndex);
}

Blankable rateFor(Blankable annualRate, double periodsPerYear, int compounding)
{
    if (!annualRate)
        return std::nullopt;
    return attempt([&] { return engine::periodicRate(*annualRate, periodsPerYear, kLoanType, compounding); });
}

} // namespace

Scenario::Scenario(int compounding)
    : m_compounding(compoundingPosition(kLoanType, compounding) < 0 ? 0 : compounding)
{
    setAmortization(std::nullopt);
    refreshSelectedRate();
    updatePayment(std::nullopt);
}

void Scenario::loanAmountChanged(Blankable amount)
{
    m_loanAmount = finiteOrBlank(amount);
    setAmortization(m_amortization);
    updatePayment(std::nullopt);
}

void Scenario::annualRateChanged(Blankable percent)
{
    percent = finiteOrBlank(percent);
    m_annualRate = percent ? Blankable(*percent / 100) : std::nullopt;
    refreshSelectedRate();
    setAmortization(m_amortization);
    updatePayment(std::nullopt);
}

void Scenario::amortizationChanged(Blankable length)
{
    setAmortization(finiteOrBlank(length));
    updatePayment(std::nullopt);
}

void Scenario::amortizationUnitChanged(int unit)
{
    if (unit != kYears && unit != kMonths)
        return;
    m_amortizationUnit = unit;
    setAmortization(m_amortization);
    updatePayment(std::nullopt);
}

void Scenario::compoundingChanged(int compounding)
{
    if (compoundingPosition(kLoanType, compounding) < 0)
        return;
    m_compounding = compounding;
    refreshSelectedRate();
    updatePayment(std::nullopt);
}

void Scenario::frequencyChanged(int frequency)
{
    if (frequency < kMonthly || frequency > kWeekly)
        return;
    const Blankable carried =
        m_payment ? attempt([&] { return equivalentPayment(*m_payment, m_frequency, frequency); }) : std::nullopt;
    m_frequency = frequency;
    refreshSelectedRate();
    // The number of periods belongs to the selected frequency; left at the old one, the computed payment
    // would be that of another loan and the carried-over payment would be judged against it.
    setAmortization(m_amortization);
    updatePayment(carried);
}

void Scenario::paymentChanged(Blankable payment)
{
    updatePayment(finiteOrBlank(payment));
}

void Scenario::daysInYearChanged(int index)
{
    if (index < 0 || index >= kDaysInYearCount)
        return;
    m_daysInYearIndex = index;
    // The payment on show stays; only how it compares with the computed one may change.
    refreshSelectedRate();
    classifyPayment();
}

void Scenario::termChanged(Blankable term)
{
    m_term = finiteOrBlank(term);
}

void Scenario::termUnitChanged(int unit)
{
    if (unit == kYears || unit == kMonths)
        m_termUnit = unit;
}

Blankable Scenario::computedPayment() const
{
    if (m_numberOfPeriods == 0 || !m_periodicRate)
        return std::nullopt;
    const double amount = m_loanAmount.value_or(0);
    return attempt([&] { return levelPayment(*m_periodicRate, m_numberOfPeriods, -amount); });
}

void Scenario::setAmortization(Blankable length)
{
    m_amortization = length;
    m_numberOfPeriods = length ? lengthToPeriods(*length, m_amortizationUnit, m_frequency) : 0;
}

void Scenario::refreshSelectedRate()
{
    m_periodsPerYear = periodsPerYearValue(m_frequency, m_daysInYearIndex);
    m_periodicRate = rateFor(m_annualRate, m_periodsPerYear, m_compounding);
}

void Scenario::updatePayment(Blankable given)
{
    m_payment = given ? given : computedPayment();
    if (!m_payment) {
        m_minimumPayment = 0;
        m_paymentState = PaymentState::Normal;
        return;
    }
    classifyPayment();
}

void Scenario::classifyPayment()
{
    if (!m_payment) {
        m_paymentState = PaymentState::Normal;
        return;
    }
    const double amount = m_loanAmount.value_or(0);
    const double rate = m_periodicRate.value_or(0);
    m_minimumPayment = attempt([&] { return engine::minimumPayment(amount, rate); }).value_or(0);
    const Blankable computed = computedPayment();
    const Blankable shownCents = attempt([&] { return roundToDigits(*m_payment, 2); });
    const Blankable computedCents = computed ? attempt([&] { return roundToDigits(*computed, 2); }) : std::nullopt;
    if (shownCents && computedCents && *shownCents == *computedCents)
        m_paymentState = PaymentState::Normal;
    else if (*m_payment < m_minimumPayment)
        m_paymentState = PaymentState::BelowMinimum;
    else
        m_paymentState = PaymentState::Differs;
}

ScenarioTable Scenario::table(const NumberFormat &format) const
{
    ScenarioTable cells;
    const bool complete = m_loanAmount && m_annualRate && m_amortization && m_payment;
    for (int row = 0; row < kScenarioRows; ++row) {
        auto &out = cells[size_t(row)];
        const double perYear = rowPeriodsPerYear(row, m_daysInYearIndex);
        const Blankable rate = rateFor(m_annualRate, perYear, m_compounding);
        if (rate)
            out[scnPeriodicRate] = format.percent(*rate, 10, true);
        if (!complete || !rate)
            continue;

        const double amount = *m_loanAmount;
        const Blankable rowPayment = attempt([&] { return equivalentPayment(*m_payment, m_frequency, row); });
        const Blankable cents = rowPayment ? attempt([&] { return roundToDigits(*rowPayment, 2); }) : std::nullopt;
        if (!cents)
            continue;
        out[scnPayment] = format.currency(*rowPayment);

        // A payment that never repays the loan has no amortization; its balance still runs on for any term.
        const Blankable periods = attempt([&] { return nper(*rate, -*cents, amount); });
        if (periods) {
            out[scnAmortization] = amortizationText(*periods, row == kMonthly ? 12 : int(perYear));
            if (const Blankable interest = attempt([&] { return checkedResult(*cents * *periods - amount); }))
                out[scnInterestForAmortization] = format.currency(*interest);
        }

        if (!m_term)
            continue;
        const double termPeriods = m_termUnit == kYears ? *m_term * perYear : *m_term * perYear / 12;
        if (periods && *periods <= termPeriods)
            continue;
        const Blankable balance = attempt([&] { return futureValue(*rate, termPeriods, *cents, -amount); });
        if (!balance)
            continue;
        const Blankable interest = attempt([&] { return checkedResult(*cents * termPeriods - (amount - *balance)); });
        if (!interest)
            continue;
        out[scnInterestForTerm] = format.currency(*interest);
        out[scnTermEndingBalance] = format.currency(*balance);
    }
    return cells;
}

std::string amortizationText(double periods, int periodsPerYear)
{
    if (periodsPerYear <= 0 || !std::isfinite(periods))
        return {};
    const double years = periods / periodsPerYear + 0.005;
    const double whole = std::floor(years);
    const double months = std::floor((years - whole) * 12);
    // Far beyond any lifetime, but still shown as plain whole numbers.
    if (std::fabs(whole) >= 9.0e15)
        return plainNumber(whole) + " YR " + plainNumber(months) + " MTH";
    return std::to_string(std::int64_t(whole)) + " YR " + std::to_string(std::int64_t(months)) + " MTH";
}

} // namespace engine
