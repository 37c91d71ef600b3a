#!/usr/bin/env bash
# Replays what package mirrors do to scripts/install-deps.sh, without a network: fake apt-get,
# dpkg, dpkg-query, locale and id come first in PATH and answer as the scenario says.
#   update:  ok | fail  (fail: one index unfetchable, "Mirror sync in progress?")
#   install: ok | fallback (resolves only with the security suite ranked last) | fail
# Each case checks the exit code, what the user is told, and that nothing of the fallback is
# left behind.
set -uo pipefail

script=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/install-deps.sh
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
index=http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz

mkdir -p "$root/bin"
cat >"$root/bin/apt-get" <<FAKE
#!/usr/bin/env bash
state=\$FAKE_STATE
echo "apt-get \$*" >>"\$state/calls"
prefs=""
while [ "\$1" = -o ]; do
  case \$2 in Dir::Etc::Preferences=*) prefs=\${2#*=} ;; esac
  shift 2
done
case \$1 in
  update)
    [ "\$FAKE_UPDATE" = ok ] && exit 0
    echo "E: Failed to fetch $index  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 192.0.2.1 80]"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
    exit 100 ;;
  install)
    resolves=\$FAKE_INSTALL
    if [ "\$resolves" = fallback ] && [ -n "\$prefs" ]; then
      echo "\$prefs" >>"\$state/prefs-files"
      # Resolves only when the security suite ranks below the release suites (< 500).
      grep -qx 'Pin: release l=Debian-Security' "\$prefs" &&
        [ "\$(sed -n 's/^Pin-Priority: //p' "\$prefs")" -lt 500 ] && resolves=ok
    fi
    if [ "\$resolves" != ok ]; then
      for i in \$(seq 40); do echo "Reading package lists... \$i"; done
      echo " libcurl4:i386 : Depends: zlib1g:i386 (>= 1:1.2.0) but it is not going to be installed"
      echo "E: Unable to correct problems, you have held broken packages."
      exit 100
    fi
    shift
    for p in "\$@"; do case \$p in -*) ;; *) echo "\$p" >>"\$state/installed" ;; esac; done ;;
esac
FAKE
cat >"$root/bin/dpkg" <<'FAKE'
#!/usr/bin/env bash
case $1 in
  --print-foreign-architectures) cat "$FAKE_STATE/architectures" ;;
  --add-architecture) echo "$2" >>"$FAKE_STATE/architectures" ;;
esac
FAKE
cat >"$root/bin/dpkg-query" <<'FAKE'
#!/usr/bin/env bash
grep -qxF "${!#}" "$FAKE_STATE/installed" && printf 'install ok installed'
exit 0
FAKE
printf '#!/bin/sh\necho C\necho zh_CN.utf8\n' >"$root/bin/locale"
printf '#!/bin/sh\necho 0\n' >"$root/bin/id"
chmod +x "$root/bin/"*

# every package the script asks for, as the fake dpkg-query would need to see them
all_packages=$(sed -n '/^PACKAGES=(/,/^)/p' "$script" | sed -e 's/#.*//' -e '1d;$d' | tr -s ' \n' '\n' | grep .)

# run_case <name> <update> <install> <state: fresh|complete>: runs the script; sets $out, $status
run_case() {
  name=$1
  state=$root/$name
  mkdir -p "$state/tmp"
  : >"$state/calls"; : >"$state/installed"; : >"$state/prefs-files"
  if [ "$4" = complete ]; then
    echo i386 >"$state/architectures"
    echo "$all_packages" >"$state/installed"
  else
    : >"$state/architectures"
  fi
  out=$(PATH="$root/bin:$PATH" FAKE_STATE=$state FAKE_UPDATE=$2 FAKE_INSTALL=$3 TMPDIR=$state/tmp \
        INSTALL_DEPS_PAUSE=0 INSTALL_DEPS_TRIES=3 bash "$script" 2>&1)
  status=$?
}

fail() { echo "FAIL [$name]: $*"; echo "--- output:"; echo "$out"; echo "---"; failures=$((failures + 1)); }
expect_status() { [ "$status" -eq "$1" ] || fail "exit $status, expected $1"; }
expect_said() { grep -qE "$1" <<<"$out" || fail "not said: $1"; }
expect_not_said() { ! grep -qE "$1" <<<"$out" || fail "said, but should not be: $1"; }
expect_calls() {
  local n
  n=$(grep -c "$1" "$state/calls")
  [ "$n" -eq "$2" ] || fail "$n calls matching '$1', expected $2"
}
# Nothing of the fallback is left: its preferences files are gone and so is the work folder.
expect_clean() {
  local f
  while read -r f; do [ -z "$f" ] || [ ! -e "$f" ] || fail "left behind: $f"; done <"$state/prefs-files"
  [ -z "$(ls -A "$state/tmp")" ] || fail "left in TMPDIR: $(ls -A "$state/tmp")"
  ! grep -q 'apt-get.*Dir::Etc::Preferences=/etc' "$state/calls" || fail "wrote apt's own preferences"
}

# 1. An index stays unfetchable, the install goes through with the others.
run_case update_fails fail ok fresh
expect_status 0
expect_calls 'apt-get update' 3
expect_calls 'apt-get .*install' 1
expect_said "unfetchable: $index"
expect_said 'going on with the indexes apt has'
expect_not_said 'ranked'
grep -qx 'wine32:i386' "$state/installed" || fail "wine32:i386 was not installed"
grep -qx i386 "$state/architectures" || fail "the i386 architecture was not added"
expect_clean

# 2. The install cannot be resolved until the security suite ranks last; then it goes through.
run_case fallback fail fallback fresh
expect_status 0
expect_calls 'apt-get .*install' 2
expect_calls 'apt-get -o Dir::Etc::Preferences=.* install' 1
expect_said 'security suite ranked below the release suites'
[ "$(grep -c 'ranked' <<<"$out")" -eq 1 ] || fail "the fallback is not said in one line"
expect_not_said 'could not install'
expect_clean

# 3. Nothing works: a short message that names the packages and the index, not apt's output.
run_case all_fail fail fail fresh
expect_status 1
expect_said 'could not install: .*wine32:i386'
expect_said "the package index that failed: $index"
expect_said 'held broken packages'
expect_not_said 'Reading package lists'
[ "$(wc -l <<<"$out")" -le 15 ] || fail "$(wc -l <<<"$out") lines of output, expected a short message"
expect_clean

# 4. A machine that has everything: nothing runs, nothing is said.
run_case complete ok fail complete
expect_status 0
[ -z "$out" ] || fail "said something on a complete machine"
expect_calls 'apt-get' 0
expect_clean

# 5. The index refreshes and the install resolves: one of each, no warnings.
run_case plain ok ok fresh
expect_status 0
expect_calls 'apt-get update' 1
expect_calls 'apt-get .*install' 1
expect_not_said 'unfetchable|ranked|could not'

if [ "$failures" -eq 0 ]; then
  echo "install_deps: 5 cases passed"
fi
exit $((failures > 0))
