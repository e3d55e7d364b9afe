#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file of the repository names its licence in one line at its
# top: "SPDX-License-Identifier: GPL-3.0-or-later" in the file's own comment
# form, after a "#!" line or a doctype when it has one.
#   licence-lines.sh          fails, naming them, when files lack the line
#   licence-lines.sh --add    writes the line into the files that lack it
set -euo pipefail
cd "$(dirname "$0")/.."

readonly id='SPDX-License-Identifier: GPL-3.0-or-later'
# The sources: code, build and script files (not data, pictures or translations).
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.js' '*.mjs' '*.css' '*.html' '*.sh' '*.py' \
                                  '*.cmake' '*CMakeLists.txt' '.ci/run')

# The licence line as a comment of this file's language.
line_for() {
    case "$1" in
        *.cpp | *.h | *.js | *.mjs) echo "// $id" ;;
        *.css) echo "/* $id */" ;;
        *.html) echo "<!-- $id -->" ;;
        *) echo "# $id" ;;
    esac
}

# Whether the first line has to stay first ("#!", a doctype).
keeps_first_line() {
    head -n 1 "$1" | grep -qiE '^(#!|<!doctype)'
}

missing=()
for file in "${files[@]}"; do
    [ -f "$file" ] || continue # deleted in the work tree, not yet in the index
    head -n 2 "$file" | grep -qF "$id" || missing+=("$file")
done

if [ "${1:-}" = "--add" ]; then
    for file in "${missing[@]}"; do
        line=$(line_for "$file")
        if keeps_first_line "$file"; then
            sed -i "1a\\$line" "$file"
        else
            sed -i "1i\\$line" "$file"
        fi
    done
    echo "licence: the line added to ${#missing[@]} files"
    exit 0
fi

if [ "${#missing[@]}" -gt 0 ]; then
    printf '%s\n' "${missing[@]}" >&2
    echo "licence: these files lack \"$id\" in their first two lines;" \
         "scripts/licence-lines.sh --add writes it" >&2
    exit 1
fi
echo "licence: ${#files[@]} files name their licence"
