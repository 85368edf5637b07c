#include "Prepayment.h"

#include "Arithmetic.h"
#include "LoanDocument.h"
#include "NumberFormat.h"
#include "Schedule.h"
#include "Summary.h"

#include <algorithm>
#include <cmath>

namespace engine {

double centsHalfUp(double amount)
{
    // 0.03 × 285,250 ÷ 4 may come out a few units of the last digit under 2,139.375: it stands for the half cent.
    return roundToDigits(amount + std::fabs(amount) * 1e-12, 2);
}

int wholeMonthsBetween(Date from, Date to)
{
    if (to <= from)
        return 0;
    int months = std::max(monthDiff(from, to) - 1, 0);
    // A month counts once its day is reached; a day the month lacks is its last.
    while (true) {
        const std::optional<Date> next = addMonths(from, months + 1);
        if (!next || *next > to)
            return months;
        ++months;
    }
}

namespace {

PenaltyFigures computePenalty(const PenaltyInputs &in, const NumberFormat *format);

// The last row dated on or before `date`; 0 when the schedule starts after it.
int lastRowOnOrBefore(const ScheduleTable &schedule, Date date)
{
    int lo = 1, hi = schedule.rows() - 1, found = 0;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        if (schedule.dateOf(mid) <= date) {
            found = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    return found;
}

// What is owed once row `row` is paid: a lump sum between two payments has no balance of its own, so the last
// payment's is reduced by the lump sums paid after it.
double balanceAfter(const LoanDocument &doc, int row)
{
    const ScheduleTable &schedule = doc.gridMain0;
    int from = row;
    while (from > 1 && schedule.kindOf(from) == ScheduleRowKind::LumpSum)
        --from;
    ScheduleReader reader(schedule, from);
    ScheduleRowValues values;
    double balance = doc.gdblLoanAmount;
    while (reader.next(values) && values.row <= row) {
        if (values.kind == ScheduleRowKind::Payment)
            balance = values[colEndingBalance];
        else if (values.kind == ScheduleRowKind::LumpSum)
            balance -= values[colLumpSum];
    }
    return std::max(roundAsShown(balance, 2), 0.0);
}

// The privilege years of the schedule, nothing used in them yet.
std::vector<PrivilegeYear> emptyYears(const LoanDocument &doc, const PrepaymentTerms &terms)
{
    const ScheduleTable &schedule = doc.gridMain0;
    std::vector<PrivilegeYear> years;
    if (schedule.rows() < 2)
        return years;
    const Date first = schedule.dateOf(1);
    const Date last = schedule.dateOf(schedule.rows() - 1);
    const double limit = roundAsShown(doc.gdblLoanAmount * terms.lumpSumPercent / 100, 2);
    auto add = [&](Date start, Date end) {
        PrivilegeYear year;
        year.start = start;
        year.end = end;
        year.limit = limit;
        year.left = limit;
        year.unlimited = terms.kind == MortgageKind::Open;
        years.push_back(year);
    };
    if (terms.privilegeYear == PrivilegeYearKind::Calendar) {
        for (int y = yearOf(first); y <= yearOf(last); ++y)
            add(*exactDate(y, 1, 1), *exactDate(y, 12, 31));
        return years;
    }
    const Date anchor = firstPaymentDate(doc) != kNoDate ? firstPaymentDate(doc) : first;
    for (int k = 0;; ++k) {
        const std::optional<Date> start = addYears(anchor, k);
        const std::optional<Date> next = addYears(anchor, k + 1);
        if (!start || *start > last)
            break;
        add(k == 0 ? std::min(first, anchor) : *start, next ? *next - 1 : kMaxDate);
        if (!next)
            break;
    }
    return years;
}

// The loan's own dates a penalty depends on.
struct PenaltyDates
{
    Date loanStart = kNoDate;
    Date firstPayment = kNoDate;
    Date maturity = kNoDate;
    std::optional<Date> fifthAnniversary; // of the loan's start
};

PenaltyDates penaltyDates(const LoanDocument &doc, const PrepaymentTerms &terms)
{
    PenaltyDates dates;
    const ScheduleTable &schedule = doc.gridMain0;
    dates.loanStart = schedule.rows() > 1 ? schedule.dateOf(1) : kNoDate;
    dates.firstPayment = firstPaymentDate(doc) != kNoDate ? firstPaymentDate(doc) : dates.loanStart;
    dates.maturity = terms.maturity != kNoDate ? terms.maturity
        : doc.gdtmLastPaymentDate != kNoDate   ? doc.gdtmLastPaymentDate
        : schedule.rows() > 1                  ? schedule.dateOf(schedule.rows() - 1)
                                               : kNoDate;
    dates.fifthAnniversary = addYears(dates.loanStart, 5);
    return dates;
}

PenaltyMethod effectiveMethod(const PrepaymentTerms &terms)
{
    return terms.kind == MortgageKind::Open ? PenaltyMethod::None : terms.method;
}

// The penalty's figures on `charged` paid on `date`, but for the comparison rate.
PenaltyInputs inputsAt(const PrepaymentTerms &terms, const PenaltyDates &dates, Date date, double charged,
                       double contractRate)
{
    PenaltyInputs in;
    in.method = effectiveMethod(terms);
    in.amount = charged;
    in.contractRate = contractRate;
    in.comparisonRate = contractRate;
    in.originalPostedRate = terms.originalPostedRate;
    in.monthsLeft = wholeMonthsBetween(date, dates.maturity);
    in.daysLeft = std::max(dates.maturity - date, 0);
    in.fiveYearRule =
        dates.fifthAnniversary && dates.maturity > *dates.fifthAnniversary && date >= *dates.fifthAnniversary;
    // Loan year n starts on the (n - 1)th anniversary of the first payment.
    int passed = std::max(yearDiff(dates.firstPayment, date), 0);
    if (const std::optional<Date> anniversary = addYears(dates.firstPayment, passed);
        passed > 0 && anniversary && *anniversary > date)
        --passed;
    in.loanYear = std::min(passed, kMostPenaltyYears) + 1;
    in.percentByLoanYear = terms.percentByLoanYear;
    in.flatFee = terms.flatFee;
    return in;
}

// Walks a loan's prepayments in order, year by year, up to and including `until`.
class PrivilegeWalk
{
public:
    PrivilegeWalk(const LoanDocument &doc, const PrepaymentTerms &terms, Date until)
        : m_doc(doc)
        , m_terms(terms)
        , m_until(until)
    {
        m_check.kind = terms.privilegeYear;
        m_check.years = emptyYears(doc, terms);
    }

    PrivilegeCheck run()
    {
        if (m_check.years.empty())
            return std::move(m_check);
        const double original = roundToDigits(m_doc.gdblBasicPayment, 2);
        const ScheduleTable &schedule = m_doc.gridMain0;
        if (m_terms.combinedCap) {
            // Every payment above the base counts against the year's limit, in row order with the lump sums.
            const int lastRow = schedule.rows() - 1;
            std::size_t yearOfBase = m_check.years.size();
            double base = original;
            double inForce = original; // the payment of the last payment row
            for (int row = 1; row <= lastRow && schedule.dateOf(row) <= m_until; ++row) {
                const Date date = schedule.dateOf(row);
                const ScheduleRowKind kind = schedule.kindOf(row);
                if (kind == ScheduleRowKind::Start)
                    continue;
                const std::size_t year = yearAt(date);
                if (kind == ScheduleRowKind::Payment && row != lastRow) {
                    // With the current payment as the base, a raise counts only in the year it is made.
                    if (m_terms.increaseOf == IncreaseBase::Current && year != yearOfBase) {
                        base = inForce;
                        yearOfBase = year;
                    }
                    const double payment = schedule.paymentOf(row);
                    if (payment > base)
                        use(year, payment - base);
                    inForce = payment;
                }
                if (const double lump = schedule.lumpSumOf(row); lump != 0)
                    lumpSum(row, date, year, lump);
            }
        } else {
            const TextTable &lumps = m_doc.gridLumpSum;
            int previous = 0; // a row's lump sum counts once, whatever entries were applied at it
            for (int r = 1; r < lumps.rows(); ++r) {
                const int row = int(numberOrZero(lumps.text(r, chgScheduleRow)));
                if (row <= previous || row >= schedule.rows())
                    continue;
                previous = row;
                const Date date = schedule.dateOf(row);
                if (date > m_until)
                    break;
                if (const double lump = schedule.lumpSumOf(row); lump != 0)
                    lumpSum(row, date, yearAt(date), lump);
            }
        }
        if (m_terms.paymentIncreasePercent > 0)
            paymentIncreases(original);
        for (PrivilegeYear &year : m_check.years) {
            year.used = roundAsShown(year.used, 2);
            year.left = std::max(roundAsShown(year.limit - year.used, 2), 0.0);
            year.excess = std::max(roundAsShown(year.used - year.limit, 2), 0.0);
        }
        return std::move(m_check);
    }

private:
    std::size_t yearAt(Date date)
    {
        // Rows come in date order, so the year only moves forward, except for the payment changes checked after.
        if (m_year >= m_check.years.size() || date < m_check.years[m_year].start)
            m_year = 0;
        while (m_year + 1 < m_check.years.size() && date > m_check.years[m_year].end)
            ++m_year;
        return m_year;
    }

    void use(std::size_t year, double amount) { m_check.years[year].used += amount; }

    // Lump sums come in row order, so a row's mark is the last one or a new one.
    PrivilegeMark &markAt(int row, std::size_t year)
    {
        if (!m_check.marks.empty() && m_check.marks.back().row == row)
            return m_check.marks.back();
        PrivilegeMark &mark = m_check.marks.emplace_back();
        mark.row = row;
        mark.year = year;
        return mark;
    }

    void lumpSum(int row, Date date, std::size_t year, double amount)
    {
        PrivilegeYear &privilege = m_check.years[year];
        const double before = privilege.used;
        use(year, amount);
        if (privilege.unlimited)
            return;
        const double over = roundAsShown(privilege.used - std::max(privilege.limit, before), 2);
        const bool underMinimum = amount < m_terms.minimumLumpSum;
        if (over <= 0 && !underMinimum)
            return;
        PrivilegeMark &mark = markAt(row, year);
        mark.amount = amount;
        if (underMinimum) {
            mark.kinds |= PrivilegeMark::UnderMinimum;
            mark.underMinimum = roundAsShown(m_terms.minimumLumpSum - amount, 2);
        }
        if (over > 0) {
            mark.kinds |= PrivilegeMark::OverLimit;
            mark.overLimit = over;
            mark.estimatedCharge = estimatedCharge(row, date, m_terms.chargeOn == ChargeOn::Excess ? over : amount);
        }
    }

    // The penalty on `charged` paid on `date` if rates stay as they are: no interest-rate differential.
    double estimatedCharge(int row, Date date, double charged);
    // The annual rate in force at a row, as termsInForce finds it, with the rate changes read once.
    double rateAt(int row);

    void paymentIncreases(double original)
    {
        const TextTable &changes = m_doc.gridBasicPayment;
        double current = original;
        std::vector<PrivilegeMark> others; // on rows without a lump-sum mark
        for (int r = 1; r < changes.rows(); ++r) {
            const int row = int(numberOrZero(changes.text(r, chgScheduleRow)));
            if (row < 1 || row >= m_doc.gridMain0.rows())
                continue;
            const Date date = m_doc.gridMain0.dateOf(row);
            if (date > m_until)
                break;
            const double payment = roundToDigits(numberOrZero(changes.text(r, chgAmount)), 2);
            const double base = m_terms.increaseOf == IncreaseBase::Original ? original : current;
            const double cap = roundAsShown(base * (1 + m_terms.paymentIncreasePercent / 100), 2);
            current = payment;
            if (payment <= cap + 0.001 || m_terms.kind == MortgageKind::Open)
                continue;
            auto at = std::partition_point(m_check.marks.begin(), m_check.marks.end(),
                                           [row](const PrivilegeMark &mark) { return mark.row < row; });
            if (at == m_check.marks.end() || at->row != row) {
                others.emplace_back();
                others.back().row = row;
                others.back().year = yearAt(date);
            }
            PrivilegeMark &mark = at != m_check.marks.end() && at->row == row ? *at : others.back();
            mark.kinds |= PrivilegeMark::OverIncreaseCap;
            if (!mark.has(PrivilegeMark::OverLimit) && !mark.has(PrivilegeMark::UnderMinimum))
                mark.amount = payment;
            mark.increaseCap = cap;
            mark.overIncreaseCap = roundAsShown(payment - cap, 2);
        }
        const auto middle = m_check.marks.insert(m_check.marks.end(), others.begin(), others.end());
        std::inplace_merge(m_check.marks.begin(), middle, m_check.marks.end(),
                           [](const PrivilegeMark &a, const PrivilegeMark &b) { return a.row < b.row; });
    }

    const LoanDocument &m_doc;
    const PrepaymentTerms &m_terms;
    Date m_until;
    PrivilegeCheck m_check;
    std::size_t m_year = 0;
    std::optional<PenaltyDates> m_dates;
    // The row each rate change was applied at, and its rate (a fraction).
    std::optional<std::vector<std::pair<int, double>>> m_rates;
};

double PrivilegeWalk::rateAt(int row)
{
    if (!m_rates) {
        m_rates.emplace();
        const TextTable &changes = m_doc.gridAnnualRate;
        for (int r = 1; r < changes.rows(); ++r) {
            const double applied = numberOrZero(changes.text(r, chgScheduleRow));
            if (applied > 0)
                m_rates->emplace_back(int(applied), numberOrZero(changes.text(r, chgAmount)) / 100);
        }
    }
    const auto after = std::partition_point(
        m_rates->begin(), m_rates->end(), [row](const std::pair<int, double> &change) { return change.first <= row; });
    return after == m_rates->begin() ? m_doc.gdblAnnualRate : std::prev(after)->second;
}

double PrivilegeWalk::estimatedCharge(int row, Date date, double charged)
{
    if (!m_dates)
        m_dates = penaltyDates(m_doc, m_terms);
    const PenaltyInputs in = inputsAt(m_terms, *m_dates, date, charged, rateAt(row));
    return computePenalty(in, nullptr).charge;
}

NumberFormat amountFormat(const NumberFormat &format)
{
    NumberFormat plain = format;
    plain.currencyPrefix.clear();
    plain.currencySuffix.clear();
    plain.negativePrefix = "-";
    plain.negativeSuffix.clear();
    return plain;
}

} // namespace

std::vector<PrivilegeYear> privilegeYears(const LoanDocument &doc)
{
    return checkPrivileges(doc).years;
}

std::optional<std::size_t> privilegeYearOf(const std::vector<PrivilegeYear> &years, Date date)
{
    const auto at =
        std::partition_point(years.begin(), years.end(), [date](const PrivilegeYear &year) { return year.end < date; });
    if (at == years.end() || date < at->start)
        return std::nullopt;
    return std::size_t(at - years.begin());
}

const PrivilegeMark *PrivilegeCheck::markOf(int row) const
{
    const auto at =
        std::partition_point(marks.begin(), marks.end(), [row](const PrivilegeMark &mark) { return mark.row < row; });
    return at != marks.end() && at->row == row ? &*at : nullptr;
}

PrivilegeCheck checkPrivileges(const LoanDocument &doc)
{
    if (!doc.prepaymentTerms)
        return {};
    return PrivilegeWalk(doc, *doc.prepaymentTerms, kMaxDate).run();
}

std::string privilegeYearName(const PrivilegeYear &year, PrivilegeYearKind kind, const NumberFormat &format)
{
    if (kind == PrivilegeYearKind::Calendar)
        return std::to_string(yearOf(year.start));
    return format.formatDate(year.start) + " to " + format.formatDate(year.end);
}

std::string markText(const PrivilegeMark &mark, const PrivilegeCheck &check, const NumberFormat &format)
{
    const std::string year =
        mark.year < check.years.size() ? privilegeYearName(check.years[mark.year], check.kind, format) : std::string();
    std::vector<std::string> parts;
    if (mark.has(PrivilegeMark::OverLimit)) {
        parts.push_back("Exceeds the " + year + " privilege by " + format.currency(mark.overLimit)
                        + "; estimated charge " + format.currency(mark.estimatedCharge));
    }
    if (mark.has(PrivilegeMark::UnderMinimum))
        parts.push_back("Below the minimum lump sum by " + format.currency(mark.underMinimum));
    if (mark.has(PrivilegeMark::OverIncreaseCap)) {
        parts.push_back("Exceeds the payment-increase privilege (" + format.currency(mark.increaseCap) + ") by "
                        + format.currency(mark.overIncreaseCap));
    }
    std::string text;
    for (const std::string &part : parts)
        text += (text.empty() ? "" : "; ") + part;
    return text;
}

std::vector<std::vector<std::string>> privilegeTable(const std::vector<PrivilegeYear> &years,
                                                     const NumberFormat *format)
{
    std::vector<std::vector<std::string>> cells;
    cells.push_back({"Start", "End", "Limit", "Used", "Left", "Excess"});
    const NumberFormat &shown = format ? *format : plainFormat();
    auto money = [&](double value) { return format ? format->currency(value) : plainFormat().fixed(value, 2); };
    for (const PrivilegeYear &year : years) {
        const bool limited = !year.unlimited;
        cells.push_back({shown.formatDate(year.start), shown.formatDate(year.end),
                         limited ? money(year.limit) : std::string(), money(year.used),
                         limited ? money(year.left) : std::string(), limited ? money(year.excess) : std::string()});
    }
    return cells;
}

namespace {

// The figures, and with a format the formulas' texts too.
PenaltyFigures computePenalty(const PenaltyInputs &in, const NumberFormat *format)
{
    const bool texts = format != nullptr;
    const std::optional<NumberFormat> numbers = texts ? std::optional(amountFormat(*format)) : std::nullopt;
    auto money = [&](double value) { return texts ? numbers->currency(value) : std::string(); };
    auto rate = [&](double value) { return texts ? numbers->percent(value, 4, true) : std::string(); };
    const double amount = in.amount;
    const double r = in.contractRate;

    PenaltyFigures out;
    out.comparisonRate = in.comparisonRate;
    const bool months =
        in.method == PenaltyMethod::GreaterOfThreeMonthsAndIrd || in.method == PenaltyMethod::ThreeMonthsInterest;
    if (in.method == PenaltyMethod::GreaterOfThreeMonthsAndIrd && in.postedToday) {
        out.comparisonRate = *in.postedToday - (in.originalPostedRate - r);
        if (texts)
            out.formulas.push_back("Comparison rate = " + rate(*in.postedToday) + " − (" + rate(in.originalPostedRate)
                                   + " − " + rate(r) + ") = " + rate(out.comparisonRate));
    }

    double result = 0;
    std::string chargeParts;
    if (months) {
        double interest = 0;
        if (in.monthsLeft < 3) {
            out.interestToMaturity = true;
            interest = amount * r * in.daysLeft / 365;
            out.threeMonthsInterest = centsHalfUp(interest);
            if (texts)
                out.formulas.push_back("Interest to maturity = " + money(amount) + " × " + rate(r) + " × "
                                       + std::to_string(in.daysLeft) + " ÷ 365 = " + money(out.threeMonthsInterest));
        } else {
            interest = amount * r * 3 / 12;
            out.threeMonthsInterest = centsHalfUp(interest);
            if (texts)
                out.formulas.push_back("Three months' interest = " + money(amount) + " × " + rate(r)
                                       + " × 3 ÷ 12 = " + money(out.threeMonthsInterest));
        }
        result = interest;
        chargeParts = money(out.threeMonthsInterest);
        if (in.method == PenaltyMethod::GreaterOfThreeMonthsAndIrd && !out.interestToMaturity) {
            const double difference = r - out.comparisonRate;
            if (in.fiveYearRule) {
                if (texts)
                    out.formulas.push_back("IRD = none: from the fifth anniversary of a term over five years, three "
                                           "months' interest only (Interest Act, section 10)");
            } else if (difference > 1e-12) {
                const double ird = amount * difference * in.monthsLeft / 12;
                out.ird = centsHalfUp(ird);
                if (texts)
                    out.formulas.push_back("IRD = " + money(amount) + " × (" + rate(r) + " − "
                                           + rate(out.comparisonRate) + ") × " + std::to_string(in.monthsLeft)
                                           + " ÷ 12 = " + money(*out.ird));
                result = std::max(result, ird);
                chargeParts = "max(" + chargeParts + ", " + money(*out.ird) + ")";
            } else {
                if (texts)
                    out.formulas.push_back("IRD = none: " + rate(r) + " − " + rate(out.comparisonRate)
                                           + " is not positive");
            }
        }
    } else if (in.method == PenaltyMethod::PercentByLoanYear) {
        const std::size_t year = std::size_t(std::max(in.loanYear, 1)) - 1;
        out.percent = year < in.percentByLoanYear.size() ? in.percentByLoanYear[year] : 0;
        result = amount * out.percent / 100;
        out.percentCharge = centsHalfUp(result);
        if (texts)
            out.formulas.push_back("Percentage charge = " + money(amount) + " × "
                                   + (texts ? numbers->percentage(out.percent, 4, true) : std::string())
                                   + " (loan year " + std::to_string(in.loanYear) + ") = " + money(*out.percentCharge));
        chargeParts = money(*out.percentCharge);
    } else {
        chargeParts = money(0);
    }
    out.charge = centsHalfUp(result + in.flatFee);
    if (in.flatFee != 0)
        chargeParts += " + " + money(in.flatFee);
    if (texts)
        out.formulas.push_back("Charge = " + chargeParts + " = " + money(out.charge));
    return out;
}

} // namespace

PenaltyFigures penaltyFigures(const PenaltyInputs &in, const NumberFormat &format)
{
    return computePenalty(in, &format);
}

PenaltyEstimate breakPenalty(const LoanDocument &doc, const PenaltyRequest &request, const NumberFormat &format)
{
    PenaltyEstimate out;
    out.date = request.date;
    auto refuse = [&](PenaltyError error, std::string message) {
        out.error = error;
        out.message = std::move(message);
        return out;
    };
    if (!doc.prepaymentTerms)
        return refuse(PenaltyError::NoTerms, "This loan has no prepayment terms.");
    const PrepaymentTerms &terms = *doc.prepaymentTerms;
    if (std::string problem = prepaymentTermsProblem(terms); !problem.empty())
        return refuse(PenaltyError::BadTerms, std::move(problem));
    const ScheduleTable &schedule = doc.gridMain0;
    if (schedule.rows() < 2)
        return refuse(PenaltyError::DateOutsideSchedule, "This loan has no schedule.");
    const Date first = schedule.dateOf(1);
    const Date last = schedule.dateOf(schedule.rows() - 1);
    if (request.date < first || request.date > last) {
        return refuse(PenaltyError::DateOutsideSchedule,
                      "The date " + format.formatDate(request.date) + " is outside the schedule ("
                          + format.formatDate(first) + " to " + format.formatDate(last) + ").");
    }
    const int row = lastRowOnOrBefore(schedule, request.date);
    out.balance = balanceAfter(doc, row);
    out.amount = request.amount.value_or(out.balance);
    if (out.amount > out.balance + 0.005) {
        return refuse(PenaltyError::AmountOverBalance,
                      "The amount " + format.currency(out.amount) + " is more than the balance "
                          + format.currency(out.balance) + " owed on " + format.formatDate(request.date) + ".");
    }
    const PenaltyMethod method = effectiveMethod(terms);
    const bool posted =
        method == PenaltyMethod::GreaterOfThreeMonthsAndIrd && terms.comparison == IrdComparison::Posted;
    if (posted && !request.postedRate)
        return refuse(PenaltyError::PostedRateMissing, "The posted comparison needs today's posted rate.");

    const PrivilegeCheck used = PrivilegeWalk(doc, terms, request.date).run();
    const std::optional<std::size_t> year = privilegeYearOf(used.years, request.date);
    const bool unlimited = !year || used.years[*year].unlimited;
    out.privilegeLeft = year && !unlimited ? used.years[*year].left : 0;
    out.charged = method == PenaltyMethod::None       ? 0
        : terms.chargeOn == ChargeOn::WholePrepayment ? out.amount
                                                      : std::max(roundAsShown(out.amount - out.privilegeLeft, 2), 0.0);
    out.contractRate = termsInForce(doc, row).annualRate;
    const PenaltyDates dates = penaltyDates(doc, terms);
    out.maturity = dates.maturity;
    out.inputs = inputsAt(terms, dates, request.date, out.charged, out.contractRate);
    out.inputs.comparisonRate = request.comparisonRate;
    if (posted)
        out.inputs.postedToday = request.postedRate;
    out.figures = penaltyFigures(out.inputs, format);
    return out;
}

std::vector<std::pair<std::string, std::string>> penaltyRows(const PenaltyEstimate &estimate,
                                                             const NumberFormat &format)
{
    const PenaltyInputs &in = estimate.inputs;
    const PenaltyFigures &f = estimate.figures;
    std::vector<std::pair<std::string, std::string>> rows = {
        {"Date", format.formatDate(estimate.date)},
        {"Term Maturity", format.formatDate(estimate.maturity)},
        {"Balance", format.currency(estimate.balance)},
        {"Prepayment", format.currency(estimate.amount)},
        {"Privilege Left", format.currency(estimate.privilegeLeft)},
        {"Amount Charged", format.currency(estimate.charged)},
        {"Months Left", std::to_string(in.monthsLeft)},
        {"Contract Rate", format.ratePercent(in.contractRate)},
    };
    switch (in.method) {
    case PenaltyMethod::GreaterOfThreeMonthsAndIrd:
        rows.emplace_back("Comparison Rate", format.ratePercent(f.comparisonRate));
        [[fallthrough]];
    case PenaltyMethod::ThreeMonthsInterest:
        rows.emplace_back(f.interestToMaturity ? "Interest to Maturity" : "Three Months' Interest",
                          format.currency(f.threeMonthsInterest));
        if (in.method == PenaltyMethod::GreaterOfThreeMonthsAndIrd)
            rows.emplace_back("IRD", f.ird ? format.currency(*f.ird) : std::string("None"));
        break;
    case PenaltyMethod::PercentByLoanYear:
        rows.emplace_back("Percentage Charge", format.currency(f.percentCharge.value_or(0)));
        break;
    case PenaltyMethod::None:
        break;
    }
    rows.emplace_back("Flat Fee", format.currency(in.flatFee));
    rows.emplace_back("Charge", format.currency(f.charge));
    for (const std::string &formula : f.formulas)
        rows.emplace_back("Formula", formula);
    rows.emplace_back("Note", "An estimate: lenders' exact formulas differ, and the lender's own figure rules.");
    return rows;
}

} // namespace engine
