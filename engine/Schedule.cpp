#include "Schedule.h"

#include "Arithmetic.h"
#include "ArithmeticError.h"
#include "Calendar.h"
#include "NumberFormat.h"

#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace engine {

namespace {

class CalculationRefused : public std::runtime_error
{
    using std::runtime_error::runtime_error;
};

std::string messageFor(const ArithmeticError &error)
{
    switch (error.kind()) {
    case ArithmeticError::Kind::Overflow:
        return "The schedule cannot be computed: an amount grows beyond what can be counted to the cent. "
               "Check the annual rate and the payment.";
    case ArithmeticError::Kind::DivisionByZero:
        return "The schedule cannot be computed: a division by zero occurred. "
               "Check the payment frequency and the number of periods per year.";
    case ArithmeticError::Kind::DateOutOfRange:
        return "The schedule cannot be computed: a payment date falls outside the years 100 to 9999.";
    case ArithmeticError::Kind::InvalidArgument:
        break;
    }
    return "The schedule cannot be computed: an invalid value was met. Check the loan data.";
}

// A payment change is paid as entered; with the lender's rounding, in cents.
double changedPayment(const LoanDocument &doc, double amount)
{
    return doc.roundInterestEachPeriod ? roundToDigits(amount, 2) : amount;
}

// One change table walked in date order alongside the periods.
struct ChangeCursor
{
    explicit ChangeCursor(const TextTable &changes)
        : table(changes)
        , count(changes.rows() - 1)
        , index(count > 0 ? 1 : 0)
        , appliedRow(size_t(std::max(count, 0)) + 1)
    {
        if (count > 0)
            date = serialDate(changes.text(1, chgDateSerial));
    }

    bool pending() const { return index >= 1 && index <= count; }
    double amount() const { return numberOrZero(table.text(index, chgAmount)); }
    void markApplied(int scheduleRow) { appliedRow[size_t(index)] = scheduleRow; }
    void advance()
    {
        ++index;
        if (pending())
            date = serialDate(table.text(index, chgDateSerial));
    }
    // An entry whose date has gone by without matching a period is skipped, so that it cannot hold back the
    // entries after it.
    void skipBefore(Date limit)
    {
        while (pending() && date < limit)
            advance();
    }

    const TextTable &table;
    int count;
    int index;
    Date date = kNoDate;
    std::vector<int> appliedRow; // schedule row per entry, 0 when not applied
};

class ScheduleRun
{
public:
    ScheduleRun(const LoanDocument &doc, const NumberFormat &format, const ProgressFn &progress)
        : m_doc(doc)
        , m_format(format)
        , m_progress(progress)
        , m_rates(doc.gridAnnualRate)
        , m_payments(doc.gridBasicPayment)
        , m_lumps(doc.gridLumpSum)
    { }

    void run();
    void commit(LoanDocument &doc);

private:
    void prepare();
    void computeDates(int period, Date &date, Date &next);
    void paymentPeriod(int period, Date date);
    void lumpSumsBetweenDates(Date date, Date next);
    void report(int period) const
    {
        if (m_progress)
            m_progress(period, m_progressScale);
    }
    // Every amount a row shows, and every running total, stays where it can be shown to the cent.
    void checkRunningTotals() const
    {
        checkedAmount(m_grid.balance());
        checkedAmount(m_grid.cumulativePayments());
        checkedAmount(m_grid.cumulativeInterest());
        checkedAmount(m_grid.cumulativePrincipal());
    }
    static double checkedAmount(double value)
    {
        if (!std::isfinite(value))
            throw ArithmeticError(ArithmeticError::Kind::Overflow, "Overflow");
        if (!(std::fabs(value) < kLargestCentAmount))
            throw CalculationRefused("The schedule cannot be computed: an amount reaches 10,000,000,000,000, beyond "
                                     "what can be shown to the cent. Check the loan amount, the annual rate and the "
                                     "payment.");
        return value;
    }

    const LoanDocument &m_doc;
    const NumberFormat &m_format;
    const ProgressFn &m_progress;
    // The lender's rounding: every amount of a row is rounded to the cent before it counts.
    double inCents(double amount) const { return m_cents ? roundToDigits(amount, 2) : amount; }

    bool m_cents = false;
    ChangeCursor m_rates;
    ChangeCursor m_payments;
    ChangeCursor m_lumps;
    ScheduleTable m_grid;

