// A browser control stand-in for tests: it implements IChromiumEvents, writes down every call
// with its arguments, and answers as the test says.
#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "browser/chromium_events.h"
#include "tests/browser/chromium_event_table.h"

namespace larkwell::testing {

#define LARKWELL_TEST_UNPACK(...) __VA_ARGS__

class TRecordingEvents final : public IChromiumEvents {
 public:
  // Each call as "Name(argument, ...)": engine objects and records by the names in `names`
  // (nil for none), texts quoted, Booleans True/False, numbers in decimal.
  std::vector<std::string> calls;
  std::map<const void*, std::string> names;
  // The answer of every Boolean method that has no reaction of its own.
  bool answer = false;
  // Every method throws after writing its call down.
  bool fail = false;

  // Like the control, the events are not reference-counted.
  bool QueryInterface(const TGUID& iid, void** out) noexcept override {
    *out = iid == IChromiumEvents::IID ? static_cast<IChromiumEvents*>(this) : nullptr;
    return *out != nullptr;
  }
  int32_t AddRef() noexcept override { return 1; }
  int32_t Release() noexcept override { return 1; }

  std::function<void(TCefBrowserSettings& settings)> OnFillBrowserSettings;
  void FillBrowserSettings(TCefBrowserSettings& settings) override {
    Respond<void>("FillBrowserSettings", OnFillBrowserSettings, settings);
  }

  // A reaction per method, On<Name>, run after the call is written down; it answers in place of
  // `answer` and may change the in/out arguments.
#define LARKWELL_RECORD_EVENT(Name, EventType, Result, Parameters, Arguments) \
  std::function<Result Parameters> On##Name;                                  \
  Result Fire##Name Parameters override { return Respond<Result>(#Name, On##Name, LARKWELL_TEST_UNPACK Arguments); }
#define LARKWELL_RECORD_RENDER(Name, Result, Parameters, Arguments) \
  LARKWELL_RECORD_EVENT(Name, -, Result, Parameters, Arguments)
  LARKWELL_CHROMIUM_EVENTS(LARKWELL_RECORD_EVENT, LARKWELL_RECORD_EVENT, LARKWELL_RECORD_RENDER)
#undef LARKWELL_RECORD_EVENT
#undef LARKWELL_RECORD_RENDER

  // Forgets every reaction (and what they hold).
  void ClearReactions() {
    OnFillBrowserSettings = nullptr;
#define LARKWELL_CLEAR_REACTION(Name, ...) On##Name = nullptr;
    LARKWELL_CHROMIUM_EVENTS(LARKWELL_CLEAR_REACTION, LARKWELL_CLEAR_REACTION, LARKWELL_CLEAR_REACTION)
#undef LARKWELL_CLEAR_REACTION
  }

  // The calls so far, separated by spaces; forgets them.
  std::string TakeCalls() {
    std::string all;
    for (const std::string& call : calls) all += (all.empty() ? "" : " ") + call;
    calls.clear();
    return all;
  }

 private:
  template <class Result, class Reaction, class... A>
  Result Respond(const char* name, const Reaction& reaction, A&... args) {
    std::string call = std::string(name) + "(";
    const char* separator = "";
    ((call += separator + Describe(args), separator = ", "), ...);
    calls.push_back(call + ")");
    if (fail) throw std::runtime_error(std::string(name) + " failed");
    if (reaction) return reaction(args...);
    if constexpr (!std::is_void_v<Result>) return answer;
  }

  std::string Named(const void* p) const {
    if (!p) return "nil";
    auto it = names.find(p);
    return it == names.end() ? "unnamed" : it->second;
  }
  template <class I>
  std::string Describe(const IPtr<I>& object) const {
    if (!object) return "nil";
    TCefBase* structure = object->Wrap();  // the structure the engine passed, with one more reference
    structure->release(structure);
    return Named(structure);
  }
  std::string Describe(const ustring& text) const { return "'" + UstringToUtf8(text) + "'"; }
  std::string Describe(bool value) const { return value ? "True" : "False"; }
  template <class T>
  requires std::is_arithmetic_v<T> std::string Describe(T value)
  const { return std::to_string(value); }
  template <class T>
  std::string Describe(T* pointer) const {
    return Named(pointer);
  }
  template <class T>
  requires std::is_class_v<T> std::string Describe(const T& record)
  const { return Named(&record); }
};

}  // namespace larkwell::testing
