// Reading and freeing a firing record (sim_firing_*). A null record reads as refused.
#include <algorithm>

#include "enginesim/control_firing.h"
#include "enginesim/core/shield.h"
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
  const std::u16string& text = argument->text_after();
  if (buffer != nullptr && size > 0) {
    const std::size_t written = std::min(text.size(), static_cast<std::size_t>(size - 1));
    text.copy(buffer, written);
    buffer[written] = u'\0';
  }
  return static_cast<int>(text.size());
}

void CEF_EXPORT_CALL sim_firing_free(TSimFiring* firing) {
  larkwell::enginesim::shielded<void>(__func__, [firing] { delete firing; });
}
