#include "engine/Arithmetic.h"
#include "engine/Calendar.h"
#include "engine/ChangeTables.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "engine/StatementMatch.h"
#include "support/Dates.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace engine;

namespace {

struct Terms
{
    int loanType = kMortgageLoan;
    int frequency = kMonthly;
    int compounding = 0;
    int index = 0;
    int start = 0;
    double rate = 0.05;
};

// A 25-year loan of 300,000, dated as the wizard dates a new loan: the start one period before the first payment, or
// the anchor itself when it is the day the money was lent. Its payment is the level payment of `paymentTerms` (the
// lender's terms: the payment is printed on the loan's papers). A lump sum between two payments gives the schedule a
// row the lender's statement does not have.
LoanDocument loan(const Terms &t, const Terms &paymentTerms)
{
    LoanDocument doc;
    doc.gintLoanType = t.loanType;
    doc.gintCompounding = t.compounding;
    doc.gintFreqOfInst = t.frequency;
    doc.gintPeriodsPerYearIndex = t.index;
    doc.gintStartPayment = t.start;
    doc.gdblLoanAmount = 300000;
    doc.gdblAnnualRate = t.rate;
    doc.gdtmFirstPaymentDue = ymd(2025, 3, 10);
    doc.gdtmStartDate =
        t.start != 0 ? doc.gdtmFirstPaymentDue : nthPaymentDate(doc.gdtmFirstPaymentDue, t.frequency, 0, 0);
    doc.mdblNperTerm = std::round(lengthToPeriods(25, kYears, t.frequency));
    const Terms &p = paymentTerms;
    const double rate = periodicRate(p.rate, periodsPerYearValue(p.frequency, p.index), p.loanType, p.compounding);
    doc.gdblBasicPayment = roundToDigits(levelPayment(rate, doc.mdblNperTerm, -doc.gdblLoanAmount), 2);
    doc.gridLumpSum.setRows(2);
    setChangeEntry(doc.gridLumpSum, 1, ymd(2026, 7, 20), 2500, NumberFormat());
    return doc;
}

LoanDocument loan(const Terms &t)
{
    return loan(t, t);
}

// The lender's statement: `count` payment rows from period `from` of the loan computed under its true terms, each
// amount as the schedule shows it, as a plain number or in the currency text.
std::string statementOf(const Terms &truth, int from, int count, bool currencyText = false)
{
    const NumberFormat format;
    LoanDocument doc = loan(truth);
    EXPECT_TRUE(Calculate(doc, format));
    std::string text = "Date,Payment,Interest,Principal,Balance\n";
    ScheduleReader reader(doc.gridMain0);
    for (ScheduleRowValues row; reader.next(row);) {
        if (row.kind != ScheduleRowKind::Payment || row[colNumber] < from || row[colNumber] >= from + count)
            continue;
        text += plainCellText(row, colDate);
        for (int column : {colPayment, colInterest, colPrincipal, colEndingBalance})
            text += currencyText ? ",\"" + cellText(row, column, format) + "\"" : "," + plainCellText(row, column);
        text += "\n";
    }
    return text;
}

Statement read(const std::string &text)
{
    const StatementReadResult result = readStatement(text, NumberFormat());
    EXPECT_TRUE(result.ok()) << result.error;
    return result.statement;
}

} // namespace