    int m_lastPeriod = 0;
    int m_progressScale = 0;
    int m_row = 0;
    int m_periodsDone = 0;
    Date m_lastPaymentDue = kNoDate;
    Date m_lastPaymentDate = kNoDate;
    double m_periodsPerYear = 0;
    double m_annualRate = 0;
    double m_periodicRate = 0;
    double m_initialPeriodicRate = 0;
    double m_dailyRate = 0;
    double m_payment = 0;
    double m_lumpTotal = 0; // what the lump sums paid since the last payment credit at the next one
    double m_lumpsPaid = 0; // the lump sums paid since the last payment
    bool m_final = false;
    bool m_lastPaymentRepays = false;
    Date m_loanStart = kNoDate; // the date of the start row
    SemiMonthlyDays m_pair;
    Date m_workingAnchor = kNoDate;
    bool m_startRowAdjusted = false;
};

void ScheduleRun::prepare()
{
    if (!std::isfinite(m_doc.mdblNperTerm) || m_doc.mdblNperTerm < -0.5 || m_doc.mdblNperTerm > kMaxPeriods + 0.5)
        throw CalculationRefused("The schedule cannot be computed: the number of payment periods must be between 0 "
                                 "and 90,000.");
    m_lastPeriod = toInt32(m_doc.mdblNperTerm);
    m_progressScale = toInt32(m_lastPeriod / 0.6);
    m_payment = roundToDigits(m_doc.gdblBasicPayment, 2);
    m_cents = m_doc.roundInterestEachPeriod;
    m_lastPaymentDue =
        nthPaymentDate(m_doc.gdtmFirstPaymentDue, m_doc.gintFreqOfInst, m_lastPeriod, m_doc.gintStartPayment);
    m_pair = semiMonthlyDays(dayOf(m_doc.gdtmFirstPaymentDue));
    m_workingAnchor = m_doc.gdtmFirstPaymentDue;

    m_lastPaymentRepays = termCoversAmortization(m_doc);

    m_periodsPerYear = periodsPerYearValue(m_doc.gintFreqOfInst, m_doc.gintPeriodsPerYearIndex);
    m_annualRate = m_doc.gdblAnnualRate;
    m_periodicRate = periodicRate(m_annualRate, m_periodsPerYear, m_doc.gintLoanType, m_doc.gintCompounding);
    m_initialPeriodicRate = m_periodicRate;
    m_dailyRate = dailyRate(m_annualRate, m_periodsPerYear, m_doc.gintLoanType, m_doc.gintCompounding);

    // Room for every row the loan can have: one per period, the start row, one per lump sum.
    m_grid.reset(m_doc.gdblLoanAmount, size_t(m_lastPeriod) + size_t(std::max(m_lumps.count, 0)) + 1, m_cents);
    m_grid.setFormat(m_format);
}

void ScheduleRun::computeDates(int period, Date &date, Date &next)
{
    const Date anchor = m_doc.gdtmFirstPaymentDue;
    const int frequency = m_doc.gintFreqOfInst;
    if (frequency != kSemiMonthly) {
        date = exactPaymentDate(anchor, frequency, period, m_doc.gintStartPayment);
        next = exactPaymentDate(anchor, frequency, period + 1, m_doc.gintStartPayment);
        return;
    }
    if (!m_startRowAdjusted) {
        m_startRowAdjusted = true;
        // The start row lies one payment before the anchor, on the natural start that the first period's interest
        // is counted from.
        if (m_doc.gintStartPayment == 0)
            m_workingAnchor = exactPaymentDate(anchor, frequency, 0, 0);
    }
    date = m_workingAnchor;
    next = nextSemiMonthlyDate(m_workingAnchor, 1, m_pair.a, m_pair.b);
    if (next == kNoDate)
        throw ArithmeticError(ArithmeticError::Kind::DateOutOfRange, "Date out of range");
    m_workingAnchor = next;
}

void ScheduleRun::run()
{
    prepare();
    const Date startDate = m_doc.gdtmStartDate;
    int period = 0;
    for (; period <= m_lastPeriod; ++period) {
        ++m_row;
        report(period);
        Date date = kNoDate;
        Date next = kNoDate;
        computeDates(period, date, next);

        if (m_grid.balance() < 0.01) {
            report(period);
            --m_row;
            break;
        }
        if (period > 0) {
            paymentPeriod(period, date);
        } else {
            const bool showStart = startDate != kNoDate && startDate != date && startDate < next;
            m_loanStart = showStart ? startDate : date;
            m_grid.appendStart(m_loanStart);
        }
        // A lump sum after the last period, or once the loan is repaid, would never be credited by a payment.
        if (period < m_lastPeriod && m_grid.balance() >= 0.01)
            lumpSumsBetweenDates(date, next);
    }
    m_periodsDone = std::max(period - 1, 0);
}

void ScheduleRun::paymentPeriod(int period, Date date)
{
    m_rates.skipBefore(date);
    if (m_rates.pending() && m_rates.date == date) {
        m_annualRate = m_rates.amount() / 100;
        m_periodicRate = periodicRate(m_annualRate, m_periodsPerYear, m_doc.gintLoanType, m_doc.gintCompounding);
        m_rates.markApplied(m_row);
        m_rates.advance();
    }
    m_payments.skipBefore(date);
    if (m_payments.pending() && m_payments.date == date) {
        m_payment = changedPayment(m_doc, m_payments.amount());
        m_payments.markApplied(m_row);
        m_payments.advance();
    }

    double interest = 0;
    const Date startDate = m_doc.gdtmStartDate;
    // The natural start is the anchor moved back one period, whichever date the anchor stands for. It is taken from
    // the anchor itself for every frequency: the semi-monthly working anchor has already moved on to period 2.
    const Date naturalStart = period == 1 && startDate != kNoDate
        ? nthPaymentDate(m_doc.gdtmFirstPaymentDue, m_doc.gintFreqOfInst, 0, 0)
        : kNoDate;
    const double balance = checkedAmount(m_grid.balance());
    if (period == 1 && startDate != kNoDate && startDate != naturalStart && startDate < date) {
        // Interest from the day the money was lent, compounded daily.
        interest = balance * (checkedResult(std::pow(1 + m_dailyRate, double(date - startDate))) - 1);
    } else {
        interest = balance * m_periodicRate;
    }
    interest = inCents(checkedAmount(interest));

    // What the payment and a lump sum of this date may pay: the balance and the period's interest, less what the
    // lump sums paid since the last payment credit.
    const double owed = inCents(balance + interest - m_lumpTotal);
    if (owed < m_payment) {
        m_payment = std::max(owed, 0.0);
        m_final = true;
    }

    std::optional<ScheduleTable::PaidLump> lump;
    if (m_lumps.pending() && m_lumps.date == date) {
        // The payment comes first; the lump sum pays at most what is left owing after it.
        const double entered = checkedAmount(m_lumps.amount());
        lump = ScheduleTable::PaidLump {inCents(std::min(entered, std::max(owed - m_payment, 0.0))), entered};
        m_lumpTotal += lump->applied;
        m_lumps.markApplied(m_row);
        m_lumps.advance();
    }
    // Less than a payment left after the last payment of a loan that the term repays: the last payment takes it.
    if (period == m_lastPeriod && m_lastPaymentRepays && !m_final) {
        const double left = owed - m_payment - (lump ? lump->applied : 0);
        if (left >= 0.005 && left < m_payment) {
            m_payment = inCents(m_payment + left);
            m_final = true;
        }
    }
    const double shown = checkedAmount(ScheduleTable::shownPayment(m_payment, m_final));

    const double principal = inCents(checkedAmount(m_payment + m_lumpTotal - interest));
    m_lumpTotal = 0;
    m_lumpsPaid = 0;
    // A final payment is paid as shown, rounded up to the cent: the fraction of a cent it adds is interest.
    const double charged = inCents(interest + (shown - m_payment));
    m_grid.appendPayment(date, m_annualRate, m_payment, m_final, charged, principal, lump);
    checkRunningTotals();
    checkedResult((m_doc.gdblLoanAmount - m_grid.balance()) / m_doc.gdblLoanAmount); // the percent paid
    m_lastPaymentDate = date;
}

void ScheduleRun::lumpSumsBetweenDates(Date date, Date next)
{
    for (;;) {
        // A lump sum dated before the loan starts is never paid; skip it rather than hold back the others. One on the
        // day it starts is paid.
        while (m_lumps.pending() && m_lumps.date < m_loanStart)
            m_lumps.advance();
        if (!m_lumps.pending() || m_lumps.date >= next)
            return;

        ++m_row;
        m_lumps.markApplied(m_row);
        // It pays at most the balance left by the lump sums paid since the last payment; the interest of the days
        // before it is charged with the next payment.
        const double entered = checkedAmount(m_lumps.amount());
        const double lump = inCents(std::min(entered, std::max(m_grid.balance() - m_lumpsPaid, 0.0)));
        const int days = next - m_lumps.date;
        double saved = 0;
        if (m_doc.gintFreqOfInst == kMonthly && m_lumps.date == date) {
            saved = lump * m_periodicRate;
        } else {
            // Interest saved by paying early: semi-annual compounding over a 365-day year, whatever the loan's terms.
            const double d2 = checkedResult(std::pow(std::pow(1 + m_annualRate / 2, 2), 1.0 / 365)) - 1;
            saved = lump * checkedResult(std::pow(1 + d2, double(days))) - lump;
        }
        // Credited as principal at the next payment, so it is interest not paid (the table takes it off the
        // cumulative interest).
        saved = inCents(checkedAmount(saved));
        m_grid.appendLumpSum(m_lumps.date, {lump, entered}, saved);
        checkRunningTotals();
        m_lumpTotal += lump + saved;
        m_lumpsPaid += lump;
        m_lumps.advance();
    }
}

void ScheduleRun::commit(LoanDocument &doc)
{
    doc.gdblTotalPayments = m_grid.cumulativePayments();
    doc.gdblInterestPaid = m_grid.cumulativeInterest();
    doc.gridMain0 = std::move(m_grid);
    const std::array<std::pair<TextTable *, const ChangeCursor *>, 3> tables = {
        {{&doc.gridAnnualRate, &m_rates}, {&doc.gridBasicPayment, &m_payments}, {&doc.gridLumpSum, &m_lumps}}};
    for (const auto &[table, cursor] : tables) {
        for (int r = 1; r < table->rows(); ++r) {
            const int applied = cursor->appliedRow[size_t(r)];
            table->setText(r, chgScheduleRow, applied > 0 ? std::to_string(applied) : std::string());
        }
    }
    doc.gdtmLastPaymentDue = m_lastPaymentDue;
    doc.gdblPeriodsPerYear = m_periodsPerYear;
    doc.gdblPeriodicRate = m_initialPeriodicRate;
    doc.gdblDailyRate = m_dailyRate;
    doc.gdblNumberOfPeriods = m_periodsDone;
    doc.gdtmLastPaymentDate = m_lastPaymentDate;
}

} // namespace

