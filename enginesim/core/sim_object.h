// Engine objects: the stand-in's own reference-counted structures.
//
// Every engine object derives from SimObjectOf<Structure>. The base owns the C structure
// (allocated apart from the C++ object, so the ledger can keep it in quarantine after the
// object is gone), fills its header with the three counting functions and keeps the one atomic
// count. A subclass fills its own slots with entry<&Class::member>: the generic entry finds the
// object through the ledger, so a call on a destroyed object is recorded and answered
// neutrally instead of crashing.
//
//   class SimFrame final : public SimObjectOf<TCefFrame> {
//    public:
//     explicit SimFrame(std::u16string url) : SimObjectOf("frame"), url_(std::move(url)) {
//       structure()->get_url = entry<&SimFrame::get_url>;
//     }
//    private:
//     PCefStringUserFree get_url();
//     std::u16string url_;
//   };
//   TCefFrame* frame = make_object<SimFrame>(u"about:blank")->structure();  // one reference
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

#include "engine/cef_api.h"
#include "enginesim/core/ledger.h"
#include "enginesim/core/shield.h"

namespace larkwell::enginesim {

class SimObject {
 public:
  SimObject(const SimObject&) = delete;
  SimObject& operator=(const SimObject&) = delete;

  TCefBase* header() const noexcept { return header_; }
  const char* kind() const noexcept { return kind_; }
  int32_t count() const noexcept { return count_.load(); }

  // The engine's own references: add one / release one (destroying the object at 0). Both
  // return the new count; a release below zero is recorded and leaves the count at 0.
  int32_t add_ref() noexcept;
  int32_t release() noexcept;
  // Adds a reference only while the object still has one: false once its last release has
  // begun destroying it. For holders that know the object without holding it.
  bool add_ref_unless_gone() noexcept;

 protected:
  // Allocates the zeroed structure, fills its header and registers the object. The new object
  // holds `initial_count` references for whoever receives its structure.
  SimObject(const char* kind, std::size_t structure_size, int32_t initial_count);
  virtual ~SimObject();

 private:
  friend class Ledger;  // takes the structure block into quarantine

  static int32_t CEF_CALLBACK add_ref_entry(TCefBase* self) noexcept;
  static int32_t CEF_CALLBACK release_entry(TCefBase* self) noexcept;
  static int32_t CEF_CALLBACK get_refct_entry(TCefBase* self) noexcept;

  const char* kind_;
  std::atomic<int32_t> count_;
  std::unique_ptr<std::byte[]> block_;  // null once quarantined
  TCefBase* header_;
};

// The live object of class T behind `structure`; null (with a ledger error) when the object
// was destroyed, is of another class, or the structure is not the engine's.
template <class T>
T* object_of(const void* structure, const char* call) {
  SimObject* found = ledger().find_object(structure, call);
  if (found == nullptr) return nullptr;
  T* object = dynamic_cast<T*>(found);
  if (object == nullptr) {
    ledger().record_error(std::string(call) + " reached a " + found->kind() + " through a structure of another kind");
  }
  return object;
}

// The generic function stored in a structure slot for a member function of the object.
template <auto Member>
struct Entry;

template <class Object, class Result, class... Args, Result (Object::*Member)(Args...)>
struct Entry<Member> {
  static Result CEF_CALLBACK call(typename Object::Structure* self, Args... args) noexcept {
    return shielded<Result>("structure function", [&]() -> Result {
      Object* object = object_of<Object>(self, "structure function");
      if (object == nullptr) return neutral_answer<Result>();
      return (object->*Member)(args...);
    });
  }
};

template <class Struct>
class SimObjectOf : public SimObject {
 public:
  using Structure = Struct;

  Struct* structure() const noexcept { return reinterpret_cast<Struct*>(header()); }

 protected:
  explicit SimObjectOf(const char* kind, int32_t initial_count = 1) : SimObject(kind, sizeof(Struct), initial_count) {}

  // The value to store in a slot of the structure for `Member`.
  template <auto Member>
  static constexpr auto entry = &Entry<Member>::call;
};

// Creates an engine object; the result carries its initial references (one unless the class
// says otherwise), which go to whoever receives the structure.
template <class T, class... Args>
T* make_object(Args&&... args) {
  return new T(std::forward<Args>(args)...);
}

}  // namespace larkwell::enginesim
