#!/usr/bin/env bash
# second-compiler-check.sh
# Checks that a second compiler accepts the product's sources: clang compiles every Windows
# source of the product layers (core os engine framework browser app) for the 32-bit mingw
# target, against the headers of the build's own compiler (libstdc++ of the -posix mingw g++ and
# the mingw headers), with the build's warnings and definitions. Nothing is built; any error or
# warning fails the check. Users build Windows programs with other compilers than ours, and code
# only GCC accepts is a trap for them.
#
# Sources: every *.cpp under the product layers except *_posix.cpp, which only the Linux host
# tree builds (os/CMakeLists.txt); the Windows tree builds all the others.
#
# Environment: CLANGXX (default clang++), MINGW_CXX (default i686-w64-mingw32-g++-posix),
# JOBS (default 2).
set -euo pipefail

[ $# -eq 0 ] || { echo "usage: $0" >&2; exit 2; }

me=second-compiler-check
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
clangxx=${CLANGXX:-clang++}
mingw_cxx=${MINGW_CXX:-i686-w64-mingw32-g++-posix}
jobs=${JOBS:-2}
triplet=i686-w64-mingw32

fail_setup() {
  echo "$me: $*" >&2
  exit 2
}

command -v "$clangxx" >/dev/null ||
  fail_setup "$clangxx not found (Debian package clang; scripts/install-deps.sh installs it)"
command -v "$mingw_cxx" >/dev/null ||
  fail_setup "$mingw_cxx not found: its libstdc++ headers are the ones checked against" \
             "(Debian package g++-mingw-w64-i686; scripts/install-deps.sh installs it)"

# The build compiler's own search list: its libstdc++ folders (c++, c++/<triplet>, c++/backward)
# and the mingw headers. GCC's private folders (include, include-fixed) are left out: clang
# brings its own builtin headers.
mapfile -t search < <("$mingw_cxx" -v -E -x c++ /dev/null -o /dev/null 2>&1 |
                      sed -n '/^#include <...> search starts here:/,/^End of search list\./s/^ //p')
cxx_dirs=()
mingw_dir=""
for dir in "${search[@]}"; do
  [ -d "$dir" ] || continue
  dir=$(realpath "$dir")
  case $dir in
    */include/c++ | */include/c++/*) cxx_dirs+=("$dir") ;;
    */$triplet/include) mingw_dir=$dir ;;
  esac
done
if [ ${#cxx_dirs[@]} -eq 0 ] || [ ! -f "${cxx_dirs[0]}/vector" ]; then
  fail_setup "libstdc++ headers of $mingw_cxx not found in its search list: ${search[*]}"
fi
if [ ! -f "${cxx_dirs[0]}/$triplet/bits/c++config.h" ]; then
  fail_setup "libstdc++ target headers ${cxx_dirs[0]}/$triplet/bits/c++config.h not found"
fi
if [ -z "$mingw_dir" ] || [ ! -f "$mingw_dir/windows.h" ] || [ ! -f "$mingw_dir/pthread.h" ]; then
  fail_setup "mingw headers (windows.h, pthread.h under .../$triplet/include) not found in" \
             "the search list of $mingw_cxx: ${search[*]}"
fi

# The start page's host, as app/CMakeLists.txt defines it (only start_page.cpp reads it; defined
# for every source here).
start_host=$(sed -n 's/^ *set(LARKWELL_START_HOST "\([^"]*\)" CACHE.*/\1/p' "$root/app/CMakeLists.txt")
[ -n "$start_host" ] || fail_setup "no default LARKWELL_START_HOST in app/CMakeLists.txt"

flags=("--target=$triplet" -std=c++20 -fsyntax-only -fno-color-diagnostics
       # the warnings of cmake/LarkwellWarnings.cmake (any one fails the source, see below)
       -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wundef
       # the Windows tree is built RelWithDebInfo
       -DNDEBUG "-DLARKWELL_START_HOST=\"$start_host\""
       # the wide forms of the system's names, as the top-level CMakeLists.txt defines them
       -DUNICODE -D_UNICODE
       # only the headers named here: clang's own guess for this target mixes in the host's
       -nostdlibinc)
for dir in "${cxx_dirs[@]}" "$mingw_dir"; do flags+=(-isystem "$dir"); done
flags+=(-I "$root")

cd "$root"
mapfile -t sources < <(find core os engine framework browser app -name '*.cpp' ! -name '*_posix.cpp' | sort)
[ ${#sources[@]} -gt 0 ] || fail_setup "no sources found under $root"

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# One clang per source, $jobs at a time: xargs appends <n> <source> to the flags; each run leaves
# its diagnostics in $out/<n>.log and, when it fails, $out/<n>.failed. A source fails on a
# non-zero exit or on any output at all.
export CHECK_CLANGXX=$clangxx CHECK_OUT=$out
# shellcheck disable=SC2016  # the job script expands its own arguments
for i in "${!sources[@]}"; do printf '%s\0%s\0' "$i" "${sources[$i]}"; done |
  xargs -0 -n2 -P"$jobs" bash -c '
    n=${*: -2:1} source=${*: -1}
    if ! "$CHECK_CLANGXX" "${@:1:$#-2}" "$source" >"$CHECK_OUT/$n.log" 2>&1 ||
       [ -s "$CHECK_OUT/$n.log" ]; then
      : >"$CHECK_OUT/$n.failed"
    fi' _ "${flags[@]}"

failed=0
for i in "${!sources[@]}"; do
  [ -e "$out/$i.failed" ] || continue
  failed=$((failed + 1))
  echo "$me: FAIL ${sources[$i]}"
  sed 's/^/    /' "$out/$i.log"
done
if [ "$failed" -gt 0 ]; then
  echo "$me: $failed of ${#sources[@]} sources fail"
  exit 1
fi
echo "$me: ${#sources[@]} sources clean"