// Every convention a lender may count by, found from its statement when the document was entered with another.
TEST(StatementMatch, RecognisesEachConventionExactly)
{
    struct Case
    {
        const char *name;
        Terms truth;
        Terms entered;
    };
    const Case cases[] = {
        {"semi-annual compounding", {kMortgageLoan, kMonthly, 0}, {kMortgageLoan, kMonthly, 1}},
        {"monthly compounding", {kMortgageLoan, kMonthly, 1}, {kMortgageLoan, kMonthly, 0}},
        {"annual compounding", {kMortgageLoan, kMonthly, 2}, {kMortgageLoan, kMonthly, 0}},
        {"quarterly compounding", {kMortgageLoan, kMonthly, 3}, {kMortgageLoan, kMonthly, 2}},
        {"weekly, 365.25/7", {kMortgageLoan, kWeekly, 1, 0}, {kMortgageLoan, kWeekly, 1, 1}},
        {"weekly, 365/7", {kMortgageLoan, kWeekly, 1, 1}, {kMortgageLoan, kWeekly, 1, 2}},
        {"weekly, 52", {kMortgageLoan, kWeekly, 1, 2}, {kMortgageLoan, kWeekly, 1, 0}},
        {"bi-weekly, 26, from the day lent", {kMortgageLoan, kBiWeekly, 3, 2, 1}, {kMortgageLoan, kBiWeekly, 0, 0, 0}},
        {"first payment on the date given", {kMortgageLoan, kMonthly, 0, 0, 0}, {kMortgageLoan, kMonthly, 0, 0, 1}},
        {"money lent on the date given",
         {kMortgageLoan, kSemiMonthly, 0, 0, 1},
         {kMortgageLoan, kSemiMonthly, 1, 0, 0}},
        {"personal loan from the day lent", {kPersonalLoan, kMonthly, 0, 0, 1}, {kPersonalLoan, kMonthly, 0, 0, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Statement statement = read(statementOf(c.truth, 14, 25));
        ASSERT_EQ(statement.rows.size(), 25u);
        const MatchResult result = matchStatement(loan(c.entered, c.truth), statement, NumberFormat());
        ASSERT_TRUE(result.ok()) << result.error;
        ASSERT_TRUE(result.reproduced());
        const CandidateResult &best = result.candidates.front();
        EXPECT_EQ(best.conventions, (Conventions {c.truth.compounding, c.truth.index, c.truth.start, 0.05, false}));
        EXPECT_FALSE(best.isDocument);
        EXPECT_EQ(best.rowsMatched, 25);
        EXPECT_EQ(best.largestDifference, 0);
        EXPECT_EQ(best.firstDisagreeingLine, 0);
        // The document's own conventions are among the candidates, and do not reproduce the statement.
        const auto own = std::find_if(result.candidates.begin(), result.candidates.end(),
                                      [](const CandidateResult &r) { return r.isDocument; });
        ASSERT_NE(own, result.candidates.end());
        EXPECT_LT(own->rowsAgreeing, 25);
    }
}

TEST(StatementMatch, OneAlteredCellIsTheOnlyDisagreement)
{
    const Terms truth {kMortgageLoan, kMonthly, 1};
    std::string text = statementOf(truth, 100, 25, true);
    // Line 13 holds period 111; its interest is raised by a dollar.
    const size_t lineStart = [&] {
        size_t pos = 0;
        for (int line = 1; line < 13; ++line)
            pos = text.find('\n', pos) + 1;
        return pos;
    }();
    const size_t interest = text.find(",\"", text.find(",\"", lineStart) + 1) + 2;
    const size_t end = text.find('"', interest);
    const double altered = *NumberFormat().parseNumber(text.substr(interest, end - interest)) + 1;
    text.replace(interest, end - interest, NumberFormat().currency(altered));
    const Statement statement = read(text);

    const LoanDocument entered = loan({kMortgageLoan, kMonthly, 0}, truth);
    const MatchResult result = matchStatement(entered, statement, NumberFormat());
    ASSERT_FALSE(result.candidates.empty());
    EXPECT_FALSE(result.reproduced());
    const CandidateResult &best = result.candidates.front();
    EXPECT_EQ(best.conventions, (Conventions {1, 0, 0, 0.05, false}));
    EXPECT_EQ(best.rowsMatched, 25);
    EXPECT_EQ(best.rowsAgreeing, 24);
    EXPECT_EQ(best.firstDisagreeingLine, 13);
    EXPECT_EQ(best.firstDisagreeingDate, ymd(2034, 5, 10));
    EXPECT_DOUBLE_EQ(best.largestDifference, 1.0);

    const CandidateComparison comparison = compareCandidate(entered, statement, NumberFormat(), best.conventions);
    ASSERT_EQ(comparison.rows.size(), 25u);
    EXPECT_EQ(comparison.result.rowsAgreeing, 24);
    EXPECT_FALSE(comparison.rows[11].agrees());
    EXPECT_EQ(comparison.rows[11].differs, (std::array<bool, 4> {false, true, false, false}));
    EXPECT_TRUE(comparison.rows[12].agrees());
    EXPECT_EQ(describeDrift(statement, comparison, NumberFormat()),
              "A single row differs, line 13 (5/10/2034): the lender changed a date or an amount there.");
}

TEST(StatementMatch, SolvesBackARateAQuarterPointOff)
{
    const Terms truth {kMortgageLoan, kMonthly, 0, 0, 0, 0.0525};
    const Statement statement = read(statementOf(truth, 30, 25));
    const LoanDocument entered = loan({kMortgageLoan, kMonthly, 0, 0, 0, 0.05}, truth);
    const MatchResult result = matchStatement(entered, statement, NumberFormat());
    ASSERT_TRUE(result.reproduced());
    const CandidateResult &best = result.candidates.front();
    EXPECT_TRUE(best.conventions.rateFromStatement);
    EXPECT_EQ(std::llround(best.conventions.annualRate * 1e6), 52500);
    EXPECT_EQ(best.conventions.compounding, 0);
    EXPECT_EQ(best.conventions.startPayment, 0);

    // At the document's own rate, every row's interest is short by about the same amount.
    const CandidateComparison own = compareCandidate(entered, statement, NumberFormat(), documentConventions(entered));
    EXPECT_EQ(own.result.rowsAgreeing, 0);
    const std::string drift = describeDrift(statement, own, NumberFormat());
    EXPECT_EQ(drift.rfind("The lender's Interest is about $", 0), 0u) << drift;
    EXPECT_NE(drift.find(" more on every row: the lender charges another annual rate."), std::string::npos) << drift;

    // Once a change of rate has replaced the document's rate, that rate is not solved from later interest.
    LoanDocument changed = entered;
    changed.gridAnnualRate.setRows(2);
    setChangeEntry(changed.gridAnnualRate, 1, ymd(2026, 1, 10), 5, NumberFormat());
    for (const CandidateResult &candidate : matchStatement(changed, statement, NumberFormat()).candidates)
        EXPECT_FALSE(candidate.conventions.rateFromStatement);
}

// A rate kept to four decimals of a percent moves a large loan's interest by more than a cent a step: the solved rate
// is the one of those steps whose interest is nearest the statement's first figure, not merely the exact rate rounded.
TEST(StatementMatch, TheSolvedRateIsTheNearestOfItsFourDecimals)
{
    struct Case
    {
        const char *name;
        Terms truth;
        double amount;
    };
    const Case cases[] = {
        {"semi-annual, 360,000 at 5.24 %", {kMortgageLoan, kMonthly, 0, 0, 0, 0.0524}, 360000},
        {"monthly, 1,500,000 at 6.1 %", {kMortgageLoan, kMonthly, 1, 0, 0, 0.061}, 1500000},
        {"weekly, 800,000 at 4.35 %", {kMortgageLoan, kWeekly, 0, 1, 0, 0.0435}, 800000},
    };
    const NumberFormat format;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument truth = loan(c.truth);
        truth.gdblLoanAmount = c.amount;
        const Terms &t = c.truth;
        const double rate = periodicRate(t.rate, periodsPerYearValue(t.frequency, t.index), t.loanType, t.compounding);
        truth.gdblBasicPayment = roundToDigits(levelPayment(rate, truth.mdblNperTerm, -c.amount), 2);
        ASSERT_TRUE(Calculate(truth, format));
        std::string text = "Date,Interest\n";
        ScheduleReader reader(truth.gridMain0);
        for (ScheduleRowValues row; reader.next(row);) {
            if (row.kind == ScheduleRowKind::Payment && row[colNumber] <= 6)
                text += plainCellText(row, colDate) + "," + plainCellText(row, colInterest) + "\n";
        }
        const Statement statement = read(text);
        const double firstInterest = *statement.rows.front().amounts[stmInterest];
        // How far a rate's first interest is from the statement's, in cents.
        auto missAt = [&](const Conventions &conventions) {
            const CandidateComparison compared = compareCandidate(truth, statement, format, conventions);
            EXPECT_TRUE(compared.error.empty()) << compared.error;
            return std::llabs(std::llround(*compared.rows.front().computed[stmInterest] * 100)
                              - std::llround(firstInterest * 100));
        };
        int solved = 0;
        for (const CandidateResult &candidate : matchStatement(truth, statement, format).candidates) {
            if (!candidate.conventions.rateFromStatement)
                continue;
            ++solved;
            Conventions lower = candidate.conventions;
            Conventions higher = candidate.conventions;
            lower.annualRate = roundToDigits(lower.annualRate - 1e-6, 6);
            higher.annualRate = roundToDigits(higher.annualRate + 1e-6, 6);
            const long long miss = missAt(candidate.conventions);
            EXPECT_LE(miss, missAt(lower)) << candidate.conventions.annualRate;
            EXPECT_LE(miss, missAt(higher)) << candidate.conventions.annualRate;
        }
        EXPECT_GT(solved, 0);
    }
}

// A statement with the latest payment on top differs first where it differs earliest, on its last line.
TEST(StatementMatch, TheFirstDifferenceIsTheEarliest)
{
    const Terms truth {kMortgageLoan, kMonthly, 1};
    const std::string text = statementOf(truth, 14, 5);
    std::vector<std::string> lines;
    for (size_t pos = text.find('\n') + 1; pos < text.size(); pos = text.find('\n', pos) + 1)
        lines.push_back(text.substr(pos, text.find('\n', pos) + 1 - pos));
    std::string reversed = text.substr(0, text.find('\n') + 1);
    for (auto line = lines.rbegin(); line != lines.rend(); ++line)
        reversed += *line;
    const Statement statement = read(reversed);
    ASSERT_EQ(statement.rows.size(), 5u);

    const LoanDocument entered = loan({kMortgageLoan, kMonthly, 0}, truth);
    const CandidateComparison own = compareCandidate(entered, statement, NumberFormat(), documentConventions(entered));
    EXPECT_EQ(own.result.rowsAgreeing, 0);
    EXPECT_EQ(own.result.firstDisagreeingLine, 6);
    EXPECT_EQ(own.result.firstDisagreeingDate, statement.rows.back().date);
    EXPECT_LT(statement.rows.back().date, statement.rows.front().date);
}

TEST(StatementMatch, RanksAndReportsProgress)
{
    const Statement statement = read(statementOf({kMortgageLoan, kMonthly, 0}, 1, 12));
    LoanDocument entered = loan({kMortgageLoan, kMonthly, 0});
    std::vector<std::pair<int, int>> calls;
    const MatchResult result = matchStatement(entered, statement, NumberFormat(),
                                              [&](int done, int total) { calls.emplace_back(done, total); });
    // Four compoundings, two start conventions, interest rounded or not; the statement's rate is the document's, so no
    // rate is solved for them, and the first interest is the same rounded or not.
    ASSERT_EQ(calls.size(), 16u);
    EXPECT_EQ(calls.back(), std::make_pair(16, 16));
    EXPECT_EQ(result.candidates.size(), 16u + 14u);
    EXPECT_TRUE(result.candidates.front().isDocument);
    EXPECT_EQ(result.candidates.front().rowsAgreeing, 12);
    EXPECT_LT(result.candidates.back().rowsAgreeing, 12);
    // The document itself is untouched.
    EXPECT_EQ(entered.gridMain0.rows(), 1);
    EXPECT_EQ(entered.gdblAnnualRate, 0.05);
}

TEST(StatementMatch, AScheduleThatCannotBeComputedIsReported)
{
    LoanDocument entered = loan({});
    entered.mdblNperTerm = 1e12;
    const MatchResult result = matchStatement(entered, read(statementOf({}, 1, 3)), NumberFormat());
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.candidates.empty());
    EXPECT_EQ(result.error,
              "The schedule cannot be computed: the number of payment periods must be between 0 and "
              "90,000.");
}

