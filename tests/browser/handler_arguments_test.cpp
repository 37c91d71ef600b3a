// What an event changes in the arguments it may change reaches the engine's own storage: one
// case for each kind of argument (records, text, flag, numbers, objects).
#include <gtest/gtest.h>

#include "tests/browser/handler_test.h"

namespace larkwell::testing {
namespace {

using HandlerArgumentsTest = RecordingClientTest;

ustring Text(const TCefString* record) { return CefStringToNative(record); }

TEST_F(HandlerArgumentsTest, APopupGetsTheControlsSettingsFirstAndTheEventShapesIt) {
  events.OnFillBrowserSettings = [](TCefBrowserSettings& settings) { settings.history_disabled = 1; };
  bool settings_were_filled = false;
  events.OnBeforePopup = [&](const IPtr<ICefBrowser>&, TCefPopupFeatures& features, TCefWindowInfo& window,
                             ustring& url, IPtr<ICefBase>& popupClient) {
    settings_were_filled = engine->settings.history_disabled == 1;
    features.width = 320;
    window.Width = 640;
    url = u"http://changed/";
    popupClient = client;
    return true;
  };
  TCefString* url = engine->InOut(u"http://popup/");
  TCefClient** popupClient = engine->ObjectSlot<TCefClient>(nullptr);

  EXPECT_EQ(h.life->on_before_popup(h.life, engine->Give(engine->browser), &engine->popupFeatures, &engine->windowInfo,
                                    url, popupClient, &engine->settings),
            1);
  EXPECT_TRUE(settings_were_filled);
  EXPECT_EQ(engine->popupFeatures.width, 320);
  EXPECT_EQ(engine->windowInfo.Width, 640);
  EXPECT_EQ(Text(url), u"http://changed/");
  EXPECT_EQ(*popupClient, client->DataAs<TCefClient>());
}

TEST_F(HandlerArgumentsTest, TextsFlagsAndNumbersTheEventChangesReachTheEngine) {
  EngineSide& e = *engine;
  events.OnLoadError = [](auto&, auto&, int, auto&, ustring& errorText) {
    errorText += u" (handled)";
    return true;
  };
  TCefString* errorText = e.InOut(u"refused");
  EXPECT_EQ(h.load->on_load_error(h.load, e.Give(e.browser), e.Give(e.frame), -1, e.In(u"u"), errorText), 1);
  EXPECT_EQ(Text(errorText), u"refused (handled)");

  events.OnProtocolExecution = [](auto&, auto&, bool& allow) {
    allow = true;
    return false;
  };
  int* allow = e.Flag(0);
  EXPECT_EQ(h.request->on_protocol_execution(h.request, e.Give(e.browser), e.In(u"mailto:a"), allow), 0);
  EXPECT_EQ(*allow, 1);

  events.OnGetScreenPoint = [](auto&, int viewX, int viewY, int& screenX, int& screenY) {
    screenX = viewX + 100;
    screenY = viewY + 200;
    return true;
  };
  int *screenX = e.Flag(0), *screenY = e.Flag(0);
  EXPECT_EQ(h.render->get_screen_point(h.render, e.Give(e.browser), 1, 2, screenX, screenY), 1);
  EXPECT_EQ(*screenX, 101);
  EXPECT_EQ(*screenY, 202);
}

class TTestDownload : public TCefDownloadHandlerOwn {
 public:
  int ReceivedData(void*, int DataSize) override { return DataSize; }
  void Complete() override {}
};

TEST_F(HandlerArgumentsTest, ObjectsTheEventHandsOverOrTakesAwayReachTheEngine) {
  EngineSide& e = *engine;
  IPtr<TTestDownload> download = New<TTestDownload>();
  events.OnGetDownloadHandler = [&](auto&, auto&, auto&, int64_t, IPtr<ICefDownloadHandler>& handler) {
    handler = download;
    return true;
  };
  TCefDownloadHandler** handler = e.ObjectSlot<TCefDownloadHandler>(nullptr);
  EXPECT_EQ(
      h.request->get_download_handler(h.request, e.Give(e.browser), e.In(u"text/csv"), e.In(u"a.xls"), 10, handler), 1);
  EXPECT_EQ(*handler, download->DataAs<TCefDownloadHandler>());

  events.OnBeforeResourceLoad = [](auto&, auto&, ustring& redirectUrl, IPtr<ICefStreamReader>& stream, auto&, int) {
    redirectUrl = u"http://elsewhere/";
    stream = nullptr;
    return false;
  };
  TCefString* redirect = e.InOut(u"");
  TCefStreamReader** stream = e.ObjectSlot(e.stream);
  h.request->on_before_resource_load(h.request, e.Give(e.browser), e.Give(e.request), redirect, stream,
                                     e.Give(e.response), 0);
  EXPECT_EQ(Text(redirect), u"http://elsewhere/");
  EXPECT_EQ(*stream, nullptr);
}

}  // namespace
}  // namespace larkwell::testing
