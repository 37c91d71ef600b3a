// The wrapper of the engine's browser. Each method calls the browser member of the same name.
#pragma once

#include "engine/cef_call.h"
#include "engine/cef_interfaces.h"

namespace larkwell {

class TCefBrowserRef : public TCefBaseRef, public ICefBrowser {
 public:
  using TCefBaseRef::TCefBaseRef;
  // The wrapper of `data`, empty for null; takes over the reference that came with `data`.
  static IPtr<ICefBrowser> UnWrap(void* data);

  void ParentWindowWillClose() override;
  void CloseBrowser() override;
  bool CanGoBack() override;
  void GoBack() override;
  bool CanGoForward() override;
  void GoForward() override;
  void Reload() override;
  void ReloadIgnoreCache() override;
  void StopLoad() override;
  void SetFocus(bool enable) override;
  TCefWindowHandle GetWindowHandle() override;
  TCefWindowHandle GetOpenerWindowHandle() override;
  bool IsPopup() override;
  bool HasDocument() override;
  // The browser's client as a plain engine object (a TCefBaseRef).
  IPtr<ICefBase> GetClient() override;
  IPtr<ICefFrame> GetMainFrame() override;
  IPtr<ICefFrame> GetFocusedFrame() override;
  // Empty for a name the browser does not know.
  IPtr<ICefFrame> GetFrame(const ustring& name) override;
  // Appends the engine's frame names to `names` without clearing it.
  void GetFrameNames(TStrings& names) override;
  void Find(const ustring& searchText, bool identifier, bool forward, bool matchCase, bool findNext) override;
  void StopFinding(bool clearSelection) override;
  double GetZoomLevel() override;
  void SetZoomLevel(double zoomLevel) override;
  void ClearHistory() override;
  void ShowDevTools() override;
  void CloseDevTools() override;
  bool IsWindowRenderingDisabled() override;
  // The engine writes `width` and `height`.
  bool GetSize(TCefPaintElementType paintType, int& width, int& height) override;
  void SetSize(TCefPaintElementType paintType, int width, int height) override;
  bool IsPopupVisible() override;
  void HidePopup() override;
  void Invalidate(const TCefRect* dirtyRect) override;
  bool GetImage(TCefPaintElementType paintType, int width, int height, void* buffer) override;
  void SendKeyEvent(TCefKeyType keyType, int key, int modifiers, bool sysChar, bool imeChar) override;
  void SendMouseClickEvent(int x, int y, TCefMouseButtonType buttonType, bool mouseUp, int clickCount) override;
  void SendMouseMoveEvent(int x, int y, bool mouseLeave) override;
  void SendMouseWheelEvent(int x, int y, int delta) override;
  void SendFocusEvent(bool setFocus) override;
  void SendCaptureLostEvent() override;
};
template <>
struct CefRefClass<ICefBrowser> {
  using type = TCefBrowserRef;
};

}  // namespace larkwell
