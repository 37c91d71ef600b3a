#include "enginesim/core/sim_object.h"

#include <cstdio>

namespace larkwell::enginesim {

SimObject::SimObject(const char* kind, std::size_t structure_size, int32_t initial_count)
    : kind_(kind),
      count_(initial_count),
      block_(new std::byte[structure_size]()),
      header_(reinterpret_cast<TCefBase*>(block_.get())) {
  header_->size = structure_size;
  header_->add_ref = &add_ref_entry;
  header_->release = &release_entry;
  header_->get_refct = &get_refct_entry;
  ledger().register_object(*this);
}

SimObject::~SimObject() {
  // Still owning the block means no release destroyed us: a subclass constructor failed, and
  // nobody has seen the structure. Forget it rather than quarantine it.
  if (block_) ledger().forget_object(*this);
}

int32_t SimObject::add_ref() noexcept { return ++count_; }

bool SimObject::add_ref_unless_gone() noexcept {
  int32_t count = count_.load();
  while (count > 0) {
    if (count_.compare_exchange_weak(count, count + 1)) return true;
  }
  return false;
}

int32_t SimObject::release() noexcept {
  const int32_t count = --count_;
  if (count < 0) {
    ++count_;
    char text[160];
    std::snprintf(text, sizeof text, "release below zero on %s %p", kind_, static_cast<void*>(header_));
    ledger().record_error(text);
    return 0;
  }
  if (count == 0) {
    ledger().retire_object(*this);
    delete this;
  }
  return count;
}

int32_t CEF_CALLBACK SimObject::add_ref_entry(TCefBase* self) noexcept {
  SimObject* object = ledger().find_object(self, "add_ref");
  return object != nullptr ? object->add_ref() : 0;
}

int32_t CEF_CALLBACK SimObject::release_entry(TCefBase* self) noexcept {
  SimObject* object = ledger().find_object(self, "release");
  return object != nullptr ? object->release() : 0;
}

int32_t CEF_CALLBACK SimObject::get_refct_entry(TCefBase* self) noexcept {
  SimObject* object = ledger().find_object(self, "get_refct");
  return object != nullptr ? object->count() : 0;
}

}  // namespace larkwell::enginesim
