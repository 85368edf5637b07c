#include "StatementMatch.h"

#include "Arithmetic.h"
#include "ArithmeticError.h"
#include "Calendar.h"
#include "Codes.h"
#include "LoanDates.h"
#include "LoanDocument.h"
#include "NumberFormat.h"
#include "Schedule.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace engine {

namespace {

constexpr std::array<int, kStatementColumnCount> kScheduleColumnOf = {colPayment, colInterest, colPrincipal,
                                                                      colEndingBalance};

// The highest annual rate the solver tries: the wizard's own limit of 1000 %.
constexpr double kMaxSolvedRate = 10;

// The two places the match reads the recomputed schedule, as the numbers its cells show: one row, and every row's date.
ScheduleRowValues scheduleRow(const LoanDocument &doc, int row)
{
    return doc.gridMain0.row(row);
}

struct DatedRow
{
    Date date = kNoDate;
    int row = 0;
    bool start = false; // the start row, which shows no figure
};

std::vector<DatedRow> scheduleDates(const LoanDocument &doc)
{
    std::vector<DatedRow> dates;
    dates.reserve(size_t(std::max(doc.gridMain0.rows() - 1, 0)));
    ScheduleReader reader(doc.gridMain0);
    for (ScheduleRowValues row; reader.next(row);)
        dates.push_back({row.date(), row.row, row.kind == ScheduleRowKind::Start});
    return dates;
}

long long cents(double value)
{
    return std::llround(value * 100);
}

// The shortest time between two payments of a frequency, in days; a semi-monthly pair may be 13 days apart.
int shortestPeriodDays(int frequency)
{
    switch (frequency) {
    case kMonthly:
        return 28;
    case kSemiMonthly:
        return 13;
    case kBiWeeklyAccelerated:
    case kBiWeekly:
        return 14;
    case kAnnually:
        return 365;
    default:
        return 7;
    }
}

// Every set of conventions worth trying, the document's own first.
std::vector<Conventions> conventionSets(const LoanDocument &doc)
{
    const Conventions own = documentConventions(doc);
    std::vector<int> compoundings = {own.compounding};
    if (doc.gintLoanType != kPersonalLoan) {
        for (int code : {0, 1, 2, 3}) {
            if (code != own.compounding)
                compoundings.push_back(code);
        }
    }
    std::vector<int> indices = {own.periodsPerYearIndex};
    if (hasYearLengthChoice(doc.gintFreqOfInst)) {
        for (int index : {0, 1, 2}) {
            if (index != own.periodsPerYearIndex)
                indices.push_back(index);
        }
    }
    const std::array<int, 2> starts = {own.startPayment, own.startPayment != 0 ? 0 : 1};
    std::vector<Conventions> sets;
    for (bool rounded : {own.roundInterestEachPeriod, !own.roundInterestEachPeriod}) {
        for (int start : starts) {
            for (int compounding : compoundings) {
                for (int index : indices)
                    sets.push_back({compounding, index, start, own.annualRate, false, rounded});
            }
        }
    }
    return sets;
}

int changesFrom(const Conventions &own, const Conventions &other)
{
    return int(own.compounding != other.compounding) + int(own.periodsPerYearIndex != other.periodsPerYearIndex)
        + int((own.startPayment != 0) != (other.startPayment != 0))
        + int(own.roundInterestEachPeriod != other.roundInterestEachPeriod);
}

// The schedule row of each statement row (0 for none), paired by date: rows of one date pair up in order. The start
// row shows no figure, so when a date has fewer statement rows than schedule rows, it is the one left out: a lump sum
// paid on the day the loan starts has the statement's row of that date.
std::vector<int> pairRowsByDate(const LoanDocument &doc, const Statement &statement)
{
    std::vector<DatedRow> schedule = scheduleDates(doc);
    std::stable_sort(schedule.begin(), schedule.end(), [](const auto &a, const auto &b) { return a.date < b.date; });

    std::vector<size_t> order(statement.rows.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return statement.rows[a].date < statement.rows[b].date; });

