#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# ardentia-matter's unit tests; exits 77 (skipped) without a Node that runs it.
set -u
matter=$1
command -v node >/dev/null || { echo "SKIPPED: node is not installed"; exit 77; }
why=$(node "$matter/check-node.js") || { echo "SKIPPED: $why"; exit 77; }
exec node --test "$matter/test/units.test.mjs"
