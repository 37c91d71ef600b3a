#!/usr/bin/env bash
# with_demo_server.sh <demo web application> <program.exe> [arguments...]
# Runs a Windows test program under Wine (in the tree's Wine session) while the demo web
# application serves on a free port of 127.0.0.1, which the program finds in
# ENGINESIM_TEST_SERVER ("http://127.0.0.1:<port>"). Exits with the program's exit code; the
# application is stopped either way.
set -uo pipefail
demo=$1
shift
log=$(mktemp)
python3 "$demo" --port 0 2>"$log" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$log"' EXIT
address=""
for ((i = 0; i < 100; i++)); do
  address=$(sed -n 's|^larkwell-demo: serving \(http://[^/]*\)/$|\1|p' "$log")
  [ -n "$address" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$address" ]; then
  echo "the demo web application did not start:" >&2
  cat "$log" >&2
  exit 1
fi
ENGINESIM_TEST_SERVER=$address wine "$@" </dev/null