    std::vector<int> pairing(statement.rows.size(), 0);
    size_t next = 0;
    for (size_t k = 0; k < order.size();) {
        const Date date = statement.rows[order[k]].date;
        size_t end = k;
        while (end < order.size() && statement.rows[order[end]].date == date)
            ++end;
        while (next < schedule.size() && schedule[next].date < date)
            ++next;
        size_t last = next;
        while (last < schedule.size() && schedule[last].date == date)
            ++last;
        if (next < last && schedule[next].start && end - k < last - next)
            ++next;
        for (; k < end; ++k) {
            if (next < last)
                pairing[order[k]] = schedule[next++].row;
        }
        next = last;
    }
    return pairing;
}

// The balance at each paired schedule row (by statement row). A row without an ending balance (the start row, a
// lump sum between payments) has the balance left above it, the loan amount before the first payment. The rows are
// walked in order, each back no further than the paired row before it, so many rows without a balance cost once.
std::vector<double> balancesAt(const LoanDocument &doc, const std::vector<int> &pairing)
{
    std::vector<size_t> order(pairing.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return pairing[a] < pairing[b]; });
    std::vector<double> balances(pairing.size(), 0);
    int previousRow = 0;
    double previousBalance = doc.gdblLoanAmount;
    for (size_t i : order) {
        if (pairing[i] <= 0)
            continue;
        double balance = previousBalance;
        for (int r = pairing[i]; r > previousRow; --r) {
            const ScheduleRowValues values = scheduleRow(doc, r);
            if (!values.isEmpty(colEndingBalance)) {
                balance = values[colEndingBalance];
                break;
            }
        }
        balances[i] = previousBalance = balance;
        previousRow = pairing[i];
    }
    return balances;
}

CandidateResult evaluate(const LoanDocument &work, const Statement &statement, const std::vector<int> &pairing,
                         std::vector<RowComparison> *rows)
{
    CandidateResult result;
    const std::vector<double> balances =
        statement.hasColumn[stmBalance] ? balancesAt(work, pairing) : std::vector<double>(pairing.size(), 0);
    if (rows)
        rows->assign(statement.rows.size(), {});
    for (size_t i = 0; i < statement.rows.size(); ++i) {
        const StatementRow &given = statement.rows[i];
        RowComparison comparison;
        comparison.scheduleRow = pairing[i];
        bool agrees = comparison.scheduleRow > 0;
        if (agrees) {
            ++result.rowsMatched;
            // An empty payment, interest or principal holds 0: none on that row.
            const ScheduleRowValues values = scheduleRow(work, comparison.scheduleRow);
            for (int c = 0; c < kStatementColumnCount; ++c) {
                if (!given.amounts[size_t(c)])
                    continue;
                const double computed = c == stmBalance ? balances[i] : values[kScheduleColumnOf[size_t(c)]];
                comparison.computed[size_t(c)] = computed;
                const long long difference = std::llabs(cents(*given.amounts[size_t(c)]) - cents(computed));
                comparison.differs[size_t(c)] = difference != 0;
                agrees = agrees && difference == 0;
                result.largestDifference = std::max(result.largestDifference, double(difference) / 100);
            }
        }
        // The first in time, as a statement listing the latest payment on top is read.
        if (agrees)
            ++result.rowsAgreeing;
        else if (result.firstDisagreeingLine == 0 || given.date < result.firstDisagreeingDate) {
            result.firstDisagreeingLine = given.line;
            result.firstDisagreeingDate = given.date;
        }
        if (rows)
            (*rows)[i] = comparison;
    }
    return result;
}

