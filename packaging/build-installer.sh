#!/usr/bin/env bash
# build-installer.sh --version <v> --publisher <name> --program <Larkwell.exe> --out <dir>
#                    [--runtime <dir>] [--allow-stand-in]
# Builds <dir>/Larkwell-<v>-setup.exe from packaging/larkwell.nsi with makensis and prints its
# path. With --runtime (default: $ENGINE_RUNTIME; empty means none) the installer carries every
# file of that folder (libcef.dll and its companion files, subfolders included) and installs it
# next to the program; without, its first page says that the runtime must be put there.
# The runtime's libcef.dll must be one the program can load: a 32-bit x86 DLL exporting every
# entry point of the engine loader's table. The stand-in engine (test machinery) is refused as a
# runtime unless --allow-stand-in.
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

objdump=i686-w64-mingw32-objdump
command -v "$objdump" >/dev/null || fail "$objdump not found: run scripts/install-deps.sh"
. "$here/../engine/exports.sh"

# le_number <file> <bytes> <offset>: the little-endian number of 2 or 4 bytes at <offset> of
# <file>; empty when the file ends before it.
le_number() {
  { od -An -t "u$2" -j "$3" -N "$2" --endian=little "$1" 2>/dev/null || true; } | tr -d ' '
}

# pe_kind <file>: what the file's headers say it is: "PE32 x86 DLL" for the one kind the
# program can load; else e.g. "PE32+ x86-64 DLL", "PE32 x86 executable", "ELF", "no PE header".
pe_kind() {
  local file=$1 pe machine flags magic format arch
  case $(head -c 4 "$file" | od -An -tx1 | tr -d ' \n') in
    4d5a*) ;;
    7f454c46) echo ELF; return ;;
    *) echo "no MZ header"; return ;;
  esac
  pe=$(le_number "$file" 4 60)
  if [ -z "$pe" ] || [ "$(od -An -tx1 -j "$pe" -N 4 "$file" 2>/dev/null | tr -d ' \n')" != 50450000 ]; then
    echo "no PE header"; return
  fi
  # The file header after the signature: Machine at +4, Characteristics at +22; then the
  # optional header, whose Magic (+24) tells PE32 from PE32+.
  machine=$(le_number "$file" 2 $((pe + 4)))
  flags=$(le_number "$file" 2 $((pe + 22)))
  magic=$(le_number "$file" 2 $((pe + 24)))
  [ -n "$machine" ] && [ -n "$flags" ] && [ -n "$magic" ] || { echo "a truncated PE header"; return; }
  case $magic in
    267) format=PE32 ;;
    523) format=PE32+ ;;
    *) format="PE with optional header magic $(printf 0x%x "$magic")" ;;
  esac
  case $machine in
    332) arch=x86 ;;
    34404) arch=x86-64 ;;
    43620) arch=ARM64 ;;
    452) arch=ARM ;;
    *) arch="machine $(printf 0x%x "$machine")" ;;
  esac
  # IMAGE_FILE_DLL
  if (( flags & 0x2000 )); then echo "$format $arch DLL"; else echo "$format $arch executable"; fi
}

# check_engine_library <libcef.dll>: stops unless the program can load it: a 32-bit x86 DLL
# that exports every entry point the engine loader resolves; the stand-in engine (it exports
# its test-control functions, sim_*, beside the engine's) only with --allow-stand-in.
check_engine_library() {
  local dll=$1 kind exported needed missing count first
  [ -f "$dll" ] || fail "$(dirname "$dll") holds no libcef.dll"
  kind=$(pe_kind "$dll")
  [ "$kind" = "PE32 x86 DLL" ] || fail "$dll is not a 32-bit x86 Windows DLL ($kind)"
  exported=$(library_exports "$objdump" "$dll") || fail "$objdump cannot read the exports of $dll"
  if grep -q '^sim_' <<<"$exported" && [ "$allow_stand_in" = 0 ]; then
    fail "$dll is the stand-in engine (test machinery), not the engine runtime"
  fi
  needed=$(engine_exports "$here/../engine/cef_api.h")
  [ -n "$needed" ] || fail "no engine exports found in $here/../engine/cef_api.h"
  missing=$(grep -vxF -f <(echo "$exported") <<<"$needed" || true)
  if [ -n "$missing" ]; then
    count=$(wc -l <<<"$missing")
    first=$(head -n 5 <<<"$missing" | paste -sd, - | sed 's/,/, /g')
    [ "$count" -le 5 ] || first+=", ..."
    fail "$dll lacks $count of the $(wc -l <<<"$needed") engine exports the program loads: $first"
  fi
}

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
  check_engine_library "$runtime/libcef.dll"
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
