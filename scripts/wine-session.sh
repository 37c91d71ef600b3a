# Sourced by the scripts that run Windows programs of a build tree under Wine (the test run and
# the demo): an X server when there is no display, the tree's Wine prefix, and one persistent
# wineserver, so each program starts in a fraction of a second. wine_session_end stops what
# wine_session_begin started; call it from an EXIT trap.

. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

wine_session_xvfb_pid=""
wine_session_display_file=""
wine_session_prefix=""

# wine_session_unavailable: prints why Wine cannot run the Windows programs of the architecture
# in LARKWELL_WINE_ARCH (see wine-env.sh) on this machine, or nothing when it can. The product's
# programs are 32-bit x86 code, which some kernels refuse.
wine_session_unavailable() {
  local bits loader out
  bits=32
  [ "$(larkwell_wine_arch)" = win64 ] && bits=64
  loader=$(larkwell_wine_loader)
  if [ ! -x "$loader" ]; then
    echo "Wine's $bits-bit loader ($loader) is not installed: run scripts/install-deps.sh"
  elif ! out=$("$loader" --version 2>&1 </dev/null); then
    case $out in
      *"Exec format error"*)
        echo "this machine's kernel does not run $bits-bit x86 programs (ia32_emulation is off)," \
             "so Wine cannot run the Windows programs" ;;
      *) echo "Wine's $bits-bit loader does not start: $out" ;;
    esac
  fi
}

# wine_session_begin <build-dir> [<prefix-dir>]: exports DISPLAY (a new Xvfb when it was empty)
# and the wine environment of the prefix (default: the tree's own), made when missing. Fails,
# saying why, on a machine where Wine cannot run the programs.
wine_session_begin() {
  local build=$1 here unavailable
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  export LARKWELL_WINE_ARCH
  LARKWELL_WINE_ARCH=${LARKWELL_WINE_ARCH:-$(larkwell_tree_wine_arch "$build")}
  unavailable=$(wine_session_unavailable)
  if [ -n "$unavailable" ]; then
    echo "wine session: $unavailable" >&2
    return 1
  fi
  if [ -z "${DISPLAY:-}" ]; then
    wine_session_start_xvfb "$build" || return 1
  fi
  wine_session_prefix=${2:-$build/wineprefix}
  "$here/wine-prefix.sh" "$wine_session_prefix" || return 1
  larkwell_wine_env "$wine_session_prefix"
  export LARKWELL_WINEPREFIX=$wine_session_prefix
  # Started before any wine process, it serves every program of the session.
  wineserver -p
  # The first wine process of a server starts Wine's own services, which keep its output
  # open for as long as the server lives: start them here, not from a program whose output
  # someone waits for.
  wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
}

# Xvfb picks a free display and writes its number to the file once it accepts clients.
wine_session_start_xvfb() {
  local build=$1 tries
  wine_session_display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$wine_session_display_file" \
    >"$build/xvfb.log" 2>&1 &
  wine_session_xvfb_pid=$!
  for ((tries = 0; tries < 100; tries++)); do
    if [ -s "$wine_session_display_file" ]; then
      export DISPLAY=:$(head -n1 "$wine_session_display_file")
      return 0
    fi
    kill -0 "$wine_session_xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "wine session: Xvfb did not start (see $build/xvfb.log)" >&2
  return 1
}

# True when the session started its own X server (nobody is watching the screen).
wine_session_headless() { [ -n "$wine_session_xvfb_pid" ]; }

wine_session_end() {
  if [ -n "$wine_session_prefix" ]; then
    WINEPREFIX=$wine_session_prefix wineserver -k 2>/dev/null || true
    # Wait until it is gone, so a run started right after never meets a dying server.
    WINEPREFIX=$wine_session_prefix wineserver -w 2>/dev/null || true
  fi
  if [ -n "$wine_session_xvfb_pid" ]; then
    kill "$wine_session_xvfb_pid" 2>/dev/null || true
    wait "$wine_session_xvfb_pid" 2>/dev/null || true
  fi
  [ -z "$wine_session_display_file" ] || rm -f "$wine_session_display_file"
  # A second call does nothing.
  wine_session_prefix="" wine_session_xvfb_pid="" wine_session_display_file=""
}

# wine_session_join: for a test command of a Windows tree, what the tree's running test session
# says ($LARKWELL_WINE_SESSION, written by wine-session-fixture.sh): its display when there is
# none, or that Wine cannot run here (LARKWELL_WINE_UNAVAILABLE). Without a session it changes
# nothing.
wine_session_join() {
  if [ -n "${LARKWELL_WINE_SESSION:-}" ] && [ -f "$LARKWELL_WINE_SESSION" ]; then
    local display=${DISPLAY:-}
    # shellcheck disable=SC1090
    . "$LARKWELL_WINE_SESSION"
    [ -z "$display" ] || export DISPLAY=$display
  fi
}

# wine_session_skip_if_unavailable: for a test that needs Wine, in a session that found it cannot
# run here: says so in the form ctest counts as skipped ("SKIP:", exit code 77) and exits.
wine_session_skip_if_unavailable() {
  if [ -n "${LARKWELL_WINE_UNAVAILABLE:-}" ]; then
    echo "SKIP: $LARKWELL_WINE_UNAVAILABLE"
    exit 77
  fi
}