// The annual rate, to four decimals of a percent, whose schedule shows the statement's first Interest figure on a
// payment row, found by the secant method from the rate `work` was just computed with. Nothing when no rate between
// 0 and 1000 % reproduces it or it equals that rate. `work` keeps its schedule only until the first trial.
std::optional<double> solveRate(LoanDocument &work, const NumberFormat &format, const Statement &statement,
                                const std::vector<int> &pairing)
{
    // A payment row: the start row has no interest, and a lump sum's row shows interest saved, not charged.
    auto periodOf = [&](int row) {
        const ScheduleRowValues values = scheduleRow(work, row);
        return values.kind == ScheduleRowKind::Payment ? values[colNumber] : 0;
    };
    std::optional<size_t> first;
    for (size_t i = 0; i < statement.rows.size(); ++i) {
        if (statement.rows[i].amounts[stmInterest] && periodOf(pairing[i]) >= 1
            && (!first || statement.rows[i].date < statement.rows[*first].date))
            first = i;
    }
    if (!first)
        return std::nullopt;
    const int row = pairing[*first];
    const Date date = statement.rows[*first].date;
    const double target = *statement.rows[*first].amounts[stmInterest];
    // Only the periods up to that row matter to its interest.
    const double period = periodOf(row);
    // After a change of rate the document's own rate no longer charges that interest.
    for (int r = 1; r < work.gridAnnualRate.rows(); ++r) {
        const double applied = numberOrZero(work.gridAnnualRate.text(r, chgScheduleRow));
        if (applied > 0 && applied <= row)
            return std::nullopt;
    }

    auto interestAt = [&](double rate) -> std::optional<double> {
        work.gdblAnnualRate = rate;
        work.mdblNperTerm = period;
        if (!Calculate(work, format))
            return std::nullopt;
        const ScheduleRowValues values = scheduleRow(work, row);
        if (values.kind != ScheduleRowKind::Payment || values.date() != date)
            return std::nullopt;
        return values[colInterest];
    };
    auto missBy = [&](double interest) { return std::llabs(cents(interest) - cents(target)); };

    const double documentRate = work.gdblAnnualRate;
    double r0 = documentRate;
    double f0 = scheduleRow(work, row)[colInterest] - target;
    if (missBy(f0 + target) == 0)
        return std::nullopt;
    // Interest is close to proportional to the rate, which gives the second point.
    double r1 = r0 > 0 && f0 + target > 0 ? r0 * target / (f0 + target) : 0.05;
    // The secant settles in three or four steps where the rate moves the interest at all.
    std::optional<double> exact;
    for (int step = 0; step < 8 && !exact; ++step) {
        r1 = std::clamp(r1, 0.0, kMaxSolvedRate);
        const std::optional<double> interest = interestAt(r1);
        if (!interest)
            return std::nullopt;
        const double f1 = *interest - target;
        if (missBy(*interest) == 0) {
            exact = r1;
            break;
        }
        if (f1 == f0)
            return std::nullopt;
        const double r2 = r1 - f1 * (r1 - r0) / (f1 - f0);
        r0 = r1;
        f0 = f1;
        r1 = r2;
    }
    if (!exact)
        return std::nullopt;
    // A step of the fourth decimal moves a large loan's interest by more than a cent, so the rate rounded from the
    // exact one may miss the figure its neighbour shows: of the rounded rate and its two neighbours, the one nearest.
    const double rounded = roundToDigits(*exact, 6);
    double solved = rounded;
    long long nearest = -1;
    for (double candidate : {rounded, rounded - 1e-6, rounded + 1e-6}) {
        candidate = roundToDigits(candidate, 6);
        if (candidate < 0 || candidate > kMaxSolvedRate)
            continue;
        const std::optional<double> interest = interestAt(candidate);
        if (interest && (nearest < 0 || missBy(*interest) < nearest)) {
            nearest = missBy(*interest);
            solved = candidate;
        }
        if (nearest == 0)
            break;
    }
    return solved == roundToDigits(documentRate, 6) ? std::nullopt : std::optional<double>(solved);
}

} // namespace

Conventions documentConventions(const LoanDocument &doc)
{
    return {doc.gintCompounding,        doc.gintPeriodsPerYearIndex, doc.gintStartPayment, doc.gdblAnnualRate, false,
            doc.roundInterestEachPeriod};
}

