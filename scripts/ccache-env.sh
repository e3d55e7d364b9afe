# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the build scripts: the compiler cache keys paths relative to the
# checkout, so that another clone of the same code (CI's) finds the objects
# this one built. Debug information then names the first clone's files.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
# Precompiled headers: the cache may use them (their defines and times are
# checked by the compiler itself).
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
