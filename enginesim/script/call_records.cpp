#include "enginesim/script/call_records.h"

#include <mutex>

namespace larkwell::enginesim {
namespace {

struct Records {
  std::mutex mutex;
  TSimV8Call v8_calls[2]{};
  TSimV8AccessorCall accessor_call{};
};

Records& records() {
  static Records* const instance = new Records;  // never destroyed: engine calls at exit
  return *instance;
}

bool known_kind(int32_t which) {
  return which == SIM_V8_FUNCTION_CALL || which == SIM_V8_HANDLER_CALL;
}

// Numbers `call` after `last` and makes it the last.
template <class Call>
void store(Call& last, Call call) {
  call.serial = last.serial + 1;
  last = call;
}

template <class Call>
bool load(const Call& last, Call& out) {
  if (last.serial == 0) return false;
  out = last;
  return true;
}

}  // namespace

void note_v8_call(int32_t which, TSimV8Call call) {
  if (!known_kind(which)) return;
  std::lock_guard lock(records().mutex);
  store(records().v8_calls[which], call);
}

bool last_v8_call(int32_t which, TSimV8Call& out) {
  if (!known_kind(which)) return false;
  std::lock_guard lock(records().mutex);
  return load(records().v8_calls[which], out);
}

void note_accessor_call(TSimV8AccessorCall call) {
  std::lock_guard lock(records().mutex);
  store(records().accessor_call, call);
}

bool last_accessor_call(TSimV8AccessorCall& out) {
  std::lock_guard lock(records().mutex);
  return load(records().accessor_call, out);
}

}  // namespace larkwell::enginesim
