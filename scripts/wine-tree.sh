#!/usr/bin/env bash
# wine-tree.sh: prints the Windows build tree whose programs Wine runs on this machine.
#   win    the product (32-bit x86), wherever the kernel runs 32-bit programs;
#   win64  the same code built for 64-bit x86, where the kernel refuses 32-bit programs and
#          64-bit Wine starts: make test and make demo then use it, and this says why on stderr;
#   win    also where neither runs (its tests then say why they are skipped).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-session.sh"

refused32=$(LARKWELL_WINE_ARCH=win32 wine_session_unavailable)
if [ -z "$refused32" ]; then
  echo win
elif [ -z "$(LARKWELL_WINE_ARCH=win64 wine_session_unavailable)" ]; then
  echo "wine-tree: $refused32. The Windows tests and the demo use the 64-bit build of the same code" \
       "(build/win64) instead" >&2
  echo win64
else
  echo win
fi
