#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer (build/fuzz), and runs each one for SECONDS
# (default 60) or until FUZZ_RUNS executions (default 10 million), whichever
# comes first. Starts from the seeds in fuzz/seeds/TARGET and keeps what it
# finds in build/fuzz/corpus/TARGET; a crash leaves its input in
# build/fuzz/crashes and fails the script. FUZZ_TARGETS="a b" picks targets.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ccache-env.sh

seconds="${1:-60}"
runs="${FUZZ_RUNS:-10000000}"
targets=(${FUZZ_TARGETS:-fuzz_replies fuzz_import fuzz_codedecoder fuzz_jsoncodec
         fuzz_setpayload fuzz_pagerequest fuzz_simulator_request fuzz_simulator_options fuzz_simulator_state})

bash scripts/setup.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++-14 "${launcher[@]}" \
      -DARDENTIA_FUZZ=ON -DARDENTIA_SANITIZE=ON \
      -DARDENTIA_BUILD_TESTS=OFF -DARDENTIA_BUILD_BENCH=OFF >/dev/null
cmake --build build/fuzz --target fuzz_targets --parallel "$(nproc)"

mkdir -p build/fuzz/crashes
# AddressSanitizer's quarantine of freed blocks grows a long run's memory
# by hundreds of megabytes per million executions and slows it threefold,
# although nothing leaks (without it memory stays flat): a small one still
# catches a use soon after a free.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=8}"
failed=0
printf '%-24s %12s %10s %8s %8s %s\n' target executions exec/s cov features result
for target in "${targets[@]}"; do
    corpus="build/fuzz/corpus/$target"
    log="build/fuzz/$target.log"
    mkdir -p "$corpus"
    result=ok
    if ! "build/fuzz/fuzz/$target" -max_total_time="$seconds" -runs="$runs" \
         -print_final_stats=1 -rss_limit_mb=4096 -artifact_prefix="build/fuzz/crashes/$target-" \
         "$corpus" "fuzz/seeds/$target" >"$log" 2>&1; then
        result="FAILED (see $log)"
        failed=1
    fi
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    features=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    printf '%-24s %12s %10s %8s %8s %s\n' "$target" "${executions:--}" "${rate:--}" \
        "${coverage:--}" "${features:--}" "$result"
done
exit "$failed"
