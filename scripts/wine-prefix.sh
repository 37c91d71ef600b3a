#!/usr/bin/env bash
# wine-prefix.sh <prefix-dir>
# Creates the Wine prefix the Windows tests run in, once: Chinese fonts for the UI
# fonts the program asks for, no window manager needed, 96 dpi. A stamp file records
# which version of this setup made the prefix; a prefix made by another version (or
# left half-made) is created anew. Safe to call from parallel test runs.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -eq 1 ] || { echo "usage: $0 <prefix-dir>" >&2; exit 2; }
prefix=$(realpath -m "$1")
stamp=$prefix/.larkwell-prefix
version=$(cat "$here/wine-prefix.sh" "$here/wine-env.sh" | sha256sum | cut -c1-16)

. "$here/wine-env.sh"
larkwell_wine_env "$prefix"

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ "$(cat "$stamp" 2>/dev/null)" = "$version" ]; then
  exit 0
fi

echo "wine-prefix: creating $prefix" >&2
start=$SECONDS
# A server left running on the old prefix would keep 'wineserver -w' below waiting.
wineserver -k 2>/dev/null || true
rm -rf "$prefix"
# No Mono/Gecko install prompt: with a display it would wait for a click.
WINEDLLOVERRIDES="mscoree,mshtml=;$WINEDLLOVERRIDES" wineboot -i >/dev/null 2>&1

ui_fonts=(微软雅黑 "Microsoft YaHei" "Microsoft YaHei UI" SimSun 宋体 NSimSun 新宋体 SimHei 黑体
          Tahoma "MS Shell Dlg" "MS Shell Dlg 2")
linked_fonts=(Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" System)
nt='HKLM\Software\Microsoft\Windows NT\CurrentVersion'

# reg_add <key> <value-name> <type> <data>
reg_add() {
  wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null
}
for font in "${ui_fonts[@]}"; do
  reg_add "$nt\\FontSubstitutes" "$font" REG_SZ "WenQuanYi Micro Hei"
done
for font in "${linked_fonts[@]}"; do
  reg_add "$nt\\FontLink\\SystemLink" "$font" REG_MULTI_SZ "wqy-microhei.ttc,WenQuanYi Micro Hei"
done
# Wine draws the captions; X focus activates windows; no window manager runs (Managed=N,
# otherwise Wine waits 2 s on every hide and a maximised window stays small).
for setting in Decorated UseTakeFocus Managed; do
  reg_add 'HKCU\Software\Wine\X11 Driver' "$setting" REG_SZ N
done
reg_add 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD 96

# Marlett draws the caption buttons (package fonts-wine).
marlett=/usr/share/wine/fonts/marlett.ttf
if [ -f "$marlett" ]; then
  cp "$marlett" "$prefix/drive_c/windows/Fonts/"
fi

wineserver -w
echo "$version" >"$stamp"
echo "wine-prefix: ready in $((SECONDS - start)) s" >&2