// A changed start-payment convention carries the start date the wizard keeps with it.
TEST(StatementMatch, ApplyingConventionsMovesTheStartDateWithTheConvention)
{
    struct Case
    {
        int startPayment;
        Date startDate;
        int newStartPayment;
        Date expectedStart;
    };
    const Date anchor = ymd(2025, 3, 10);
    const Case cases[] = {
        {0, ymd(2025, 2, 10), 1, anchor}, // the anchor becomes the day the money was lent
        {0, kNoDate, 1, anchor}, // a document without a start date gets the wizard's
        {1, anchor, 0, ymd(2025, 2, 10)}, // the anchor becomes payment 1; the loan starts a month earlier
        {1, ymd(2025, 2, 20), 0, ymd(2025, 2, 20)}, // a start date before the first payment stands
        {-1, anchor, 1, anchor}, // any non-zero convention is the same convention
    };
    for (const Case &c : cases) {
        LoanDocument doc;
        doc.gdtmFirstPaymentDue = anchor;
        doc.gintStartPayment = c.startPayment;
        doc.gdtmStartDate = c.startDate;
        applyConventions(doc, {3, 2, c.newStartPayment, 0.0625, true});
        EXPECT_EQ(doc.gdtmStartDate, c.expectedStart) << c.startPayment << " " << c.startDate;
        EXPECT_EQ(doc.gintCompounding, 3);
        EXPECT_EQ(doc.gintPeriodsPerYearIndex, 2);
        EXPECT_EQ(doc.gintPeriodsPerYearIndexTmp, 2);
        EXPECT_EQ(doc.gdblAnnualRate, 0.0625);
    }
}

