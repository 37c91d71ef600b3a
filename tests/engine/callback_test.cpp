// The generic callback entry, on a structure of the test's own whose slots have the shapes the
// engine's handler structures use.
#include <gtest/gtest.h>

#include <stdexcept>

#include "enginesim/control.h"
#include "engine/cef_callback.h"
#include "tests/support/engine_test.h"

namespace larkwell {
namespace {

extern "C" struct TTestSlots {
  TCefBase base;
  int(CEF_CALLBACK* convert)(TTestSlots* self, TCefBase* object, const TCefString* text, int flag, int64_t big);
  int(CEF_CALLBACK* count)(TTestSlots* self, int bytes);
  int(CEF_CALLBACK* text_set_when_true)(TTestSlots* self, TCefString* text);
  int(CEF_CALLBACK* text_replace_when_false)(TTestSlots* self, TCefString* text);
  int(CEF_CALLBACK* text_take_and_replace)(TTestSlots* self, TCefString* text);
  void(CEF_CALLBACK* text_if_not_empty)(TTestSlots* self, TCefString* text);
  int(CEF_CALLBACK* flag_when_true)(TTestSlots* self, int* flag);
  int(CEF_CALLBACK* object_always)(TTestSlots* self, TCefBase** object);
  int(CEF_CALLBACK* object_when_false)(TTestSlots* self, TCefBase** object);
  TCefBase*(CEF_CALLBACK* give_object)(TTestSlots* self);
  void(CEF_CALLBACK* reordered)(TTestSlots* self, int a, const TCefString* b, int c);
  int(CEF_CALLBACK* by_storage)(TTestSlots* self, int* out_value, TCefRect* rect);
  int(CEF_CALLBACK* body)(TTestSlots* self, int value);
  int(CEF_CALLBACK* counted)(TTestSlots* self, int value);
};

// A base in front of the bridge base, so that TCefBaseOwn does not sit at the start of the
// owner: an entry that reinterpreted the hidden word instead of converting it would miss.
class TTestFrontBase {
 public:
  virtual ~TTestFrontBase() = default;
  int front = 0;
};

// A method the owner takes from an interface it implements rather than declaring it itself.
class ITestCounting {
 public:
  virtual int Counted(int value) = 0;

 protected:
  ~ITestCounting() = default;
};

class TTestSlotsOwn : public TTestFrontBase, public TCefBaseOwn, public ITestCounting {
 public:
  TTestSlotsOwn() : TCefBaseOwn(sizeof(TTestSlots)) {
    auto s = CefSlots<TTestSlots>(this);
    s.Set<&TTestSlots::convert, &TTestSlotsOwn::Convert>();
    s.Set<&TTestSlots::count, &TTestSlotsOwn::Count>();
    s.Set<&TTestSlots::text_set_when_true, &TTestSlotsOwn::Text, TextInOut<kWhenTrue, kSet>>();
    s.Set<&TTestSlots::text_replace_when_false, &TTestSlotsOwn::Text, TextInOut<kWhenFalse, kReplace, kEmpty>>();
    s.Set<&TTestSlots::text_take_and_replace, &TTestSlotsOwn::Text, TextInOut<kAlways, kReplace, kTakeAndClear>>();
    s.Set<&TTestSlots::text_if_not_empty, &TTestSlotsOwn::TextNoAnswer, TextInOut<kWhenNotEmpty, kSet, kEmpty>>();
    s.Set<&TTestSlots::flag_when_true, &TTestSlotsOwn::Flag, FlagInOut<kWhenTrue>>();
    s.Set<&TTestSlots::object_always, &TTestSlotsOwn::Object, ObjectInOut<kAlways>>();
    s.Set<&TTestSlots::object_when_false, &TTestSlotsOwn::Object, ObjectInOut<kWhenFalse>>();
    s.Set<&TTestSlots::give_object, &TTestSlotsOwn::GiveObject>();
    s.Set<&TTestSlots::reordered, &TTestSlotsOwn::Reordered, Order<2, 0, 1>>();
    s.Set<&TTestSlots::by_storage, &TTestSlotsOwn::ByStorage>();
    s.SetBody<&TTestSlots::body, &TTestSlotsOwn::Body>();
    s.Set<&TTestSlots::counted, &ITestCounting::Counted>();
  }

  // What the handler does, set by each test.
  bool answer = false;
  bool fail = false;
  ustring new_text;
  IPtr<ICefBase> new_object;

