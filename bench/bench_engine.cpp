#include "BenchDocuments.h"

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

void BM_FormatCurrency(benchmark::State &state)
{
    const NumberFormat format;
    double value = 123456.789;
    for (auto _ : state) {
        benchmark::DoNotOptimize(format.currency(value));
        value += 0.01;
    }
}

} // namespace

BENCHMARK(BM_Calculate_Mortgage360)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Calculate_Weekly9000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Calculate_Weekly90000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatCurrency);
