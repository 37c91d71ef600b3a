# Sourced by the wine scripts: the one environment every wine call of a build uses.
# Keep LANG the same for every call on a prefix, or Wine rewrites its font substitutes.
# Code page 936 and locale 0x804, like the users' Windows.

larkwell_wine_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# The Wine of a tree's programs, by LARKWELL_WINE_ARCH: win32 (the default, the product's tree)
# or win64 (the tree built for machines whose kernel refuses 32-bit programs).
larkwell_wine_arch() { echo "${LARKWELL_WINE_ARCH:-win32}"; }

# larkwell_wine_loader: the Wine loader of that architecture, from Debian's folder of them
# (LARKWELL_WINE_LOADERS: another folder, for the tests of these scripts).
larkwell_wine_loader() {
  local loaders=${LARKWELL_WINE_LOADERS:-/usr/lib/wine}
  case $(larkwell_wine_arch) in
    win64) echo "$loaders/wine64" ;;
    *) echo "$loaders/wine" ;;
  esac
}

# larkwell_tree_wine_arch <build-dir>: the architecture a Windows tree was configured for.
larkwell_tree_wine_arch() {
  local arch
  arch=$(sed -n 's/^LARKWELL_WINE_ARCH:INTERNAL=//p' "$1/CMakeCache.txt" 2>/dev/null)
  echo "${arch:-win32}"
}

# larkwell_wine_env <prefix-dir>
larkwell_wine_env() {
  export WINEPREFIX=$1
  export WINEARCH
  WINEARCH=$(larkwell_wine_arch)
  export WINEDEBUG=-all
  export LANG=zh_CN.UTF-8
  export LC_ALL=zh_CN.UTF-8
  # No menu entries or file associations on the host for what programs do in the prefix.
  export WINEDLLOVERRIDES=winemenubuilder.exe=d
  if [ "$WINEARCH" = win64 ]; then
    # Debian's wine and wineboot commands take the 32-bit loader whenever it is installed, even
    # where it cannot run: the 64-bit ones come first on PATH.
    case ":$PATH:" in
      *":$larkwell_wine_scripts/wine64:"*) ;;
      *) export PATH="$larkwell_wine_scripts/wine64:$PATH" ;;
    esac
    export WINELOADER=/usr/lib/wine/wine64
  fi
}
