// Script contexts, engine-side function handlers and script exceptions through their wrappers.
#include "enginesim/control_web.h"
#include "tests/engine/script/script_test.h"

namespace larkwell::script_test {
namespace {

using ContextTest = ScriptTest;

IPtr<ICefv8Context> NewContext(TCefBrowser* browser = nullptr, TCefFrame* frame = nullptr) {
  return TCefv8ContextRef::UnWrap(sim_create_v8context(browser, frame));
}

TEST_F(ContextTest, AContextAnswersItsBrowserFrameAndOneGlobalObject) {
  const TSimBrowserSetup setup{};
  const IPtr<ICefBrowser> browser = TCefBrowserRef::UnWrap(sim_create_browser(&setup));
  const IPtr<ICefFrame> frame = browser->GetMainFrame();
  const IPtr<ICefv8Context> context = NewContext(Borrowed<TCefBrowser>(browser), Borrowed<TCefFrame>(frame));

  EXPECT_EQ(Borrowed<TCefBrowser>(context->GetBrowser()), Borrowed<TCefBrowser>(browser));
  EXPECT_EQ(Borrowed<TCefFrame>(context->GetFrame()), Borrowed<TCefFrame>(frame));
  const IValue global = context->GetGlobal();
  ASSERT_TRUE(global);
  EXPECT_TRUE(global->IsObject());
  ASSERT_TRUE(global->SetValueByKey(u"seen", TCefv8ValueRef::CreateBool(true), SIM_V8_PROPERTY_NONE));
  EXPECT_TRUE(context->GetGlobal()->GetValueByKey(u"seen")->GetBoolValue());

  const IPtr<ICefv8Context> detached = NewContext();
  EXPECT_FALSE(detached->GetBrowser());
  EXPECT_FALSE(detached->GetFrame());
}

TEST_F(ContextTest, AFrameAnswersTheContextItWasGiven) {
  const TSimBrowserSetup setup{};
  const IPtr<ICefBrowser> browser = TCefBrowserRef::UnWrap(sim_create_browser(&setup));
  const IPtr<ICefFrame> frame = browser->GetMainFrame();
  const IPtr<ICefv8Context> context = NewContext();
  sim_frame_set_v8context(Borrowed<TCefFrame>(frame), CefWrap<TCefV8Context>(context));
  EXPECT_TRUE(frame->GetV8Context()->IsSame(context));
}

TEST_F(ContextTest, EnterAndExitNestAndDecideTheCurrentAndEnteredContext) {
  const IPtr<ICefv8Context> outer = NewContext(), inner = NewContext();
  EXPECT_FALSE(TCefv8ContextRef::Current());
  EXPECT_FALSE(TCefv8ContextRef::Entered());

  EXPECT_TRUE(outer->Enter());
  EXPECT_TRUE(inner->Enter());
  EXPECT_TRUE(TCefv8ContextRef::Current()->IsSame(inner));
  EXPECT_TRUE(TCefv8ContextRef::Entered()->IsSame(inner));
  EXPECT_FALSE(outer->Exit()) << "only the innermost context may leave";
  EXPECT_TRUE(inner->Exit());
  EXPECT_TRUE(TCefv8ContextRef::Entered()->IsSame(outer));
  EXPECT_TRUE(outer->Exit());
  EXPECT_FALSE(outer->Exit());
  EXPECT_FALSE(TCefv8ContextRef::Current());
}

TEST_F(ContextTest, IsSameComparesTheContextNotTheWrapper) {
  const IPtr<ICefv8Context> context = NewContext();
  ASSERT_TRUE(context->Enter());
  const IPtr<ICefv8Context> current = TCefv8ContextRef::Current();
  EXPECT_NE(current.get(), context.get());
  EXPECT_TRUE(current->IsSame(context));
  EXPECT_FALSE(context->IsSame(NewContext()));
  EXPECT_FALSE(context->IsSame(nullptr));
  EXPECT_TRUE(context->Exit());
}

TEST_F(ContextTest, AFunctionRunWithAContextRunsInItWithoutEnteringIt) {
  const IPtr<ICefv8Context> entered = NewContext(), given = NewContext();
  IPtr<TTestHandler> handler = New<TTestHandler>();
  const IValue function = TCefv8ValueRef::CreateFunction(u"f", handler);
  IValue retval;
  IPtr<ICefV8Exception> exception;
  ASSERT_TRUE(entered->Enter());
  EXPECT_TRUE(
      function->ExecuteFunctionWithContext(given, nullptr, {TCefv8ValueRef::CreateInt(1)}, retval, exception, true));
  EXPECT_TRUE(entered->Exit());

  ASSERT_EQ(handler->calls, 1);
  EXPECT_TRUE(handler->current->IsSame(given));
  EXPECT_TRUE(handler->entered->IsSame(entered));
  const TSimV8Call call = LastV8Call(SIM_V8_FUNCTION_CALL);
  EXPECT_EQ(call.has_context, 1);
  EXPECT_EQ(call.argument_count, 1);
  EXPECT_EQ(call.rethrow, 1);
  EXPECT_EQ(call.outs_started_empty, 1);
}

using V8HandlerTest = ScriptTest;

TEST_F(V8HandlerTest, AnEngineHandlerGetsNameObjectAndArgumentsAndAnswersItsValue) {
  const IPtr<ICefv8Handler> handler = TCefv8HandlerRef::UnWrap(sim_create_v8handler(nullptr));
  const IValue self = TCefv8ValueRef::CreateObjectWithAccessor(nullptr, nullptr);
  const IValue first = TCefv8ValueRef::CreateInt(7);
  IValue retval;
  ustring exception = u"left from before";
  EXPECT_TRUE(handler->Execute(u"echo", self, {first, TCefv8ValueRef::CreateString(u"x")}, retval, exception));
  ASSERT_TRUE(retval);
  EXPECT_TRUE(retval->IsSame(first));
  EXPECT_EQ(exception, u"");

  const TSimV8Call call = LastV8Call(SIM_V8_HANDLER_CALL);
  EXPECT_STREQ(call.name, "echo");
  EXPECT_EQ(call.argument_count, 2);
  EXPECT_EQ(call.has_object, 1);
  EXPECT_EQ(call.outs_started_empty, 1);
}

TEST_F(V8HandlerTest, AnEngineHandlerWithoutArgumentsOrObject) {
  const IPtr<ICefv8Handler> handler = TCefv8HandlerRef::UnWrap(sim_create_v8handler(nullptr));
  IValue retval;
  ustring exception;
  EXPECT_TRUE(handler->Execute(u"", nullptr, {}, retval, exception));
  ASSERT_TRUE(retval);
  EXPECT_TRUE(retval->IsUndefined());
  const TSimV8Call call = LastV8Call(SIM_V8_HANDLER_CALL);
  EXPECT_EQ(call.argument_count, 0);
  EXPECT_EQ(call.has_object, 0);
}

TEST_F(V8HandlerTest, AThrowingEngineHandlerGivesItsTextAndNoValue) {
  const IPtr<ICefv8Handler> handler = TCefv8HandlerRef::UnWrap(sim_create_v8handler("nicht gut \xC3\xBC"));
  IValue retval = TCefv8ValueRef::CreateNull();
  ustring exception;
  EXPECT_TRUE(handler->Execute(u"f", nullptr, {TCefv8ValueRef::CreateInt(1)}, retval, exception));
  EXPECT_EQ(exception, u"nicht gut \u00FC");
  EXPECT_FALSE(retval);
}

TEST_F(V8HandlerTest, TheHandlerOfAFunctionRunsTheProgramsHandler) {
  IPtr<TTestHandler> program = New<TTestHandler>();
  program->throw_text = u"from the program";
  const IPtr<ICefv8Handler> handler = TCefv8ValueRef::CreateFunction(u"f", program)->GetFunctionHandler();
  IValue retval;
  ustring exception;
  EXPECT_TRUE(handler->Execute(u"g", nullptr, {TCefv8ValueRef::CreateInt(1)}, retval, exception));
  EXPECT_EQ(program->seen_name, u"g");
  EXPECT_EQ(program->seen_arguments.size(), 1u);
  EXPECT_EQ(exception, u"from the program");
}

using ExceptionTest = ScriptTest;

TEST_F(ExceptionTest, EveryFieldComesBackFromItsOwnMember) {
  const TSimV8ExceptionInit init{"message", "var x = ;", "http://host/a.js", 12, 100, 108, 4, 12};
  const IPtr<ICefV8Exception> exception = TCefV8ExceptionRef::UnWrap(sim_create_v8exception(&init));
  ASSERT_TRUE(exception);
  const struct {
    const char* method;
    ustring (ICefV8Exception::*read)();
    ustring expected;
  } texts[] = {
      {"GetMessage", &ICefV8Exception::GetMessage, u"message"},
      {"GetSourceLine", &ICefV8Exception::GetSourceLine, u"var x = ;"},
      {"GetScriptResourceName", &ICefV8Exception::GetScriptResourceName, u"http://host/a.js"},
  };
  for (const auto& t : texts) EXPECT_EQ(((*exception).*t.read)(), t.expected) << t.method;
  const struct {
    const char* method;
    int (ICefV8Exception::*read)();
    int expected;
  } numbers[] = {
      {"GetLineNumber", &ICefV8Exception::GetLineNumber, 12},
      {"GetStartPosition", &ICefV8Exception::GetStartPosition, 100},
      {"GetEndPosition", &ICefV8Exception::GetEndPosition, 108},
      {"GetStartColumn", &ICefV8Exception::GetStartColumn, 4},
      {"GetEndColumn", &ICefV8Exception::GetEndColumn, 12},
  };
  for (const auto& n : numbers) EXPECT_EQ(((*exception).*n.read)(), n.expected) << n.method;
}

}  // namespace
}  // namespace larkwell::script_test
