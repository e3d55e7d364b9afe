#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, starts the transmitter simulator with its
# demo home on loopback, enrols its master with ardentia-ctl in a short
# scripted session, then opens the app on it (--interface lo). Without a
# display the session is all there is; the simulator then keeps running
# until Ctrl-C.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ccache-env.sh

bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DARDENTIA_BUILD_TESTS=OFF \
      -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build build/release --parallel "$(nproc)"

bin=build/release/src
demo_data="$PWD/build/demo-data"   # the demo's own home, not yours
rm -rf "$demo_data"
mkdir -p "$demo_data"
export XDG_DATA_HOME="$demo_data"

"$bin/simulator/ardentia-transmitter" --demo --state "$demo_data/transmitters.json" \
    >"$demo_data/transmitters.out" 2>"$demo_data/transmitters.log" &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 100); do  # until it says its sockets are bound
    grep -q '^listening' "$demo_data/transmitters.out" 2>/dev/null && break
    sleep 0.05
done

ctl() {
    echo
    echo "\$ ardentia-ctl $*"
    "$bin/cli/ardentia-ctl" --interface lo "$@" || true
}
echo "== A short session against the simulated home (master 127.0.0.2, slave 127.0.0.3)"
ctl add-transmitter 20AA10000001
ctl status
ctl light 211300001230 off
ctl light 212200004560 75
ctl curtain 213100007890 open
ctl scenario run 1
ctl scenario create "Reading" 212200004561=40 211300001231=on
ctl state 211300001230 212200004560
ctl status

echo
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "== Opening the app on the simulated home (close its window to stop)"
    "$bin/ardentia-home" --interface lo
    exit 0
fi
echo "== No display here, so no app window: the simulator keeps running"
echo "(its log: $demo_data/transmitters.log). Try, in another terminal:"
echo "  XDG_DATA_HOME=$demo_data $bin/cli/ardentia-ctl --interface lo --help"
echo "Ctrl-C stops it."
wait $sim