  // What the handler saw.
  IPtr<ICefBase> seen_object;
  ustring seen_text;
  bool seen_flag = false;
  int64_t seen_big = 0;
  int seen_a = 0, seen_c = 0;
  int seen_counted = 0;

  bool Convert(const IPtr<ICefBase>& object, const ustring& text, bool flag, int64_t big) {
    Fail();
    seen_object = object;
    seen_text = text;
    seen_flag = flag;
    seen_big = big;
    return answer;
  }
  int Count(int bytes) {
    Fail();
    return bytes;
  }
  bool Text(ustring& text) {
    seen_text = text;
    text = new_text;
    Fail();
    return answer;
  }
  void TextNoAnswer(ustring& text) { text = new_text; }
  bool Flag(bool& flag) {
    seen_flag = flag;
    flag = !flag;
    Fail();
    return answer;
  }
  bool Object(IPtr<ICefBase>& object) {
    seen_object = object;
    object = new_object;
    Fail();
    return answer;
  }
  IPtr<ICefBase> GiveObject() {
    Fail();
    return new_object;
  }
  void Reordered(int c, int a, const ustring& b) {
    seen_c = c;
    seen_a = a;
    seen_text = b;
  }
  bool ByStorage(int& out_value, TCefRect& rect) {
    out_value = 42;
    rect.width = 640;
    return true;
  }
  int Counted(int value) override {
    seen_counted = value;
    return value + 1;
  }
  static int Body(TTestSlotsOwn& self, int value) {
    if (self.fail) throw std::runtime_error("body failed");
    return value * 2;
  }

 private:
  void Fail() {
    if (fail) throw std::runtime_error("handler failed");
  }
};

class CallbackTest : public testing::EngineTest {
 protected:
  void SetUp() override { ResetCefReportedErrors(); }
  void TearDown() override {
    slots_ = nullptr;
    own_.Reset();
    testing::EngineTest::TearDown();
  }
  TTestSlots* Slots() { return slots_; }
  TTestSlotsOwn& Own() { return *own_; }

