# Sourced by the installer's end-to-end scripts, on top of e2e-lib.sh. Each is called as
#   <script> <bin-dir> <source-dir> <start-host> <shots-dir> <version> <publisher> <work-dir>
# and calls installer_begin "$@" first. <work-dir> is the test's own folder, emptied on every
# run: it holds the installers the test builds (never the shipped one) and, for a test that
# installs, a fresh Wine prefix.
. "$(dirname "${BASH_SOURCE[0]}")/e2e-lib.sh"

INSTALLER=""
INSTALLER_PREFIX=""
# The installer's window: MUI's caption for "Larkwell" under the Chinese pages.
INSTALLER_TITLE="Larkwell 安装"
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Larkwell'

installer_begin() {
  e2e_begin "$1" "$2" "$3" "$4"
  INSTALLER_VERSION=$5
  INSTALLER_PUBLISHER=$6
  INSTALLER_WORK=$7
  rm -rf "$INSTALLER_WORK"
  mkdir -p "$INSTALLER_WORK"
  . "$E2E_SOURCE/scripts/wine-session.sh"
  trap 'e2e_end; wine_session_end' EXIT
}

# installer_stand_in_runtime <dir>: an engine runtime folder made for the test: the stand-in
# libcef.dll (without its debug information, a 30th of the size to compress), with made-up
# companion files beside it and in a subfolder, as the real one has.
installer_stand_in_runtime() {
  mkdir -p "$1/locales"
  i686-w64-mingw32-strip -o "$1/libcef.dll" "$E2E_BIN/libcef.dll" || e2e_fail "could not copy the stand-in"
  echo "resources of the test runtime" >"$1/cef.pak"
  echo "Chinese locale of the test runtime" >"$1/locales/zh-CN.pak"
}

# installer_build <out-dir> [<runtime-dir>]: builds an installer with the packaging script
# (allowing the stand-in as a runtime); INSTALLER is its path.
installer_build() {
  local args=(--version "$INSTALLER_VERSION" --publisher "$INSTALLER_PUBLISHER"
              --program "$E2E_BIN/Larkwell.exe" --out "$1")
  [ $# -lt 2 ] || args+=(--runtime "$2" --allow-stand-in)
  # ENGINE_RUNTIME of the caller's shell must not leak into a test installer.
  INSTALLER=$(ENGINE_RUNTIME="" "$E2E_SOURCE/packaging/build-installer.sh" "${args[@]}" 2>"$1.log") ||
    { cat "$1.log"; e2e_fail "the installer did not build"; }
  echo "installer: $INSTALLER, $(stat -c %s "$INSTALLER") bytes"
}

# installer_fresh_prefix: a Wine prefix made anew in the work folder, with its own wineserver
# until the script ends (INSTALLER_PREFIX; WINEPREFIX points at it from now on).
installer_fresh_prefix() {
  local start=$SECONDS
  # lwtool answers in one prefix only: from now on each call starts its own, in the new prefix.
  e2e_tool_stop
  INSTALLER_PREFIX=$INSTALLER_WORK/wineprefix
  wine_session_begin "$INSTALLER_WORK" "$INSTALLER_PREFIX" 2>"$INSTALLER_WORK/prefix.log" ||
    { cat "$INSTALLER_WORK/prefix.log"; e2e_fail "no fresh Wine prefix"; }
  echo "fresh prefix: $INSTALLER_PREFIX in $((SECONDS - start)) s"
}

# installer_drop_prefix: ends the fresh prefix's session and removes it (about 600 MB); a
# failing run keeps it for a look.
installer_drop_prefix() {
  wine_session_end
  rm -rf "$INSTALLER_PREFIX"
}

# installer_registry <key>: the values of the key as "name=data" lines (fails without the key).
installer_registry() {
  local out
  out=$(wine reg query "$1" </dev/null 2>/dev/null | iconv -f gbk -t utf-8 | tr -d '\r') || return 1
  sed -nE 's/^ +([^ ]+) +REG_[A-Z_]+ +(.*)$/\1=\2/p' <<<"$out"
}
