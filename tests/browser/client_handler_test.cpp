// The browser control's client: one handler object per family for its whole life, handed out
// again and again, and let go of for good when the control goes.
#include <gtest/gtest.h>

#include <memory>

#include "browser/event_handlers.h"
#include "tests/browser/handler_test.h"

namespace larkwell::testing {
namespace {

using ClientHandlerTest = RecordingClientTest;

using Getter = IPtr<ICefBase> (TCustomClientHandler::*)();

// Each getter with a check that it hands out the handler class of its family.
struct Expected {
  const char* name;
  Getter getter;
  bool (*is_its_class)(ICefBase*);
};
template <class Handler>
constexpr bool IsA(ICefBase* object) {
  return dynamic_cast<Handler*>(object) != nullptr;
}
const Expected kFamilies[] = {
    {"life span", &TCustomClientHandler::GetLifeSpanHandler, &IsA<TCustomLifeSpanHandler>},
    {"load", &TCustomClientHandler::GetLoadHandler, &IsA<TCustomLoadHandler>},
    {"request", &TCustomClientHandler::GetRequestHandler, &IsA<TCustomRequestHandler>},
    {"display", &TCustomClientHandler::GetDisplayHandler, &IsA<TCustomDisplayHandler>},
    {"focus", &TCustomClientHandler::GetFocusHandler, &IsA<TCustomFocusHandler>},
    {"keyboard", &TCustomClientHandler::GetKeyboardHandler, &IsA<TCustomKeyboardHandler>},
    {"menu", &TCustomClientHandler::GetMenuHandler, &IsA<TCustomMenuHandler>},
    {"permission", &TCustomClientHandler::GetPermissionHandler, &IsA<TCustomPermissionHandler>},
    {"print", &TCustomClientHandler::GetPrintHandler, &IsA<TCustomPrintHandler>},
    {"find", &TCustomClientHandler::GetFindHandler, &IsA<TCustomFindHandler>},
    {"script dialog", &TCustomClientHandler::GetJsdialogHandler, &IsA<TCustomJsDialogHandler>},
    {"script context", &TCustomClientHandler::GetV8contextHandler, &IsA<TCustomV8ContextHandler>},
    {"render", &TCustomClientHandler::GetRenderHandler, &IsA<TCustomRenderHandler>},
    {"drag", &TCustomClientHandler::GetDragHandler, &IsA<TCustomDragHandler>},
};

TEST_F(ClientHandlerTest, EachGetterHandsOutItsOwnHandlerTheSameEveryTime) {
  for (const Expected& family : kFamilies) {
    IPtr<ICefBase> first = ((*client).*family.getter)();
    EXPECT_TRUE(family.is_its_class(first.get())) << family.name;
    EXPECT_EQ(((*client).*family.getter)(), first) << family.name;
  }
  // The engine's side: a second request gives the structure it already has.
  EXPECT_EQ(engine->Get(*client, &TCefClient::get_load_handler), h.load);
  EXPECT_EQ(engine->Get(*client, &TCefClient::get_drag_handler), h.drag);
}

TEST_F(ClientHandlerTest, AfterReleaseHandlersNoGetterHandsOutAnythingAndASecondReleaseChangesNothing) {
  IPtr<ICefClientTeardown> teardown = Query<ICefClientTeardown>(client);
  ASSERT_TRUE(teardown) << "the control reaches ReleaseHandlers through its identifier";
  teardown->ReleaseHandlers();
  for (const Expected& family : kFamilies) EXPECT_FALSE(((*client).*family.getter)()) << family.name;
  EXPECT_EQ(engine->Get(*client, &TCefClient::get_life_span_handler), nullptr);
  EXPECT_EQ(engine->Get(*client, &TCefClient::get_permission_handler), nullptr);

  teardown->ReleaseHandlers();
  EXPECT_FALSE(client->GetLoadHandler());
  EXPECT_EQ(events.TakeCalls(), "");
}

// The mended fault: a handler the engine still holds after the control is gone must not call
// into the control. The control here is really destroyed, so a call would be a use after free.
TEST_F(ClientHandlerTest, ACallbackAfterTheControlIsGoneTouchesNothing) {
  auto control = std::make_unique<TRecordingEvents>();
  auto popup_client = New<TCustomClientHandler>(IPtr<IChromiumEvents>::CopyFrom(control.get()));
  EngineSide& e = *engine;
  auto* life = e.Get(*popup_client, &TCefClient::get_life_span_handler);
  auto* load = e.Get(*popup_client, &TCefClient::get_load_handler);
  auto* display = e.Get(*popup_client, &TCefClient::get_display_handler);
  auto* request = e.Get(*popup_client, &TCefClient::get_request_handler);

  Query<ICefClientTeardown>(popup_client)->ReleaseHandlers();
  popup_client.Reset();
  control.reset();

  TCefString* url = e.InOut(u"http://popup/");
  e.settings.size = 1;  // a fill would fail its size assertion: it must not be attempted
  EXPECT_EQ(life->on_before_popup(life, e.Give(e.browser), &e.popupFeatures, &e.windowInfo, url,
                                  e.ObjectSlot<TCefClient>(nullptr), &e.settings),
            0);
  EXPECT_EQ(CefStringToNative(url), u"http://popup/");
  load->on_load_end(load, e.Give(e.browser), e.Give(e.frame), 200);
  TCefString* tip = e.InOut(u"tip");
  EXPECT_EQ(display->on_tooltip(display, e.Give(e.browser), tip), 0);
  EXPECT_EQ(CefStringToNative(tip), u"tip");
  TCefDownloadHandler** handler = e.ObjectSlot<TCefDownloadHandler>(nullptr);
  EXPECT_EQ(request->get_download_handler(request, e.Give(e.browser), e.In(u"a"), e.In(u"b"), 1, handler), 0);
  EXPECT_EQ(*handler, nullptr);
  EXPECT_EQ(CefReportedErrorCount(), 0);
}

}  // namespace
}  // namespace larkwell::testing