void applyConventions(LoanDocument &doc, const Conventions &conventions)
{
    doc.gintCompounding = conventions.compounding;
    doc.gintPeriodsPerYearIndex = conventions.periodsPerYearIndex;
    doc.gintPeriodsPerYearIndexTmp = conventions.periodsPerYearIndex;
    doc.gdblAnnualRate = conventions.annualRate;
    doc.roundInterestEachPeriod = conventions.roundInterestEachPeriod;
    if ((doc.gintStartPayment != 0) == (conventions.startPayment != 0))
        return;
    doc.gintStartPayment = conventions.startPayment;
    // The start date the wizard holds for the same anchor under its new meaning.
    doc.gdtmStartDate = LoanDates::fromDocument(conventions.startPayment, doc.gdtmFirstPaymentDue, doc.gdtmStartDate,
                                                doc.gintFreqOfInst, doc.gdtmFirstPaymentDue)
                            .start();
}

MatchResult matchStatement(const LoanDocument &doc, const Statement &statement, const NumberFormat &format,
                           const MatchProgressFn &progress)
{
    MatchResult result;
    result.statementRows = int(statement.rows.size());
    LoanDocument work = doc;
    work.gridMain0 = ScheduleTable(); // the copy needs no old schedule

    // Rows dated after the statement's last row are never compared: the schedule may stop there.
    double term = doc.mdblNperTerm;
    if (!statement.rows.empty() && term <= kMaxPeriods) {
        Date last = kNoDate;
        for (const StatementRow &row : statement.rows)
            last = std::max(last, row.date);
        const double needed =
            std::ceil(double(last - doc.gdtmFirstPaymentDue) / shortestPeriodDays(doc.gintFreqOfInst));
        term = std::min(term, std::max(needed + 2, 0.0));
    }

    const std::vector<Conventions> sets = conventionSets(doc);
    const Conventions own = documentConventions(doc);
    auto run = [&](const Conventions &conventions) -> std::optional<std::vector<int>> {
        work.gintStartPayment = doc.gintStartPayment;
        work.gdtmStartDate = doc.gdtmStartDate;
        applyConventions(work, conventions);
        work.mdblNperTerm = term;
        const CalculateResult calculated = Calculate(work, format);
        if (!calculated) {
            if (result.error.empty())
                result.error = calculated.message;
            return std::nullopt;
        }
        return pairRowsByDate(work, statement);
    };
    auto add = [&](const Conventions &conventions, const std::vector<int> &pairing) {
        CandidateResult candidate = evaluate(work, statement, pairing, nullptr);
        candidate.conventions = conventions;
        candidate.isDocument = conventions == own;
        result.candidates.push_back(candidate);
    };

    for (size_t i = 0; i < sets.size(); ++i) {
        if (const auto pairing = run(sets[i])) {
            add(sets[i], *pairing);
            if (statement.hasColumn[stmInterest]) {
                if (const std::optional<double> rate = solveRate(work, format, statement, *pairing)) {
                    Conventions solved = sets[i];
                    solved.annualRate = *rate;
                    solved.rateFromStatement = true;
                    if (const auto solvedPairing = run(solved))
                        add(solved, *solvedPairing);
                }
            }
        }
        if (progress)
            progress(int(i) + 1, int(sets.size()));
    }

    if (!result.candidates.empty())
        result.error.clear();
    std::stable_sort(result.candidates.begin(), result.candidates.end(),
                     [&own](const CandidateResult &a, const CandidateResult &b) {
                         if (a.rowsAgreeing != b.rowsAgreeing)
                             return a.rowsAgreeing > b.rowsAgreeing;
                         if (a.rowsMatched != b.rowsMatched)
                             return a.rowsMatched > b.rowsMatched;
                         if (cents(a.largestDifference) != cents(b.largestDifference))
                             return cents(a.largestDifference) < cents(b.largestDifference);
                         // Two explanations fit as well: the one that keeps the document's rate, then the one
                         // that changes the fewest conventions, is the likelier.
                         if (a.conventions.rateFromStatement != b.conventions.rateFromStatement)
                             return !a.conventions.rateFromStatement;
                         return changesFrom(own, a.conventions) < changesFrom(own, b.conventions);
                     });
    return result;
}

