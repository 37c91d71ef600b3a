// The engine's side of the browser control's client, played by a test: the objects and records
// the engine passes to callbacks, and the handler structures it gets from the client. Every
// reference the test holds as the engine is released at the end of the test.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "browser/client_handler.h"
#include "engine/cef_string.h"
#include "enginesim/control.h"
#include "enginesim/control_web.h"
#include "enginesim/exports.h"
#include "tests/browser/recording_events.h"

namespace larkwell::testing {

class EngineSide {
 public:
  EngineSide() {
    TSimBrowserSetup setup{};
    browser = sim_create_browser(&setup);
    frame = browser->get_main_frame(browser);
    held_ = {&browser->base, &frame->base};
    // Only their identity matters to the handlers: plain engine objects stand for them.
    Probe(request);
    Probe(response);
    Probe(stream);
    Probe(filter);
    Probe(node);
    Probe(context);
    Probe(dragData);
  }
  ~EngineSide() {
    ReleaseHandlers();
    for (void* slot : slots_) {
      if (auto* structure = static_cast<TCefBase*>(slot)) structure->release(structure);
    }
    for (TCefBase* structure : held_) structure->release(structure);
    for (TCefString& text : texts_) ::cef_string_utf16_clear(&text);
  }
  EngineSide(const EngineSide&) = delete;
  EngineSide& operator=(const EngineSide&) = delete;

  // Gives the names the recording events describe the engine's arguments by.
  void Name(TRecordingEvents& events) {
    events.names = {{browser, "browser"},
                    {frame, "frame"},
                    {request, "request"},
                    {response, "response"},
                    {stream, "stream"},
                    {filter, "filter"},
                    {node, "node"},
                    {context, "context"},
                    {dragData, "dragData"},
                    {&popupFeatures, "popupFeatures"},
                    {&windowInfo, "windowInfo"},
                    {&settings, "settings"},
                    {&menuInfo, "menuInfo"},
                    {&printInfo, "printInfo"},
                    {&printOptions, "printOptions"},
                    {&rect, "rect"},
                    {dirtyRects, "dirtyRects"},
                    {buffer, "buffer"},
                    {cursor, "cursor"}};
  }

  // Asks `client` for one handler family, as the engine does, and holds the reference it gets.
  template <class Handler>
  Handler* Get(TCustomClientHandler& client, Handler* (CEF_CALLBACK* TCefClient::*getter)(TCefClient*)) {
    auto* structure = client.DataAs<TCefClient>();
    Handler* handler = (structure->*getter)(structure);
    if (handler) {
      sim_adopt_ref(&handler->base);
      adopted_.push_back(&handler->base);
    }
    return handler;
  }
  // Lets go of the handler structures got so far (before the client goes).
  void ReleaseHandlers() {
    for (TCefBase* handler : adopted_) sim_release(handler);
    adopted_.clear();
  }

  // An engine object as a callback argument: one more reference, which the callback takes over.
  template <class T>
  T* Give(T* object) {
    sim_add_ref(reinterpret_cast<TCefBase*>(object));
    return object;
  }
  // A text the callback may only read; lives as long as this object.
  const TCefString* In(const char16_t* text) {
    return &views_.emplace_back(CefStringView(strings_.emplace_back(text)));
  }
  // An engine-owned text record the callback may change; freed at the end.
  TCefString* InOut(const char16_t* text) { return &texts_.emplace_back(CefStringCopy(text)); }
  int* Flag(int value) { return &flags_.emplace_back(value); }
  // A place where the engine keeps an object pointer that the callback may replace; holds one
  // reference to `object` (if any) and releases whatever it holds at the end.
  template <class S>
  S** ObjectSlot(S* object) {
    if (object) sim_add_ref(reinterpret_cast<TCefBase*>(object));
    void*& slot = slots_.emplace_back(object);
    return reinterpret_cast<S**>(&slot);
  }

  TCefBrowser* browser;
  TCefFrame* frame;
  TCefRequest* request;
  TCefResponse* response;
  TCefStreamReader* stream;
  TCefContentFilter* filter;
  TCefDomNode* node;
  TCefV8Context* context;
  TCefDragData* dragData;
  TCefPopupFeatures popupFeatures{};
  TCefWindowInfo windowInfo{};
  TCefBrowserSettings settings{};
  TCefMenuInfo menuInfo{};
  TCefPrintInfo printInfo{};
  TCefPrintOptions printOptions{};
  TCefRect rect{};
  TCefRect dirtyRects[3]{};
  uint8_t buffer[16]{};
  TCefCursorHandle cursor = reinterpret_cast<TCefCursorHandle>(uintptr_t{0x1234});

 private:
  template <class T>
  void Probe(T*& object) {
    TCefBase* probe = sim_create_object(1);
    held_.push_back(probe);
    object = reinterpret_cast<T*>(probe);
  }

  std::vector<TCefBase*> held_;
  std::vector<TCefBase*> adopted_;
  std::deque<ustring> strings_;
  std::deque<TCefString> views_;
  std::deque<TCefString> texts_;
  std::deque<int> flags_;
  std::deque<void*> slots_;
};

}  // namespace larkwell::testing