bool termCoversAmortization(const LoanDocument &doc)
{
    return doc.glngAmortization > 0
        && toInt32(doc.mdblNperTerm) + 0.5
        >= lengthToPeriods(doc.glngAmortization, doc.gintAmortUnit, doc.gintFreqOfInst);
}

int amortizationPeriods(const LoanDocument &doc)
{
    return toInt32(lengthToPeriods(doc.glngAmortization, doc.gintAmortUnit, doc.gintFreqOfInst));
}

TermsInForce termsInForce(const LoanDocument &doc, int row)
{
    // Entries are applied in date order, so the last one applied at or before the row holds.
    auto inForce = [row](const TextTable &changes, double value, auto amountOf) {
        for (int r = 1; r < changes.rows(); ++r) {
            const double applied = numberOrZero(changes.text(r, chgScheduleRow));
            if (applied > 0 && applied <= row)
                value = amountOf(numberOrZero(changes.text(r, chgAmount)));
        }
        return value;
    };
    return {inForce(doc.gridAnnualRate, doc.gdblAnnualRate, [](double percent) { return percent / 100; }),
            inForce(doc.gridBasicPayment, roundToDigits(doc.gdblBasicPayment, 2),
                    [&doc](double amount) { return changedPayment(doc, amount); })};
}

CalculateResult Calculate(LoanDocument &doc, const NumberFormat &format, const ProgressFn &progress)
{
    try {
        ScheduleRun run(doc, format, progress);
        run.run();
        run.commit(doc);
        return {};
    } catch (const ArithmeticError &error) {
        return {false, messageFor(error)};
    } catch (const CalculationRefused &error) {
        return {false, error.what()};
    }
}

} // namespace engine
