#!/usr/bin/env bash
# Remakes the pictures the program ships: its icon (desktop/icons) and the screenshots of the help pages
# (help/images), taken of the real windows on the example loans under a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target help_screenshots
xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/screenshots/help_screenshots "$PWD"
