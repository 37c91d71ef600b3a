// Script values through TCefv8ValueRef against the stand-in's script engine: creation, kinds,
// scalars, properties, arrays, user data, memory and calling functions.
#include <cmath>
#include <functional>

#include "tests/engine/script/script_test.h"

namespace larkwell::script_test {
namespace {

using ValueTest = ScriptTest;

TEST_F(ValueTest, EveryCreatedValueAnswersItsOwnKindOnly) {
  // The ten kind questions, in interface order.
  using Question = bool (ICefv8Value::*)();
  const Question questions[] = {&ICefv8Value::IsUndefined, &ICefv8Value::IsNull,   &ICefv8Value::IsBool,
                                &ICefv8Value::IsInt,       &ICefv8Value::IsDouble, &ICefv8Value::IsDate,
                                &ICefv8Value::IsString,    &ICefv8Value::IsObject, &ICefv8Value::IsArray,
                                &ICefv8Value::IsFunction};
  IPtr<TTestHandler> handler = New<TTestHandler>();
  struct Case {
    const char* made_by;
    std::function<IValue()> make;
    const char* answers;  // one letter per question above: y or n
  };
  const Case cases[] = {
      {"CreateUndefined", [] { return TCefv8ValueRef::CreateUndefined(); }, "ynnnnnnnnn"},
      {"CreateNull", [] { return TCefv8ValueRef::CreateNull(); }, "nynnnnnnnn"},
      {"CreateBool", [] { return TCefv8ValueRef::CreateBool(true); }, "nnynnnnnnn"},
      {"CreateInt", [] { return TCefv8ValueRef::CreateInt(-7); }, "nnnynnnnnn"},
      {"CreateDouble", [] { return TCefv8ValueRef::CreateDouble(0.5); }, "nnnnynnnnn"},
      {"CreateDate", [] { return TCefv8ValueRef::CreateDate(40909.25); }, "nnnnnynynn"},
      {"CreateString", [] { return TCefv8ValueRef::CreateString(u"s"); }, "nnnnnnynnn"},
      {"CreateObjectWithAccessor", [] { return TCefv8ValueRef::CreateObjectWithAccessor(nullptr, nullptr); },
       "nnnnnnnynn"},
      {"CreateArray", [] { return TCefv8ValueRef::CreateArray(); }, "nnnnnnnyyn"},
      {"CreateFunction", [&] { return TCefv8ValueRef::CreateFunction(u"f", handler); }, "nnnnnnnyny"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.made_by);
    const IValue value = c.make();
    ASSERT_TRUE(value);
    for (size_t q = 0; q < std::size(questions); ++q) {
      const Question question = questions[q];
      EXPECT_EQ(((*value).*question)(), c.answers[q] == 'y') << "question " << q;
    }
  }
}

TEST_F(ValueTest, ScalarsComeBackAsTheyWereCreated) {
  EXPECT_TRUE(TCefv8ValueRef::CreateBool(true)->GetBoolValue());
  EXPECT_FALSE(TCefv8ValueRef::CreateBool(false)->GetBoolValue());
  EXPECT_EQ(TCefv8ValueRef::CreateInt(-2147483647 - 1)->GetIntValue(), -2147483647 - 1);
  EXPECT_EQ(TCefv8ValueRef::CreateDouble(-1.25e300)->GetDoubleValue(), -1.25e300);
  constexpr char16_t kMixed[] = u"zwei\0Teile \u00FC\u4E2D";  // an embedded zero, beyond ASCII
  const ustring text(kMixed, std::size(kMixed) - 1);
  EXPECT_EQ(TCefv8ValueRef::CreateString(text)->GetStringValue(), text);
  EXPECT_EQ(TCefv8ValueRef::CreateString(u"")->GetStringValue(), u"");
  // A value asked for another kind's content answers nothing.
  const IValue number = TCefv8ValueRef::CreateInt(3);
  EXPECT_EQ(number->GetStringValue(), u"");
  EXPECT_FALSE(number->GetBoolValue());
  EXPECT_EQ(number->GetDoubleValue(), 3.0);
}

TEST_F(ValueTest, ADateComesBackAsTheSameLocalTimeToTheMillisecond) {
  // 15 June 2012, 10:20:30.456 local time: away from any daylight-saving change.
  const TDateTime when = 41075 + (10 * 3600 + 20 * 60 + 30.456) / 86400.0;
  const TDateTime back = TCefv8ValueRef::CreateDate(when)->GetDateValue();
  EXPECT_LT(std::fabs(back - when) * 86400000.0, 0.5) << "milliseconds apart";
}

TEST_F(ValueTest, IsSameComparesTheUnderlyingValueNotTheWrapper) {
  const IValue object = TCefv8ValueRef::CreateObjectWithAccessor(nullptr, nullptr);
  const IValue value = TCefv8ValueRef::CreateInt(1);
  ASSERT_TRUE(object->SetValueByKey(u"a", value, SIM_V8_PROPERTY_NONE));
  const IValue read = object->GetValueByKey(u"a");
  EXPECT_NE(read.get(), value.get());
  EXPECT_TRUE(read->IsSame(value));
  EXPECT_FALSE(value->IsSame(TCefv8ValueRef::CreateInt(1)));
  EXPECT_FALSE(value->IsSame(nullptr));
}

TEST_F(ValueTest, PropertiesByKeyKeepTheirOrderAndAttributes) {
  const IValue object = TCefv8ValueRef::CreateObjectWithAccessor(nullptr, nullptr);
  EXPECT_TRUE(object->SetValueByKey(u"first", TCefv8ValueRef::CreateString(u"1"), SIM_V8_PROPERTY_NONE));
  EXPECT_TRUE(object->SetValueByKey(u"fixed", TCefv8ValueRef::CreateInt(2), SIM_V8_PROPERTY_READONLY));
  EXPECT_TRUE(object->SetValueByKey(u"hidden", TCefv8ValueRef::CreateInt(3), SIM_V8_PROPERTY_DONTENUM));
  EXPECT_TRUE(object->SetValueByKey(u"kept", TCefv8ValueRef::CreateInt(4), SIM_V8_PROPERTY_DONTDELETE));
  EXPECT_FALSE(object->SetValueByKey(u"empty", nullptr, SIM_V8_PROPERTY_NONE));

  TStrings keys{u"already there"};
  EXPECT_EQ(object->GetKeys(keys), 1);
  EXPECT_EQ(keys, (TStrings{u"already there", u"first", u"fixed", u"kept"}));

  EXPECT_TRUE(object->HasValueByKey(u"hidden"));
  EXPECT_FALSE(object->HasValueByKey(u"Hidden"));
  EXPECT_EQ(object->GetValueByKey(u"first")->GetStringValue(), u"1");
  EXPECT_FALSE(object->GetValueByKey(u"missing"));

  EXPECT_FALSE(object->SetValueByKey(u"fixed", TCefv8ValueRef::CreateInt(20), SIM_V8_PROPERTY_NONE));
  EXPECT_EQ(object->GetValueByKey(u"fixed")->GetIntValue(), 2);
  EXPECT_FALSE(object->DeleteValueByKey(u"kept"));
  EXPECT_TRUE(object->DeleteValueByKey(u"first"));
  EXPECT_FALSE(object->HasValueByKey(u"first"));
  EXPECT_FALSE(object->DeleteValueByKey(u"first"));
}

TEST_F(ValueTest, GetKeysOfAnEmptyObjectLeavesTheCallersList) {
  TStrings keys{u"a", u"b"};
  EXPECT_EQ(TCefv8ValueRef::CreateObjectWithAccessor(nullptr, nullptr)->GetKeys(keys), 1);
  EXPECT_EQ(keys, (TStrings{u"a", u"b"}));
  EXPECT_EQ(TCefv8ValueRef::CreateInt(1)->GetKeys(keys), 0);  // not an object
  EXPECT_EQ(keys, (TStrings{u"a", u"b"}));
}

TEST_F(ValueTest, ArraysByIndex) {
  const IValue array = TCefv8ValueRef::CreateArray();
  EXPECT_EQ(array->GetArrayLength(), 0);
  EXPECT_TRUE(array->SetValueByIndex(0, TCefv8ValueRef::CreateString(u"zero")));
  EXPECT_TRUE(array->SetValueByIndex(2, TCefv8ValueRef::CreateString(u"two")));
  EXPECT_FALSE(array->SetValueByIndex(-1, TCefv8ValueRef::CreateNull()));
  EXPECT_EQ(array->GetArrayLength(), 3);
  EXPECT_TRUE(array->HasValueByIndex(2));
  EXPECT_FALSE(array->HasValueByIndex(1));
  EXPECT_EQ(array->GetValueByIndex(2)->GetStringValue(), u"two");
  EXPECT_FALSE(array->GetValueByIndex(7));
  TStrings keys;
  array->GetKeys(keys);
  EXPECT_EQ(keys, (TStrings{u"0", u"2"}));
  EXPECT_TRUE(array->DeleteValueByIndex(0));
  EXPECT_FALSE(array->HasValueByIndex(0));
  EXPECT_FALSE(array->DeleteValueByIndex(0));
}

TEST_F(ValueTest, UserDataAndExternallyAllocatedMemory) {
  const IValue data = TCefv8ValueRef::CreateString(u"mine");
  const IValue object = TCefv8ValueRef::CreateObjectWithAccessor(data, nullptr);
  EXPECT_TRUE(object->GetUserData()->IsSame(data));
  EXPECT_FALSE(TCefv8ValueRef::CreateObjectWithAccessor(nullptr, nullptr)->GetUserData());

  EXPECT_EQ(object->GetExternallyAllocatedMemory(), 0);
  EXPECT_EQ(object->AdjustExternallyAllocatedMemory(100), 100);
  EXPECT_EQ(object->AdjustExternallyAllocatedMemory(-30), 70);
  EXPECT_EQ(object->GetExternallyAllocatedMemory(), 70);
}

TEST_F(ValueTest, AFunctionKeepsItsNameAndHandler) {
  IPtr<TTestHandler> handler = New<TTestHandler>();
  const IValue function = TCefv8ValueRef::CreateFunction(u"sum", handler);
  EXPECT_EQ(function->GetFunctionName(), u"sum");
  EXPECT_EQ(Borrowed<TCefV8Handler>(function->GetFunctionHandler()), handler->DataAs<TCefV8Handler>());
  EXPECT_EQ(TCefv8ValueRef::CreateString(u"x")->GetFunctionName(), u"");
  EXPECT_FALSE(TCefv8ValueRef::CreateFunction(u"none", nullptr)->GetFunctionHandler());
}

TEST_F(ValueTest, ExecuteFunctionPassesObjectAndArgumentsAndReturnsTheHandlersValue) {
  IPtr<TTestHandler> handler = New<TTestHandler>();
  handler->answer = TCefv8ValueRef::CreateInt(42);
  const IValue function = TCefv8ValueRef::CreateFunction(u"sum", handler);
  const IValue self = TCefv8ValueRef::CreateObjectWithAccessor(nullptr, nullptr);
  const IValue first = TCefv8ValueRef::CreateInt(1);
  IValue retval;
  IPtr<ICefV8Exception> exception;

  EXPECT_TRUE(
      function->ExecuteFunction(self, {first, nullptr, TCefv8ValueRef::CreateString(u"3")}, retval, exception, true));
  EXPECT_EQ(handler->calls, 1);
  EXPECT_EQ(handler->seen_name, u"sum");
  EXPECT_TRUE(handler->seen_object->IsSame(self));
  ASSERT_EQ(handler->seen_arguments.size(), 3u);
  EXPECT_TRUE(handler->seen_arguments[0]->IsSame(first));
  EXPECT_FALSE(handler->seen_arguments[1]) << "an empty entry reaches the handler as no object";
  EXPECT_EQ(handler->seen_arguments[2]->GetStringValue(), u"3");
  ASSERT_TRUE(retval);
  EXPECT_TRUE(retval->IsSame(handler->answer));
  EXPECT_FALSE(exception);

  const TSimV8Call call = LastV8Call(SIM_V8_FUNCTION_CALL);
  EXPECT_EQ(call.argument_count, 3);
  EXPECT_EQ(call.has_object, 1);
  EXPECT_EQ(call.has_context, 0);
  EXPECT_EQ(call.rethrow, 1);
  EXPECT_EQ(call.outs_started_empty, 1);
}

TEST_F(ValueTest, ExecuteFunctionWithoutArgumentsPassesCountZero) {
  IPtr<TTestHandler> handler = New<TTestHandler>();
  const IValue function = TCefv8ValueRef::CreateFunction(u"f", handler);
  IValue retval = TCefv8ValueRef::CreateNull();  // replaced by what the engine returns
  IPtr<ICefV8Exception> exception;
  EXPECT_TRUE(function->ExecuteFunction(nullptr, {}, retval, exception, false));
  const TSimV8Call call = LastV8Call(SIM_V8_FUNCTION_CALL);
  EXPECT_EQ(call.argument_count, 0);
  EXPECT_EQ(call.has_object, 0);
  EXPECT_EQ(call.rethrow, 0);
  EXPECT_TRUE(handler->seen_arguments.empty());
  EXPECT_FALSE(handler->seen_object);
  EXPECT_FALSE(retval) << "the handler returned nothing";
}

TEST_F(ValueTest, AThrowingHandlerGivesAnExceptionAndNoValue) {
  IPtr<TTestHandler> handler = New<TTestHandler>();
  handler->answer = TCefv8ValueRef::CreateInt(1);
  handler->throw_text = u"sum failed \u00E9";
  IValue retval;
  IPtr<ICefV8Exception> exception;
  EXPECT_TRUE(TCefv8ValueRef::CreateFunction(u"sum", handler)->ExecuteFunction(nullptr, {}, retval, exception, false));
  EXPECT_FALSE(retval);
  ASSERT_TRUE(exception);
  EXPECT_EQ(exception->GetMessage(), u"sum failed \u00E9");
}

TEST_F(ValueTest, ExecutingWhatIsNoFunctionFailsWithBothOutsEmpty) {
  const IValue argument = TCefv8ValueRef::CreateInt(5);
  IValue retval;
  IPtr<ICefV8Exception> exception;
  EXPECT_FALSE(TCefv8ValueRef::CreateString(u"f")->ExecuteFunction(nullptr, {argument}, retval, exception, false));
  EXPECT_FALSE(retval);
  EXPECT_FALSE(exception);
  EXPECT_EQ(LastV8Call(SIM_V8_FUNCTION_CALL).argument_count, 1);
}

}  // namespace
}  // namespace larkwell::script_test
