#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Ardentia Home needs to build, test and run.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools
  qt6-multimedia-dev qt6-svg-dev
  qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools
  libzxing-dev libsqlite3-dev libarchive-dev libnova-dev
  fonts-noto-cjk
  clang-format iproute2 util-linux
  xvfb xauth
  clang-14 libclang-rt-14-dev lld
  appstream desktop-file-utils dpkg-dev
  mosquitto mosquitto-clients libmosquitto-dev
  libbrotli-dev zlib1g-dev
  lintian systemd
  qt6-httpserver-dev qt6-websockets-dev qt6-image-formats-plugins
  chromium nodejs
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Debian's nodejs comes without npm; other builds of nodejs bring their own.
command -v npm >/dev/null || missing+=(npm)

if [ ${#missing[@]} -ne 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: these packages are missing: ${missing[*]}" >&2
    echo "setup: run this script as root (or install them with apt-get) and try again." >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The browser tests' libraries, as their lock file pins them (no browser
# download: they drive Debian's chromium).
browser_tests="$(dirname "$0")/../tests/browser"
if [ ! -d "$browser_tests/node_modules/playwright-core" ]; then
  echo "setup: installing the browser tests' libraries"
  (cd "$browser_tests" && npm ci --no-audit --no-fund --loglevel=error)
fi

# ardentia-matter's libraries (matter.js, an MQTT client), as its lock file
# pins them; it needs Node 20.19 or newer, and everything else works without it.
matter="$(dirname "$0")/../matter"
if why=$(node "$matter/check-node.js"); then
  if [ ! -d "$matter/node_modules/@matter/main" ]; then
    echo "setup: installing ardentia-matter's libraries"
    (cd "$matter" && npm ci --no-audit --no-fund --loglevel=error)
  fi
else
  echo "setup: $why: ardentia-matter is not installed" >&2
fi
