#include "BenchDocuments.h"

#include "engine/Scenario.h"

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
BENCHMARK(BM_MatchStatement_Mortgage360)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchStatement_Weekly90000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_FormatCurrency);
BENCHMARK(BM_ScenarioKeystroke)->Unit(benchmark::kMicrosecond);