CandidateComparison compareCandidate(const LoanDocument &doc, const Statement &statement, const NumberFormat &format,
                                     const Conventions &conventions)
{
    CandidateComparison comparison;
    LoanDocument work = doc;
    work.gridMain0 = ScheduleTable();
    applyConventions(work, conventions);
    const CalculateResult calculated = Calculate(work, format);
    if (!calculated) {
        comparison.error = calculated.message;
        return comparison;
    }
    comparison.result = evaluate(work, statement, pairRowsByDate(work, statement), &comparison.rows);
    comparison.result.conventions = conventions;
    comparison.result.isDocument = conventions == documentConventions(doc);
    return comparison;
}

namespace {

std::string where(const StatementRow &row, const NumberFormat &format)
{
    return "line " + std::to_string(row.line) + " (" + format.formatDate(row.date) + ")";
}

std::string joined(const std::vector<std::string> &sentences)
{
    std::string text;
    for (const std::string &sentence : sentences)
        text += (text.empty() ? "" : " ") + sentence;
    return text;
}

// A steady, growing or shrinking difference in Interest over (nearly) every row, in words; empty for none.
std::string interestDrift(const std::vector<double> &differences, const NumberFormat &format)
{
    size_t differing = 0;
    size_t above = 0;
    for (double d : differences) {
        differing += cents(d) != 0 ? 1 : 0;
        above += cents(d) > 0 ? 1 : 0;
    }
    if (differences.size() < 3 || differing * 5 < differences.size() * 4 || (above != 0 && above != differing))
        return {};
    double low = std::fabs(differences.front());
    double high = low;
    for (double d : differences) {
        low = std::min(low, std::fabs(d));
        high = std::max(high, std::fabs(d));
    }
    const double first = std::fabs(differences.front());
    const double last = std::fabs(differences.back());
    const std::string side = above != 0 ? "more" : "less";
    if (high - low <= std::max(0.02, 0.1 * high))
        return "The lender's Interest is about " + format.currency((low + high) / 2) + " " + side
            + " on every row: the lender charges another annual rate.";
    if (last > first)
        return "The lender's Interest is " + side + " by an amount that grows from " + format.currency(first) + " to "
            + format.currency(last) + ": the lender compounds the interest differently or counts another number of "
            + "periods in a year.";
    return "The lender's Interest is " + side + " by an amount that shrinks with the balance, from "
        + format.currency(first) + " to " + format.currency(last) + ": the lender charges another annual rate.";
}

} // namespace

std::string describeDrift(const Statement &statement, const CandidateComparison &comparison, const NumberFormat &format)
{
    if (!comparison.error.empty())
        return comparison.error;
    const std::vector<RowComparison> &rows = comparison.rows;
    std::vector<size_t> order(std::min(rows.size(), statement.rows.size()));
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return statement.rows[a].date < statement.rows[b].date; });

    std::vector<std::string> sentences;
    std::vector<size_t> matched;
    std::vector<size_t> unmatched;
    for (size_t i : order)
        (rows[i].scheduleRow > 0 ? matched : unmatched).push_back(i);
    if (!unmatched.empty()) {
        const std::string first = where(statement.rows[unmatched.front()], format);
        sentences.push_back((unmatched.size() == 1
                                 ? "L" + first.substr(1) + " of the statement falls on a date"
                                 : std::to_string(unmatched.size()) + " rows of the statement fall on dates")
                            + " the schedule has no row on" + (unmatched.size() == 1 ? "" : ", the first on " + first)
                            + ": the lender pays on other days. Check the first payment date, the frequency and "
                              "whether that date is the first payment or the day the money was lent.");
    }

    std::vector<size_t> differing; // positions in `matched`
    for (size_t k = 0; k < matched.size(); ++k) {
        if (!rows[matched[k]].agrees())
            differing.push_back(k);
    }
    if (differing.empty())
        return joined(sentences);

    std::vector<double> interest;
    for (size_t i : matched) {
        if (statement.rows[i].amounts[stmInterest] && rows[i].computed[stmInterest])
            interest.push_back(*statement.rows[i].amounts[stmInterest] - *rows[i].computed[stmInterest]);
    }
    if (std::string text = interestDrift(interest, format); !text.empty()) {
        sentences.push_back(text);
        return joined(sentences);
    }

    // A row whose next row agrees again was changed on its own; rows that keep differing follow a changed amount.
    bool isolated = true;
    for (size_t k : differing)
        isolated = isolated && (k + 1 >= matched.size() || rows[matched[k + 1]].agrees());
    const StatementRow &first = statement.rows[matched[differing.front()]];
    if (isolated) {
        std::string list;
        for (size_t n = 0; n < differing.size() && n < 5; ++n)
            list += (n == 0 ? "" : ", ") + where(statement.rows[matched[differing[n]]], format);
        if (differing.size() > 5)
            list += " and " + std::to_string(differing.size() - 5) + " more";
        sentences.push_back((differing.size() == 1 ? "A single row differs, " : "Single rows differ, ") + list
                            + ": the lender changed a date or an amount there.");
    } else if (differing.size() == matched.size() - differing.front()) {
        sentences.push_back("From " + where(first, format)
                            + " on, every row differs: the lender received or charged a different amount there "
                              "(a prepayment, a fee or a changed payment).");
    } else {
        sentences.push_back("Rows differ in several places, the first on " + where(first, format) + ", by up to "
                            + format.currency(comparison.result.largestDifference)
                            + ": the lender changed dates or amounts more than once.");
    }
    return joined(sentences);
}

