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
build-release/app/pellandra --version
build-release/app/pellandra --help
