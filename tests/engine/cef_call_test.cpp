// The conversions of the generic engine call, on engine structures of the test's own whose
// members record what the binding passed and answer like the engine.
#include <gtest/gtest.h>

#include <vector>

#include "engine/cef_call.h"
#include "engine/cef_string.h"
#include "engine/entry_points.h"
#include "engine/v8_refs.h"
#include "enginesim/control.h"
#include "tests/support/engine_test.h"

namespace larkwell {
namespace {

// What the members saw, and what they answer.
struct TSeen {
  std::vector<TCefBase*> arguments;
  size_t argument_count = 0;
  TCefBase* object = nullptr;
  int rethrow = -1;
  ustring name;
  TCefBase* give = nullptr;  // stored into the engine's out pointer
  int answer = 0;
} seen;

// The engine takes over the references that come with the arguments: here it releases them.
void TakeArguments(TCefBase* object, size_t count, TCefV8Value* const* arguments) {
  seen.object = object;
  seen.argument_count = count;
  seen.arguments.assign(reinterpret_cast<TCefBase* const*>(arguments),
                        reinterpret_cast<TCefBase* const*>(arguments) + count);
  for (TCefBase* argument : seen.arguments)
    if (argument) sim_release(argument);
  if (object) sim_release(object);
}

int CEF_CALLBACK ExecuteFunction(TCefV8Value*, TCefV8Value* object, size_t count, TCefV8Value* const* arguments,
                                 TCefV8Value** retval, TCefV8Exception** exception, int rethrow) {
  TakeArguments(reinterpret_cast<TCefBase*>(object), count, arguments);
  seen.rethrow = rethrow;
  *retval = reinterpret_cast<TCefV8Value*>(seen.give);
  *exception = nullptr;
  return seen.answer;
}

int CEF_CALLBACK HandlerExecute(TCefV8Handler*, const TCefString* name, TCefV8Value* object, size_t count,
                                TCefV8Value* const* arguments, TCefV8Value** retval, TCefString* exception) {
  TakeArguments(reinterpret_cast<TCefBase*>(object), count, arguments);
  seen.name = CefStringToNative(name);
  *retval = reinterpret_cast<TCefV8Value*>(seen.give);
  cef_string_set(u"thrown", 6, exception, 1);
  return seen.answer;
}

int CEF_CALLBACK GetKeys(TCefV8Value*, TCefStringList keys) {
  for (const ustring& key : {ustring(u"a"), ustring(u"b")}) {
    TCefString view = CefStringView(key);
    cef_string_list_append(keys, &view);
  }
  return seen.answer;
}

class CefCallTest : public testing::EngineTest {
 protected:
  void SetUp() override {
    seen = TSeen{};
    fake_value_.base.size = sizeof fake_value_;  // no add_ref/release: the test owns it
    fake_value_.execute_function = ExecuteFunction;
    fake_value_.get_keys = GetKeys;
    fake_handler_.base.size = sizeof fake_handler_;
    fake_handler_.execute = HandlerExecute;
  }
  IPtr<ICefv8Value> ProbeValue(TCefBase*& data) {  // a wrapper of a new engine object
    data = sim_create_object(1);
    sim_add_ref(data);  // the test keeps one to compare with
    return TCefv8ValueRef::UnWrap(data);
  }

  TCefV8Value fake_value_{};
  TCefV8Handler fake_handler_{};
};

TEST_F(CefCallTest, ArgumentsGoAsAnArrayOfWrapsAndTheOutValuesAreAdoptedOrEmptied) {
  IPtr<ICefv8Value> function = TCefv8ValueRef::UnWrap(&fake_value_);
  TCefBase *first = nullptr, *second = nullptr, *result = nullptr;
  const TCefv8ValueArray arguments = {ProbeValue(first), nullptr, ProbeValue(second)};
  seen.give = sim_create_object(1);  // the engine's answer carries one reference
  result = seen.give;
  seen.answer = 2;
  IPtr<ICefv8Value> retval;
  IPtr<ICefV8Exception> exception = TCefV8ExceptionRef::UnWrap(sim_create_object(1));

  EXPECT_TRUE(function->ExecuteFunction(nullptr, arguments, retval, exception, true));
  EXPECT_EQ(seen.argument_count, 3u);
  EXPECT_EQ(seen.arguments, (std::vector<TCefBase*>{first, nullptr, second}));
  EXPECT_EQ(seen.object, nullptr);
  EXPECT_EQ(seen.rethrow, 1);
  ASSERT_TRUE(retval);
  EXPECT_EQ(retval->Wrap(), result);
  sim_release(result);         // what Wrap just added
  EXPECT_FALSE(exception);     // the engine left it null
  EXPECT_EQ(sim_get_refct(first), 2);  // the test's and the argument's own; the engine's went

  // No arguments: a count of 0; a null answer empties the value held before.
  seen.give = nullptr;
  seen.answer = 0;
  EXPECT_FALSE(function->ExecuteFunction(arguments[0], {}, retval, exception, false));
  EXPECT_EQ(seen.argument_count, 0u);
  EXPECT_EQ(seen.object, first);
  EXPECT_EQ(seen.rethrow, 0);
  EXPECT_FALSE(retval);
  sim_release(first);
  sim_release(second);
}

TEST_F(CefCallTest, AHandlersExceptionTextIsTakenAndItsRecordFreed) {
  IPtr<ICefv8Handler> handler = TCefv8HandlerRef::UnWrap(&fake_handler_);
  seen.answer = 1;
  IPtr<ICefv8Value> retval;
  ustring exception = u"stale";
  EXPECT_TRUE(handler->Execute(u"fn", nullptr, {}, retval, exception));
  EXPECT_EQ(seen.name, u"fn");
  EXPECT_EQ(exception, u"thrown");
  EXPECT_FALSE(retval);
  // The ledger (checked at the end) shows the engine's copy of the text was freed.
}

TEST_F(CefCallTest, AStringListIsAppendedToTheCallersListAndFreed) {
  IPtr<ICefv8Value> object = TCefv8ValueRef::UnWrap(&fake_value_);
  seen.answer = 5;
  TStrings keys = {u"kept"};
  EXPECT_EQ(object->GetKeys(keys), 5);
  EXPECT_EQ(keys, (TStrings{u"kept", u"a", u"b"}));
}

}  // namespace
}  // namespace larkwell
