#!/usr/bin/env bash
# Builds Pellandra and runs every test. Usage: ./test.sh [default|asan]
set -euo pipefail
cd "$(dirname "$0")"
preset="${1:-default}"
scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" --parallel "$(nproc)"
