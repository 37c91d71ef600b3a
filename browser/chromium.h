// The browser control: a windowed control whose client area is covered by one engine browser.
//
// TCustomChromium has all behaviour; TChromium publishes the properties for stored forms. The
// control creates its client (a TVCLClientHandler) when constructed and a new browser every time
// its own window is made; every engine callback that reaches the client's handlers ends in one
// of its event properties. It implements IChromiumEvents without reference counting: the form
// that owns it frees it, and the handlers' references do not keep it alive.
#pragma once

#include <cstdint>
#include <memory>

#include "browser/chromium_events.h"
#include "browser/chromium_options.h"
#include "engine/cef_interfaces.h"
#include "framework/forms/properties.h"
#include "framework/ui/win_control.h"

namespace larkwell {

// What BrowserHandle reads before the first browser exists.
inline const TCefWindowHandle kNoBrowserHandle = reinterpret_cast<TCefWindowHandle>(static_cast<intptr_t>(-1));

class TCustomChromium : public TWinControl, public IChromiumEvents {
 public:
  // A designing control gets no client and never a browser.
  explicit TCustomChromium(bool designing = false);
  // Tells the browser its parent window will close, makes the client release its handlers,
  // releases browser and client, then destroys the window with the browser's child window.
  ~TCustomChromium() override;

  // Makes sure the window (and with it a browser) exists, then loads `url` in the main frame.
  // Without a browser, or a main frame, the address is dropped.
  void Load(const ustring& url);
  // Throws the browser away (its window closed and destroyed), creates a new one with the
  // current settings and loads `url`. Nothing without a browser, or with one that has no window
  // (handle 0).
  void ReCreateBrowser(const ustring& url);

  const IPtr<ICefBrowser>& Browser() const noexcept { return FBrowser; }
  // The browser's window; kNoBrowserHandle before the first browser, 0 while re-creating.
  TCefWindowHandle BrowserHandle() const noexcept { return FBrowserHandle; }

  const ustring& DefaultUrl() const noexcept { return FDefaultUrl; }
  void SetDefaultUrl(const ustring& url) { FDefaultUrl = url; }
  const ustring& DefaultEncoding() const noexcept { return FDefaultEncoding; }
  void SetDefaultEncoding(const ustring& value) { FDefaultEncoding = value; }
  const ustring& UserStyleSheetLocation() const noexcept { return FUserStyleSheetLocation; }
  void SetUserStyleSheetLocation(const ustring& value) { FUserStyleSheetLocation = value; }

  // The control owns its options. Assigning hands a new object over (the old one is freed);
  // the settings are read only when a browser is created.
  TChromiumOptions& Options() noexcept { return *FOptions; }
  void SetOptions(std::unique_ptr<TChromiumOptions> options);
  TChromiumFontOptions& FontOptions() noexcept { return *FFontOptions; }

  void Loaded() override;

  // ---- IChromiumEvents: one raise method per event ----
  void FillBrowserSettings(TCefBrowserSettings& settings) override;
#define LARKWELL_DECLARE_RAISE(Name, EventType, Result, Parameters, Arguments) Result Fire##Name Parameters override;
#define LARKWELL_DECLARE_RENDER(Name, Result, Parameters, Arguments) Result Fire##Name Parameters override;
  LARKWELL_CHROMIUM_EVENTS(LARKWELL_DECLARE_RAISE, LARKWELL_DECLARE_RAISE, LARKWELL_DECLARE_RENDER)
#undef LARKWELL_DECLARE_RAISE
#undef LARKWELL_DECLARE_RENDER

  // ---- the event properties ----
  // Events come on the engine's threads as well as on the user-interface thread. A handler on an
  // engine thread may send messages to the control's windows (set a text, SendMessage), also
  // while the control is being destroyed: the destruction waits for such calls to return and
  // handles the messages sent to its thread meanwhile (TVCLClientHandler::WhileWaitingForCalls).
#define LARKWELL_EVENT_ACCESSORS(Name, EventType, Result, Parameters, Arguments) \
  const EventType& On##Name() const noexcept { return FOn##Name; }              \
  void SetOn##Name(EventType handler) { FOn##Name = std::move(handler); }
#define LARKWELL_NO_ACCESSORS(...)
  LARKWELL_CHROMIUM_EVENTS(LARKWELL_EVENT_ACCESSORS, LARKWELL_EVENT_ACCESSORS, LARKWELL_NO_ACCESSORS)
#undef LARKWELL_EVENT_ACCESSORS

  // ---- IInterface, without counting ----
  bool QueryInterface(const TGUID& iid, void** out) noexcept override;
  int32_t AddRef() noexcept override { return 1; }
  int32_t Release() noexcept override { return 1; }

 protected:
  // After the framework has made the window: a new browser in it.
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  // Moves the browser's window to the client rectangle, in one deferred batch.
  void Resize() override;

  IPtr<ICefBase> FHandler;  // the client; empty while designing
  IPtr<ICefBrowser> FBrowser;
  TCefWindowHandle FBrowserHandle = kNoBrowserHandle;
  ustring FDefaultUrl;
#define LARKWELL_EVENT_SLOT(Name, EventType, Result, Parameters, Arguments) EventType FOn##Name{};
  LARKWELL_CHROMIUM_EVENTS(LARKWELL_EVENT_SLOT, LARKWELL_EVENT_SLOT, LARKWELL_NO_ACCESSORS)
#undef LARKWELL_EVENT_SLOT
#undef LARKWELL_NO_ACCESSORS
  std::unique_ptr<TChromiumOptions> FOptions;
  ustring FUserStyleSheetLocation;
  ustring FDefaultEncoding;
  std::unique_ptr<TChromiumFontOptions> FFontOptions;

 private:
  // Creates the browser in the control's window (every time the window is made).
  void CreateBrowserWindow();
};

class TChromium : public TCustomChromium {
 public:
  using TCustomChromium::TCustomChromium;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

// Forms that name TChromium find it once this header is part of the program.
inline const TClassRegistration<TChromium> kRegisterTChromium;

}  // namespace larkwell
