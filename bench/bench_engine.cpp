#include "BenchDocuments.h"

#include "engine/LoanComparison.h"
#include "engine/Prepayment.h"
#include "engine/Scenario.h"
#include "engine/Statement.h"

#include <benchmark/benchmark.h>

using namespace engine;
using bench::mortgage360;
using bench::weekly;

namespace {

void runCalculate(benchmark::State &state, LoanDocument doc, const NumberFormat &format)
{
    for (auto _ : state) {
        const CalculateResult result = Calculate(doc, format);
        benchmark::DoNotOptimize(result.ok);
        if (!result.ok)
            state.SkipWithError(result.message.c_str());
    }
    state.counters["rows"] = doc.gridMain0.rows();
}

void BM_Calculate_Mortgage360(benchmark::State &state)
{
    const NumberFormat format;
    runCalculate(state, mortgage360(format), format);
}

void BM_Calculate_Weekly9000(benchmark::State &state)
{
    const NumberFormat format;
    runCalculate(state, weekly(9000, format), format);
}

void BM_Calculate_Weekly90000(benchmark::State &state)
{
    const NumberFormat format;
    runCalculate(state, weekly(90000, format), format);
}

// The same loan with its interest, principal and balances rounded to the cent in every row.
void BM_Calculate_Weekly90000_RoundedInterest(benchmark::State &state)
{
    const NumberFormat format;
    LoanDocument doc = weekly(90000, format);
    doc.roundInterestEachPeriod = true;
    runCalculate(state, doc, format);
}

// The privilege marks of the computed 90,000-period loan, what the grid needs after each Calculate: with no room in
// any year, every one of its 2,000 lump sums is over the limit, with its charge estimated, and under the minimum; its
// 200 payment changes are checked against a 10 % increase.
void runPrivilegeMarks(benchmark::State &state, bool combinedCap)
{
    const NumberFormat format;
    LoanDocument doc = weekly(90000, format);
    PrepaymentTerms terms;
    terms.lumpSumPercent = 0;
    terms.paymentIncreasePercent = 10;
    terms.combinedCap = combinedCap;
    doc.prepaymentTerms = terms;
    if (!Calculate(doc, format)) {
        state.SkipWithError("the loan cannot be computed");
        return;
    }
    std::size_t marks = 0;
    for (auto _ : state) {
        const PrivilegeCheck check = checkPrivileges(doc);
        marks = check.marks.size();
        benchmark::DoNotOptimize(marks);
    }
    state.counters["marks"] = double(marks);
}

void BM_PrivilegeMarks_Weekly90000(benchmark::State &state)
{
    runPrivilegeMarks(state, false);
}

// One combined cap: every payment row is read for what it pays above the base payment.
void BM_PrivilegeMarks_Weekly90000_CombinedCap(benchmark::State &state)
{
    runPrivilegeMarks(state, true);
}

void runMatch(benchmark::State &state, const LoanDocument &doc, const Statement &statement, const NumberFormat &format)
{
    int reports = 0;
    for (auto _ : state) {
        const MatchResult result =
            matchStatement(doc, statement, format, [&reports](int, int) { benchmark::DoNotOptimize(++reports); });
        if (!result.reproduced())
            state.SkipWithError("the lender's conventions were not found");
        state.counters["candidates"] = double(result.candidates.size());
    }
    state.counters["statement rows"] = double(statement.rows.size());
}

// Every candidate for a 30-year mortgage and a statement of the 25 months before its last 30, from a lender who
// compounds monthly and charges a quarter point more.
void BM_MatchStatement_Mortgage360(benchmark::State &state)
{
    const NumberFormat format;
    const LoanDocument doc = mortgage360(format);
    runMatch(state, doc, bench::lenderStatement(doc, {1, 0, 0, doc.gdblAnnualRate + 0.0025}, 30, 25, format), format);
}

// Every candidate for a 90,000-period weekly loan and a statement of its last 25 weeks, from a lender who counts
// 365/7 weeks a year, reporting progress.
void BM_MatchStatement_Weekly90000(benchmark::State &state)
{
    const NumberFormat format;
    const LoanDocument doc = weekly(90000, format);
    runMatch(state, doc, bench::lenderStatement(doc, {1, 1, 0, doc.gdblAnnualRate}, 0, 25, format), format);
}

// Four 90,000-period weekly loans, each at another rate, computed.
std::vector<LoanDocument> fourWeeklyLoans(const NumberFormat &format)
{
    std::vector<LoanDocument> docs;
    for (int i = 0; i < 4; ++i) {
        LoanDocument doc = weekly(90000, format);
        doc.gdblAnnualRate += 0.0005 * i;
        Calculate(doc, format);
        docs.push_back(std::move(doc));
    }
    return docs;
}

// The comparison of four 90,000-period loans from their computed schedules: the table and four balance lines.
void BM_CompareLoans_FourWeekly90000(benchmark::State &state)
{
    const NumberFormat format;
    const std::vector<LoanDocument> docs = fourWeeklyLoans(format);
    for (auto _ : state) {
        const LoanComparison comparison = compareDocuments({&docs[0], &docs[1], &docs[2], &docs[3]});
        const auto texts = comparison.table(&format);
        benchmark::DoNotOptimize(texts.data());
    }
}

// One of the four recalculated (its rate changed), then the comparison brought up to date: only that loan is read
// again.
void BM_CompareLoans_RefreshAfterRecalculation(benchmark::State &state)
{
    const NumberFormat format;
    std::vector<LoanDocument> docs = fourWeeklyLoans(format);
    std::vector<ComparedLoan> loans;
    for (const LoanDocument &doc : docs)
        loans.push_back(comparedLoan(doc));
    for (auto _ : state) {
        state.PauseTiming(); // the recalculation itself is BM_Calculate_Weekly90000's
        docs[2].gdblAnnualRate += 0.0001;
        Calculate(docs[2], format);
        state.ResumeTiming();
        loans[2] = comparedLoan(docs[2]);
        const LoanComparison comparison = compareLoans(loans);
        const auto texts = comparison.table(&format);
        benchmark::DoNotOptimize(texts.data());
    }
}

// The largest statement the reader takes, made of the cells that are the hardest to split: many blanks, a letter and
// many quotes, once in a title line above the header (tried with every separator) and once in a row.
void BM_ReadStatement_QuotesAfterBlanks16MB(benchmark::State &state)
{
    const size_t half = kMaxStatementBytes / 4 - 16;
    const std::string cell = std::string(half, ' ') + "a" + std::string(half, '"');
    const std::string text = cell + "\nDate,Payment\n2025-01-01," + cell + "\n";
    const NumberFormat format;
    for (auto _ : state) {
        const StatementReadResult result = readStatement(text, format);
        if (result.ok())
            state.SkipWithError("the statement was taken");
        benchmark::DoNotOptimize(result.error.data());
    }
    state.counters["bytes"] = double(text.size());
}

void BM_FormatCurrency(benchmark::State &state)
{
    const NumberFormat format;
    double value = 123456.789;
    for (auto _ : state) {
        benchmark::DoNotOptimize(format.currency(value));
        value += 0.01;
    }
}

// What one keystroke in the Scenario window's payment costs: the payment's state and the whole comparison table.
void BM_ScenarioKeystroke(benchmark::State &state)
{
    const NumberFormat format;
    Scenario scenario(0);
    scenario.loanAmountChanged(250000);
    scenario.annualRateChanged(5.25);
    scenario.amortizationChanged(25);
    scenario.termChanged(5);
    double payment = 1400;
    for (auto _ : state) {
        scenario.paymentChanged(payment);
        benchmark::DoNotOptimize(scenario.table(format));
        payment += 0.01;
    }
}

} // namespace

BENCHMARK(BM_Calculate_Mortgage360)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Calculate_Weekly9000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Calculate_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Calculate_Weekly90000_RoundedInterest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrivilegeMarks_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrivilegeMarks_Weekly90000_CombinedCap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchStatement_Mortgage360)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchStatement_Weekly90000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CompareLoans_FourWeekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareLoans_RefreshAfterRecalculation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadStatement_QuotesAfterBlanks16MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatCurrency);
BENCHMARK(BM_ScenarioKeystroke)->Unit(benchmark::kMicrosecond);
