// Reading and freeing a firing record (sim_firing_*). A null record reads as refused.
#include "enginesim/control_firing.h"
#include "enginesim/core/shield.h"
#include "enginesim/core/unicode.h"
#include "enginesim/firing/firing_record.h"

int CEF_EXPORT_CALL sim_firing_status(const TSimFiring* firing) {
  return firing != nullptr ? firing->status() : SIM_FIRE_REFUSED;
}

int CEF_EXPORT_CALL sim_firing_report(const TSimFiring* firing, int index, TSimFired* out) {
  if (firing == nullptr || out == nullptr) return 0;
  if (index == SIM_FIRED_ANSWER) {
    *out = firing->answer();
    return 1;
  }
  const auto* argument = firing->find(index);
  if (argument == nullptr) return 0;
  *out = argument->report();
  return 1;
}

int CEF_EXPORT_CALL sim_firing_text(const TSimFiring* firing, int index, char16_t* buffer, int size) {
  const auto* argument = firing != nullptr ? firing->find(index) : nullptr;
  if (argument == nullptr) return 0;
  return larkwell::enginesim::copy_out(argument->text_after(), buffer, size);
}

void CEF_EXPORT_CALL sim_firing_free(TSimFiring* firing) {
  larkwell::enginesim::shielded<void>(__func__, [firing] { delete firing; });
}
