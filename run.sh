#!/usr/bin/env bash
# Builds a release build of Pellandra and starts it. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build build-release -j2 --target pellandra
if [ $# -gt 0 ]; then
    exec build-release/app/pellandra "$@"
fi
# Until the windowed program exists, show what an example loan looks like.
example=examples/canadian-mortgage-25y.plr
build-release/app/pellandra --version
echo
build-release/app/pellandra --summary "$example"
echo
build-release/app/pellandra --schedule "$example" --format tsv | sed -n '1,15p'
