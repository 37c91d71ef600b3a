#!/usr/bin/env bash
# layering_check.sh <source-root>
# Fails when a product file includes a header of a layer above its own, when anything but
# the test machinery includes from the stand-in engine, or when a part of the stand-in includes
# from a part above it. The layers, from the bottom:
#   core, os  →  engine, framework  →  browser  →  app
# and the stand-in's parts (enginesim/CMakeLists.txt says what each is for):
#   core  →  firing, page  →  window  →  web  →  script  →  process  →  net  →  the library
# Includes name their layer first ("engine/cef_string.h"), and the stand-in's their part second
# ("enginesim/web/browser.h"); that is what this reads. The stand-in's control headers
# ("enginesim/control.h") are its contract, open to every part.
set -euo pipefail

root=${1:?usage: layering_check.sh <source-root>}
cd "$root"

# What each product layer may include (itself and the layers below it).
declare -A may_include=(
  [core]="core"
  [os]="os core"
  [engine]="engine os core"
  [framework]="framework os core"
  [browser]="browser engine framework os core"
  [app]="app browser engine framework os core"
)
# What each part of the stand-in may include. The files directly in enginesim/ are the library,
# which joins every part.
declare -A part_may_include=(
  [core]="core"
  [firing]="firing core"
  [page]="page core"
  [window]="window page core"
  [web]="web window firing page core"
  [script]="script web window firing page core"
  [process]="process script web window firing page core"
  [net]="net process script web window firing page core"
  [include]=""
  [incomplete]="core"
)
# Only the test machinery may use the stand-in engine: the tests, the demo, the benchmarks
# (which measure against it) and the stand-in itself.
stand_in_users="tests demo bench enginesim"

# The C and C++ sources and headers: git's list in a checkout, every such file elsewhere.
list_sources() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -co --exclude-standard -- '*.h' '*.hpp' '*.cpp' '*.c' '*.rc'
  else
    find . -name build -prune -o \( -name '*.[ch]' -o -name '*.[ch]pp' -o -name '*.rc' \) -print |
      sed 's|^\./||'
  fi
}

violations=0
report() { echo "layering: $1"; violations=$((violations + 1)); }

# The part of the stand-in a path below enginesim/ names; empty for the library's own files and
# for the control headers.
part_of() {
  local rest=${1#enginesim/}
  if [[ "$rest" == */* ]]; then echo "${rest%%/*}"; fi
}

while IFS=: read -r file line target; do
  top=${file%%/*}
  layer=${target%%/*}
  if [ "$layer" = enginesim ]; then
    [[ " $stand_in_users " == *" $top "* ]] ||
      report "$file:$line includes $target: only the tests, the demo and the benchmarks use the stand-in engine"
    if [ "$top" = enginesim ]; then
      from=$(part_of "$file")
      to=$(part_of "$target")
      if [ -n "$from" ] && [ -n "$to" ] && [[ " ${part_may_include[$from]-} " != *" $to "* ]]; then
        allowed=${part_may_include[$from]-}; allowed=${allowed// /, }
        report "$file:$line includes $target: the stand-in's $from part may include only ${allowed:-the control headers}"
      fi
    fi
  elif [ -n "${may_include[$top]+set}" ] && [ -n "${may_include[$layer]+set}" ] &&
       [[ " ${may_include[$top]} " != *" $layer "* ]]; then
    report "$file:$line includes $target: $top may include only ${may_include[$top]// /, }"
  fi
done < <(list_sources | xargs -r grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"][a-z_]+/' /dev/null |
         sed -E 's/^([^:]+):([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^">]+)[">].*/\1:\2:\3/')

if [ "$violations" -gt 0 ]; then
  echo "layering: $violations include(s) against the layers"
  exit 1
fi
echo "layering: every include points down"
