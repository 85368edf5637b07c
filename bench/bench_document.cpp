// Reading documents: a comment of over a megabyte in short lines must read in about the time its bytes take.
#include "document/DocumentFile.h"

#include "engine/NumberFormat.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ReadDocument_LongComment(benchmark::State &state)
{
    document::DocumentData data;
    std::string comment;
    while (comment.size() < 1200000)
        comment += "A line of the loan's notes.\r\n";
    data.loan.gstrComments = comment;
    const std::string bytes = document::writeDocument(data);
    const engine::NumberFormat format;
    for (auto _ : state) {
        document::DocumentData read;
        benchmark::DoNotOptimize(document::readDocument(bytes, read, format).stoppedEarly);
        if (read.loan.gstrComments.size() != comment.size())
            state.SkipWithError("the comment did not read back whole");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

} // namespace

BENCHMARK(BM_ReadDocument_LongComment)->Unit(benchmark::kMillisecond);
