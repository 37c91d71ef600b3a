# Sourced by the figure producers that run in the Windows tree under Wine:
#   win_producer_begin "$@" -- <targets...>
# checks the producer's arguments (<build root> <figure file>), sets $root (the repository),
# $build, $tree (<build root>/win, or win64 where the kernel refuses 32-bit programs: see
# scripts/wine-tree.sh) and $figures (absolute), configures the tree (its CMake preset, as make
# does) when it is not yet, and builds the targets.
win_producer_begin() {
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  if [ $# -lt 3 ] || [ "$3" != -- ]; then
    echo "usage: $0 <build root> <figure file>" >&2
    exit 2
  fi
  build=$(realpath -m "$1")
  local name
  name=$("$root/scripts/wine-tree.sh")
  tree=$build/$name
  figures=$(realpath -m "$2")
  shift 3
  [ "$build" = "$root/build" ] || { echo "$0: the trees are in $root/build (the CMake presets' folders)" >&2; exit 2; }
  [ -f "$tree/build.ninja" ] || cmake -S "$root" --preset "$name"
  cmake --build "$tree" -j "${JOBS:-2}" --target "$@"
}
