#!/usr/bin/env bash
# Builds Pellandra and runs every test. Usage: ./test.sh [preset]   (default preset: "default")
set -euo pipefail
cd "$(dirname "$0")"
preset="${1:-default}"
scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
dir=build
[ "$preset" = default ] || dir="build-$preset"
cmake --build "$dir" -j2
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure -j2
