#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a release (never the sanitizer build) in build/release and makes the
# Debian package of it with cpack, then checks the package: the programs,
# the desktop entry, the metadata and the icon are in it, its dependencies
# name what Qt loads at run time, and nothing in it was built with a
# sanitizer. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ccache-env.sh

bash scripts/setup.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
      -DARDENTIA_SANITIZE=OFF -DARDENTIA_WERROR=ON \
      -DARDENTIA_BUILD_TESTS=OFF -DARDENTIA_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --parallel "$(nproc)"
rm -f build/release/*.deb
(cd build/release && cpack -G DEB >/dev/null)
deb=$(ls build/release/*.deb)

fail() { echo "package: $*" >&2; exit 1; }
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in ./usr/bin/ardentia-home ./usr/bin/ardentia-ctl ./usr/bin/ardentia-transmitter \
            ./usr/bin/ardentia-bridge ./lib/systemd/system/ardentia-bridge.service \
            ./etc/ardentia-bridge/bridge.ini ./usr/share/man/man1/ardentia-bridge.1.gz \
            ./usr/share/applications/org.ardentia.Home.desktop \
            ./usr/share/metainfo/org.ardentia.Home.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/org.ardentia.Home.svg \
            ./usr/bin/ardentia-matter ./lib/systemd/system/ardentia-matter.service \
            ./etc/ardentia-matter/matter.ini ./usr/share/man/man1/ardentia-matter.1.gz \
            ./usr/lib/ardentia-matter/src/main.js; do
    grep -qxF "$path" <<<"$contents" || fail "$path is missing from $deb"
done
depends=$(dpkg-deb --field "$deb" Depends)
for needed in libqt6widgets6 libqt6multimedia6 libqt6svg6 libqt6network6 libzxing \
              libsqlite3 libarchive13 libbrotli1 libnova libmosquitto1 libqt6httpserver6 libqt6websockets6 \
              qt6-qpa-plugins \
              fonts-noto-cjk; do
    grep -q "\b$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
for program in "$unpacked"/usr/bin/*; do
    if readelf --dynamic "$program" 2>/dev/null | grep -qE 'lib(asan|ubsan)'; then
        fail "$(basename "$program") was built with a sanitizer"
    fi
done
# ardentia-matter's libraries, as the package trimmed them, load.
node --input-type=module -e "await import('$unpacked/usr/lib/ardentia-matter/src/bridge.js')" ||
    fail "ardentia-matter does not load from the package"
# The services' exposure as systemd rates it: OK or better (at most 3.0).
for service in ardentia-bridge ardentia-matter; do
    if ! exposure=$(systemd-analyze security --offline=true --threshold=30 \
                        "packaging/$service.service" 2>&1); then
        echo "$exposure" >&2
        fail "systemd-analyze rates $service.service above 3.0"
    fi
done
# Debian's own checks: no error, and no warning but those listed (with why)
# in packaging/lintian-accepted.
lintian_out=$(lintian --no-tag-display-limit "$deb" 2>&1 || true)
accepted=$(grep -v '^#' packaging/lintian-accepted | awk 'NF {print $1}' || true)
problems=$(grep -E '^(E|W): ' <<<"$lintian_out" | grep -vF -f <(printf '%s\n' $accepted ZZZ-none) || true)
if [ -n "$problems" ]; then
    echo "$lintian_out" >&2
    fail "lintian: $problems"
fi
echo "package: $deb"
echo "package: Depends: $depends"
