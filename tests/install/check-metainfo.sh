#!/usr/bin/env bash
# Checks the AppStream metadata: valid for `appstreamcli validate --no-net`, its newest release the program's version,
# the desktop entry it launches the one the build installs, the type it provides the one desktop/pellandra.xml
# declares, and every screenshot one of the help's pictures.
# Usage: check-metainfo.sh SOURCE_DIR METAINFO VERSION DESKTOP_ENTRY   (exit 77: skipped, appstreamcli is missing)
set -euo pipefail
source="$1"
metainfo="$2"
version="$3"
entry="$4"
if ! command -v appstreamcli >/dev/null; then
    echo "skipped: appstreamcli is not installed"
    exit 77
fi
# A warning or a note (a missing content rating, a launchable left out) fails as an error does; the pedantic notes
# (such as the capitals of a reverse-DNS identifier) do not.
report="$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1)" || { echo "$report"; exit 1; }
if grep -qE '^(E|W|I):' <<<"$report"; then
    echo "$report"
    exit 1
fi

# A value of the metadata, one element a line as the file is written.
value() { sed -nE "s|.*$1.*|\\1|p" "$metainfo"; }

failed=0
newest="$(value '<release version="([^"]+)"' | head -n1)"
if [ "$newest" != "$version" ]; then
    echo "the newest release is $newest, the program is $version"
    failed=1
fi
launched="$(value '<launchable type="desktop-id">([^<]+)</launchable>')"
if [ "$launched" != "$(basename "$entry")" ] || [ ! -f "$entry" ]; then
    echo "launches '$launched'; the build installs $entry"
    failed=1
fi
declared="$(sed -nE 's/.*<mime-type type="([^"]+)".*/\1/p' "$source/desktop/pellandra.xml")"
provided="$(value '<mediatype>([^<]+)</mediatype>')"
if [ "$provided" != "$declared" ]; then
    echo "provides '$provided'; desktop/pellandra.xml declares '$declared'"
    failed=1
fi
shots="$(value '<image[^>]*>([^<]+)</image>')"
[ -n "$shots" ] || { echo "no screenshot"; failed=1; }
while IFS= read -r url; do
    [ -n "$url" ] || continue
    case "$url" in
        https://pellandra.org/help/images/*) picture="$source/help/images/${url#https://pellandra.org/help/images/}" ;;
        *) picture="" ;;
    esac
    if [ -z "$picture" ] || [ ! -f "$picture" ]; then
        echo "screenshot $url is none of the help's pictures"
        failed=1
    fi
done <<<"$shots"
exit "$failed"
