#!/usr/bin/env bash
# Downloads while engine threads add and release references on the download handler and the
# browser all the time (ENGINESIM_DOWNLOAD_REF_THREADS): each file is the server's, the engine
# records no error, and its ledger is clean at shutdown.
set -uo pipefail
. "$(dirname "$(realpath "$0")")/e2e-lib.sh"
e2e_begin "$@"
dir=$E2E_DOWNLOADS
export ENGINESIM_DOWNLOAD_REF_THREADS=3
export ENGINESIM_LEDGER_FILE=ledger.txt
ledger=$E2E_STAGE/ledger.txt
e2e_serve
e2e_start_larkwell

n=0
for link in "$E2E_LINK_SLOW:slow.xls:262144" "$E2E_LINK_REPORT:report.xls:300000"; do
  IFS=: read -r number name size <<<"$link"
  n=$((n + 1))
  e2e_download_to "$number" "$(e2e_winpath "$dir/$name")"
  e2e_expect_notice "文件下载完成！" 30
  e2e_dismiss 提示
  ended() { [ -f "$ledger" ] && head -n1 "$ledger" | grep -q "^after download $n:"; }
  e2e_wait_for 10 ended || fail "the engine did not end download $n"
  account=$(head -n1 "$ledger")
  echo "$name: $account"
  [[ "$account" == *", errors 0" ]] || fail "the engine recorded errors: $(grep '^error: ' "$ledger" | head -n3)"
  e2e_same_as_served "$dir/$name" "$size" || fail "$name differs from the server's $size bytes"
done

e2e_tool close Larkwell || fail "could not close the main window"
e2e_wait_exit 10
[ "$E2E_STATUS" = 0 ] || fail "exit code $E2E_STATUS"
report=$(grep '^enginesim at exit:' "$E2E_STDERR") || fail "no report of the engine at exit"
[[ "$report" == *"ledger clean at shutdown"* ]] || fail "$report"
churn=$(grep '^enginesim ref threads:' "$E2E_STDERR") || fail "the engine ran no reference threads"
pairs=$(awk '{ print $4 }' <<<"$churn")
((pairs >= 10000)) || fail "too few references taken and dropped to prove anything: $churn"
echo "$churn; $report"
echo "PASS: downloads with engine threads taking and dropping references: files identical, ledger clean"
