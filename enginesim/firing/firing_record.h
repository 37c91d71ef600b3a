// The record of one firing: each argument as the engine prepared it, and afterwards what the
// program answered and left in it.
//
// The record owns whatever the engine must let go of after the call: the references that came
// back with objects the program wrote or answered, and the engine strings it wrote. Freeing the
// record releases and frees them, so a test reads everything first and frees the record last.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "engine/cef_api.h"
#include "enginesim/control_firing.h"

namespace larkwell::enginesim::firing {

// One argument. Its storage (string record, int, object pointer) lives in the argument and
// does not move, so the pointers the program receives stay valid for the whole call.
class Argument {
 public:
  explicit Argument(const TSimArg& given);
  ~Argument();
  Argument(const Argument&) = delete;
  Argument& operator=(const Argument&) = delete;

  const TSimArg& given() const noexcept { return given_; }

  // The C values handed to the program, one per kind.
  // OBJECT: the object with one added reference, which the program takes over.
  TCefBase* object_for_call();
  // TEXT: the borrowed record, or null for a null text.
  const TCefString* text_record() const noexcept;
  // STRING: the engine's record, holding the sentinel (or empty).
  TCefString* string_record() noexcept { return &record_; }
  int* int_out() noexcept { return &int_value_; }
  // OBJECT_OUT: the engine's pointer, holding the pre-filled object with one added reference.
  TCefBase** object_out();

  // After the call: notes what the program left and takes over the reference that comes with
  // an object pointer it left there.
  void collect();
  const TSimFired& report() const noexcept { return report_; }
  const std::u16string& text_after() const noexcept { return text_after_; }

  // The dtor of every sentinel text: the program released the pre-filled text.
  void note_sentinel_released() noexcept { report_.sentinel_released = 1; }

 private:
  TSimArg given_;
  std::u16string text_;   // TEXT: the text; STRING: the sentinel's code units
  TCefString record_{};   // TEXT: the borrowed view; STRING: the engine's record
  TCefString before_{};   // STRING: the record as the program received it
  int int_value_ = 0;
  TCefBase* object_slot_ = nullptr;
  TCefBase* held_ = nullptr;  // the engine's reference, released with the record
  TSimFired report_{};
  std::u16string text_after_;
};

class Record {
 public:
  Record(const TSimArg* args, int count);
  ~Record();
  Record(const Record&) = delete;
  Record& operator=(const Record&) = delete;

  int status() const noexcept { return status_; }
  void set_status(int status) noexcept { status_ = status; }

  std::size_t count() const noexcept { return arguments_.size(); }
  Argument& arg(std::size_t index) { return arguments_[index]; }
  const Argument* find(int index) const;

  // The member's answer: a number, or an object whose reference the record takes over.
  void answer_number(int64_t number) noexcept { answer_.number = number; }
  void answer_object(TCefBase* object);
  const TSimFired& answer() const noexcept { return answer_; }
  // Hands the answered object's reference over to the caller; the record no longer holds it.
  TCefBase* take_answer_object() noexcept;

 private:
  int status_ = SIM_FIRE_REFUSED;
  std::deque<Argument> arguments_;  // a deque never moves what it holds
  TSimFired answer_{};
  TCefBase* held_answer_ = nullptr;
};

}  // namespace larkwell::enginesim::firing

// The opaque record of the C interface.
struct TSimFiring : larkwell::enginesim::firing::Record {
  using Record::Record;
};
