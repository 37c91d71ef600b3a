// The fixture of the tests that play the engine against the browser control's client.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "engine/cef_error_report.h"
#include "browser/client_handler.h"
#include "tests/browser/recording_events.h"
#include "tests/support/engine_side.h"
#include "tests/support/engine_test.h"

namespace larkwell::testing {

// The handler structures of one client, as the engine got them.
struct Handlers {
  TCefLifeSpanHandler* life;
  TCefLoadHandler* load;
  TCefRequestHandler* request;
  TCefDisplayHandler* display;
  TCefFocusHandler* focus;
  TCefKeyboardHandler* keyboard;
  TCefMenuHandler* menu;
  TCefPermissionHandler* permission;
  TCefPrintHandler* print;
  TCefFindHandler* find;
  TCefJsDialogHandler* jsdialog;
  TCefV8ContextHandler* v8context;
  TCefRenderHandler* render;
  TCefDragHandler* drag;
};

inline Handlers Fetch(EngineSide& e, TCustomClientHandler& handler) {
  TCefClient* client = handler.DataAs<TCefClient>();
  return {e.Get(client, &TCefClient::get_life_span_handler), e.Get(client, &TCefClient::get_load_handler),
          e.Get(client, &TCefClient::get_request_handler),   e.Get(client, &TCefClient::get_display_handler),
          e.Get(client, &TCefClient::get_focus_handler),     e.Get(client, &TCefClient::get_keyboard_handler),
          e.Get(client, &TCefClient::get_menu_handler),      e.Get(client, &TCefClient::get_permission_handler),
          e.Get(client, &TCefClient::get_print_handler),     e.Get(client, &TCefClient::get_find_handler),
          e.Get(client, &TCefClient::get_jsdialog_handler),  e.Get(client, &TCefClient::get_v8context_handler),
          e.Get(client, &TCefClient::get_render_handler),    e.Get(client, &TCefClient::get_drag_handler)};
}

// A client for recording events, with every handler family got from it as the engine does.
class RecordingClientTest : public EngineTest {
 protected:
  void SetUp() override {
    ResetCefReportedErrors();
    events.names = engine->Names();
  }
  void TearDown() override {
    events.ClearReactions();
    engine.reset();
    client.Reset();
    EngineTest::TearDown();
    ResetCefReportedErrors();
  }

  TRecordingEvents events;
  IPtr<TCustomClientHandler> client = New<TCustomClientHandler>(IPtr<IChromiumEvents>::CopyFrom(&events));
  std::unique_ptr<EngineSide> engine = std::make_unique<EngineSide>();
  Handlers h = Fetch(*engine, *client);
};

}  // namespace larkwell::testing
