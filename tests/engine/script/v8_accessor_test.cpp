// A program's property accessor (TCefV8AccessorOwn) serving a script object's properties,
// called by the stand-in's script engine through GetValueByKey and SetValueByKey.
#include "tests/engine/script/script_test.h"

namespace larkwell::script_test {
namespace {

using AccessorTest = ScriptTest;

// Answers `answer` for every property (with `handled`) and remembers what it was given. It
// keeps the object only as a plain structure pointer: the object holds the accessor.
class TTestAccessor : public TCefV8AccessorOwn {
 public:
  bool Get(const ustring& name, const IValue& obj, IValue& retval, const ustring&) override {
    got_name = name;
    got_object = Borrowed<TCefV8Value>(obj);
    retval = answer;
    return handled;
  }
  bool Set(const ustring& name, const IValue& obj, const IValue& value, const ustring&) override {
    set_name = name;
    set_object = Borrowed<TCefV8Value>(obj);
    set_value = value;
    return handled;
  }

  IValue answer;
  bool handled = true;
  ustring got_name, set_name;
  TCefV8Value* got_object = nullptr;
  TCefV8Value* set_object = nullptr;
  IValue set_value;
};

// An object served by `accessor` for the key "width".
IValue ServedObject(const IPtr<ICefV8Accessor>& accessor) {
  IValue object = TCefv8ValueRef::CreateObjectWithAccessor(nullptr, accessor);
  EXPECT_TRUE(object->SetValueByAccessor(u"width", 0, SIM_V8_PROPERTY_NONE));
  return object;
}

TEST_F(AccessorTest, AnAccessorThatLeavesTheValueEmptyGivesTheEngineNull) {
  const IValue object = ServedObject(New<TCefV8AccessorOwn>());
  EXPECT_FALSE(object->GetValueByKey(u"width"));
  const TSimV8AccessorCall call = LastAccessorCall();
  EXPECT_EQ(call.is_set, 0);
  EXPECT_STREQ(call.name, "width");
  EXPECT_EQ(call.answer, 0);
  EXPECT_EQ(call.retval_null, 1);
  EXPECT_EQ(call.exception_written, 0);
}

TEST_F(AccessorTest, AGetterReturningAValueHandsTheEngineOneNewReference) {
  IPtr<TTestAccessor> accessor = New<TTestAccessor>();
  accessor->answer = TCefv8ValueRef::CreateInt(640);  // the wrapper holds the engine's one reference
  const IValue object = ServedObject(accessor);

  const IValue width = object->GetValueByKey(u"width");
  const TSimV8AccessorCall call = LastAccessorCall();
  EXPECT_EQ(call.answer, 1);
  EXPECT_EQ(call.retval_null, 0);
  EXPECT_EQ(call.retval_refct, 2) << "the answer's wrapper and the engine's new reference";
  EXPECT_EQ(call.exception_written, 0);
  ASSERT_TRUE(width);
  EXPECT_TRUE(width->IsSame(accessor->answer));
  EXPECT_EQ(accessor->got_name, u"width");
  EXPECT_EQ(accessor->got_object, Borrowed<TCefV8Value>(object));
}

TEST_F(AccessorTest, AGetterThatDeclinesGivesNoValueEvenWithOneSet) {
  IPtr<TTestAccessor> accessor = New<TTestAccessor>();
  accessor->answer = TCefv8ValueRef::CreateInt(1);
  accessor->handled = false;
  EXPECT_FALSE(ServedObject(accessor)->GetValueByKey(u"width"));
  EXPECT_EQ(LastAccessorCall().retval_null, 0);  // handed over, and released by the engine
}

TEST_F(AccessorTest, SettingAServedPropertyCallsTheSetterWithTheValue) {
  IPtr<TTestAccessor> accessor = New<TTestAccessor>();
  const IValue object = ServedObject(accessor);
  const IValue value = TCefv8ValueRef::CreateString(u"wide");
  EXPECT_TRUE(object->SetValueByKey(u"width", value, SIM_V8_PROPERTY_NONE));
  EXPECT_EQ(accessor->set_name, u"width");
  EXPECT_EQ(accessor->set_object, Borrowed<TCefV8Value>(object));
  EXPECT_TRUE(accessor->set_value->IsSame(value));
  const TSimV8AccessorCall call = LastAccessorCall();
  EXPECT_EQ(call.is_set, 1);
  EXPECT_EQ(call.answer, 1);
  EXPECT_EQ(call.exception_written, 0);

  accessor->handled = false;
  EXPECT_FALSE(object->SetValueByKey(u"width", value, SIM_V8_PROPERTY_NONE));
  // A property the accessor does not serve is stored by the object itself.
  EXPECT_TRUE(object->SetValueByKey(u"height", value, SIM_V8_PROPERTY_NONE));
  EXPECT_TRUE(object->GetValueByKey(u"height")->IsSame(value));
}

TEST_F(AccessorTest, OnlyAnObjectWithAnAccessorTakesServedProperties) {
  const IValue plain = TCefv8ValueRef::CreateObjectWithAccessor(nullptr, nullptr);
  EXPECT_FALSE(plain->SetValueByAccessor(u"width", 0, SIM_V8_PROPERTY_NONE));
  EXPECT_FALSE(plain->HasValueByKey(u"width"));

  const IValue served = ServedObject(New<TCefV8AccessorOwn>());
  EXPECT_TRUE(served->HasValueByKey(u"width"));
  EXPECT_TRUE(served->SetValueByAccessor(u"hidden", 0, SIM_V8_PROPERTY_DONTENUM));
  TStrings keys;
  served->GetKeys(keys);
  EXPECT_EQ(keys, TStrings{u"width"});
}

}  // namespace
}  // namespace larkwell::script_test
