// The program objects of the script and document area, called through their structures the way
// the engine calls them. Engine objects here are the stand-in's plain objects: the adapters only
// wrap and hand them on.
#include <gtest/gtest.h>

#include <stdexcept>

#include "engine/cef_error_report.h"
#include "engine/cef_string.h"
#include "engine/script_own.h"
#include "engine/v8_refs.h"
#include "enginesim/control.h"
#include "tests/support/engine_test.h"

namespace larkwell {
namespace {

class ScriptOwnTest : public testing::EngineTest {
 protected:
  void SetUp() override { ResetCefReportedErrors(); }
};

template <class Struct>
Struct* EngineObject() {  // one reference, which the callee of a slot takes over
  return reinterpret_cast<Struct*>(sim_create_object(1));
}

// An accessor that answers with a chosen value, or fails.
class TTestAccessor : public TCefV8AccessorOwn {
 public:
  IPtr<ICefv8Value> answer;
  bool fail = false;
  ustring seen_name, seen_exception;
  bool saw_object = false;

  bool Get(const ustring& name, const IPtr<ICefv8Value>& obj, IPtr<ICefv8Value>& retval,
           const ustring& exception) override {
    if (fail) throw std::runtime_error("getter failed");
    seen_name = name;
    seen_exception = exception;
    saw_object = static_cast<bool>(obj);
    retval = answer;
    return static_cast<bool>(answer);
  }
};

TEST_F(ScriptOwnTest, AccessorGetHandsTheEngineItsValueWithOneNewReferenceOrNull) {
  IPtr<TTestAccessor> accessor = New<TTestAccessor>();
  auto* slots = accessor->DataAs<TCefV8Accessor>();
  EXPECT_EQ(slots->base.size, sizeof(TCefV8Accessor));
  const ustring name = u"width", exception = u"earlier text";
  TCefString name_view = CefStringView(name), exception_record = CefStringView(exception);

  TCefBase* value = sim_create_object(1);  // the test's own reference
  sim_add_ref(value);                      // the one the answer adopts
  accessor->answer = TCefv8ValueRef::UnWrap(value);
  TCefV8Value* retval = nullptr;
  EXPECT_EQ(slots->get(slots, &name_view, EngineObject<TCefV8Value>(), &retval, &exception_record), 1);
  EXPECT_EQ(accessor->seen_name, u"width");
  EXPECT_EQ(accessor->seen_exception, u"earlier text");
  EXPECT_TRUE(accessor->saw_object);
  EXPECT_EQ(reinterpret_cast<TCefBase*>(retval), value);
  accessor->answer.Reset();
  EXPECT_EQ(sim_get_refct(value), 2);  // the test's and the engine's new one
  sim_release(value);
  sim_release(value);

  // An empty answer overwrites whatever the engine's pointer held with null.
  TCefBase* stale = sim_create_object(1);
  retval = reinterpret_cast<TCefV8Value*>(stale);
  EXPECT_EQ(slots->get(slots, &name_view, EngineObject<TCefV8Value>(), &retval, &exception_record), 0);
  EXPECT_EQ(retval, nullptr);
  sim_release(stale);
  // The engine's exception text is never written.
  EXPECT_EQ(exception_record.str, exception.data());
  EXPECT_EQ(exception_record.length, exception.size());
}

// The engine asks `accessor` for property "x" of a new engine object.
int EngineGets(TCefV8AccessorOwn& accessor, TCefV8Value*& retval, TCefString& exception) {
  const ustring name = u"x";
  const TCefString name_view = CefStringView(name);
  auto* slots = accessor.DataAs<TCefV8Accessor>();
  return slots->get(slots, &name_view, EngineObject<TCefV8Value>(), &retval, &exception);
}

TEST_F(ScriptOwnTest, DefaultsAnswerFalseAndLeaveTheValueEmpty) {
  IPtr<TCefV8AccessorOwn> accessor = New<TCefV8AccessorOwn>();
  TCefString exception{};
  TCefV8Value* retval = nullptr;
  EXPECT_EQ(EngineGets(*accessor, retval, exception), 0);
  EXPECT_EQ(retval, nullptr);
  auto* slots = accessor->DataAs<TCefV8Accessor>();
  EXPECT_EQ(slots->set(slots, &exception, EngineObject<TCefV8Value>(), EngineObject<TCefV8Value>(), &exception), 0);

  // The visitor and the listener take the engine's object over and release it.
  IPtr<TCefDomVisitorOwn> visitor = New<TCefDomVisitorOwn>();
  auto* visit = visitor->DataAs<TCefDomVisitor>();
  visit->visit(visit, EngineObject<TCefDomDocument>());
  IPtr<TCefDomEventListenerOwn> listener = New<TCefDomEventListenerOwn>();
  auto* handle = listener->DataAs<TCefDomEventListener>();
  handle->handle_event(handle, EngineObject<TCefDomEvent>());
  EXPECT_EQ(CefReportedErrorCount(), 0);
}

// A visitor or listener that counts the engine objects it was given, or fails.
template <class Base>
class TCounting : public Base {
 public:
  bool fail = false;
  int calls = 0;

 protected:
  template <class I>
  void Saw(const IPtr<I>& object) {
    calls += object ? 1 : 0;
    if (fail) throw std::runtime_error("handler failed");
  }
};
class TTestVisitor : public TCounting<TCefDomVisitorOwn> {
  void Visit(const IPtr<ICefDomDocument>& document) override { Saw(document); }
};
class TTestListener : public TCounting<TCefDomEventListenerOwn> {
  void HandleEvent(const IPtr<ICefDomEvent>& event) override { Saw(event); }
};

TEST_F(ScriptOwnTest, VisitorAndListenerGetTheEnginesObjectAndAFailureStopsAtTheSlot) {
  for (const bool fail : {false, true}) {
    SCOPED_TRACE(fail ? "failing" : "succeeding");
    ResetCefReportedErrors();
    IPtr<TTestVisitor> visitor = New<TTestVisitor>();
    IPtr<TTestListener> listener = New<TTestListener>();
    visitor->fail = listener->fail = fail;
    auto* visit = visitor->DataAs<TCefDomVisitor>();
    visit->visit(visit, EngineObject<TCefDomDocument>());
    auto* handle = listener->DataAs<TCefDomEventListener>();
    handle->handle_event(handle, EngineObject<TCefDomEvent>());
    EXPECT_EQ(visitor->calls, 1);
    EXPECT_EQ(listener->calls, 1);
    EXPECT_EQ(CefReportedErrorCount(), fail ? 2 : 0);
  }
}

TEST_F(ScriptOwnTest, AFailingGetterGivesTheEngineZeroAndWritesNothing) {
  IPtr<TTestAccessor> accessor = New<TTestAccessor>();
  accessor->fail = true;
  TCefString exception{};
  TCefV8Value* retval = nullptr;
  EXPECT_EQ(EngineGets(*accessor, retval, exception), 0);
  EXPECT_EQ(retval, nullptr);
  EXPECT_EQ(exception.str, nullptr);
  EXPECT_EQ(CefLastReportedErrorMessage(), u"getter failed");
}

}  // namespace
}  // namespace larkwell
