#!/usr/bin/env bash
# Runs the document-reader fuzzer for the given number of seconds (default 60), seeded with the example documents.
# Exits non-zero when the fuzzer finds a crash, a leak or a broken round trip.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/install-deps.sh
CXX=clang++ cmake -S tests/fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 --target fuzz_document_reader
corpus=build-fuzz/corpus
mkdir -p "$corpus"
cp examples/*.plr "$corpus"/ 2>/dev/null || true
build-fuzz/fuzz_document_reader -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=build-fuzz/ -print_final_stats=1 "$corpus" 2>&1 | tail -n 25
