#!/usr/bin/env bash
# Every callback entry reaches its owner by conversions the compiler checks, so what would need a
# run-time cast does not compile; nor does a write-back condition on an answer the method does not
# give. A download handler's slot table is compiled as it should be
# written and with one fault planted at a time; each fault must be refused by the entry's own
# header (engine/cef_callback.h), not by some other mistake in the planted source.
#
# usage: callback_owner_check_test.sh <c++ compiler> <source root>
set -uo pipefail
[ $# -eq 2 ] || { echo "usage: $0 <c++ compiler> <source root>" >&2; exit 2; }
cxx=$1
root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

# case <name> <bases of the owner> <table lines> <expected: "accepted" or a text the refusal holds>
case_() {
  local name=$1 bases=$2 lines=$3 expected=$4 source=$work/$1.cpp
  cat >"$source" <<EOF
#include "engine/cef_callback.h"
#include "engine/handlers_own.h"
namespace larkwell {
void CompleteBody(ICefDownloadHandler& handler) { handler.Complete(); }
void LoadHandlerBody(TCefLoadHandlerOwn&) {}
class TCase : public $bases {
 public:
  TCase() : TCefBaseOwn(sizeof(TCefDownloadHandler)) {
    auto slots = CefSlots<TCefDownloadHandler>(this);
    $lines
  }
  int ReceivedData(void*, int) override { return 1; }
  void Complete() override {}
};
}  // namespace larkwell
EOF
  check_ "$name" "$expected"
}

# check_ <name> <expected>: compiles $work/<name>.cpp and judges the outcome.
check_() {
  local name=$1 expected=$2 source=$work/$1.cpp
  local out
  out=$("$cxx" -std=c++20 -fsyntax-only -I"$root" -I"$root/enginesim/include" "$source" 2>&1)
  local compiled=$?
  if [ "$expected" = accepted ]; then
    [ "$compiled" -eq 0 ] || { echo "FAIL: $name: refused"; echo "$out"; status=1; }
    return
  fi
  if [ "$compiled" -eq 0 ]; then
    echo "FAIL: $name: compiled"
    status=1
  elif ! grep -q "engine/cef_callback.h:[0-9]*:[0-9]*: error" <<<"$out"; then
    echo "FAIL: $name: not refused by the entry"; echo "$out"; status=1
  elif ! grep -qF -- "$expected" <<<"$out"; then
    echo "FAIL: $name: the refusal does not say: $expected"; echo "$out"; status=1
  else
    echo "ok: $name"
  fi
}

download='TCefBaseOwn, public ICefDownloadHandler'
case_ as_written "$download" \
  'slots.Set<&TCefDownloadHandler::received_data, &ICefDownloadHandler::ReceivedData>();
   slots.SetBody<&TCefDownloadHandler::complete, &CompleteBody>();' accepted
[ "$status" -eq 0 ] && echo "ok: as_written"
case_ method_of_another_class "$download" \
  'slots.Set<&TCefDownloadHandler::complete, &ICefApp::GetProxyHandler>();' \
  "the method belongs to a class the structure's owner does not derive from"
case_ body_for_another_owner "$download" \
  'slots.SetBody<&TCefDownloadHandler::complete, &LoadHandlerBody>();' 'error'
case_ slot_of_another_structure "$download" \
  'slots.Set<&TCefReadHandler::eof, &ICefDownloadHandler::Complete>();' 'error'
case_ virtual_bridge_base 'virtual TCefBaseOwn, public ICefDownloadHandler' \
  'slots.Set<&TCefDownloadHandler::complete, &ICefDownloadHandler::Complete>();' 'virtual'
# A write-back condition on the answer of a method that answers nothing would always hold.
cat >"$work/condition_without_answer.cpp" <<EOF
#include "engine/cef_callback.h"
#include "engine/ceflib.h"
#include "engine/handlers_own.h"
namespace larkwell {
class TCase : public TCefMenuHandlerOwn {
 public:
  TCase() {
    auto slots = CefSlots<TCefMenuHandler>(this);
    slots.Set<&TCefMenuHandler::get_menu_label, &TCefMenuHandlerOwn::GetMenuLabel, ByType, ByType,
              TextInOut<kWhenTrue, kSet>>();
  }
};
}  // namespace larkwell
EOF
check_ condition_without_answer "a condition on the answer needs a Boolean method"
exit "$status"
