// The engine's side of a callback, played by a test: the references it holds (EngineRef), the
// engine objects and records it passes to callbacks, the texts and slots it lends, and the
// handler structures it asks the program for. Whatever the test holds as the engine is released
// when the EngineSide goes, so an EngineTest's ledger check sees only what the program kept.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/interface.h"
#include "engine/cef_api.h"
#include "engine/cef_base.h"
#include "engine/cef_string.h"
#include "enginesim/control.h"
#include "enginesim/control_script.h"
#include "enginesim/control_web.h"
#include "enginesim/exports.h"

namespace larkwell::testing {

// One engine reference the test holds, of an engine structure typed S, released when it goes.
template <class S = TCefBase>
class EngineRef {
 public:
  EngineRef() noexcept = default;
  explicit EngineRef(S* structure) noexcept : structure_(structure) {}
  ~EngineRef() { Reset(); }
  EngineRef(EngineRef&& other) noexcept : structure_(std::exchange(other.structure_, nullptr)) {}
  EngineRef& operator=(EngineRef&& other) noexcept {
    if (this != &other) {
      Reset();
      structure_ = std::exchange(other.structure_, nullptr);
    }
    return *this;
  }

  S* get() const noexcept { return structure_; }
  S* operator->() const noexcept { return structure_; }
  operator S*() const noexcept { return structure_; }
  TCefBase* base() const noexcept { return reinterpret_cast<TCefBase*>(structure_); }
  int32_t refct() const { return sim_get_refct(base()); }
  void Reset() noexcept {
    if (TCefBase* structure = base()) {
      structure_ = nullptr;
      structure->release(structure);
    }
  }

 private:
  S* structure_ = nullptr;
};
template <class S>
EngineRef(S*) -> EngineRef<S>;

// The engine structure behind an object (typed S), borrowed: valid while the object lives.
template <class S = TCefBase, class I>
S* StructureOf(const IPtr<I>& object) {
  TCefBase* structure = static_cast<ICefBase*>(object.get())->Wrap();
  structure->release(structure);  // give back the reference Wrap added
  return reinterpret_cast<S*>(structure);
}

// A new wrapper of engine object `structure`, typed I, with a reference of its own.
template <class I = ICefBase>
IPtr<I> WrapperOf(void* structure) {
  auto* base = static_cast<TCefBase*>(structure);
  base->add_ref(base);
  return CefUnWrapAs<I>(base);
}

// The window of the engine side's browser.
inline const auto kEngineSideWindow = reinterpret_cast<TCefWindowHandle>(uintptr_t{0x5150});

class EngineSide {
 public:
  EngineSide() = default;
  ~EngineSide() {
    ReleaseHandlers();
    // Each slot's reference, whatever the callback left there.
    for (void* slot : slots_) EngineRef<>(static_cast<TCefBase*>(slot)).Reset();
    for (TCefString& text : texts_) ::cef_string_utf16_clear(&text);
  }
  EngineSide(const EngineSide&) = delete;
  EngineSide& operator=(const EngineSide&) = delete;

  // The engine's arguments by name, for texts that describe calls.
  std::map<const void*, std::string> Names() const {
    return {{browser, "browser"},
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

  // Asks a client structure for one handler family, as the engine does, and holds the reference
  // it gets until ReleaseHandlers.
  template <class Handler>
  Handler* Get(TCefClient* client, Handler* (CEF_CALLBACK* TCefClient::*getter)(TCefClient*)) {
    Handler* handler = (client->*getter)(client);
    if (handler) {
      sim_adopt_ref(&handler->base);
      adopted_.push_back(&handler->base);
    }
    return handler;
  }
  // The same, of a program's client object (a TCefClientOwn).
  template <class ClientOwn, class Handler>
  Handler* Get(ClientOwn& client, Handler* (CEF_CALLBACK* TCefClient::*getter)(TCefClient*)) {
    return Get(client.template DataAs<TCefClient>(), getter);
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
  template <class T>
  T* Give(const EngineRef<T>& object) {
    return Give(object.get());
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
  template <class S>
  S** ObjectSlot(const EngineRef<S>& object) {
    return ObjectSlot(object.get());
  }

  // --- engine objects, one reference each held by the engine side
  EngineRef<TCefBrowser> browser{MakeBrowser()};
  EngineRef<TCefFrame> frame{browser->get_main_frame(browser)};
  EngineRef<TCefRequest> request{::cef_request_create()};
  EngineRef<TCefResponse> response{sim_create_response(200, "OK", "text/html", nullptr)};
  EngineRef<TCefStreamReader> stream{::cef_stream_reader_create_for_data(const_cast<char*>("data"), 4)};
  EngineRef<TCefDragData> dragData{MakeDragData()};
  EngineRef<TCefDomDocument> document{sim_create_document("<html><body><p>x</p></body></html>", "http://page/")};
  EngineRef<TCefDomNode> node{document->get_body(document)};
  EngineRef<TCefV8Context> context{sim_create_v8context(browser, frame)};
  // Only its identity matters: a plain engine object stands for it.
  EngineRef<TCefContentFilter> filter{reinterpret_cast<TCefContentFilter*>(sim_create_object(1))};

  // --- engine records
  TCefPopupFeatures popupFeatures{};
  TCefWindowInfo windowInfo{};
  TCefBrowserSettings settings{};
  TCefMenuInfo menuInfo{};
  TCefPrintInfo printInfo{};
  TCefPrintOptions printOptions{};
  TCefRect rect{1, 2, 3, 4};
  TCefRect dirtyRects[3]{};
  unsigned char buffer[4096]{};
  TCefCursorHandle cursor = reinterpret_cast<TCefCursorHandle>(uintptr_t{0x1234});

 private:
  static TCefBrowser* MakeBrowser() {
    TSimBrowserSetup setup{};
    setup.window = kEngineSideWindow;
    return sim_create_browser(&setup);
  }
  static TCefDragData* MakeDragData() {
    TSimDragDataSetup setup{};
    setup.is_link = 1;
    setup.link_url = "http://dragged/";
    return sim_create_drag_data(&setup);
  }

  std::vector<TCefBase*> adopted_;
  std::deque<ustring> strings_;
  std::deque<TCefString> views_;
  std::deque<TCefString> texts_;
  std::deque<int> flags_;
  std::deque<void*> slots_;
};

}  // namespace larkwell::testing