std::string describeChanges(const LoanDocument &doc, const Conventions &conventions, const NumberFormat &format)
{
    const Conventions own = documentConventions(doc);
    std::vector<std::string> changes;
    auto change = [&](const char *what, const std::string &from, const std::string &to) {
        if (from != to)
            changes.push_back(std::string(what) + " from " + from + " to " + to);
    };
    change("the compounding", compoundingText(doc.gintLoanType, own.compounding),
           compoundingText(doc.gintLoanType, conventions.compounding));
    change("the periods per year", yearLengthText(doc.gintFreqOfInst, own.periodsPerYearIndex),
           yearLengthText(doc.gintFreqOfInst, conventions.periodsPerYearIndex));
    if ((own.startPayment != 0) != (conventions.startPayment != 0))
        changes.push_back(std::string("the first date from the ")
                          + (own.startPayment != 0 ? "day the money was lent" : "first payment") + " to the "
                          + (conventions.startPayment != 0 ? "day the money was lent" : "first payment"));
    change("the annual rate", format.ratePercent(own.annualRate), format.ratePercent(conventions.annualRate));
    if (own.roundInterestEachPeriod != conventions.roundInterestEachPeriod)
        changes.push_back(conventions.roundInterestEachPeriod
                              ? "the interest from unrounded to rounded to the cent each period"
                              : "the interest from rounded to the cent each period to unrounded");
    if (changes.empty())
        return {};
    std::string text = "Apply changes ";
    for (size_t i = 0; i < changes.size(); ++i)
        text += (i == 0 ? "" : i + 1 == changes.size() ? " and " : ", ") + changes[i];
    return text + ".";
}

std::string describeAgreement(const Conventions &conventions)
{
    return conventions.roundInterestEachPeriod
        ? "Every row of the statement agrees to the cent: the lender rounds interest each period."
        : "Every row of the statement agrees to the cent.";
}

std::string compoundingText(int loanType, int compounding)
{
    return loanType == kPersonalLoan ? compoundingLabel(loanType, compounding) : compoundingListText(compounding);
}

std::string yearLengthText(int frequency, int periodsPerYearIndex)
{
    return periodsPerYearLabel(frequency, hasYearLengthChoice(frequency) ? periodsPerYearIndex : 0);
}

std::string startPaymentText(int startPayment)
{
    return startPayment != 0 ? "Amount Borrowed" : "First Payment";
}

std::string interestRoundingText(bool roundInterestEachPeriod)
{
    return roundInterestEachPeriod ? "Each Period" : "None";
}

} // namespace engine
