#!/usr/bin/env bash
# The layering check passes on this tree, and catches what it exists for in a planted one.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
check=$here/layering_check.sh
status=0

bash "$check" "$here/../.." || { echo "FAIL: the tree breaks its own layers"; status=1; }

planted=$(mktemp -d)
trap 'rm -rf "$planted"' EXIT
plant() { mkdir -p "$planted/$(dirname "$1")"; printf '%s\n' "$2" >"$planted/$1"; }
# allowed: down the layers, and the test machinery using the stand-in
plant browser/ok.cpp '#include "engine/cef_string.h"'
plant app/ok.cpp '#include "browser/chromium.h"'
plant tests/engine/ok.cpp '#include "enginesim/core/ledger.h"'
plant bench/ok.cpp '#include <enginesim/control.h>'
# the stand-in's parts: down the parts, the control headers from any part, the library joining all
plant enginesim/web/ok.cpp '#include "enginesim/window/page_view.h"'
plant enginesim/page/ok.h '#include "enginesim/core/ledger.h"'
plant enginesim/core/ok.cpp '#include "enginesim/control_web.h"'
plant enginesim/library.cpp '#include "enginesim/net/fetches.h"'
# against the layers
plant core/up.h '  #  include "os/file.h"'
plant engine/sideways.cpp '#include "framework/streams.h"'
plant framework/up.cpp '#include <browser/chromium.h>'
plant app/stand_in.cpp '#include "enginesim/core/ledger.h"'
plant scripts/tool.cpp '#include "enginesim/control.h"'
plant enginesim/web/up.cpp '#include "enginesim/net/fetches.h"'
plant enginesim/window/up.h '#include <enginesim/web/browser.h>'
plant enginesim/firing/sideways.cpp '#include "enginesim/page/page.h"'

out=$(bash "$check" "$planted")
planted_status=$?
echo "$out"
[ "$planted_status" -ne 0 ] || { echo "FAIL: the planted tree passed"; status=1; }
for expected in 'core/up.h:1 includes os/file.h' 'engine/sideways.cpp:1 includes framework/streams.h' \
                'framework/up.cpp:1 includes browser/chromium.h' 'app/stand_in.cpp:1 includes enginesim/' \
                'scripts/tool.cpp:1 includes enginesim/' 'enginesim/web/up.cpp:1 includes enginesim/net/fetches.h' \
                'enginesim/window/up.h:1 includes enginesim/web/browser.h' \
                'enginesim/firing/sideways.cpp:1 includes enginesim/page/page.h' '8 include(s) against the layers'; do
  grep -qF "$expected" <<<"$out" || { echo "FAIL: not reported: $expected"; status=1; }
done
exit "$status"
