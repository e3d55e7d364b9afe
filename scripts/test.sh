#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, checks the formatting, builds everything with
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/ccache-env.sh

bash scripts/setup.sh
bash scripts/check-format.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
      -DARDENTIA_SANITIZE=ON -DARDENTIA_WERROR=ON
cmake --build build/test --parallel "$(nproc)"
ctest --test-dir build/test --output-on-failure --parallel "$(nproc)"
