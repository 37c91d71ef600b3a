#include "enginesim/core/engine_refs.h"

#include "enginesim/core/ledger.h"

namespace larkwell::enginesim {
namespace {

// The ledger counts the engine's holds on program structures only; an engine object counts
// its references itself.
bool is_counted_program_structure(const TCefBase* structure) {
  return structure->add_ref != nullptr && structure->release != nullptr && !ledger().is_engine_structure(structure);
}

}  // namespace

int32_t engine_add_ref(TCefBase* structure) {
  if (structure == nullptr || structure->add_ref == nullptr) return 0;
  if (is_counted_program_structure(structure)) ledger().note_program_hold(structure);
  return structure->add_ref(structure);
}

int32_t engine_adopt_ref(TCefBase* structure) {
  if (structure == nullptr) return 0;
  if (is_counted_program_structure(structure)) ledger().note_program_hold(structure);
  return refct_of(structure);
}

int32_t engine_release(TCefBase* structure) {
  if (structure == nullptr || structure->release == nullptr) return 0;
  if (is_counted_program_structure(structure) && !ledger().note_program_release(structure)) {
    return 0;
  }
  return structure->release(structure);
}

int32_t refct_of(TCefBase* structure) {
  return structure != nullptr && structure->get_refct != nullptr ? structure->get_refct(structure) : 0;
}

}  // namespace larkwell::enginesim
