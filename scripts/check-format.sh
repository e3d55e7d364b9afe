#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ file of the repository differs from what clang-format
# (with the repository's .clang-format) would write, or when a source file
# does not name its licence (scripts/licence-lines.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}"; then
    echo "format: run clang-format -i on the files above" >&2
    exit 1
fi
echo "format: ${#files[@]} files as clang-format writes them"
bash scripts/licence-lines.sh