  IPtr<TTestSlotsOwn> own_ = New<TTestSlotsOwn>();
  TTestSlots* slots_ = own_->DataAs<TTestSlots>();
};

TEST_F(CallbackTest, ArgumentsAreConvertedByTypeAndBooleansAnswerExactlyOneOrZero) {
  TCefBase* engine_object = sim_create_object(1);
  sim_add_ref(engine_object);  // the reference passed with the argument is taken over
  const ustring text = u"文字\0x";
  const TCefString view = CefStringView(text);
  Own().answer = true;
  EXPECT_EQ(Slots()->convert(Slots(), engine_object, &view, 7, int64_t{1} << 40), 1);
  EXPECT_EQ(Own().seen_object->Wrap(), engine_object);
  sim_release(engine_object);  // give back what Wrap just handed over
  EXPECT_EQ(Own().seen_text, text);
  EXPECT_TRUE(Own().seen_flag);  // any non-zero int is true
  EXPECT_EQ(Own().seen_big, int64_t{1} << 40);
  Own().seen_object.Reset();
  EXPECT_EQ(sim_get_refct(engine_object), 1);  // the wrapper released the passed reference

  Own().answer = false;
  EXPECT_EQ(Slots()->convert(Slots(), nullptr, nullptr, 0, 0), 0);
  EXPECT_FALSE(Own().seen_object);
  EXPECT_EQ(Own().seen_text, u"");
  EXPECT_FALSE(Own().seen_flag);
  sim_release(engine_object);
}

// The owner's bases sit at different places in it; each entry still reaches the right object,
// for the owner's own methods, an interface's method and a body.
TEST_F(CallbackTest, EveryEntryReachesItsOwnerWhereverTheBridgeBaseSits) {
  TCefBaseOwn& bridge = Own();
  ASSERT_NE(static_cast<void*>(&bridge), static_cast<void*>(&Own()));  // not first in the owner
  EXPECT_EQ(Slots()->count(Slots(), 4096), 4096);
  EXPECT_EQ(Slots()->counted(Slots(), 41), 42);
  EXPECT_EQ(Own().seen_counted, 41);
  EXPECT_EQ(Slots()->body(Slots(), 21), 42);
}

TEST_F(CallbackTest, IntegerResultsReachTheEngineUnchanged) {
  EXPECT_EQ(Slots()->count(Slots(), 4096), 4096);
  EXPECT_EQ(Slots()->count(Slots(), 0), 0);
}

TEST_F(CallbackTest, TextIsSetOnlyWhenTheConditionHolds) {
  TCefString record = CefStringCopy(u"engine text");
  Own().new_text = u"handler text";
  Own().answer = false;
  Slots()->text_set_when_true(Slots(), &record);
  EXPECT_EQ(Own().seen_text, u"engine text");
  EXPECT_EQ(CefStringToNative(&record), u"engine text");
  Own().answer = true;
  Slots()->text_set_when_true(Slots(), &record);
  EXPECT_EQ(CefStringToNative(&record), u"handler text");
  Own().new_text = u"";  // an empty text is written too
  Slots()->text_set_when_true(Slots(), &record);
  EXPECT_EQ(record.length, 0u);
  cef_string_clear(&record);
  EXPECT_EQ(Slots()->text_set_when_true(Slots(), nullptr), 1);  // a null record is skipped
}

TEST_F(CallbackTest, ReplacedTextIsAFreshEngineCopyStartingEmpty) {
  TCefString record{};
  Own().new_text = u"页眉";
  Own().answer = true;
  Slots()->text_replace_when_false(Slots(), &record);
  EXPECT_EQ(record.str, nullptr);
  Own().answer = false;
  Slots()->text_replace_when_false(Slots(), &record);
  EXPECT_EQ(Own().seen_text, u"");  // the engine's text is not read
  EXPECT_NE(record.dtor, nullptr);
  EXPECT_EQ(CefStringToNative(&record), u"页眉");
  Own().new_text.clear();  // the handler's string goes; the engine's copy stays
  EXPECT_EQ(CefStringToNative(&record), u"页眉");
  cef_string_clear(&record);
}

TEST_F(CallbackTest, TakenTextIsClearedBeforeTheCallAndReplacedAfterIt) {
  TCefString record = CefStringCopy(u"tooltip");
  Own().new_text = u"new tooltip";
  Slots()->text_take_and_replace(Slots(), &record);
  EXPECT_EQ(Own().seen_text, u"tooltip");
  EXPECT_EQ(CefStringToNative(&record), u"new tooltip");
  cef_string_clear(&record);
  // The fixture's ledger check proves the old engine text was freed, not overwritten.
}

TEST_F(CallbackTest, EmptyTextLeavesTheEngineStringWhenOnlyNonEmptyIsWritten) {
  TCefString record = CefStringCopy(u"kept");
  Own().new_text = u"";
  Slots()->text_if_not_empty(Slots(), &record);
  EXPECT_EQ(CefStringToNative(&record), u"kept");
  Own().new_text = u"changed";
  Slots()->text_if_not_empty(Slots(), &record);
  EXPECT_EQ(CefStringToNative(&record), u"changed");
  cef_string_clear(&record);
}

TEST_F(CallbackTest, FlagsAreWrittenBackAsOneOrZeroUnderTheirCondition) {
  int flag = 9;
  Own().answer = false;
  Slots()->flag_when_true(Slots(), &flag);
  EXPECT_TRUE(Own().seen_flag);
  EXPECT_EQ(flag, 9);  // untouched when false
  Own().answer = true;
  Slots()->flag_when_true(Slots(), &flag);
  EXPECT_EQ(flag, 0);  // the handler flipped true to false
  Slots()->flag_when_true(Slots(), &flag);
  EXPECT_EQ(flag, 1);
}

TEST_F(CallbackTest, ObjectInOutReplacesTheEnginesPointerAndKeepsTheCountsRight) {
  TCefBase* old_object = sim_create_object(1);  // the engine's pointer carries this reference
  TCefBase* slot = old_object;
  IPtr<ICefBase> replacement = TCefBaseRef::UnWrap(sim_create_object(1));
  Own().new_object = replacement;
  Slots()->object_always(Slots(), &slot);
  EXPECT_EQ(Own().seen_object->Wrap(), old_object);
  sim_release(old_object);
  Own().seen_object.Reset();
  EXPECT_EQ(sim_ledger_live_objects(), 1);  // the old object's reference went with the old pointer
  EXPECT_EQ(slot, replacement->Wrap());     // and the new one carries one for the engine
  sim_release(slot);
  EXPECT_EQ(sim_get_refct(slot), 2);
  Own().new_object.Reset();
  replacement.Reset();
  EXPECT_EQ(sim_get_refct(slot), 1);
  sim_release(slot);

  TCefBase* kept = sim_create_object(1);
  slot = kept;
  Own().answer = true;  // no write-back: the engine's pointer and its reference stay as they were
  Slots()->object_when_false(Slots(), &slot);
  Own().seen_object.Reset();
  EXPECT_EQ(slot, kept);
  EXPECT_EQ(sim_get_refct(kept), 1);
  Own().answer = false;  // cleared by the handler: the engine gets null
  Slots()->object_when_false(Slots(), &slot);
  Own().seen_object.Reset();
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(sim_ledger_live_objects(), 0);
}

TEST_F(CallbackTest, AReturnedObjectReachesTheEngineWithOneReferenceOrAsNull) {
  EXPECT_EQ(Slots()->give_object(Slots()), nullptr);
  Own().new_object = TCefBaseRef::UnWrap(sim_create_object(1));
  TCefBase* given = Slots()->give_object(Slots());
  EXPECT_EQ(sim_get_refct(given), 2);
  Own().new_object.Reset();
  EXPECT_EQ(sim_get_refct(given), 1);
  sim_release(given);
}

TEST_F(CallbackTest, OrderMapsEngineArgumentsOntoTheMethodsParameters) {
  const ustring b = u"middle";
  const TCefString view = CefStringView(b);
  Slots()->reordered(Slots(), 1, &view, 3);
  EXPECT_EQ(Own().seen_a, 1);
  EXPECT_EQ(Own().seen_c, 3);
  EXPECT_EQ(Own().seen_text, u"middle");
}

TEST_F(CallbackTest, PointersBecomeReferencesToTheEnginesOwnStorage) {
  int value = 0;
  TCefRect rect{1, 2, 3, 4};
  EXPECT_EQ(Slots()->by_storage(Slots(), &value, &rect), 1);
  EXPECT_EQ(value, 42);
  EXPECT_EQ(rect.width, 640);
  EXPECT_EQ(rect.x, 1);
}

TEST_F(CallbackTest, AFailingHandlerGivesTheNeutralAnswerWritesNothingAndIsReported) {
  Own().fail = true;
  Own().answer = true;
  Own().new_text = u"never";
  TCefString record = CefStringCopy(u"engine");
  EXPECT_EQ(Slots()->text_set_when_true(Slots(), &record), 0);
  EXPECT_EQ(CefStringToNative(&record), u"engine");
  cef_string_clear(&record);

  int flag = 1;
  EXPECT_EQ(Slots()->flag_when_true(Slots(), &flag), 0);
  EXPECT_EQ(flag, 1);

  TCefBase* engine_object = sim_create_object(1);
  TCefBase* slot = engine_object;
  Own().new_object = TCefBaseRef::UnWrap(sim_create_object(1));
  EXPECT_EQ(Slots()->object_always(Slots(), &slot), 0);
  EXPECT_EQ(slot, engine_object);
  Own().seen_object.Reset();
  EXPECT_EQ(sim_get_refct(engine_object), 1);
  sim_release(engine_object);
  EXPECT_EQ(Slots()->give_object(Slots()), nullptr);
  Own().new_object.Reset();

  TCefBase* argument = sim_create_object(1);  // a reference taken over by the failing call
  EXPECT_EQ(Slots()->convert(Slots(), argument, nullptr, 1, 0), 0);
  EXPECT_EQ(Slots()->count(Slots(), 4096), 0);
  EXPECT_EQ(Slots()->body(Slots(), 21), 0);

  EXPECT_EQ(CefReportedErrorCount(), 7);
  EXPECT_EQ(CefLastReportedErrorMessage(), u"body failed");
  Own().fail = false;
  EXPECT_EQ(Slots()->body(Slots(), 21), 42);
  // The ledger check shows the taken-over argument was released despite the failure.
}

TEST_F(CallbackTest, TheErrorReportHandlerReceivesTheError) {
  ustring reported;
  SetCefErrorReportHandler([&](const std::exception_ptr& e) { reported = DescribeException(e); });
  Own().fail = true;
  Slots()->count(Slots(), 1);
  SetCefErrorReportHandler(nullptr);
  EXPECT_EQ(reported, u"handler failed");
}

}  // namespace
}  // namespace larkwell
