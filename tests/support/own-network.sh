#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test in a private network namespace of its own, with only loopback
# up: a test on the fixed ports then shares them with no other test, so such
# tests run side by side. Where no namespace can be made (not root, no
# unshare), the test runs as it is.
set -u
if [ "$(id -u)" -eq 0 ] && command -v unshare >/dev/null && command -v ip >/dev/null \
        && unshare -n true 2>/dev/null; then
    exec unshare -n bash -c 'ip link set lo up && exec "$@"' own-network "$@"
fi
exec "$@"
