#!/usr/bin/env bash
# Checks the manual page against the program: every option `--help` prints has its own entry in the page and the page
# describes no option the program does not take; every exit code the program has is under EXIT STATUS, and no other;
# `man` shows the page without a warning.
# Usage: check-manual.sh PROGRAM PAGE EXIT_CODES_HEADER      (exit 77: skipped, `man` is not installed)
set -euo pipefail
program="$1"
page="$2"
codes_header="$3"
if ! command -v man >/dev/null; then
    echo "skipped: man is not installed"
    exit 77
fi

warnings="$(LC_ALL=C.UTF-8 MANWIDTH=200 man --warnings -E ascii -l "$page" 2>&1 >/dev/null || true)"
if [ -n "$warnings" ]; then
    echo "man warns about $page:"
    echo "$warnings"
    exit 1
fi
# The page as `man` shows it, wide enough that no entry is broken across lines. An entry's tag starts a line at the
# section's indentation.
shown="$(LC_ALL=C.UTF-8 MANWIDTH=200 man -E ascii -l "$page" | col -b)"
section() { awk -v name="$1" '/^[A-Z]/ { inside = ($0 == name); next } inside' <<<"$shown"; }

help="$(env -u DISPLAY QT_QPA_PLATFORM=offscreen "$program" --help)"
mapfile -t options < <(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
mapfile -t described < <(section OPTIONS | sed -nE 's/^ {7}(--[a-z][a-z-]*).*/\1/p' | sort -u)
[ ${#options[@]} -gt 0 ] || { echo "--help printed no option"; exit 1; }

failed=0
missing="$(comm -23 <(printf '%s\n' "${options[@]}") <(printf '%s\n' "${described[@]}"))"
extra="$(comm -13 <(printf '%s\n' "${options[@]}") <(printf '%s\n' "${described[@]}"))"
[ -z "$missing" ] || { echo "options --help prints that the page does not describe:"; echo "$missing"; failed=1; }
[ -z "$extra" ] || { echo "options the page describes that --help does not print:"; echo "$extra"; failed=1; }

# The exit codes as the program names them: `ExitSomething = N,`.
mapfile -t codes < <(sed -nE 's/^ *Exit[A-Za-z]+ = ([0-9]+),.*/\1/p' "$codes_header" | sort -n)
[ ${#codes[@]} -gt 0 ] || { echo "no exit code found in $codes_header"; exit 1; }
mapfile -t listed < <(section 'EXIT STATUS' | sed -nE 's/^ {7}([0-9]+)( .*)?$/\1/p' | sort -n)
if [ "${codes[*]}" != "${listed[*]}" ]; then
    echo "exit codes of the program: ${codes[*]}; under EXIT STATUS: ${listed[*]}"
    failed=1
fi

if ! section FILES | grep -q '\.plr'; then
    echo "FILES does not name the .plr documents"
    failed=1
fi
exit "$failed"
