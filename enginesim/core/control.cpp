// The sim_* test-control exports.
#include "enginesim/control.h"

#include <thread>
#include <vector>

#include "enginesim/core/engine_refs.h"
#include "enginesim/core/ledger.h"
#include "enginesim/core/shield.h"
#include "enginesim/core/sim_object.h"
#include "enginesim/core/unicode.h"

namespace larkwell::enginesim {
namespace {

class Probe final : public SimObjectOf<TSimProbe> {
 public:
  explicit Probe(int32_t initial_count) : SimObjectOf("probe", initial_count) {
    structure()->ping = entry<&Probe::ping>;
  }

 private:
  int32_t ping() { return 1; }
};

// Runs `work` on `threads` new threads and joins them all, also when starting one fails.
template <class Work>
void run_on_threads(int threads, const Work& work) {
  std::vector<std::jthread> running;
  running.reserve(static_cast<std::size_t>(threads));
  for (int i = 0; i < threads; ++i) running.emplace_back(work);
}

}  // namespace
}  // namespace larkwell::enginesim

using namespace larkwell::enginesim;

TCefBase* CEF_EXPORT_CALL sim_create_object(int32_t initial_count) {
  return shielded<TCefBase*>(__func__, [&]() -> TCefBase* {
    if (initial_count < 0) return nullptr;
    return make_object<Probe>(initial_count)->header();
  });
}

int32_t CEF_EXPORT_CALL sim_add_ref(TCefBase* structure) {
  return shielded<int32_t>(__func__, [&] { return engine_add_ref(structure); });
}

int32_t CEF_EXPORT_CALL sim_adopt_ref(TCefBase* structure) {
  return shielded<int32_t>(__func__, [&] { return engine_adopt_ref(structure); });
}

int32_t CEF_EXPORT_CALL sim_release(TCefBase* structure) {
  return shielded<int32_t>(__func__, [&] { return engine_release(structure); });
}

int32_t CEF_EXPORT_CALL sim_get_refct(TCefBase* structure) {
  return shielded<int32_t>(__func__, [&] { return refct_of(structure); });
}

void CEF_EXPORT_CALL sim_churn_refs(TCefBase* const* structures, int count, int threads, int iterations_per_thread) {
  shielded<void>(__func__, [&] {
    if (structures == nullptr) return;
    run_on_threads(threads, [&] {
      for (int round = 0; round < iterations_per_thread; ++round) {
        for (int i = 0; i < count; ++i) {
          engine_add_ref(structures[i]);
          engine_release(structures[i]);
        }
      }
    });
  });
}

int32_t CEF_EXPORT_CALL sim_release_on_thread(TCefBase* structure) {
  return shielded<int32_t>(__func__, [&] {
    int32_t result = 0;
    run_on_threads(1, [&] { result = engine_release(structure); });
    return result;
  });
}

int CEF_EXPORT_CALL sim_ledger_live_objects(void) {
  return shielded<int>(__func__, [] { return ledger().live_objects(); });
}

int CEF_EXPORT_CALL sim_ledger_held_program_refs(void) {
  return shielded<int>(__func__, [] { return ledger().held_program_refs(); });
}

int CEF_EXPORT_CALL sim_ledger_errors(void) {
  return shielded<int>(__func__, [] { return ledger().error_count(); });
}

int CEF_EXPORT_CALL sim_string_live_allocations(void) {
  return shielded<int>(__func__, [] { return ledger().live_allocations(); });
}

int CEF_EXPORT_CALL sim_ledger_clean(void) {
  return shielded<int>(__func__, [] {
    Ledger& book = ledger();
    return book.live_objects() == 0 && book.held_program_refs() == 0 && book.error_count() == 0 &&
           book.live_allocations() == 0;
  });
}

int CEF_EXPORT_CALL sim_ledger_report(char* buffer, int size) {
  return shielded<int>(__func__, [&] { return copy_out(ledger().report(), buffer, size); });
}

void CEF_EXPORT_CALL sim_ledger_reset(void) {
  shielded<void>(__func__, [] { ledger().reset(); });
}
