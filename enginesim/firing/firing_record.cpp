#include "enginesim/firing/firing_record.h"

#include <mutex>
#include <unordered_map>
#include <utility>

#include "enginesim/core/engine_refs.h"
#include "enginesim/core/held.h"
#include "enginesim/core/ledger.h"
#include "enginesim/core/shield.h"
#include "enginesim/core/string_records.h"

namespace larkwell::enginesim::firing {
namespace {

// Sentinel texts are the record's own memory; their dtor only notes that the program released
// them, so a program that replaces the record without releasing its text leaks nothing here
// while the report still tells the two apart.
class Sentinels {
 public:
  void add(const char16_t* text, Argument* owner) {
    std::lock_guard lock(mutex_);
    owners_[text] = owner;
  }
  void remove(const char16_t* text) {
    std::lock_guard lock(mutex_);
    owners_.erase(text);
  }
  void release(const char16_t* text) {
    std::lock_guard lock(mutex_);
    auto found = owners_.find(text);
    if (found == owners_.end() || found->second == nullptr) {
      ledger().record_error("a sentinel string text was released twice, or after its firing");
      return;
    }
    found->second->note_sentinel_released();
    found->second = nullptr;
  }

 private:
  std::mutex mutex_;
  std::unordered_map<const char16_t*, Argument*> owners_;
};

Sentinels& sentinels() {
  static Sentinels* const instance = new Sentinels;  // never destroyed, like the ledger
  return *instance;
}

void CEF_EXPORT_CALL release_sentinel(char16_t* text) noexcept {
  shielded<void>("sentinel string dtor", [text] { sentinels().release(text); });
}

bool same_record(const TCefString& a, const TCefString& b) {
  return a.str == b.str && a.length == b.length && a.dtor == b.dtor;
}

}  // namespace

// --- Argument

Argument::Argument(const TSimArg& given) : given_(given) {
  if (given_.kind == SIM_ARG_INT_OUT) int_value_ = static_cast<int>(given_.number);
  if (given_.kind != SIM_ARG_TEXT && given_.kind != SIM_ARG_STRING) return;
  if (given_.text == nullptr) return;  // TEXT: a null record pointer; STRING: an empty record
  text_.assign(given_.text, given_.length > 0 ? static_cast<std::size_t>(given_.length) : 0);
  record_.str = text_.data();
  record_.length = text_.size();
  if (given_.kind == SIM_ARG_STRING) {
    record_.dtor = &release_sentinel;
    sentinels().add(text_.data(), this);
  }
  before_ = record_;
}

Argument::~Argument() {
  if (given_.kind == SIM_ARG_STRING) {
    // What the program wrote is an engine string: the engine frees it.
    if (record_.dtor != &release_sentinel) clear_record(&record_);
    if (given_.text != nullptr) sentinels().remove(text_.data());
  }
  if (held_ != nullptr) engine_release(held_);
}

TCefBase* Argument::object_for_call() {
  pass_ref(given_.object);
  return given_.object;
}

const TCefString* Argument::text_record() const noexcept { return given_.text != nullptr ? &record_ : nullptr; }

TCefBase** Argument::object_out() {
  object_slot_ = given_.object;
  pass_ref(object_slot_);
  return &object_slot_;
}

void Argument::collect() {
  switch (given_.kind) {
    case SIM_ARG_STRING:
      report_.untouched = same_record(record_, before_) ? 1 : 0;
      report_.owned = record_.dtor != nullptr ? 1 : 0;
      text_after_ = text_of(&record_);
      report_.text_length = static_cast<int32_t>(text_after_.size());
      break;
    case SIM_ARG_INT_OUT:
      report_.untouched = int_value_ == given_.number ? 1 : 0;
      report_.number = int_value_;
      break;
    case SIM_ARG_OBJECT_OUT:
      report_.untouched = object_slot_ == given_.object ? 1 : 0;
      report_.object = object_slot_;
      report_.refct = refct_of(object_slot_);
      // Whatever the pointer holds now carries one reference for the engine.
      if (object_slot_ != nullptr) {
        engine_adopt_ref(object_slot_);
        held_ = object_slot_;
      }
      break;
    case SIM_ARG_OBJECT:
      report_.object = given_.object;
      report_.refct = refct_of(given_.object);
      break;
    default:
      break;
  }
}

// --- Record

Record::Record(const TSimArg* args, int count) {
  for (int i = 0; args != nullptr && i < count; ++i) arguments_.emplace_back(args[i]);
}

Record::~Record() {
  if (held_answer_ != nullptr) engine_release(held_answer_);
}

const Argument* Record::find(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= arguments_.size()) return nullptr;
  return &arguments_[static_cast<std::size_t>(index)];
}

void Record::answer_object(TCefBase* object) {
  answer_.object = object;
  answer_.refct = refct_of(object);
  if (object != nullptr) {
    engine_adopt_ref(object);
    held_answer_ = object;
  }
}

TCefBase* Record::take_answer_object() noexcept { return std::exchange(held_answer_, nullptr); }

}  // namespace larkwell::enginesim::firing
