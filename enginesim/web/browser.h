// A browser and its frames.
//
// The browser holds one reference on each of its frames; a frame knows its browser and its
// parent without holding them (that would keep both alive for ever). When the browser goes,
// its frames forget it and their parents: a frame a program still holds then answers null for
// both. Browser and frames share one mutex, in the FrameTree, for everything they keep.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/cef_api.h"
#include "enginesim/control_firing.h"
#include "enginesim/control_web.h"
#include "enginesim/core/sim_object.h"
#include "enginesim/firing/firing_record.h"
#include "enginesim/page/page.h"
#include "enginesim/web/settings_copy.h"
#include "enginesim/web/web_support.h"
#include "enginesim/window/browser_window.h"

namespace larkwell::enginesim::web {

class SimBrowser;
class SimFrame;

// What a load left in the main frame; history keeps it to show it again.
struct Visit {
  std::u16string url;
  std::u16string source;
  std::shared_ptr<const Page> page;
};

// Navigation history: loading in the main frame pushes, dropping what lay ahead.
struct History {
  std::vector<Visit> entries;
  std::size_t index = 0;  // the current entry, when there is one

  void push(Visit visit);
  bool can_go_back() const { return index > 0; }
  bool can_go_forward() const { return index + 1 < entries.size(); }
  void clear();  // keeps only the current entry
};

struct FrameTree {
  std::mutex mutex;
  SimBrowser* browser = nullptr;  // null once the browser is gone
  std::vector<SimFrame*> frames;  // in the order made, the main frame first
  SimFrame* focused = nullptr;
  History history;
};

// Runs work(browser) now if the tree's browser is still alive, holding it for the call; false
// when it is gone.
bool with_browser(const std::shared_ptr<FrameTree>& tree, const std::function<void(SimBrowser&)>& work);

// Queues `work` for the next work step, where it runs only if the tree's browser is still
// alive, holding it for the call (its frames live as long). The engine does not keep a browser
// alive for its own work. Nothing is queued while the engine is not initialised.
void post_for_browser(const std::shared_ptr<FrameTree>& tree, std::function<void(SimBrowser&)> work);

// Edit commands: each only counts its calls.
#define ENGINESIM_FRAME_COMMANDS(X) X(undo) X(redo) X(cut) X(copy) X(paste) X(del) X(select_all) X(print) X(view_source)

class SimFrame final : public SimObjectOf<TCefFrame>, public Recording {
 public:
  SimFrame(std::shared_ptr<FrameTree> tree, SimFrame* parent, std::u16string name);

  const std::u16string& name() const { return name_; }
  bool main() const { return main_; }
  bool has_loaded() const;
  void forget_parent_locked() { parent_ = nullptr; }
  // Shows `visit` again (history navigation, reload): no new history entry.
  void revisit_locked(const Visit& visit);

  // The browser's focus moves here (while the browser lives).
  void take_focus();
  void set_document(Held<TCefDomDocument> document);
  void set_v8context(Held<TCefV8Context> context);

  // What a load leaves: the frame's URL, source and record "loaded"; the main frame also
  // moves the history and reads its page from the source, read as `format`. The browser's
  // client hears of it in the next work step, with `status` as the load's HTTP status code.
  void navigate(std::u16string url, std::u16string source, int64_t kind, int status = 200,
                PageFormat format = PageFormat::html);
  // A failed load shows an error page at its address, with `text` as its plain-text source,
  // in `browser`'s window at once (this runs in a work step); nothing more is announced.
  void show_error_page(SimBrowser& browser, std::u16string url, std::u16string text);

