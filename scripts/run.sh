#!/usr/bin/env bash
# Installs what is missing, builds, and runs what the project has to run so far.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DARDENTIA_BUILD_TESTS=OFF
cmake --build build/release --parallel "$(nproc)"

echo
echo "Ardentia Home: no program to open yet (the transmitter simulator, the"
echo "command-line tool and the app come next). Running the command-channel"
echo "benchmark on loopback instead:"
echo
./build/release/bench/ardentia-bench
