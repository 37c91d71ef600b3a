// The real child windows browsers get on Windows: made as the window information says, painted,
// closed and taken along with their parent like any child window, and destroyed with the
// browser only while they still exist.
#include <windows.h>

#include <array>
#include <string>

#include "browser_windows.h"

namespace larkwell::enginesim::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST_F(BrowserWindows, TheBrowserWindowIsAChildWithExactlyTheGivenRectangleStyleAndIdentifier) {
  const std::u16string name = u"页面";
  TCefWindowInfo info = child_info({10, 20, 310, 220});
  info.ExStyle = WS_EX_CONTROLPARENT;
  info.windowName = view(name);
  info.Menu = reinterpret_cast<TCefMenuHandle>(uintptr_t{7});
  TCefBrowser* browser = create(client, u"", &info);
  const auto window = static_cast<HWND>(info.Wnd);
  ASSERT_NE(window, nullptr) << "the engine stores the window it made";
  EXPECT_EQ(browser->get_window_handle(browser), info.Wnd);
  EXPECT_EQ(browser->get_opener_window_handle(browser), nullptr);

  wchar_t class_name[64] = {};
  GetClassNameW(window, class_name, 64);
  EXPECT_EQ(std::wstring(class_name), L"EngineSim.Browser");
  EXPECT_EQ(GetParent(window), parent);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), info.Style);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)), info.ExStyle);
  EXPECT_EQ(GetDlgCtrlID(window), 7);
  wchar_t text[16] = {};
  GetWindowTextW(window, text, 16);
  EXPECT_EQ(std::wstring(text), L"页面");
  RECT placed;
  GetWindowRect(window, &placed);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ((std::array{placed.left, placed.top, placed.right, placed.bottom}), (std::array<LONG, 4>{10, 20, 310, 220}));
  EXPECT_EQ(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());
  const TSimWindowState made = state_of(window);
  EXPECT_EQ(made.known, 1);
  EXPECT_EQ(made.exists, 1);
  EXPECT_EQ(made.thread, GetCurrentThreadId());

  RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HDC child_dc = GetDC(window);
  EXPECT_EQ(GetPixel(child_dc, 0, 0), kWhite);
  EXPECT_EQ(GetPixel(child_dc, 299, 199), kWhite);
  ReleaseDC(window, child_dc);
  HDC parent_dc = GetDC(parent);
  EXPECT_NE(GetPixel(parent_dc, 5, 5), kWhite) << "the parent's own background shows beside it";
  ReleaseDC(parent, parent_dc);

  release(browser);
  EXPECT_FALSE(IsWindow(window)) << "the browser's last release destroys its window";
  EXPECT_EQ(state_of(window).closed_by_engine, 1);
  EXPECT_EQ(state_of(window).exists, 0);
}

TEST_F(BrowserWindows, NoWindowWithoutALiveParentOrWhenRenderingWithoutOne) {
  HWND gone = make_parent();
  DestroyWindow(gone);
  struct Case {
    const char* what;
    HWND parent;
    TCefBool rendering_disabled;
  } const kCases[] = {{"no parent", nullptr, 0}, {"a parent that is gone", gone, 0}, {"rendering disabled", parent, 1}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    TCefWindowInfo info = child_info({0, 0, 100, 100});
    info.WndParent = c.parent;
    info.m_bWindowRenderingDisabled = c.rendering_disabled;
    TCefBrowser* browser = create(client, u"", &info);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(info.Wnd, nullptr);
    EXPECT_EQ(browser->get_window_handle(browser), nullptr);
    release(browser);
  }
  EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
}

TEST_F(BrowserWindows, TheWindowGoesLikeAnyChildAndTheBrowserLeavesADeadWindowAlone) {
  struct Case {
    const char* what;
    void (*end)(HWND window, HWND its_parent);
  } const kCases[] = {
      // What the browser control does when it re-creates its browser.
      {"WM_CLOSE, then WM_DESTROY", [](HWND window, HWND) {
         SendMessageW(window, WM_CLOSE, 0, 0);
         SendMessageW(window, WM_DESTROY, 0, 0);
       }},
      {"the parent destroyed", [](HWND, HWND its_parent) { DestroyWindow(its_parent); }},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    if (!IsWindow(parent)) parent = make_parent();
    TCefWindowInfo info = child_info({0, 0, 200, 100});
    TCefBrowser* browser = create(client, u"", &info);
    const auto window = static_cast<HWND>(info.Wnd);
    ASSERT_NE(window, nullptr);
    SendMessageW(window, WM_DESTROY, 0, 0);
    EXPECT_TRUE(IsWindow(window)) << "a WM_DESTROY merely sent destroys nothing";
    EXPECT_EQ(state_of(window).exists, 1);

    c.end(window, parent);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(state_of(window).exists, 0);
    EXPECT_EQ(browser->get_window_handle(browser), info.Wnd) << "the handle answers as it was";
    release(browser);
    EXPECT_EQ(state_of(window).closed_by_engine, 0) << "the browser did not touch the dead window";
  }
}

TEST_F(BrowserWindows, ReleasedOnAnotherThreadTheBrowserAsksItsWindowToClose) {
  TCefWindowInfo info = child_info({0, 0, 200, 100});
  TCefBrowser* browser = create(client, u"", &info);
  const auto window = static_cast<HWND>(info.Wnd);
  EXPECT_EQ(sim_release_on_thread(&browser->base), 0);
  EXPECT_EQ(sim_ledger_live_objects(), 0);
  EXPECT_TRUE(IsWindow(window)) << "only its own thread destroys a window";
  EXPECT_EQ(state_of(window).closed_by_engine, 1);
  pump();
  EXPECT_FALSE(IsWindow(window)) << "the WM_CLOSE the engine posted";
}

TEST_F(BrowserWindows, ABrowserCreatedInTheBackgroundHasItsWindowFromTheStart) {
  TCefWindowInfo info = child_info({5, 5, 105, 105});
  const TCefString url{};
  ASSERT_EQ(cef_browser_create(&info, client.give(), &url, nullptr), 1);
  const auto window = static_cast<HWND>(info.Wnd);
  EXPECT_TRUE(IsWindow(window));
  step();  // the program keeps no reference: the browser goes after the step, and its window
  EXPECT_EQ(client.slots(), std::vector<std::string>{"life_span_handler.on_after_created"});
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace larkwell::enginesim::test
