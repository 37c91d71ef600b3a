#!/usr/bin/env bash
# installer_runtime_check.sh <source-dir> <Larkwell.exe> <stand-in libcef.dll>
#                            <incomplete stand-in> <clang> <lld-link> <work-dir>
# packaging/build-installer.sh takes as the engine runtime only a folder whose libcef.dll the
# program can load, and says why it refuses one: no libcef.dll, a file that is not a 32-bit x86
# DLL, the stand-in engine, a library lacking some of the loader's entry points. The made-up
# libraries export empty functions under the loader's names, built with clang and lld-link for
# Microsoft's conventions (no Microsoft library needed).
set -uo pipefail
[ $# -eq 7 ] || { echo "usage: $0 <source-dir> <Larkwell.exe> <stand-in> <incomplete stand-in> <clang> <lld-link> <work-dir>" >&2; exit 2; }
source_dir=$1 program=$2 stand_in=$3 incomplete=$4 clang=$5 lld_link=$6 work=$7
rm -rf "$work"
mkdir -p "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }
# A case that goes wrong is said and the others still run.
failures=0
case_failed() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
. "$source_dir/engine/exports.sh"
mapfile -t names < <(engine_exports "$source_dir/engine/cef_api.h")
[ "${#names[@]}" -eq 100 ] || fail "found ${#names[@]} engine exports in engine/cef_api.h, expected 100"

# runtime <case>: a new runtime folder for one case.
runtime() { mkdir -p "$work/$1/runtime" && echo "$work/$1/runtime"; }

# made_up_dll <x86|x64> <runtime> <name...>: puts into the runtime folder a libcef.dll of that
# machine exporting empty functions of those names.
made_up_dll() {
  local machine=$1 runtime=$2 target name
  local build=$runtime/../build
  shift 2
  case $machine in x86) target=i686-pc-windows-msvc ;; x64) target=x86_64-pc-windows-msvc ;; esac
  mkdir -p "$build"
  for name in "$@"; do printf '__declspec(dllexport) void %s(void) {}\n' "$name"; done >"$build/libcef.c"
  "$clang" --target="$target" -ffreestanding -c "$build/libcef.c" -o "$build/libcef.obj" &&
    "$lld_link" /dll /noentry /nodefaultlib "/machine:$machine" "/out:$runtime/libcef.dll" \
      "/implib:$build/libcef.lib" "$build/libcef.obj" >/dev/null ||
    fail "could not build a $machine libcef.dll"
}

# package <case> <runtime> [build-installer options...]: builds an installer with that runtime
# into <case>/out; its messages go to <case>/messages.
package() {
  local case=$1 runtime=$2
  shift 2
  ENGINE_RUNTIME="" "$source_dir/packaging/build-installer.sh" --version 1.2.3 --publisher Tests \
    --program "$program" --out "$work/$case/out" --runtime "$runtime" "$@" \
    >/dev/null 2>"$work/$case/messages"
}

# refused <case> <message> <runtime> [options...]: packaging stops, with no installer, and says
# <message>.
refused() {
  local case=$1 message=$2 runtime=$3
  shift 3
  if package "$case" "$runtime" "$@"; then case_failed "$case: taken as the engine runtime"; return; fi
  if [ -n "$(ls -A "$work/$case/out" 2>/dev/null)" ]; then
    case_failed "$case: refused, but it left $(ls "$work/$case/out")"
  elif ! grep -qxF "build-installer: $message" "$work/$case/messages"; then
    case_failed "$case: expected 'build-installer: $message', got: $(cat "$work/$case/messages")"
  else
    echo "refused, $case: $message"
  fi
}

# accepted <case> <runtime> [options...]: an installer is built.
accepted() {
  local case=$1 runtime=$2
  shift 2
  if ! package "$case" "$runtime" "$@"; then
    case_failed "$case: refused: $(cat "$work/$case/messages")"
  elif [ ! -s "$work/$case/out/Larkwell-1.2.3-setup.exe" ]; then
    case_failed "$case: no installer in $work/$case/out"
  else
    echo "accepted, $case"
  fi
}

# --- what is not a runtime the program can load
dir=$(runtime no-library)
echo "libcef.dll" >"$dir/libcef.txt"
refused no-library "$dir holds no libcef.dll" "$dir"

dir=$(runtime 64-bit)
made_up_dll x64 "$dir" "${names[@]}"
refused 64-bit "$dir/libcef.dll is not a 32-bit x86 Windows DLL (PE32+ x86-64 DLL)" "$dir"

dir=$(runtime program)
cp "$program" "$dir/libcef.dll"
refused program "$dir/libcef.dll is not a 32-bit x86 Windows DLL (PE32 x86 executable)" "$dir"

dir=$(runtime text)
echo "libcef" >"$dir/libcef.dll"
refused text "$dir/libcef.dll is not a 32-bit x86 Windows DLL (no MZ header)" "$dir"

dir=$(runtime stand-in)
cp "$stand_in" "$dir/libcef.dll"
refused stand-in "$dir/libcef.dll is the stand-in engine (test machinery), not the engine runtime" "$dir"

# The stand-in of the wrong version lacks the last entry point; with the stand-in allowed, that
# is what is said of it.
dir=$(runtime incomplete)
cp "$incomplete" "$dir/libcef.dll"
refused incomplete "$dir/libcef.dll is the stand-in engine (test machinery), not the engine runtime" "$dir"
refused incomplete "$dir/libcef.dll lacks 1 of the 100 engine exports the program loads: cef_get_web_plugin_info_byname" \
  "$dir" --allow-stand-in

# Ten missing: the count, and the first five in the loader's order.
dir=$(runtime older)
made_up_dll x86 "$dir" "${names[@]:0:90}"
refused older "$dir/libcef.dll lacks 10 of the 100 engine exports the program loads: $(
  IFS=,; echo "${names[*]:90:5}" | sed 's/,/, /g'), ..." "$dir"

# --- what is
dir=$(runtime made-up)
made_up_dll x86 "$dir" "${names[@]}"
accepted made-up "$dir"

dir=$(runtime stand-in-allowed)
cp "$stand_in" "$dir/libcef.dll"
accepted stand-in-allowed "$dir" --allow-stand-in

[ "$failures" = 0 ] || fail "$failures of the cases went wrong"
echo "PASS: build-installer.sh refuses every runtime the program cannot load, saying why"
