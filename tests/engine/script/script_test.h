// Shared by the tests of the script and document wrappers: the fixture, a program-side function
// handler, a small page, and helpers that read what the stand-in engine saw.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/cef_callback.h"
#include "engine/ceflib.h"
#include "enginesim/control_script.h"
#include "tests/support/engine_test.h"

namespace larkwell::script_test {

using IValue = IPtr<ICefv8Value>;

class ScriptTest : public testing::EngineTest {};

// The structure behind a wrapper without a reference of its own: the wrapper keeps it alive.
template <class Struct, class I>
Struct* Borrowed(const IPtr<I>& object) {
  TCefBase* data = CefWrap(object);
  if (data != nullptr) data->release(data);
  return reinterpret_cast<Struct*>(data);
}

// The last call of kind `which` the stand-in saw; fails the test when there was none.
inline TSimV8Call LastV8Call(int32_t which) {
  TSimV8Call call{};
  EXPECT_EQ(sim_v8_last_call(which, &call), 1) << "no call recorded";
  return call;
}

inline TSimV8AccessorCall LastAccessorCall() {
  TSimV8AccessorCall call{};
  EXPECT_EQ(sim_v8_last_accessor_call(&call), 1) << "no accessor call recorded";
  return call;
}

// A script function implemented by the program. It records what the engine passed and the
// engine's contexts during the call, and answers with `answer`, or fills the exception text
// with `throw_text`.
class TTestHandler : public TCefBaseOwn, public ICefv8Handler {
 public:
  TTestHandler() : TCefBaseOwn(sizeof(TCefV8Handler)) {
    CefSlots<TCefV8Handler>(this).SetBody<&TCefV8Handler::execute, &Run>();
  }

  bool Execute(const ustring& name, const IValue& obj, const TCefv8ValueArray& arguments, IValue& retval,
               ustring& exception) override {
    ++calls;
    seen_name = name;
    seen_object = obj;
    seen_arguments = arguments;
    current = TCefv8ContextRef::Current();
    entered = TCefv8ContextRef::Entered();
    retval = answer;
    exception = throw_text;
    return true;
  }

  int calls = 0;
  ustring seen_name;
  IValue seen_object;
  TCefv8ValueArray seen_arguments;
  IPtr<ICefv8Context> current, entered;
  IValue answer;
  ustring throw_text;

 private:
  // The engine's arguments each carry a reference, which their wrappers take over.
  static int Run(TTestHandler& self, const TCefString* name, TCefV8Value* object, size_t count,
                 TCefV8Value* const* arguments, TCefV8Value** retval, TCefString* exception) {
    TCefv8ValueArray wrapped;
    for (size_t i = 0; i < count; ++i) wrapped.push_back(TCefv8ValueRef::UnWrap(arguments[i]));
    IValue result;
    ustring text;
    const bool handled =
        self.Execute(CefStringToNative(name), TCefv8ValueRef::UnWrap(object), wrapped, result, text);
    *retval = CefWrap<TCefV8Value>(result);
    if (!text.empty()) CefStringAssign(exception, text);
    return handled ? 1 : 0;
  }
};

// A page small enough to know by heart.
inline constexpr char kPage[] =
    "<html><head><title>T</title></head><body id=\"b\"><p id=\"x\" class=\"c\">hi <b>there</b></p>"
    "<input id=\"i\" type=\"text\" value=\"v\"></body></html>";
inline constexpr char kPageUrl[] = "http://host/dir/page.html";

inline IPtr<ICefDomDocument> LoadPage(const char* markup = kPage) {
  return TCefDomDocumentRef::UnWrap(sim_create_document(markup, kPageUrl));
}

}  // namespace larkwell::script_test
