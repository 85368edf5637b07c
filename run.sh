#!/usr/bin/env bash
# Builds Pellandra and starts it on an example document. Extra arguments go to the program instead (for example:
# ./run.sh --summary examples/car-loan.plr). It shares its build with ./test.sh, so after the tests it starts at once.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target pellandra
program=build/app/pellandra
example=examples/canadian-mortgage-25y.plr
if [ $# -gt 0 ]; then
    exec "$program" "$@"
fi
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$program" "$example"
fi
# No display to show a window on: print what the example loan looks like instead.
echo "No display found; here is the example loan ($example):"
echo
"$program" --summary "$example"
echo
"$program" --schedule "$example" --format tsv | sed -n '1,15p'
