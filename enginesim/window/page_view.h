// What a browser's window shows and does, apart from drawing: the main frame's page laid out
// at the window's width, the link under a point, a click that follows it and the context
// menu's question to the program. Portable; the window (browser_window_win32.cpp) measures,
// paints and feeds it the window's messages, on the window's thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engine/cef_api.h"
#include "enginesim/page/page.h"
#include "enginesim/window/page_layout.h"

namespace larkwell::enginesim::window {

// What the view asks of its browser. The browser may be gone: then nothing happens.
class BrowserActions {
 public:
  enum class Command { back, forward, reload };

  virtual ~BrowserActions() = default;
  // Loads `url` in the main frame, as the program's own load_url would.
  virtual void load_in_main_frame(const std::u16string& url) = 0;
  // Asks the client's menu handler about `info`: its answer, or none when no handler was
  // called (no client, no menu handler, or the browser is gone).
  virtual std::optional<bool> ask_menu_handler(TCefMenuInfo& info) = 0;
  virtual bool can(Command command) = 0;
  virtual void run(Command command) = 0;
};

// The engine's bits in a menu record.
inline constexpr int32_t kMenuTypePage = 0x1;
inline constexpr int32_t kMenuTypeLink = 0x4;
inline constexpr int32_t kMenuCanGoForward = 0x10000000;
inline constexpr int32_t kMenuCanGoBack = 0x20000000;

struct ViewCounts {
  int32_t pages_shown = 0;
  int32_t layouts = 0;
  int32_t paints = 0;
  int32_t menu_requests = 0;  // right clicks and context-menu keys
  int32_t menus_asked = 0;    // ... that reached the program's menu handler
  int32_t menus_shown = 0;    // ... that showed the engine's own menu
};

class PageView {
 public:
  PageView(std::unique_ptr<Measure> measure, std::shared_ptr<BrowserActions> actions)
      : measure_(std::move(measure)), actions_(std::move(actions)) {}

  // Shows `page`, loaded from `url`, from now on (any thread); calls the change hook.
  void show(std::shared_ptr<const Page> page, std::u16string url);
  // Called when what the view shows changed: the window repaints.
  void set_change_hook(std::function<void()> hook);
  void set_width(int width);
  int width() const;

  // The layout at the current width; laid out anew only when the page or width changed.
  PageLayout layout();
  // The title line: the page's title, else its URL.
  std::u16string title() const;
  std::u16string url() const;
  std::u16string text() const;
  ViewCounts counts() const;
  void note_paint();

  // A click at client point (x, y): a link there gets the focus and is followed; elsewhere the
  // focus goes. False when there is no link there.
  bool click(int x, int y);
  // Keyboard focus among the page's links, in page order; a new page starts with none. Moving
  // past the last link (or before the first) comes round to the other end.
  void move_focus(bool forward);
  // The focused link is followed; false when none has the focus.
  bool follow_focus();
  // The number of the focused link (0 for the first), -1 for none.
  int focused_link() const;
  // Which link each piece of `layout` belongs to, -1 for a piece of no link: the pieces of one
  // link (wrapped over lines) follow each other with the same target.
  static std::vector<int> link_numbers(const PageLayout& layout);

  // The context menu at client point (x, y): true when the engine's own menu should show
  // (no handler, or it answered 0); counted either way.
  bool context_menu(int x, int y);
  void note_menu_shown();
  BrowserActions& actions() { return *actions_; }

 private:
  mutable std::mutex mutex_;
  const std::unique_ptr<Measure> measure_;
  const std::shared_ptr<BrowserActions> actions_;
  std::function<void()> change_hook_;
  std::shared_ptr<const Page> page_;  // null until a load is shown
  std::u16string url_;
  int width_ = 0;
  std::optional<PageLayout> layout_;  // for page_ at width_
  int focus_ = -1;                    // the focused link's number
  ViewCounts counts_;
};

}  // namespace larkwell::enginesim::window
