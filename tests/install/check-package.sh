#!/usr/bin/env bash
# Packs a build with `cpack -G DEB` and checks the Debian package: the Qt libraries and the platform plugins among its
# dependencies, and the files the desktop and the program need at their places under /usr.
# Usage: check-package.sh BUILD_DIR       (exit 77: skipped, the Debian packaging tools are missing)
set -euo pipefail
build="$1"
if ! command -v dpkg-shlibdeps >/dev/null || ! command -v dpkg-deb >/dev/null; then
    echo "skipped: dpkg-dev is not installed"
    exit 77
fi
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb="$(ls "$out"/pellandra_*_*.deb)"

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
for package in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
    if ! grep -qE "(^|, )$package( |,|$)" <<<"$depends"; then
        echo "missing dependency: $package"
        exit 1
    fi
done

contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for file in ./usr/bin/pellandra ./usr/lib/pellandra/libtravina.so.1 ./usr/share/applications/pellandra.desktop \
    ./usr/share/mime/packages/pellandra.xml ./usr/share/icons/hicolor/48x48/apps/pellandra.png \
    ./usr/share/icons/hicolor/48x48/mimetypes/application-x-pellandra.png ./usr/share/pellandra/help/index.html; do
    if ! grep -qxF "$file" <<<"$contents"; then
        echo "missing from the package: $file"
        exit 1
    fi
done
