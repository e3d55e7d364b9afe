#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format
# (with the repository's .clang-format) would write.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}"; then
    echo "format: run clang-format -i on the files above" >&2
    exit 1
fi
echo "format: ${#files[@]} files as clang-format writes them"
