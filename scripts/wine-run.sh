#!/usr/bin/env bash
# wine-run.sh <program.exe> [args...]
# ctest's emulator on the Windows build: runs one Windows program under Wine in the
# build tree's prefix and exits with the program's exit code. The prefix is
# $LARKWELL_WINEPREFIX (each test sets it), else <build tree>/wineprefix for the build
# tree that holds the working directory. It is created on first use.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

prefix=${LARKWELL_WINEPREFIX:-}
if [ -z "$prefix" ]; then
  tree=$PWD
  while [ "$tree" != / ] && [ ! -f "$tree/CMakeCache.txt" ]; do
    tree=$(dirname "$tree")
  done
  if [ ! -f "$tree/CMakeCache.txt" ]; then
    echo "wine-run: set LARKWELL_WINEPREFIX or run inside a build tree" >&2
    exit 2
  fi
  prefix=$tree/wineprefix
fi

# The tree's test session: its display when there is none, or that Wine cannot run here
# (see wine-session-fixture.sh).
. "$here/wine-session.sh"
wine_session_join
wine_session_skip_if_unavailable

"$here/wine-prefix.sh" "$prefix"
. "$here/wine-env.sh"
larkwell_wine_env "$prefix"
# Tests read no input; CI runs with no standard input at all.
exec wine "$@" </dev/null
