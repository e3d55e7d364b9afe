#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Matter test script (matter/test/) inside a private network namespace
# whose loopback carries multicast, so that mDNS and Matter never leave it.
# Exits 77 (skipped) where no namespace can be made, Node is too old or the
# Matter bridge's libraries are not installed.
set -u
script=$1
shift

skip() { echo "SKIPPED: $*"; exit 77; }
matter="$(cd "$(dirname "$0")/../../matter" && pwd)"
command -v node >/dev/null || skip "node is not installed"
why=$(node "$matter/check-node.js") || skip "$why"
[ -d "$matter/node_modules/@matter/main" ] || skip "matter/node_modules is missing (scripts/setup.sh installs it)"
[ "$(id -u)" -eq 0 ] || skip "making a network namespace needs root"
command -v unshare >/dev/null || skip "unshare is not installed"
command -v ip >/dev/null || skip "ip (iproute2) is not installed"
command -v mosquitto >/dev/null || skip "mosquitto is not installed"
unshare -n true 2>/dev/null || skip "this machine does not allow new network namespaces"

exec unshare -n bash -s "$matter/test/$script" "$@" <<'INSIDE'
set -eu
ip link set lo up
ip link set lo multicast on
ip route add 224.0.0.0/4 dev lo
ip -6 route add ff00::/8 dev lo table local 2>/dev/null || ip -6 route add ff00::/8 dev lo
exec node "$@"
INSIDE
