# Sourced by the wine scripts: the one environment every wine call of a build uses.
# Keep LANG the same for every call on a prefix, or Wine rewrites its font substitutes.
# Code page 936 and locale 0x804, like the users' Windows.

# larkwell_wine_env <prefix-dir>
larkwell_wine_env() {
  export WINEPREFIX=$1
  export WINEARCH=win32
  export WINEDEBUG=-all
  export LANG=zh_CN.UTF-8
  export LC_ALL=zh_CN.UTF-8
  # No menu entries or file associations on the host for what programs do in the prefix.
  export WINEDLLOVERRIDES=winemenubuilder.exe=d
}
