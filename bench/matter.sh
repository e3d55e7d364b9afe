#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# ardentia-matter's figures: a Matter controller's command to the state it sees
# confirmed, p50 and p99 over N commands (default 300; target p99 under 65 ms),
# with the time spent in each stage, and ardentia-matter's memory after start
# and after the commands. The whole chain runs on loopback in a network
# namespace of its own (root). Run it after a build: BUILD (default
# build/release, else build/test) holds the programs.
set -eu
cd "$(dirname "$0")/.."
build=${BUILD:-build/release}
[ -x "$build/src/bridge/ardentia-bridge" ] || build=build/test
exec bash tests/matter/netns.sh bench.mjs "$PWD/$build/src" "${1:-300}"
