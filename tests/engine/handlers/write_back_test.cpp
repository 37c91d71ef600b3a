// What goes back into the engine's storage, member by member, under each member's condition.
#include <memory>

#include "tests/engine/handlers/handler_test.h"

namespace larkwell::handler_test {
namespace {

TEST_F(HandlerTest, BeforeResourceLoadWritesBackOnlyWhenFalseAndTheUrlOnlyWhenNotEmpty) {
  EngineRef other{::cef_stream_reader_create_for_data(o.buffer, 16)};
  auto& handler = *o.request_handler;
  const auto fire = [&] {
    return std::make_unique<Fired>(
        handler.Data(), "request_handler.on_before_resource_load",
        std::vector<TSimArg>{Obj(o.browser), Obj(o.request), String(u"engine url"), ObjOut(o.stream),
                             Obj(o.response), Int(0)});
  };
  handler.texts = {u"http://elsewhere/"};
  handler.object = WrapperOf<ICefStreamReader>(other);
  handler.answer = true;  // handled: the engine's URL and stream stay as they were
  {
    auto fired = fire();
    EXPECT_EQ(fired->answer(), 1);
    EXPECT_TRUE(fired->untouched(2));
    EXPECT_TRUE(fired->untouched(3));
    EXPECT_EQ(fired->refct(3), 2);  // the test's and the one the engine's pointer carries
  }
  handler.answer = false;  // a redirect and a stream of the handler's
  {
    auto fired = fire();
    EXPECT_EQ(fired->answer(), 0);
    EXPECT_EQ(fired->text(2), u"http://elsewhere/");
    EXPECT_TRUE(fired->sentinel_released(2));
    EXPECT_EQ(fired->object(3), other.base());
    EXPECT_EQ(fired->refct(3), 3);   // the test's, the recorder's and the engine's
    EXPECT_EQ(o.stream.refct(), 1);  // the old pointer's reference went with it
  }
  handler.texts = {u""};
  handler.object = IPtr<ICefBase>();  // no URL, no stream: the stream pointer becomes null
  {
    auto fired = fire();
    EXPECT_TRUE(fired->untouched(2));
    EXPECT_EQ(fired->object(3), nullptr);
    EXPECT_EQ(o.stream.refct(), 1);
  }
}

TEST_F(HandlerTest, ResourceRedirectSetsTheNewUrlOnlyWhenTheHandlerGaveOne) {
  const auto fire = [&] {
    return std::make_unique<Fired>(o.request_handler->Data(), "request_handler.on_resource_redirect",
                                   std::vector<TSimArg>{Obj(o.browser), Text(u"http://old/"), String(u"engine")});
  };
  EXPECT_TRUE(fire()->untouched(2));  // empty: the engine's string stays
  o.request_handler->texts = {u"http://moved/"};
  auto fired = fire();
  EXPECT_EQ(fired->text(2), u"http://moved/");
  EXPECT_TRUE(fired->sentinel_released(2));  // set: the old text released, an engine copy in place
  EXPECT_TRUE(fired->owned(2));
}

TEST_F(HandlerTest, ResourceResponseAlwaysReplacesTheFilterPointer) {
  EngineRef other{sim_create_object(1)};
  auto& handler = *o.request_handler;
  const auto fire = [&] {
    return std::make_unique<Fired>(
        handler.Data(), "request_handler.on_resource_response",
        std::vector<TSimArg>{Obj(o.browser), Text(u"http://r/"), Obj(o.response), ObjOut(o.filter)});
  };
  {
    auto fired = fire();  // left alone: the same filter comes back with its one reference
    EXPECT_EQ(fired->object(3), o.filter.base());
    EXPECT_EQ(fired->refct(3), 2);
  }
  handler.object = WrapperOf(other);
  EXPECT_EQ(fire()->object(3), other.base());
  handler.object = IPtr<ICefBase>();
  EXPECT_EQ(fire()->object(3), nullptr);
  EXPECT_EQ(o.filter.refct(), 1);
}

TEST_F(HandlerTest, ProtocolExecutionWritesTheFlagBackWhateverTheAnswer) {
  auto& handler = *o.request_handler;
  for (bool answer : {false, true}) {
    for (bool allow : {false, true}) {
      handler.answer = answer;
      handler.flag = allow;
      Fired fired(handler.Data(), "request_handler.on_protocol_execution",
                  {Obj(o.browser), Text(u"mailto:x"), IntOut(allow ? 0 : 9)});
      EXPECT_EQ(fired.answer(), answer ? 1 : 0);
      EXPECT_EQ(fired.number(2), allow ? 1 : 0);
    }
  }
}

TEST_F(HandlerTest, DownloadHandlerPointerIsAlwaysReplacedWithTheHandlersObjectOrNull) {
  auto& handler = *o.request_handler;
  const auto fire = [&] {
    return std::make_unique<Fired>(
        handler.Data(), "request_handler.get_download_handler",
        std::vector<TSimArg>{Obj(o.browser), Text(u"application/zip"), Text(u"a.zip"), Int(5), ObjOut(nullptr)});
  };
  handler.object = IPtr<ICefBase>(o.download);
  for (bool answer : {true, false}) {
    handler.answer = answer;
    auto fired = fire();
    EXPECT_EQ(fired->object(4), o.download->Data());
    EXPECT_EQ(fired->refct(4), 3);  // the test's, the recorder's and the engine's
  }
  handler.object.reset();
  EXPECT_EQ(fire()->object(4), nullptr);
}

TEST_F(HandlerTest, AuthCredentialsAreWrittenOnlyWhenTrueEvenWhenEmpty) {
  auto& handler = *o.request_handler;
  handler.texts = {u"", u""};
  for (bool answer : {false, true}) {
    handler.answer = answer;
    Fired fired(handler.Data(), "request_handler.get_auth_credentials",
                {Obj(o.browser), Int(0), Text(u"host"), Int(80), Text(u"realm"), Text(u"basic"),
                 String(u"engine user"), String(u"engine password")});
    for (int i : {6, 7}) {
      EXPECT_EQ(fired.untouched(i), !answer) << i;
      EXPECT_EQ(fired.text(i), answer ? u"" : (i == 6 ? u"engine user" : u"engine password")) << i;
    }
  }
}

TEST_F(HandlerTest, PrintHeaderAndFooterReplaceAllSixOnlyWhenFalse) {
  auto& handler = *o.print;
  handler.texts = {u"top left", u"", u"top right", u"bottom left", u"", u"bottom right"};
  const TSimArg hf = String(u"engine");
  for (bool answer : {true, false}) {
    handler.answer = answer;
    Fired fired(handler.Data(), "print_handler.get_print_header_footer",
                {Obj(o.browser), Obj(o.frame), Ptr(&o.printInfo), Text(u"u"), Text(u"t"), Int(1), Int(1), hf, hf,
                 hf, hf, hf, hf});
    for (int i = 0; i < 6; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(fired.untouched(7 + i), answer);
      EXPECT_EQ(fired.text(7 + i), answer ? u"engine" : handler.texts[i]);
      EXPECT_FALSE(fired.sentinel_released(7 + i));  // replaced as a whole, never set
    }
  }
}

TEST_F(HandlerTest, ScriptDialogsLeaveTheEnginesValuesWhenFalse) {
  auto& handler = *o.jsdialog;
  handler.flag = false;
  handler.texts = {u"Bob"};
  handler.answer = false;
  {
    Fired confirm(handler.Data(), "jsdialog_handler.on_jsconfirm",
                  {Obj(o.browser), Obj(o.frame), Text(u"?"), IntOut(1)});
    EXPECT_TRUE(confirm.untouched(3));
    Fired prompt(handler.Data(), "jsdialog_handler.on_jsprompt",
                 {Obj(o.browser), Obj(o.frame), Text(u"?"), Text(u"d"), IntOut(1), String(u"engine")});
    EXPECT_TRUE(prompt.untouched(4));
    EXPECT_TRUE(prompt.untouched(5));
  }
  handler.answer = true;
  Fired confirm(handler.Data(), "jsdialog_handler.on_jsconfirm", {Obj(o.browser), Obj(o.frame), Text(u"?"), IntOut(1)});
  EXPECT_EQ(confirm.number(3), 0);
  handler.flag = true;
  Fired prompt(handler.Data(), "jsdialog_handler.on_jsprompt",
               {Obj(o.browser), Obj(o.frame), Text(u"?"), Text(u"d"), IntOut(0), String(u"engine")});
  EXPECT_EQ(prompt.number(4), 1);
  EXPECT_EQ(prompt.text(5), u"Bob");
  EXPECT_TRUE(prompt.owned(5));
}

TEST_F(HandlerTest, FindResultFlagsAreReducedToBooleans) {
  Fired fired(o.find->Data(), "find_handler.on_find_result",
              {Obj(o.browser), Int(0), Int(3), Ptr(nullptr), Int(3), Int(0)});
  EXPECT_EQ(o.find->seen, (std::vector<Seen>{Structure{o.browser}, int64_t{3}, Address{nullptr}, false, true, false}));
}

TEST_F(HandlerTest, BeforePopupAlwaysWritesTheUrlAndTheClient) {
  auto& handler = *o.life_span;
  auto* client = o.popup_client->Data();
  const int32_t count = client->get_refct(client);
  const auto fire = [&] {
    return std::make_unique<Fired>(
        handler.Data(), "life_span_handler.on_before_popup",
        std::vector<TSimArg>{Obj(o.browser), Ptr(&o.popupFeatures), Ptr(&o.windowInfo), String(u"http://popup/"),
                             ObjOut(client), Ptr(&o.settings)});
  };
  handler.answer = true;  // unchanged, but written back all the same
  {
    auto fired = fire();
    EXPECT_EQ(fired->answer(), 1);
    EXPECT_TRUE(fired->sentinel_released(3));
    EXPECT_EQ(fired->text(3), u"http://popup/");
    EXPECT_EQ(fired->object(4), client);
    EXPECT_EQ(fired->refct(4), count + 1);  // the engine's pointer still carries one reference
  }
  handler.answer = false;  // the popup goes ahead: changed, and written back as well
  handler.texts = {u"http://changed/"};
  handler.object = IPtr<ICefBase>();  // cleared: the engine gets null
  auto fired = fire();
  EXPECT_EQ(fired->answer(), 0);
  EXPECT_EQ(fired->text(3), u"http://changed/");
  EXPECT_EQ(fired->object(4), nullptr);
  EXPECT_EQ(client->get_refct(client), count);
}

TEST_F(HandlerTest, TooltipIsTakenFromTheEngineAndAlwaysStoredBackAsAFreshCopy) {
  auto& handler = *o.display;
  for (bool answer : {true, false}) {
    handler.answer = answer;
    handler.texts = {answer ? u"changed" : u""};
    Fired fired(handler.Data(), "display_handler.on_tooltip", {Obj(o.browser), String(u"engine tip")});
    EXPECT_EQ(handler.seen[1], Seen(ustring(u"engine tip")));
    EXPECT_TRUE(fired.sentinel_released(1));  // taken and cleared before the call
    EXPECT_FALSE(fired.untouched(1));
    EXPECT_EQ(fired.text(1), answer ? u"changed" : u"");
  }
}

TEST_F(HandlerTest, TextsReadFromTheEngineGoBackUnderTheirMembersCondition) {
  // The menu label is always set back; the load error text only when the answer is true.
  o.menu->texts = {u"Kopieren"};
  Fired label(o.menu->Data(), "menu_handler.get_menu_label", {Obj(o.browser), Int(1), String(u"Copy")});
  EXPECT_EQ(label.text(2), u"Kopieren");
  EXPECT_TRUE(label.sentinel_released(2));
  for (bool answer : {false, true}) {
    o.load->answer = answer;
    o.load->texts = {u"handler text"};
    Fired error(o.load->Data(), "load_handler.on_load_error",
                {Obj(o.browser), Obj(o.frame), Int(-2), Text(u"u"), String(u"engine text")});
    EXPECT_EQ(error.text(4), answer ? u"handler text" : u"engine text");
  }
}

TEST_F(HandlerTest, LocalizedStringReachesTheEngineAsItsOwnCopyOnlyWhenTrue) {
  auto& handler = *o.bundle;
  handler.texts = {u"abc"};
  handler.answer = false;
  EXPECT_TRUE(Fired(handler.Data(), "resource_bundle_handler.get_localized_string", {Int(1), String(u"engine")})
                  .untouched(1));
  handler.answer = true;
  Fired fired(handler.Data(), "resource_bundle_handler.get_localized_string", {Int(1), String(u"engine")});
  handler.texts.clear();  // the handler's strings are gone; the engine's copy is its own
  EXPECT_EQ(fired.answer(), 1);
  EXPECT_EQ(fired.text(1), u"abc");
  EXPECT_TRUE(fired.owned(1));
  EXPECT_FALSE(fired.sentinel_released(1));  // replaced as a whole: the engine hands it over empty
}

TEST_F(HandlerTest, OutNumbersAndPointersGoStraightIntoTheEnginesStorage) {
  o.render->numbers = {640, 480};
  Fired point(o.render->Data(), "render_handler.get_screen_point",
              {Obj(o.browser), Int(1), Int(2), IntOut(0), IntOut(0)});
  EXPECT_EQ(point.number(3), 640);
  EXPECT_EQ(point.number(4), 480);

  o.bundle->answer = true;
  o.bundle->pointer = o.buffer;
  o.bundle->numbers = {4096};
  Fired resource(o.bundle->Data(), "resource_bundle_handler.get_data_resource",
                 {Int(9), Ptr(&o.resource_data), Ptr(&o.resource_size)});
  EXPECT_EQ(resource.answer(), 1);
  EXPECT_EQ(o.resource_data, o.buffer);
  EXPECT_EQ(o.resource_size, 4096u);

  // The proxy type is the engine's record field itself; the list is always set back.
  o.proxy->numbers = {2};
  o.proxy_info.proxyType = 1;
  ::cef_string_utf16_set(u"old", 3, &o.proxy_info.proxyList, 1);
  Fired proxy(o.proxy->Data(), "proxy_handler.get_proxy_for_url", {Text(u"http://x/"), Ptr(&o.proxy_info)});
  EXPECT_EQ(o.proxy->seen[1], Seen(int64_t{1}));
  EXPECT_EQ(o.proxy_info.proxyType, 2);
  EXPECT_EQ(o.proxy_info.proxyList.length, 0u);  // the handler left its list empty
  ::cef_string_utf16_clear(&o.proxy_info.proxyList);
}

}  // namespace
}  // namespace larkwell::handler_test
