#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine.
# Safe to run again: packages already present are not fetched a second time, and a machine that
# has everything is left alone, quietly.
#
# Mirrors are not always whole: one index of a suite can stay unfetchable for hours ("Mirror
# sync in progress?"). The install then goes on with the indexes it has. When that leaves apt
# unable to resolve the install (typically the i386 list of the security suite is missing, so
# multi-arch libraries get a security version on amd64 and only a release version on i386), it
# tries once more with the security suite ranked below the release suites, for that install only.
#
# Knobs (for the tests): INSTALL_DEPS_TRIES (index refreshes, default 3),
# INSTALL_DEPS_PAUSE (seconds between them, default 10).
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo" >&2; exit 1; }
  SUDO="sudo"
fi

PACKAGES=(
  make cmake ninja-build g++ googletest
  clang lld   # the calling-convention test builds a library for Microsoft's conventions;
              # scripts/second-compiler-check.sh checks the product's sources with clang
  g++-mingw-w64-i686 mingw-w64-tools
  g++-mingw-w64-x86-64-posix wine64   # the 64-bit tree, for kernels that refuse 32-bit programs
  wine wine32:i386
  xvfb xdotool x11-utils xclip imagemagick
  fonts-wqy-microhei locales
  fonts-wine   # marlett.ttf: Wine draws caption buttons with it
  python3      # the demo web application and its tests
  libbenchmark-dev   # make bench: Google Benchmark for the host benchmarks
  nsis         # makensis: the installer (make package) and its tests
)
TRIES=${INSTALL_DEPS_TRIES:-3}
PAUSE=${INSTALL_DEPS_PAUSE:-10}

say() { echo "install-deps: $*" >&2; }

# Everything apt prints goes to one log; only its error lines are shown, when they matter.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
log=$work/apt.log

missing=()
have_i386=$(dpkg --print-foreign-architectures | grep -cx i386 || true)
if [ "$have_i386" -eq 0 ]; then
  $SUDO dpkg --add-architecture i386
  missing=("${PACKAGES[@]}")
else
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
fi

# The addresses of the indexes apt could not fetch in its last run, one a line.
failed_indexes() {
  sed -nE 's/^(E|W): Failed to fetch ([^ ]+).*/\2/p' "$log" | sort -u
}

# Refreshes the package index, a few times if need be. When an index stays unfetchable, goes
# on with what apt has and says which.
refresh_index() {
  local try
  for ((try = 1; try <= TRIES; try++)); do
    if $SUDO apt-get update -qq >"$log" 2>&1; then
      return 0
    fi
    [ "$try" -lt "$TRIES" ] && sleep "$PAUSE"
  done
  local failed
  failed=$(failed_indexes)
  say "the package index could not be refreshed after $TRIES tries; going on with the indexes apt has."
  if [ -n "$failed" ]; then
    say "unfetchable: $(paste -sd' ' <<<"$failed")"
  else
    grep -E '^(E|W):' "$log" | head -n 5 >&2 || true
  fi
  echo "$failed" >"$work/failed-indexes"
}

# apt_install [apt-get options...]: installs the missing packages, apt's output in the log.
apt_install() {
  $SUDO env DEBIAN_FRONTEND=noninteractive \
    apt-get "$@" install -y -qq --no-install-recommends "${missing[@]}" >"$log" 2>&1
}

if [ "${#missing[@]}" -gt 0 ]; then
  say "installing ${missing[*]}"
  : >"$work/failed-indexes"
  refresh_index
  if ! apt_install; then
    # A preferences file of its own, given to this one apt-get call: nothing under /etc/apt
    # changes, and the file goes with the work folder on every way out.
    prefs=$work/security-last.pref
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$prefs"
    chmod 644 "$prefs"
    say "apt could not resolve the install; trying once more with the security suite ranked" \
        "below the release suites, so that every architecture gets the same versions."
    if ! apt_install -o "Dir::Etc::Preferences=$prefs"; then
      say "could not install: ${missing[*]}"
      failed=$(cat "$work/failed-indexes")
      [ -n "$failed" ] && say "the package index that failed: $(paste -sd' ' <<<"$failed")"
      say "apt said:"
      grep -E '^(E:| [^ ].*: Depends)' "$log" | head -n 8 >&2 || true
      exit 1
    fi
  fi
fi

# Wine runs the tests under the users' locale (code page 936).
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  $SUDO locale-gen >/dev/null
fi
