#!/usr/bin/env bash
# Fuzzes the document reader (with a save and reload of what it read), the schedule computed from a read document and
# the reading and matching of a lender's statement, sharing the given number of seconds (default 60) between the three;
# the documents' fuzzers are seeded with the example documents, the statement's with the schedules printed from them.
# Exits non-zero and prints the fuzzer's report when any finds a crash, undefined behaviour, a leak, a hang or a
# broken round trip; the input that caused it is kept as build-fuzz/<target>-crash-… (or leak-…, timeout-…).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/install-deps.sh
CXX=clang++ cmake -S tests/fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=(fuzz_document_reader fuzz_document_schedule fuzz_statement_reader)
cmake --build build-fuzz -j2 --target "${targets[@]}"

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
share=$(( seconds / ${#targets[@]} ))
[ "$share" -ge 1 ] || share=1
status=0
for target in "${targets[@]}"; do
    corpus="build-fuzz/corpus-$target"
    log="build-fuzz/$target.log"
    mkdir -p "$corpus"
    if [ "$target" = fuzz_statement_reader ]; then
        cp tests/data/golden/expected/*.csv tests/data/golden/expected/*.tsv "$corpus"/
    else
        cp examples/*.plr tests/data/golden/*.plr "$corpus"/
    fi
    echo "== $target: $share s"
    if build-fuzz/"$target" -max_total_time="$share" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="build-fuzz/$target-" -print_final_stats=1 "$corpus" >"$log" 2>&1; then
        grep -E '^stat::(number_of_executed_units|peak_rss_mb|new_units_added)' "$log" || true
    else
        status=1
        echo "$target found a problem (full log: $log):"
        # The report without the fuzzer's progress lines.
        grep -v -E '^#[0-9]+[[:space:]]' "$log"
    fi
done
exit "$status"
