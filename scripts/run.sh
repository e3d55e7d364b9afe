#!/usr/bin/env bash
# Installs what is missing, builds, and runs what the project has so far:
# the benchmark of the command channel and the store, then the transmitter
# simulator with its demo home on loopback (Ctrl-C stops it).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DARDENTIA_BUILD_TESTS=OFF
cmake --build build/release --parallel "$(nproc)"

echo
echo "== Speed figures (loopback only)"
./build/release/bench/ardentia-bench

echo
echo "== Transmitter simulator, demo home"
echo "Master 20AA10000001 on 127.0.0.2, slave 20AA10000002 on 127.0.0.3;"
echo "datagrams on UDP 9899, import on TCP 10000. The app and the command-line"
echo "tool that talk to it are not built yet. Ctrl-C stops it."
exec ./build/release/src/simulator/ardentia-transmitter --demo
