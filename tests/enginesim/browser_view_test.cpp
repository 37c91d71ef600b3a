// What a browser's window shows and does: the main frame's page once its load is announced,
// laid out again at a new width; a click on a link loads its target; a right click asks the
// program's menu handler and shows the engine's own menu only when the program lets it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "browser_windows.h"
#include "enginesim/control_view.h"
#include "stamp_file.h"

namespace larkwell::enginesim::test {
namespace {

// Not an http:// address: its loads and those of its links complete in the next work step, with no network.
const std::u16string kStartUrl = u"sim://demo/?mac=00-1A-2B";
const std::u16string kStartPage =
    u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Larkwell 演示应用</title>"
    u"<style>h1 { color: red }</style></head><body>\n<h1>Larkwell 演示应用</h1>\n"
    u"<p>工作站标识：00-1A-2B</p>\n<p>请选择要下载的报表。下载的文件保存为 Excel 2003 工作簿（*.xls）。</p>\n<ul>\n"
    u"<li><a href=\"/download/report.xls?size=300000\">月度报表（定长）</a></li>\n"
    u"<li><a href=\"/download/chunked.xls\">分块传输的报表</a></li>\n"
    u"<li><a href=\"page/about\">关于 Larkwell</a></li>\n</ul></body></html>";
const std::u16string kStartText =
    u"Larkwell 演示应用\n工作站标识：00-1A-2B\n请选择要下载的报表。下载的文件保存为 Excel 2003 工作簿（*.xls）。\n"
    u"\u2022 月度报表（定长）\n\u2022 分块传输的报表\n\u2022 关于 Larkwell";

TSimViewState view_state(TCefBrowser* browser) {
  TSimViewState state{};
  sim_view_state(browser, &state);
  return state;
}

POINT centre_of_link(TCefBrowser* browser, int index) {
  TSimViewRect rect{};
  EXPECT_EQ(sim_view_link_rect(browser, index, &rect), 1) << "link piece " << index;
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void post_mouse(HWND window, UINT message, POINT at) { PostMessageW(window, message, 0, MAKELPARAM(at.x, at.y)); }

// Saves what the screen shows of `window` as a 24-bit BMP file.
bool save_screenshot(HWND window, const char* path) {
  RECT area;
  GetWindowRect(window, &area);
  const int width = area.right - area.left, height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const int stride = (width * 3 + 3) & ~3;
  std::vector<char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof header};
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return false;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&header, sizeof header, 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  return std::fclose(out) == 0;
}

// Watches for the popup menu (class #32768) from a timer, which runs inside the menu's own
// loop, and closes it: with Escape, or by choosing its first item with the keyboard.
struct MenuWatch {
  bool choose_first = false;
  int seen = 0;  // timer calls that found a visible menu

  static MenuWatch* current;
  static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (current == nullptr || menu == nullptr || !IsWindowVisible(menu)) return;
    if (current->seen++ != 0) return;  // once is enough: the keys are on their way
    if (const char* path = std::getenv("ENGINESIM_MENU_SCREENSHOT")) save_screenshot(menu, path);
    if (current->choose_first) {
      PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    } else {
      PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    }
  }
};
MenuWatch* MenuWatch::current = nullptr;

bool menu_visible() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  return menu != nullptr && IsWindowVisible(menu);
}

class BrowserView : public BrowserWindows {
 protected:
  void SetUp() override {
    BrowserWindows::SetUp();
    DestroyWindow(parent);
    parent = make_parent(640, 420);
    TCefWindowInfo info = child_info({0, 0, 640, 420});
    browser = create(client, u"", &info);
    window = static_cast<HWND>(info.Wnd);
    ASSERT_NE(window, nullptr);
    frame = main_frame(browser);
  }
  void TearDown() override {
    release(frame);
    release(browser);
    EXPECT_TRUE(client.released());
    BrowserWindows::TearDown();
  }

  // Loads `source` from `url` in the main frame, and lets the engine announce it.
  void show(const std::u16string& source, const std::u16string& url) {
    const TCefString source_view = view(source), url_view = view(url);
    frame->load_string(frame, &source_view, &url_view);
    step();
    pump();
  }
  std::u16string frame_url() const {
    PCefStringUserFree url = frame->get_url(frame);
    std::u16string text = text_of(url);
    cef_string_userfree_utf16_free(url);
    return text;
  }
  std::vector<std::u16string> heard(const std::string& slot) {
    std::vector<std::u16string> texts;
    for (const ProgramClient::Call& call : client.calls) {
      if (call.slot == slot) texts.push_back(call.text);
    }
    return texts;
  }