 private:
#define ENGINESIM_DECLARE_COMMAND(name) \
  void name() { tally(#name); }
  ENGINESIM_FRAME_COMMANDS(ENGINESIM_DECLARE_COMMAND)
#undef ENGINESIM_DECLARE_COMMAND

  // The frame's URL, source, record "loaded" and, for the main frame, history, as a load leaves them.
  // Answers the main frame's page, read from the source (null for other frames).
  std::shared_ptr<const Page> commit(std::u16string url, std::u16string source, int64_t kind, PageFormat format);
  PCefStringUserFree get_source();
  PCefStringUserFree get_text();
  // Each load takes over the reference that came with its request or stream.
  void load_request(TCefRequest* request);
  void load_url(const TCefString* url);
  void load_string(const TCefString* string_val, const TCefString* url);
  void load_stream(TCefStreamReader* stream, const TCefString* url);
  void execute_java_script(const TCefString* js_code, const TCefString* script_url, int start_line);
  int is_main();
  int is_focused();
  PCefStringUserFree get_name();
  int64_t get_identifier();
  TCefFrame* get_parent();
  PCefStringUserFree get_url();
  TCefBrowser* get_browser();
  // Takes over the visitor's reference; calls it with the attached document, if any.
  void visit_dom(TCefDomVisitor* visitor);
  TCefV8Context* get_v8context();

  const std::shared_ptr<FrameTree> tree_;
  const std::u16string name_;
  const int64_t identifier_;
  const bool main_;
  SimFrame* parent_;  // guarded by the tree's mutex, like everything below
  std::u16string url_;
  std::u16string source_;
  Held<TCefDomDocument> document_;
  Held<TCefV8Context> v8context_;
};

// Calls that only count.
#define ENGINESIM_BROWSER_COUNTED(X) X(parent_window_will_close) X(close_browser) X(stop_load)

// What one of the engine's create calls gave for a new browser.
struct Creation {
  int64_t call;                         // SIM_CREATED_SYNC or SIM_CREATED_ASYNC
  TCefWindowInfo* window_info;          // may be null; receives the browser's window in Wnd
  const TCefString* url;                // may be null
  const TCefBrowserSettings* settings;  // may be null
};

class SimBrowser final : public SimObjectOf<TCefBrowser>, public Recording {
 public:
  // Without a creation: a browser of sim_create_browser, no window made, no settings.
  explicit SimBrowser(const TSimBrowserSetup& setup, const Creation* creation = nullptr);
  ~SimBrowser() override;

  // A new frame with one reference for the caller; null for a taken name or a foreign parent.
  TCefFrame* add_frame(SimFrame* parent, std::u16string name);
  void set_popup_visible(bool visible);
  std::vector<TSimEvent> events();
  // The browser settings record the create call gave; none for other browsers.
  const std::optional<SettingsCopy>& settings() const { return settings_; }

  // Calls member `slot` of the client's handler for it (see firing::fire_through_client); a
  // browser without a client calls nothing.
  void fire_at_client(const char* slot, firing::Record& record);
  // The client hears in the next work step that this browser exists (on_after_created).
  void announce_creation();
  // What the browser's window shows; null without a window.
  std::shared_ptr<window::PageView> view() const { return own_window_ ? own_window_->view() : nullptr; }
  // The browser's window shows `page` when `frame` is the main frame; nothing is announced.
  void show_page(SimFrame& frame, const std::u16string& url, const std::shared_ptr<const Page>& page);
  // The client hears that `frame` loaded `url`: start, address, title (main frame: the
  // page's title, else the URL), end with `status`.
  void announce_load(SimFrame& frame, const std::u16string& url, const std::shared_ptr<const Page>& page,
                     int status = 200);
  // The client hears that loading `url` into `frame` failed: on_load_error with the engine's
  // error text. Answers the text of the error page: the program's when it answered 1.
  std::u16string announce_load_error(SimFrame& frame, int code, const std::u16string& url, const std::u16string& text);

 private:
#define ENGINESIM_DECLARE_COUNTED(name) \
  void name() { tally(#name); }
  ENGINESIM_BROWSER_COUNTED(ENGINESIM_DECLARE_COUNTED)
#undef ENGINESIM_DECLARE_COUNTED

  // Reloading shows the current entry again, announced as a load.
  void reload();
  void reload_ignore_cache();
  int can_go_back();
  void go_back();
  int can_go_forward();
  void go_forward();
  void set_focus(int enable);
  TCefWindowHandle get_window_handle() { return window_; }
  TCefWindowHandle get_opener_window_handle() { return opener_window_; }
  int is_popup() { return popup_ ? 1 : 0; }
  int has_document();
  TCefClient* get_client() { return client_.share(); }
  TCefFrame* get_main_frame();
  TCefFrame* get_focused_frame();
  TCefFrame* get_frame(const TCefString* name);
  void get_frame_names(TCefStringList names);
  void find(int identifier, const TCefString* search_text, int forward, int match_case, int find_next);
  void stop_finding(int clear_selection);
  double get_zoom_level();
  void set_zoom_level(double zoom_level);
  void clear_history();
  void show_dev_tools();
  void close_dev_tools();
  int is_window_rendering_disabled() { return window_rendering_disabled_ ? 1 : 0; }
  int get_size(TCefPaintElementType type, int* width, int* height);
  void set_size(TCefPaintElementType type, int width, int height);
  int is_popup_visible();
  void hide_popup() { set_popup_visible(false); }
  void invalidate(const TCefRect* dirty_rect);
  // Paints image_byte() into a buffer of width * height * 4 bytes at the size set for `type`.
  int get_image(TCefPaintElementType type, int width, int height, void* buffer);
  void send_key_event(TCefKeyType type, int key, int modifiers, int sys_char, int ime_char);
  void send_mouse_click_event(int x, int y, TCefMouseButtonType type, int mouse_up, int click_count);
  void send_mouse_move_event(int x, int y, int mouse_leave);
  void send_mouse_wheel_event(int x, int y, int delta);
  void send_focus_event(int set_focus);
  void send_capture_lost_event();

  // Fires `slot` of the client's handler now, with these arguments.
  void notify(const char* slot, std::initializer_list<TSimArg> args);
  void record_creation(const Creation& creation);
  // The history entry `step` away from the current one, shown again in the main frame and
  // announced as a load; nothing when there is none.
  void move_in_history(int step);
  void note_event(TSimEvent event);
  // `frame` with one new reference for the caller; null stays null.
  static TCefFrame* share_frame(SimFrame* frame);

  const std::shared_ptr<FrameTree> tree_;
  const std::unique_ptr<window::BrowserWindow> own_window_;  // the window the engine made, if any
  const TCefWindowHandle window_;                            // answered also once the window is gone
  const TCefWindowHandle opener_window_;
  const bool popup_;
  const bool window_rendering_disabled_;
  const bool unfinished_;  // hands out no main frame
  Held<TCefClient> client_;
  const std::optional<SettingsCopy> settings_;
  std::vector<Held<TCefFrame>> frames_;  // the browser's reference on each frame
  // Guarded by the tree's mutex:
  double zoom_level_ = 0;
  bool popup_visible_ = false;
  std::map<TCefPaintElementType, std::pair<int, int>> sizes_;
  std::vector<TSimEvent> events_;
};

}  // namespace larkwell::enginesim::web
