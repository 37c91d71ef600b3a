#!/usr/bin/env bash
# check-static-runtime.sh <objdump> <bin-dir>
# Fails when an .exe or .dll in <bin-dir> imports a mingw runtime DLL (libstdc++-6.dll,
# libgcc_s_*.dll, libwinpthread-1.dll, ...): the program must run with nothing but
# system DLLs and libcef.dll beside it. Every mingw runtime DLL is named lib*.dll;
# no Windows system DLL is. Larkwell.exe also must not import the common dialogs' library
# (or the shell libraries it brings): it is loaded when a dialog is first shown, so that every
# start does not pay for it.
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 <objdump> <bin-dir>" >&2; exit 2; }
objdump=$1
bin=$2

shopt -s nullglob nocaseglob
modules=("$bin"/*.exe "$bin"/*.dll)
if [ ${#modules[@]} -eq 0 ]; then
  echo "check-static-runtime: no .exe or .dll in $bin" >&2
  exit 1
fi

bad=0
for module in "${modules[@]}"; do
  imports=$("$objdump" -p "$module" | sed -n 's/^[[:space:]]*DLL Name: //p')
  runtime=$(grep -Ei '^lib' <<<"$imports" | grep -Eiv '^libcef\.dll$' || true)
  late=""
  if [ "$(basename "$module")" = Larkwell.exe ]; then
    late=$(grep -Eix 'comdlg32\.dll|shell32\.dll|ole32\.dll' <<<"$imports" || true)
  fi
  if [ -n "$runtime" ]; then
    echo "$(basename "$module") imports:" $runtime >&2
    bad=1
  elif [ -n "$late" ]; then
    echo "Larkwell.exe imports at start what it loads on first use:" $late >&2
    bad=1
  else
    echo "$(basename "$module"): $(tr '\n' ' ' <<<"$imports")"
  fi
done
exit "$bad"