  TCefBrowser* browser = nullptr;
  TCefFrame* frame = nullptr;
  HWND window = nullptr;
};

TEST_F(BrowserView, TheWindowShowsTheAnnouncedPageAndLaysItOutAgainAtANewWidth) {
  const std::u16string source = kStartPage;
  const TCefString source_view = view(source), url_view = view(kStartUrl);
  frame->load_string(frame, &source_view, &url_view);
  EXPECT_EQ(view_state(browser).pages_shown, 0) << "nothing before the work step announces the load";
  EXPECT_EQ(view_text(browser, SIM_VIEW_TEXT), u"");
  step();
  EXPECT_EQ(heard("display_handler.on_title_change"), std::vector<std::u16string>{u"Larkwell 演示应用"});
  EXPECT_EQ(view_text(browser, SIM_VIEW_TITLE), u"Larkwell 演示应用");
  EXPECT_EQ(view_text(browser, SIM_VIEW_TEXT), kStartText);
  EXPECT_EQ(view_text(browser, SIM_VIEW_URL), kStartUrl);
  EXPECT_EQ(view_text(browser, SIM_VIEW_LINK_TEXT, 0), u"月度报表（定长）");
  EXPECT_EQ(view_text(browser, SIM_VIEW_LINK_URL, 2), u"sim://demo/page/about");
  EXPECT_EQ(sim_view_text(browser, SIM_VIEW_LINK_TEXT, 3, nullptr, 0), -1);

  UpdateWindow(window);
  const TSimViewState wide = view_state(browser);
  EXPECT_EQ(wide.pages_shown, 1);
  EXPECT_GE(wide.paints, 1);
  EXPECT_EQ(wide.width, 640);
  EXPECT_EQ(wide.links, 3);
  // The link is drawn in blue inside its rectangle; the heading in dark text.
  TSimViewRect link{};
  ASSERT_EQ(sim_view_link_rect(browser, 0, &link), 1);
  HDC dc = GetDC(window);
  int blue = 0;
  for (int y = link.top; y < link.bottom; ++y) {
    for (int x = link.left; x < link.right; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      if (GetBValue(c) > 180 && GetRValue(c) < 120 && GetGValue(c) < 120) ++blue;
    }
  }
  EXPECT_GT(blue, 20) << "blue link text";
  EXPECT_EQ(GetPixel(dc, 639, 419), RGB(255, 255, 255));
  ReleaseDC(window, dc);
  if (const char* path = std::getenv("ENGINESIM_VIEW_SCREENSHOT")) {
    EXPECT_TRUE(save_screenshot(window, path)) << path;
  }

  // A narrow window wraps the same page over more lines.
  SetWindowPos(window, nullptr, 0, 0, 150, 420, SWP_NOZORDER | SWP_NOMOVE);
  UpdateWindow(window);
  const TSimViewState narrow = view_state(browser);
  EXPECT_EQ(narrow.width, 150);
  EXPECT_GT(narrow.layouts, wide.layouts);
  EXPECT_GT(narrow.paints, wide.paints);
  EXPECT_GT(narrow.height, wide.height);
  EXPECT_EQ(view_text(browser, SIM_VIEW_TEXT), kStartText);

  // A new page replaces it and is painted.
  show(u"<p>第二页</p>", u"sim://demo/page/about");
  UpdateWindow(window);
  EXPECT_EQ(view_text(browser, SIM_VIEW_TITLE), u"sim://demo/page/about") << "no <title>: the URL";
  EXPECT_EQ(view_text(browser, SIM_VIEW_TEXT), u"第二页");
  EXPECT_EQ(view_state(browser).links, 0);
  EXPECT_GT(view_state(browser).paints, narrow.paints);
}

