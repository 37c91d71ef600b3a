#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine.
# Safe to run again: packages already present are not fetched a second time.
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
  wine wine32:i386
  xvfb xdotool x11-utils xclip imagemagick
  fonts-wqy-microhei locales
  fonts-wine   # marlett.ttf: Wine draws caption buttons with it
  python3      # the demo web application and its tests
  libbenchmark-dev   # make bench: Google Benchmark for the host benchmarks
  nsis         # makensis: the installer (make package) and its tests
)

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

if [ "${#missing[@]}" -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine runs the tests under the users' locale (code page 936).
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  $SUDO locale-gen >/dev/null
fi
