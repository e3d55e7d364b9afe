#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the test command's steps as a newcomer's first run meets them: a
# clean build folder (build/time-test) and no compiler cache. Prints the
# configure, build and test times and the ten slowest tests. Run it after
# scripts/setup.sh (the packages are not part of the figures).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build/time-test
rm -rf "$dir"
export CCACHE_DISABLE=1

step() {
    local name=$1
    shift
    local start=$SECONDS
    "$@" >"$dir.$name.log" 2>&1 || { echo "$name failed: see $dir.$name.log"; exit 1; }
    printf '%-10s %4d s\n' "$name" $((SECONDS - start))
}
mkdir -p build
step configure cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DARDENTIA_SANITIZE=ON -DARDENTIA_WERROR=ON
step build cmake --build "$dir" --parallel "$(nproc)"
step test ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)"
echo "slowest tests:"
grep -E 'Test +#[0-9]+:' "$dir.test.log" |
    sed -E 's/.*Test +#[0-9]+: ([^ ]+) .* ([0-9.]+) sec.*/\2 \1/' | sort -rn | head -10