// A benchmark of the whole program waits for this moment (ENGINESIM_TIMESTAMPS).
TEST_F(BrowserView, EachPageTheWindowShowsIsStampedWhenItIsShown) {
  StampFile file;
  show(u"<p>第一页</p>", u"sim://demo/page/one");
  show(u"<p>第二页</p>", u"sim://demo/page/two");
  std::vector<std::string> pages;
  for (const Stamp& stamp : file.stamps()) {
    if (stamp.event == "page") pages.push_back(stamp.detail);
  }
  EXPECT_EQ(pages, (std::vector<std::string>{"sim://demo/page/one", "sim://demo/page/two"}));
}

TEST_F(BrowserView, AClickOnALinkLoadsItsResolvedTargetInTheMainFrameAndTheClientHearsTheLoad) {
  struct Case {
    int link;
    std::u16string url;
  } const kCases[] = {{0, u"sim://demo/download/report.xls?size=300000"},
                      {2, u"sim://demo/page/about"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.link);
    show(kStartPage, kStartUrl);
    client.calls.clear();
    const int64_t loads = sim_recorded_number(frame, "load_url");
    const POINT at = centre_of_link(browser, c.link);
    post_mouse(window, WM_LBUTTONDOWN, at);
    post_mouse(window, WM_LBUTTONUP, at);
    pump();
    EXPECT_EQ(sim_recorded_number(frame, "load_url"), loads + 1) << "through the frame's own load_url";
    EXPECT_EQ(frame_url(), c.url);
    EXPECT_TRUE(client.calls.empty()) << "the client hears of it in the next work step";
    step();
    EXPECT_EQ(heard("display_handler.on_address_change"), std::vector<std::u16string>{c.url});
    EXPECT_EQ(heard("load_handler.on_load_end").size(), 1u);
    EXPECT_EQ(view_text(browser, SIM_VIEW_URL), c.url);
  }

  // Beside a link, or on plain text, a click loads nothing.
  show(kStartPage, kStartUrl);
  const int64_t loads = sim_recorded_number(frame, "load_url");
  TSimViewRect link{};
  ASSERT_EQ(sim_view_link_rect(browser, 1, &link), 1);
  for (const POINT at : {POINT{link.right + 2, (link.top + link.bottom) / 2}, POINT{link.left, link.top - 30},
                         POINT{600, 400}}) {
    post_mouse(window, WM_LBUTTONUP, at);
  }
  pump();
  EXPECT_EQ(sim_recorded_number(frame, "load_url"), loads);
  EXPECT_EQ(frame_url(), kStartUrl);
}

TEST_F(BrowserView, TabMovesAmongTheLinksRoundTheEndsAndEnterFollowsTheFocusedOne) {
  show(kStartPage, kStartUrl);
  const auto key = [&](UINT vk) { PostMessageW(window, WM_KEYDOWN, vk, 0); };
  const int64_t loads = sim_recorded_number(frame, "load_url");
  key(VK_RETURN);  // no link has the focus yet
  pump();
  EXPECT_EQ(sim_recorded_number(frame, "load_url"), loads);

  // Three links: Tab, Tab, Tab, Tab comes round to the first; Shift+Tab is not held here.
  for (int i = 0; i < 4; ++i) key(VK_TAB);
  key(VK_RETURN);
  pump();
  EXPECT_EQ(sim_recorded_number(frame, "load_url"), loads + 1);
  EXPECT_EQ(frame_url(), u"sim://demo/download/report.xls?size=300000");

  // A new page starts without a focused link; the second Tab reaches the second link.
  show(kStartPage, kStartUrl);
  key(VK_TAB);
  key(VK_TAB);
  key(VK_RETURN);
  pump();
  EXPECT_EQ(frame_url(), u"sim://demo/download/chunked.xls");

  // A click beside the links starts again before the first.
  key(VK_TAB);
  pump();
  post_mouse(window, WM_LBUTTONUP, POINT{600, 400});
  key(VK_TAB);
  key(VK_RETURN);
  pump();
  EXPECT_EQ(frame_url(), u"sim://demo/download/report.xls?size=300000");
  EXPECT_EQ(SendMessageW(window, WM_GETDLGCODE, VK_TAB, 0), DLGC_WANTALLKEYS) << "dialog loops leave it the keys";
}

