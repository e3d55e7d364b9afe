#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command-line tool and the simulator across a real subnet broadcast on the
# fixed ports, inside a private network namespace made here: a veth pair whose
# app end is named en0 (10.77.0.1/24), the transmitters on the other end
# (10.77.0.2 master, 10.77.0.3 slave); then the same home on a /16 network
# (10.78.1.1/16 for the app, the master at 10.78.0.2), found through
# 10.78.255.255; then from an app without an address of its own, through
# 255.255.255.255. Nothing leaves the namespace.
# Exits 77 (skipped) where no namespace can be made.
set -u
ctl=$1
sim=$2

skip() { echo "SKIPPED: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "making a network namespace needs root"
command -v unshare >/dev/null || skip "unshare is not installed"
command -v ip >/dev/null || skip "ip (iproute2) is not installed"
unshare -n true 2>/dev/null || skip "this machine does not allow new network namespaces"

exec unshare -n bash -s "$ctl" "$sim" <<'INSIDE'
set -eu
ctl=$1
sim=$2
ip link set lo up
ip link add en0 type veth peer name tx0 2>/dev/null || { echo "SKIPPED: no veth support"; exit 77; }
ip addr add 10.77.0.1/24 dev en0
ip addr add 10.77.0.2/24 dev tx0
ip addr add 10.77.0.3/24 dev tx0
ip link set en0 up
ip link set tx0 up

work=$(mktemp -d)
trap 'kill "$simpid" 2>/dev/null; rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work"
# Waits for the simulator's line that says its sockets are bound.
ready() {
    for _ in $(seq 100); do
        grep -q '^listening' "$work/sim.out" 2>/dev/null && return 0
        sleep 0.05
    done
    echo "FAILED: the simulator did not start"; cat "$work"/sim.*; exit 1
}
"$sim" --quiet --bind 10.77.0.2 --state "$work/home.json" >"$work/sim.out" &
simpid=$!
ready

fail() { echo "FAILED: $*"; exit 1; }
# No --interface: the tool finds en0 and locates the master by 10.77.0.255.
"$ctl" add-transmitter 20AA10000001 | grep -q "Synchronous data successful" || fail "master"
"$ctl" status | grep -q "20AA10000001  Master Transmitter  10.77.0.2" || fail "master address"
"$ctl" add-transmitter 20AA10000002 >/dev/null || fail "slave"
"$ctl" add-device 2113D0001230 Hall Stairs Porch >/dev/null || fail "controller"
"$ctl" light 2113D0001230 on >/dev/null || fail "switching"
"$ctl" locate | grep -q "10.77.0.2" || fail "locate"

# A /16 home network: the master is on another third octet than the app.
kill "$simpid"; wait "$simpid" 2>/dev/null || true
ip addr flush dev en0
ip addr flush dev tx0
ip addr add 10.78.1.1/16 brd + dev en0
ip addr add 10.78.0.2/16 brd + dev tx0
ip addr add 10.78.0.3/16 brd + dev tx0
rm -rf "$work"/*
"$sim" --quiet --bind 10.78.0.2 --state "$work/home.json" >"$work/sim.out" &
simpid=$!
ready
"$ctl" add-transmitter 20AA10000001 | grep -q "Synchronous data successful" || fail "master on a /16"
"$ctl" status | grep -q "20AA10000001  Master Transmitter  10.78.0.2" || fail "master address on a /16"

# An app whose interface has no IPv4 address: it locates the master through
# 255.255.255.255, routed out of en0 here only.
kill "$simpid"; wait "$simpid" 2>/dev/null || true
ip addr flush dev en0
ip addr flush dev tx0
ip addr add 10.77.0.2/24 dev tx0
ip addr add 10.77.0.3/24 dev tx0
ip route add 255.255.255.255/32 dev en0
rm -rf "$work"/*
"$sim" --bind 10.77.0.2 --state "$work/home.json" >"$work/sim.out" 2>"$work/sim.log" &
simpid=$!
ready
"$ctl" --interface en0 add-transmitter 20AA10000001 | grep -q "Synchronous data successful" ||
    fail "master through 255.255.255.255"
grep -q " to 255.255.255.255 " "$work/sim.log" || fail "the locate did not go to 255.255.255.255"
"$ctl" --interface en0 status | grep -q "20AA10000001  Master Transmitter  10.77.0.2" ||
    fail "master address through 255.255.255.255"
echo "3 passed, 0 failed"
INSIDE
