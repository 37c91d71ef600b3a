#!/usr/bin/env bash
# The installer's whole life on a Windows of its own (a fresh Wine prefix): built with the
# stand-in engine as its runtime, installed silently per machine, the program started from its
# Start-menu shortcut against the demo web application and closed, then uninstalled silently
# the way Add/Remove Programs does it, with nothing of it left behind.
set -uo pipefail
. "$(dirname "$(realpath "$0")")/installer-lib.sh"
installer_begin "$@"

runtime=$INSTALLER_WORK/runtime
installer_stand_in_runtime "$runtime"
# The packaging script keeps the stand-in out of an installer unless asked.
if ENGINE_RUNTIME="" "$E2E_SOURCE/packaging/build-installer.sh" --version "$INSTALLER_VERSION" \
     --publisher "$INSTALLER_PUBLISHER" --program "$E2E_BIN/Larkwell.exe" --out "$INSTALLER_WORK/refused" \
     --runtime "$runtime" 2>/dev/null; then
  fail "the stand-in engine was taken as an engine runtime"
fi
installer_build "$INSTALLER_WORK/with-runtime" "$runtime"
installer_fresh_prefix

drive_c=$INSTALLER_PREFIX/drive_c
instdir="$drive_c/Program Files/Larkwell"
win_instdir='C:\Program Files\Larkwell'
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"

# --- installed
start=$SECONDS
wine "$(e2e_winpath "$INSTALLER")" /S </dev/null >/dev/null 2>&1
status=$?
[ "$status" = 0 ] || fail "the silent install ended with exit code $status"
echo "installed in $((SECONDS - start)) s"

# The installer ships this build's program without its debug information: the same code,
# constants and resources.
program_sections() { i686-w64-mingw32-objcopy -O binary -j .text -j .rdata -j .rsrc "$1" "$2"; }
program_sections "$E2E_BIN/Larkwell.exe" "$INSTALLER_WORK/built.bin" &&
  program_sections "$instdir/Larkwell.exe" "$INSTALLER_WORK/installed.bin" &&
  cmp -s "$INSTALLER_WORK/built.bin" "$INSTALLER_WORK/installed.bin" || fail "Larkwell.exe was not installed as built"
expected=(Larkwell.exe Uninstall.exe cache/)
while IFS= read -r file; do
  cmp -s "$runtime/$file" "$instdir/$file" || fail "the runtime file $file was not installed as given"
  expected+=("$file")
done < <(cd "$runtime" && find . -type f -printf '%P\n')
expected+=(locales/)
found=$(cd "$instdir" && find . -mindepth 1 \( -type d -printf '%P/\n' -o -printf '%P\n' \) | sort)
[ "$found" = "$(printf '%s\n' "${expected[@]}" | sort)" ] ||
  fail "the install folder holds: $(tr '\n' ' ' <<<"$found")"

[ -f "$menu/Larkwell.lnk" ] || fail "no shortcut in the all-users Start menu"
per_user=$(find "$drive_c/users" -iname 'Larkwell*.lnk')
[ -z "$per_user" ] || fail "a per-user shortcut: $per_user"
mapfile -t link < <(e2e_tool shortcut "$(e2e_winpath "$menu/Larkwell.lnk")")
[ "${link[0]:-}" = "$win_instdir\\Larkwell.exe" ] || fail "the shortcut points at '${link[0]:-}'"
# The engine's cache is relative to the working folder: the install folder.
[ "${link[1]:-}" = "$win_instdir" ] || fail "the shortcut starts in '${link[1]:-}'"

entry=$(installer_registry "$UNINSTALL_KEY") || fail "no Add/Remove Programs entry"
for value in "DisplayName=Larkwell" "DisplayVersion=$INSTALLER_VERSION" "Publisher=$INSTALLER_PUBLISHER" \
             "UninstallString=\"$win_instdir\\Uninstall.exe\"" "InstallLocation=$win_instdir"; do
  grep -qxF "$value" <<<"$entry" || fail "the Add/Remove Programs entry lacks $value: $(tr '\n' ' ' <<<"$entry")"
done
echo "installed: files, all-users shortcut and Add/Remove Programs entry as expected"

# --- started from the Start menu, as a user would: the shell starts the program and returns
e2e_serve
wine start /unix "$menu/Larkwell.lnk" </dev/null >/dev/null 2>&1 || fail "the shell could not start the shortcut"
e2e_tool wait Larkwell 30 >/dev/null || fail "no visible window titled Larkwell"
e2e_wait_for 10 e2e_page_served 1 || fail "the start page was never asked for"
sleep 1   # the page is painted a moment after it was served
e2e_shot installed-program
code=$(e2e_tool close Larkwell 10) || fail "the installed program did not close within 10 s"
[ "$code" = 0 ] || fail "the installed program ended with exit code '$code'"
echo "the installed program ran from its shortcut and closed with exit code 0"
# The real engine fills its cache folder; the stand-in keeps none, so put there what it would.
echo "cache entry" >"$instdir/cache/data_0" || fail "could not write into the cache folder"

# --- uninstalled silently: the uninstaller copies itself to the temporary folder, runs from there
# (so that it can remove itself and its folder) and the command returns at once: wait for the copy
# ("Un.exe"; "Un" also covers the names older versions of NSIS give it).
uninstall=$(sed -n 's/^UninstallString=//p' <<<"$entry")
uninstall=${uninstall//\"/}
start=$SECONDS
wine "$uninstall" /S </dev/null >/dev/null 2>&1
status=$?
[ "$status" = 0 ] || fail "the silent uninstall ended with exit code $status"
codes=$(e2e_tool ended Un 60) || fail "the uninstaller still runs after 60 s"
# Nothing printed: the copy had ended before it was looked for.
[ -z "$codes" ] || [ "$codes" = 0 ] || fail "the uninstaller ended with exit code '$codes'"
echo "uninstalled in $((SECONDS - start)) s (exit codes seen: ${codes:-none})"

[ ! -e "$instdir" ] || fail "left in the install folder: $(cd "$instdir" && find . -mindepth 1 | tr '\n' ' ')"
[ ! -e "$menu/Larkwell.lnk" ] || fail "the Start-menu shortcut is left"
if installer_registry "$UNINSTALL_KEY" >/dev/null; then fail "the Add/Remove Programs entry is left"; fi
left=$(find "$drive_c" -iname '*larkwell*')
[ -z "$left" ] || fail "left in the prefix: $left"
installer_drop_prefix
echo "PASS: installed, started from the Start menu, uninstalled without a trace (version $INSTALLER_VERSION)"
