#include "engine/browser_ref.h"

#include "engine/frame_ref.h"

namespace larkwell {

IPtr<ICefBrowser> TCefBrowserRef::UnWrap(void* data) { return CefUnWrap<TCefBrowserRef, ICefBrowser>(data); }

void TCefBrowserRef::ParentWindowWillClose() { CefCall<void, &TCefBrowser::parent_window_will_close>(FData); }
void TCefBrowserRef::CloseBrowser() { CefCall<void, &TCefBrowser::close_browser>(FData); }
bool TCefBrowserRef::CanGoBack() { return CefCall<bool, &TCefBrowser::can_go_back>(FData); }
void TCefBrowserRef::GoBack() { CefCall<void, &TCefBrowser::go_back>(FData); }
bool TCefBrowserRef::CanGoForward() { return CefCall<bool, &TCefBrowser::can_go_forward>(FData); }
void TCefBrowserRef::GoForward() { CefCall<void, &TCefBrowser::go_forward>(FData); }
void TCefBrowserRef::Reload() { CefCall<void, &TCefBrowser::reload>(FData); }
void TCefBrowserRef::ReloadIgnoreCache() { CefCall<void, &TCefBrowser::reload_ignore_cache>(FData); }
void TCefBrowserRef::StopLoad() { CefCall<void, &TCefBrowser::stop_load>(FData); }
void TCefBrowserRef::SetFocus(bool enable) { CefCall<void, &TCefBrowser::set_focus>(FData, enable); }
TCefWindowHandle TCefBrowserRef::GetWindowHandle() {
  return CefCall<TCefWindowHandle, &TCefBrowser::get_window_handle>(FData);
}
TCefWindowHandle TCefBrowserRef::GetOpenerWindowHandle() {
  return CefCall<TCefWindowHandle, &TCefBrowser::get_opener_window_handle>(FData);
}
bool TCefBrowserRef::IsPopup() { return CefCall<bool, &TCefBrowser::is_popup>(FData); }
bool TCefBrowserRef::HasDocument() { return CefCall<bool, &TCefBrowser::has_document>(FData); }
IPtr<ICefBase> TCefBrowserRef::GetClient() { return CefCall<IPtr<ICefBase>, &TCefBrowser::get_client>(FData); }
IPtr<ICefFrame> TCefBrowserRef::GetMainFrame() { return CefCall<IPtr<ICefFrame>, &TCefBrowser::get_main_frame>(FData); }
IPtr<ICefFrame> TCefBrowserRef::GetFocusedFrame() {
  return CefCall<IPtr<ICefFrame>, &TCefBrowser::get_focused_frame>(FData);
}
IPtr<ICefFrame> TCefBrowserRef::GetFrame(const ustring& name) {
  return CefCall<IPtr<ICefFrame>, &TCefBrowser::get_frame>(FData, name);
}
void TCefBrowserRef::GetFrameNames(TStrings& names) { CefCall<void, &TCefBrowser::get_frame_names>(FData, names); }
void TCefBrowserRef::Find(const ustring& searchText, bool identifier, bool forward, bool matchCase, bool findNext) {
  // The engine takes the identifier first.
  CefCall<void, &TCefBrowser::find>(FData, identifier, searchText, forward, matchCase, findNext);
}
void TCefBrowserRef::StopFinding(bool clearSelection) {
  CefCall<void, &TCefBrowser::stop_finding>(FData, clearSelection);
}
double TCefBrowserRef::GetZoomLevel() { return CefCall<double, &TCefBrowser::get_zoom_level>(FData); }
void TCefBrowserRef::SetZoomLevel(double zoomLevel) { CefCall<void, &TCefBrowser::set_zoom_level>(FData, zoomLevel); }
void TCefBrowserRef::ClearHistory() { CefCall<void, &TCefBrowser::clear_history>(FData); }
void TCefBrowserRef::ShowDevTools() { CefCall<void, &TCefBrowser::show_dev_tools>(FData); }
void TCefBrowserRef::CloseDevTools() { CefCall<void, &TCefBrowser::close_dev_tools>(FData); }
bool TCefBrowserRef::IsWindowRenderingDisabled() {
  return CefCall<bool, &TCefBrowser::is_window_rendering_disabled>(FData);
}
bool TCefBrowserRef::GetSize(TCefPaintElementType paintType, int& width, int& height) {
  return CefCall<bool, &TCefBrowser::get_size>(FData, paintType, &width, &height);
}
void TCefBrowserRef::SetSize(TCefPaintElementType paintType, int width, int height) {
  CefCall<void, &TCefBrowser::set_size>(FData, paintType, width, height);
}
bool TCefBrowserRef::IsPopupVisible() { return CefCall<bool, &TCefBrowser::is_popup_visible>(FData); }
void TCefBrowserRef::HidePopup() { CefCall<void, &TCefBrowser::hide_popup>(FData); }
void TCefBrowserRef::Invalidate(const TCefRect* dirtyRect) { CefCall<void, &TCefBrowser::invalidate>(FData, dirtyRect); }
bool TCefBrowserRef::GetImage(TCefPaintElementType paintType, int width, int height, void* buffer) {
  return CefCall<bool, &TCefBrowser::get_image>(FData, paintType, width, height, buffer);
}
void TCefBrowserRef::SendKeyEvent(TCefKeyType keyType, int key, int modifiers, bool sysChar, bool imeChar) {
  CefCall<void, &TCefBrowser::send_key_event>(FData, keyType, key, modifiers, sysChar, imeChar);
}
void TCefBrowserRef::SendMouseClickEvent(int x, int y, TCefMouseButtonType buttonType, bool mouseUp, int clickCount) {
  CefCall<void, &TCefBrowser::send_mouse_click_event>(FData, x, y, buttonType, mouseUp, clickCount);
}
void TCefBrowserRef::SendMouseMoveEvent(int x, int y, bool mouseLeave) {
  CefCall<void, &TCefBrowser::send_mouse_move_event>(FData, x, y, mouseLeave);
}
void TCefBrowserRef::SendMouseWheelEvent(int x, int y, int delta) {
  CefCall<void, &TCefBrowser::send_mouse_wheel_event>(FData, x, y, delta);
}
void TCefBrowserRef::SendFocusEvent(bool setFocus) { CefCall<void, &TCefBrowser::send_focus_event>(FData, setFocus); }
void TCefBrowserRef::SendCaptureLostEvent() { CefCall<void, &TCefBrowser::send_capture_lost_event>(FData); }

}  // namespace larkwell
