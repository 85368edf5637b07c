#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks the tree: every file where the desktop and the program look for
# it, the program finding its own Travina library there (not the build's), and the installed program starting.
# Usage: check-install.sh SOURCE_DIR BUILD_DIR VERSION PRIVATE_LIBDIR
set -euo pipefail
source="$1"
build="$2"
version="$3"
private_libdir="$4"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
    bin/pellandra
    "$private_libdir/libtravina.so.1"
    share/applications/pellandra.desktop
    share/metainfo/org.pellandra.Pellandra.metainfo.xml
    share/mime/packages/pellandra.xml
    share/man/man1/pellandra.1.gz
    share/doc/pellandra/copyright
    share/doc/pellandra/changelog.Debian.gz
    share/lintian/overrides/pellandra
    share/pellandra/help/index.html
    share/pellandra/help/style.css
    share/pellandra/examples/canadian-mortgage-25y.plr
)
for size in 16 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/pellandra.png"
               "share/icons/hicolor/${size}x${size}/mimetypes/application-x-pellandra.png")
done
# Every page of the help, and every picture the pages show.
while IFS= read -r file; do
    expected+=("share/pellandra/help/$file")
done < <(cd "$source/help" && find . -type f \( -name '*.html' -o -name '*.css' -o -name '*.png' \) | sed 's|^\./||')

missing=0
for file in "${expected[@]}"; do
    if [ ! -f "$prefix/$file" ]; then
        echo "missing: $file"
        missing=1
    fi
done
[ "$missing" -eq 0 ] || exit 1

# The program is not left pointing at the build tree.
if readelf -d "$prefix/bin/pellandra" | grep -E 'R(UN)?PATH' | grep -q "$build"; then
    echo "the installed program still looks for its libraries in $build"
    exit 1
fi
found="$(env -u LD_LIBRARY_PATH ldd "$prefix/bin/pellandra" | sed -n 's/^[[:space:]]*libtravina\.so\.1 => \([^ ]*\) .*/\1/p')"
if [ -z "$found" ] || [ "$(realpath "$found")" != "$(realpath "$prefix/$private_libdir/libtravina.so.1")" ]; then
    echo "the installed program does not find its own Travina library: ${found:-not found}"
    exit 1
fi

grep -q '^Exec=pellandra %f$' "$prefix/share/applications/pellandra.desktop"
grep -q '^MimeType=application/x-pellandra;$' "$prefix/share/applications/pellandra.desktop"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/pellandra.desktop"
fi

# The compressed pages are the sources, compressed as Debian asks: the best compression, no name and no time.
for pair in "man/pellandra.1 share/man/man1/pellandra.1.gz" "packaging/changelog share/doc/pellandra/changelog.Debian.gz"; do
    read -r plain packed <<<"$pair"
    if ! cmp -s "$source/$plain" <(gzip -dc "$prefix/$packed") || ! cmp -s <(gzip -9n -c "$source/$plain") "$prefix/$packed"; then
        echo "$packed is not $plain compressed with gzip -9n"
        exit 1
    fi
done
# `man` finds the installed page by name.
if command -v man >/dev/null; then
    MANPATH="$prefix/share/man" man -w pellandra | grep -qxF "$prefix/share/man/man1/pellandra.1.gz"
fi

said="$(env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen "$prefix/bin/pellandra" --version)"
echo "$said"
grep -qF "$version" <<<"$said"
