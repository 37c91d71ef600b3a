#!/usr/bin/env bash
# build-installer.sh --version <v> --publisher <name> --program <Larkwell.exe> --out <dir>
#                    [--runtime <dir>] [--allow-stand-in]
# Builds <dir>/Larkwell-<v>-setup.exe from packaging/larkwell.nsi with makensis and prints its
# path. With --runtime (default: $ENGINE_RUNTIME; empty means none) the installer carries every
# file of that folder (libcef.dll and its companion files, subfolders included) and installs it
# next to the program; without, its first page says that the runtime must be put there.
# The stand-in engine (test machinery) is refused as a runtime unless --allow-stand-in.
# The program goes in without its debug information (which stays in the build tree); the
# runtime's files go in as given.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
usage() { echo "usage: $0 --version V --publisher P --program EXE --out DIR [--runtime DIR] [--allow-stand-in]" >&2; exit 2; }
fail() { echo "build-installer: $*" >&2; exit 1; }

version="" publisher="" program="" out="" runtime=${ENGINE_RUNTIME:-} allow_stand_in=0
while [ $# -gt 0 ]; do
  case $1 in
    --version) version=$2; shift 2 ;;
    --publisher) publisher=$2; shift 2 ;;
    --program) program=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --runtime) runtime=$2; shift 2 ;;
    --runtime=*) runtime=${1#--runtime=}; shift ;;
    --allow-stand-in) allow_stand_in=1; shift ;;
    *) usage ;;
  esac
done
[ -n "$version" ] && [ -n "$publisher" ] && [ -n "$program" ] && [ -n "$out" ] || usage
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "version '$version' is not MAJOR.MINOR.PATCH"
[ -f "$program" ] || fail "no program at $program"
command -v makensis >/dev/null || fail "makensis not found: run scripts/install-deps.sh (package nsis)"
strip=i686-w64-mingw32-strip
command -v "$strip" >/dev/null || fail "$strip not found: run scripts/install-deps.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
defines=()

# runtime_include <dir> <file.nsh>: the two macros that install and remove exactly the files of
# <dir>, made from one listing so that the uninstaller removes what the installer put there.
runtime_include() {
  local dir=$1 nsh=$2 rel sub
  local -a files=() dirs=()
  while IFS= read -r -d '' rel; do files+=("${rel#./}"); done < <(cd "$dir" && find . -type f -print0 | sort -z)
  while IFS= read -r -d '' rel; do dirs+=("${rel#./}"); done < <(cd "$dir" && find . -mindepth 1 -type d -print0 | sort -rz)
  for rel in "${files[@]}" "${dirs[@]}"; do
    case $rel in
      *[\"\\*?\<\>\|:]* | *$'\n'*) fail "a runtime file name Windows cannot hold: $rel" ;;
    esac
  done
  {
    echo '!macro LarkwellInstallRuntime'
    for rel in "${files[@]}"; do
      sub=$(dirname "$rel")
      [ "$sub" = . ] && sub="" || sub="\\${sub//\//\\}"
      # File takes its source path literally; $ is special only in the installed path.
      printf '  SetOutPath "$INSTDIR%s"\n  File "%s"\n' "${sub//\$/\$\$}" "$(realpath "$dir/$rel")"
    done
    echo '  SetOutPath "$INSTDIR"'
    echo '!macroend'
    echo '!macro LarkwellRemoveRuntime'
    for rel in "${files[@]}"; do
      rel=${rel//\$/\$\$}
      printf '  Delete "$INSTDIR\\%s"\n' "${rel//\//\\}"
    done
    # Deepest first; RMDir without /r keeps a folder that holds a file the user put there.
    for rel in "${dirs[@]}"; do
      rel=${rel//\$/\$\$}
      printf '  RMDir "$INSTDIR\\%s"\n' "${rel//\//\\}"
    done
    echo '!macroend'
  } >"$nsh"
}

if [ -n "$runtime" ]; then
  [ -d "$runtime" ] || fail "no engine runtime folder at $runtime"
  [ -f "$runtime/libcef.dll" ] || fail "$runtime holds no libcef.dll"
  # The stand-in exports its test-control API (sim_*) beside the engine's functions.
  if grep -qa 'sim_ledger_clean' "$runtime/libcef.dll" && [ "$allow_stand_in" = 0 ]; then
    fail "$runtime/libcef.dll is the stand-in engine (test machinery), not the engine runtime"
  fi
  runtime_include "$(realpath "$runtime")" "$work/runtime.nsh"
  defines+=("-DRUNTIME_NSH=$work/runtime.nsh")
fi

"$strip" -o "$work/Larkwell.exe" "$program"
mkdir -p "$out"
installer=$(realpath "$out")/Larkwell-$version-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -WX \
  "-DVERSION=$version" "-DPUBLISHER=$publisher" "-DPROGRAM=$work/Larkwell.exe" \
  "-DOUTFILE=$installer" "${defines[@]}" "$here/larkwell.nsi" >&2
if [ -n "$runtime" ]; then
  echo "build-installer: $installer (engine runtime from $(realpath "$runtime"))" >&2
else
  echo "build-installer: $installer (without the engine runtime: it must be put next to the program)" >&2
fi
echo "$installer"
