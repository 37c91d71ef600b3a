#!/usr/bin/env bash
# The Windows tree's Wine session as ctest runs it (scripts/wine-session-fixture.sh and
# scripts/wine-session-run.sh), with fake Wine tools first in PATH and a real Xvfb:
# - start returns at once, though what it started lives on: nothing of it keeps the output open
#   that ctest waits on;
# - a test started through the launcher finds the session's display and can use it;
# - stop ends the X server and the wineserver;
# - where Wine cannot run, start says why ("SKIP:") and every test through the launcher or the
#   emulator says "SKIP:" with that reason and exits 77;
# - where only 64-bit Wine starts, the Windows programs run from the 64-bit tree (wine-tree.sh).
set -uo pipefail
scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
root=$(mktemp -d)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cleanup() {
  "$scripts/wine-session-fixture.sh" stop "$root/build" >/dev/null 2>&1
  [ -f "$root/wineserver.pid" ] && kill "$(cat "$root/wineserver.pid")" 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT

mkdir -p "$root/bin" "$root/build"
# wineboot makes the prefix's folders; wineserver -p runs on as a daemon would, -k stops it.
cat >"$root/bin/wineboot" <<'FAKE'
#!/bin/sh
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
FAKE
cat >"$root/bin/wineserver" <<FAKE
#!/bin/sh
case \$1 in
  -p) sleep 300 & echo \$! >"$root/wineserver.pid" ;;
  -k) [ -f "$root/wineserver.pid" ] && kill "\$(cat "$root/wineserver.pid")" 2>/dev/null; rm -f "$root/wineserver.pid" ;;
esac
exit 0
FAKE
printf '#!/bin/sh\nexit 0\n' >"$root/bin/wine"
chmod +x "$root/bin/"*
# loaders <32-bit> <64-bit>: Wine's loader folder, each loader "ok" (prints a version) or
# "refused" (as a kernel that refuses its code makes it fail).
loaders() {
  local arch=$1 name
  mkdir -p "$root/loaders"
  for name in wine wine64; do
    if [ "$arch" = ok ]; then
      printf '#!/bin/sh\necho "wine-8.0 (fake)"\n' >"$root/loaders/$name"
    else
      printf '#!/bin/sh\necho "cannot execute binary file: Exec format error" >&2\nexit 126\n' >"$root/loaders/$name"
    fi
    chmod +x "$root/loaders/$name"
    arch=$2
  done
  export LARKWELL_WINE_LOADERS=$root/loaders
}

export PATH="$root/bin:$PATH"
export LARKWELL_WINEPREFIX=$root/build/wineprefix
export LARKWELL_WINE_SESSION=$root/build/wine-session.env
unset DISPLAY

# gone <pid>: the process ended within 5 s (a zombie left for its new parent to reap counts).
gone() {
  local tries
  for ((tries = 0; tries < 50; tries++)); do
    [ "$(awk '/^State:/ {print $2}' "/proc/$1/status" 2>/dev/null)" = "" ] && return 0
    [ "$(awk '/^State:/ {print $2}' "/proc/$1/status" 2>/dev/null)" = Z ] && return 0
    sleep 0.1
  done
  return 1
}

# ctest reads a test's output until every process holding it has closed it: so does cat here.
as_ctest() { timeout 60 "$@" 2>&1 | cat; }

echo "--- a machine that runs Wine"
loaders ok ok
started=$SECONDS
out=$(as_ctest "$scripts/wine-session-fixture.sh" start "$root/build")
echo "$out"
[ $((SECONDS - started)) -lt 30 ] || fail "start held its output open for $((SECONDS - started)) s"
grep -q '^export DISPLAY=:' "$LARKWELL_WINE_SESSION" 2>/dev/null || fail "no display in the session file"
xvfb_pid=$(sed -n 's/^# xvfb pid: //p' "$LARKWELL_WINE_SESSION" 2>/dev/null)
kill -0 "$xvfb_pid" 2>/dev/null || fail "the X server did not outlive start"
[ -f "$root/wineserver.pid" ] || fail "no wineserver was started"
out=$(as_ctest "$scripts/wine-session-run.sh" sh -c 'xdpyinfo >/dev/null && echo "display $DISPLAY, prefix $WINEPREFIX"')
echo "$out"
grep -q "^display :[0-9]*, prefix $LARKWELL_WINEPREFIX$" <<<"$out" || fail "a test did not get the session's display and prefix"
as_ctest "$scripts/wine-session-fixture.sh" stop "$root/build"
gone "$xvfb_pid" || fail "the X server outlived stop"
[ ! -f "$root/wineserver.pid" ] || fail "the wineserver outlived stop"
[ ! -f "$LARKWELL_WINE_SESSION" ] || fail "the session file outlived stop"

echo "--- a prefix that cannot be made"
printf '#!/bin/sh\nexit 1\n' >"$root/bin/wineboot"
rm -rf "$LARKWELL_WINEPREFIX"
before=$(pgrep -x Xvfb | sort)
out=$(as_ctest "$scripts/wine-session-fixture.sh" start "$root/build")
echo "$out"
grep -q 'could not start' <<<"$out" || fail "a failed start did not say so"
for pid in $(comm -13 <(echo "$before") <(pgrep -x Xvfb | sort)); do
  gone "$pid" || fail "a failed start left its X server ($pid) running"
done
as_ctest "$scripts/wine-session-fixture.sh" stop "$root/build" >/dev/null

echo "--- a machine where no Wine starts"
loaders refused refused
out=$(as_ctest "$scripts/wine-session-fixture.sh" start "$root/build")
echo "$out"
grep -q '^SKIP: .*does not run 32-bit x86 programs' <<<"$out" || fail "start did not say why it skips"
[ ! -f "$root/wineserver.pid" ] || fail "a wineserver was started anyway"
for runner in "$scripts/wine-session-run.sh true" "$scripts/wine-run.sh program.exe"; do
  out=$($runner 2>&1)
  status=$?
  echo "$out"
  [ "$status" -eq 77 ] || fail "${runner%% *}: exit $status, expected 77"
  grep -q '^SKIP: .*32-bit' <<<"$out" || fail "${runner%% *}: no reason given"
done
as_ctest "$scripts/wine-session-fixture.sh" stop "$root/build"
[ "$("$scripts/wine-tree.sh" 2>/dev/null)" = win ] || fail "without any Wine, the Windows tree is not the product's"

echo "--- a machine whose kernel refuses 32-bit programs but runs 64-bit Wine"
loaders refused ok
out=$(as_ctest "$scripts/wine-session-fixture.sh" start "$root/build")
echo "$out"
grep -q '^SKIP: .*32-bit.*build/win64' <<<"$out" || fail "the product's tree did not say where its tests run"
as_ctest "$scripts/wine-session-fixture.sh" stop "$root/build"
tree=$("$scripts/wine-tree.sh" 2>"$root/tree.err")
cat "$root/tree.err"
[ "$tree" = win64 ] || fail "the Windows tree is '$tree', expected win64"
grep -q '32-bit.*build/win64' "$root/tree.err" || fail "the choice of win64 was not explained"
loaders ok ok
tree=$("$scripts/wine-tree.sh" 2>"$root/tree.err")
[ "$tree" = win ] && [ ! -s "$root/tree.err" ] || fail "with 32-bit Wine the Windows tree is '$tree' ($(cat "$root/tree.err"))"

if [ "$failures" -eq 0 ]; then
  echo "PASS: the Wine session fixture starts, serves, stops, and skips where Wine cannot run;" \
       "the 64-bit tree is chosen only where 32-bit Wine cannot run"
fi
exit $((failures > 0))