TEST_F(BrowserView, ARightClickAsksTheMenuHandlerWithAFilledRecordAndAnAnswerOfOneShowsNoMenu) {
  client.gives_menu = true;
  client.menu_answer = 1;
  show(u"<p>前一页</p>", u"sim://demo/page/about");
  show(kStartPage, kStartUrl);
  const POINT on_link = centre_of_link(browser, 2);
  post_mouse(window, WM_RBUTTONUP, on_link);
  pump();
  ASSERT_EQ(client.menus.size(), 1u);
  const ProgramClient::Menu& menu = client.menus[0];
  EXPECT_EQ(menu.browser, browser);
  EXPECT_EQ(menu.type_flags, SIM_MENU_TYPE_PAGE | SIM_MENU_TYPE_LINK);
  EXPECT_EQ(menu.x, on_link.x);
  EXPECT_EQ(menu.y, on_link.y);
  EXPECT_EQ(menu.link_url, u"sim://demo/page/about");
  EXPECT_EQ(menu.page_url, kStartUrl);
  EXPECT_EQ(menu.frame_url, kStartUrl);
  EXPECT_EQ(menu.edit_flags, SIM_MENU_CAN_GO_BACK) << "nothing editable; there is a page to go back to";
  for (const std::u16string* empty :
       {&menu.image_url, &menu.selection_text, &menu.misspelled_word, &menu.security_info}) {
    EXPECT_EQ(*empty, u"");
  }

  // Off the links (here through WM_CONTEXTMENU, in screen coordinates): a page, no link.
  const POINT off_links{300, 380};
  POINT screen = off_links;
  ClientToScreen(window, &screen);
  PostMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(screen.x, screen.y));
  pump();
  ASSERT_EQ(client.menus.size(), 2u);
  EXPECT_EQ(client.menus[1].type_flags, SIM_MENU_TYPE_PAGE);
  EXPECT_EQ(client.menus[1].x, off_links.x);
  EXPECT_EQ(client.menus[1].y, off_links.y);
  EXPECT_EQ(client.menus[1].link_url, u"");
  const TSimViewState state = view_state(browser);
  EXPECT_EQ(state.menu_requests, 2);
  EXPECT_EQ(state.menus_asked, 2);
  EXPECT_EQ(state.menus_shown, 0);
  EXPECT_FALSE(menu_visible());
  EXPECT_EQ(sim_string_live_allocations(), 0) << "the engine freed the record's texts";
}

TEST_F(BrowserView, WithoutAHandlerOrWhenItAnswersZeroTheEnginesOwnMenuShowsAndDoesWhatItSays) {
  show(u"<title>第一页</title><p>一</p>", u"sim://demo/page/one");
  show(kStartPage, kStartUrl);
  struct Case {
    const char* what;
    bool gives_menu;
    bool choose_first;  // 后退; else Escape
  } const kCases[] = {{"no menu handler, dismissed", false, false}, {"a handler answering 0, back", true, true}};
  int shown = 0;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    client.gives_menu = c.gives_menu;
    client.menu_answer = 0;
    client.menus.clear();
    client.calls.clear();
    MenuWatch watch{c.choose_first};
    MenuWatch::current = &watch;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &MenuWatch::tick);
    post_mouse(window, WM_RBUTTONUP, POINT{300, 380});
    pump();  // returns once the menu's loop has ended
    KillTimer(nullptr, timer);
    MenuWatch::current = nullptr;
    EXPECT_GE(watch.seen, 1) << "a real popup menu was shown";
    EXPECT_FALSE(menu_visible());
    EXPECT_EQ(client.menus.size(), c.gives_menu ? 1u : 0u);
    EXPECT_EQ(view_state(browser).menus_shown, ++shown);
    step();
    if (c.choose_first) {
      EXPECT_EQ(frame_url(), u"sim://demo/page/one") << "后退 went back";
      EXPECT_EQ(heard("display_handler.on_title_change"), std::vector<std::u16string>{u"第一页"});
      EXPECT_EQ(view_text(browser, SIM_VIEW_TEXT), u"一");
    } else {
      EXPECT_EQ(frame_url(), kStartUrl) << "dismissed: nothing happened";
      EXPECT_TRUE(client.calls.empty());
    }
  }
  const TSimViewState state = view_state(browser);
  EXPECT_EQ(state.menu_requests, 2);
  EXPECT_EQ(state.menus_asked, 1);
}

}  // namespace
}  // namespace larkwell::enginesim::test
