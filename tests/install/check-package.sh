#!/usr/bin/env bash
# Packs a build with `cpack -G DEB` and checks the Debian package: the Qt libraries and the platform plugins among its
# dependencies, the files the desktop and the program need at their places under /usr, a changelog of the package's
# version, no maintainer scripts, and, where lintian is installed, not one error or warning from it.
# Usage: check-package.sh SOURCE_DIR BUILD_DIR PRIVATE_LIBDIR  (exit 77: skipped, the Debian packaging tools are missing)
set -euo pipefail
source="$1"
build="$2"
private_libdir="$3"
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
for file in ./usr/bin/pellandra "./usr/$private_libdir/libtravina.so.1" ./usr/share/applications/pellandra.desktop \
    ./usr/share/mime/packages/pellandra.xml ./usr/share/icons/hicolor/48x48/apps/pellandra.png \
    ./usr/share/icons/hicolor/48x48/mimetypes/application-x-pellandra.png ./usr/share/pellandra/help/index.html \
    ./usr/share/metainfo/org.pellandra.Pellandra.metainfo.xml ./usr/share/man/man1/pellandra.1.gz \
    ./usr/share/doc/pellandra/copyright ./usr/share/doc/pellandra/changelog.Debian.gz; do
    if ! grep -qxF "$file" <<<"$contents"; then
        echo "missing from the package: $file"
        exit 1
    fi
done

# A private library needs no ldconfig, and nothing else needs a script: the desktop's caches are rebuilt by dpkg's
# triggers.
scripts="$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's|^\./||' | grep -xE 'preinst|postinst|prerm|postrm|config' || true)"
if [ -n "$scripts" ]; then
    echo "maintainer scripts in the package:" $scripts
    exit 1
fi

# The changelog's newest entry is this package's version.
version="$(dpkg-deb -f "$deb" Version)"
logged="$(dpkg-parsechangelog -l "$source/packaging/changelog" -S Version)"
if [ "$logged" != "$version" ]; then
    echo "the changelog's newest entry is $logged, the package is $version"
    exit 1
fi

if command -v lintian >/dev/null; then
    # The package's own overrides (packaging/lintian-overrides, each with its reason) apply; no other.
    lintian --display-level '>=warning' "$deb" >"$out/lintian.log" 2>&1 || true
    if grep -qE '^(E|W):' "$out/lintian.log"; then
        echo "lintian:"
        cat "$out/lintian.log"
        exit 1
    fi
    echo "lintian: no error, no warning"
else
    echo "lintian is not installed: its check is left out"
fi
