#!/usr/bin/env bash
# wine-session-run.sh <command> [args...]
# Runs a test command of a Windows tree inside the tree's Wine session: the wine environment of
# $LARKWELL_WINEPREFIX, and the session's display when there is none (see wine-session-fixture.sh).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh"
. "$here/wine-session.sh"
larkwell_wine_env "${LARKWELL_WINEPREFIX:?the test sets LARKWELL_WINEPREFIX}"
wine_session_join
wine_session_skip_if_unavailable
exec "$@"
