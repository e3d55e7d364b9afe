#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Brings both translation tables up to date with the texts in the sources.
# New texts arrive unfinished: translate them (the English table translates
# the Chinese texts and repeats the English ones), or tst_translations fails.
set -e
cd "$(dirname "$0")/.."
LUPDATE=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
"$LUPDATE" -no-obsolete -locations none src \
    -ts translations/ardentia_zh_CN.ts translations/ardentia_en.ts