// What drifts, told from the differences between the statement and a candidate's schedule.
TEST(StatementMatch, DescribesWhatDrifts)
{
    struct Case
    {
        const char *name;
        std::vector<double> given; // the statement's Interest per row (rows on consecutive months)
        std::vector<double> computed; // the schedule's; NaN for a date the schedule has no row on
        std::string words;
    };
    const double none = std::nan("");
    const Case cases[] = {
        {"all agree", {10, 20, 30}, {10, 20, 30}, ""},
        {"steady",
         {110.5, 110.4, 110.3, 110.2},
         {100, 99.9, 99.8, 99.7},
         "The lender's Interest is about $10.50 more on every row: the lender charges another annual rate."},
        {"growing",
         {100.1, 100.3, 100.6, 101},
         {100, 100, 100, 100},
         "The lender's Interest is more by an amount that grows from $0.10 to $1.00: the lender compounds the "
         "interest differently or counts another number of periods in a year."},
        {"shrinking",
         {90, 81, 72, 63},
         {100, 90, 80, 70},
         "The lender's Interest is less by an amount that shrinks with the balance, from $10.00 to $7.00: the "
         "lender charges another annual rate."},
        {"single rows",
         {10, 21, 30, 40, 52},
         {10, 20, 30, 40, 50},
         "Single rows differ, line 3 (2/1/2025), line 6 (5/1/2025): the lender changed a date or an amount there."},
        {"from a row on",
         {10, 20, 31, 41, 51},
         {10, 20, 30, 40, 50},
         "From line 4 (3/1/2025) on, every row differs: the lender received or charged a different amount there (a "
         "prepayment, a fee or a changed payment)."},
        {"here and there",
         {10, 21, 31, 40, 50, 62, 70},
         {10, 20, 30, 40, 50, 60, 70},
         "Rows differ in several places, the first on line 3 (2/1/2025), by up to $2.00: the lender changed dates "
         "or amounts more than once."},
        {"dates off",
         {10, 20, 30},
         {10, none, 30},
         "Line 3 (2/1/2025) of the statement falls on a date the schedule has no row on: the "
         "lender pays on other days. Check the first payment date, the frequency and whether that date is the first "
         "payment or the day the money was lent."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Statement statement;
        statement.headerLine = 1;
        statement.hasColumn[stmInterest] = true;
        CandidateComparison comparison;
        for (size_t i = 0; i < c.given.size(); ++i) {
            StatementRow row;
            row.line = int(i) + 2;
            row.date = ymd(2025, 1 + int(i), 1);
            row.amounts[stmInterest] = c.given[i];
            statement.rows.push_back(row);
            RowComparison compared;
            if (!std::isnan(c.computed[i])) {
                compared.scheduleRow = int(i) + 1;
                compared.computed[stmInterest] = c.computed[i];
                compared.differs[stmInterest] = std::llround(c.given[i] * 100) != std::llround(c.computed[i] * 100);
                comparison.result.largestDifference =
                    std::max(comparison.result.largestDifference, std::fabs(c.given[i] - c.computed[i]));
            }
            comparison.rows.push_back(compared);
        }
        EXPECT_EQ(describeDrift(statement, comparison, NumberFormat()), c.words);
    }
}

// The start row and a lump sum's own row have no ending balance: the balance left above them stands.
TEST(StatementMatch, RowsWithoutABalanceShowTheBalanceLeft)
{
    LoanDocument doc = loan({});
    ASSERT_TRUE(Calculate(doc, NumberFormat()));
    // The payment of 10 July 2026 is period 17; the lump sum of 20 July has its own row right after it.
    int july = 0;
    for (int r = 1; r < doc.gridMain0.rows() && july == 0; ++r)
        july = doc.gridMain0.row(r).date() == ymd(2026, 7, 10) ? r : 0;
    ASSERT_GT(july, 0);
    ASSERT_EQ(doc.gridMain0.row(july + 1).date(), ymd(2026, 7, 20));
    const double left = doc.gridMain0.value(july, colEndingBalance);

    const Statement statement =
        read("Date,Payment,Balance\n2025-02-10,0,300000\n2026-07-20,2500," + NumberFormat().fixed(left, 2) + "\n");
    const CandidateComparison comparison = compareCandidate(doc, statement, NumberFormat(), documentConventions(doc));
    ASSERT_EQ(comparison.rows.size(), 2u);
    EXPECT_EQ(comparison.rows[0].scheduleRow, 1);
    EXPECT_EQ(comparison.rows[0].computed[stmBalance], 300000.0);
    EXPECT_EQ(comparison.rows[0].computed[stmPayment], 0.0);
    EXPECT_EQ(comparison.rows[1].scheduleRow, july + 1);
    EXPECT_EQ(comparison.rows[1].computed[stmBalance], left);
    // The lump sum is no payment: the lender's row that calls it one disagrees there, and only there.
    EXPECT_EQ(comparison.rows[1].differs, (std::array<bool, 4> {true, false, false, false}));
    EXPECT_EQ(comparison.result.rowsAgreeing, 1);
}

// What `--schedule` prints of a document, as CSV: the captions, then every row's plain cells.
std::string printedSchedule(const LoanDocument &doc)
{
    std::string text;
    for (int c = 0; c < colDateSerial; ++c)
        text += std::string(c > 0 ? "," : "") + scheduleCaption(c);
    text += "\n";
    ScheduleReader reader(doc.gridMain0);
    for (ScheduleRowValues row; reader.next(row);) {
        for (int c = 0; c < colDateSerial; ++c)
            text += (c > 0 ? "," : "") + plainCellText(row, c);
        text += "\n";
    }
    return text;
}

// A schedule this program printed is matched by the document it was printed from, on every row: a lump sum on the
// day the loan starts has its own row on the start row's date, which the statement pairs with it, not with the start
// row (which shows no figure and is not in the statement).
TEST(StatementMatch, AScheduleItPrintedMatchesItsDocument)
{
    struct Case
    {
        const char *name;
        Date start;
        Date lump;
    };
    const Case cases[] = {
        {"a lump sum on the start date written", ymd(2025, 2, 10), ymd(2025, 2, 10)},
        {"a lump sum on the start, no start date written", kNoDate, ymd(2025, 2, 10)},
        {"lent ten days after the natural start, a lump sum that day", ymd(2025, 2, 20), ymd(2025, 2, 20)},
        {"a lump sum on a payment date", ymd(2025, 2, 10), ymd(2026, 3, 10)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoanDocument doc = loan({});
        doc.gdtmStartDate = c.start;
        putChangeEntry(doc.gridLumpSum, c.lump, 10000, NumberFormat());
        ASSERT_TRUE(Calculate(doc, NumberFormat()));
        const Statement statement = read(printedSchedule(doc));
        const MatchResult result = matchStatement(doc, statement, NumberFormat());
        ASSERT_TRUE(result.ok()) << result.error;
        EXPECT_TRUE(result.reproduced()) << result.candidates.front().firstDisagreeingDate;
        EXPECT_TRUE(result.candidates.front().isDocument);
        EXPECT_EQ(result.candidates.front().rowsAgreeing, result.statementRows);
    }
}

// A lender that rounds each period's interest to the cent drifts from an unrounded schedule by cents over the years;
// the statement a schedule rounded each period printed is matched by the unrounded document with the rounding, and
// the other way round, and the words say which.
TEST(StatementMatch, FindsWhetherTheLenderRoundsInterestEachPeriod)
{
    for (bool lenderRounds : {true, false}) {
        SCOPED_TRACE(lenderRounds ? "the lender rounds" : "the lender does not round");
        LoanDocument lender = loan({});
        lender.roundInterestEachPeriod = lenderRounds;
        ASSERT_TRUE(Calculate(lender, NumberFormat()));
        const Statement statement = read(printedSchedule(lender));
        LoanDocument entered = loan({});
        entered.roundInterestEachPeriod = !lenderRounds;
        const MatchResult result = matchStatement(entered, statement, NumberFormat());
        ASSERT_TRUE(result.ok()) << result.error;
        ASSERT_TRUE(result.reproduced());
        const CandidateResult &best = result.candidates.front();
        EXPECT_EQ(best.conventions.roundInterestEachPeriod, lenderRounds);
        EXPECT_EQ(best.conventions.annualRate, 0.05);
        EXPECT_EQ(best.conventions.compounding, 0);
        // The document's own conventions do not reproduce the whole statement.
        const auto own = std::find_if(result.candidates.begin(), result.candidates.end(),
                                      [](const CandidateResult &r) { return r.isDocument; });
        ASSERT_NE(own, result.candidates.end());
        EXPECT_LT(own->rowsAgreeing, result.statementRows);
        EXPECT_EQ(describeAgreement(best.conventions),
                  lenderRounds
                      ? "Every row of the statement agrees to the cent: the lender rounds interest each period."
                      : "Every row of the statement agrees to the cent.");
        EXPECT_EQ(describeChanges(entered, best.conventions, NumberFormat()),
                  lenderRounds ? "Apply changes the interest from unrounded to rounded to the cent each period."
                               : "Apply changes the interest from rounded to the cent each period to unrounded.");
        LoanDocument applied = entered;
        applyConventions(applied, best.conventions);
        EXPECT_EQ(applied.roundInterestEachPeriod, lenderRounds);
    }
}

TEST(StatementMatch, SaysWhatApplyingChanges)
{
    struct Case
    {
        Terms document;
        Conventions applied;
        std::string words;
    };
    const Case cases[] = {
        {{kMortgageLoan, kMonthly, 0}, {0, 0, 0, 0.05}, ""},
        // A monthly loan has one year length whatever its index says.
        {{kMortgageLoan, kMonthly, 0},
         {1, 2, 0, 0.0525, true},
         "Apply changes the compounding from Semi-Annually (Canada) to Monthly (United States) and the annual rate "
         "from 5.0000% to 5.2500%."},
        {{kMortgageLoan, kWeekly, 3, 0, 1},
         {3, 1, 0, 0.05},
         "Apply changes the periods per year from 52.18 Weeks (365.25/7) to 52.14 Weeks (365/7) and the first date "
         "from the day the money was lent to the first payment."},
        {{kPersonalLoan, kMonthly, 0, 0, 0, 0.005},
         {2, 0, 1, 0.0075},
         "Apply changes the first date from the first payment to the day the money was lent and the annual rate "
         "from .5000% to .7500%."},
    };
    for (const Case &c : cases)
        EXPECT_EQ(describeChanges(loan(c.document), c.applied, NumberFormat()), c.words);
}

// A statement of payments only fits every convention alike: the fewer conventions a candidate changes, the higher.
TEST(StatementMatch, TiesGoToTheCandidateChangingLeast)
{
    const LoanDocument entered = loan({kMortgageLoan, kWeekly, 1, 1});
    const NumberFormat format;
    const std::string payment = format.fixed(entered.gdblBasicPayment, 2);
    std::string text = "Date,Payment\n";
    for (int week : {43, 44, 45})
        text += format.formatDate(entered.gdtmFirstPaymentDue + 7 * week, "yyyy-MM-dd") + "," + payment + "\n";
    const MatchResult result = matchStatement(entered, read(text), format);
    // Four compoundings, three year lengths, two meanings of the first date, the interest rounded or not.
    ASSERT_EQ(result.candidates.size(), 48u);
    std::vector<int> changes;
    for (const CandidateResult &candidate : result.candidates) {
        EXPECT_EQ(candidate.rowsAgreeing, 3);
        const Conventions &c = candidate.conventions;
        changes.push_back(int(c.compounding != 1) + int(c.periodsPerYearIndex != 1) + int(c.startPayment != 0)
                          + int(c.roundInterestEachPeriod));
    }
    EXPECT_TRUE(result.candidates.front().isDocument);
    EXPECT_TRUE(std::is_sorted(changes.begin(), changes.end()));
}
