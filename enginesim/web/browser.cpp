#include "enginesim/web/browser.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>

#include "enginesim/firing/slot_table.h"
#include "enginesim/web/browser_actions.h"
#include "enginesim/web/browsing.h"

// The window information's fields the browser records, as "window_info.<field>".
#define ENGINESIM_WINDOW_INFO_FIELDS(X) \
  X(ExStyle)                            \
  X(Style) X(x) X(y) X(Width) X(Height) X(WndParent) X(Menu) X(m_bWindowRenderingDisabled) X(m_bTransparentPainting)

namespace larkwell::enginesim::web {

namespace {

template <class T>
int64_t as_number(T value) {
  if constexpr (std::is_pointer_v<T>) {
    return static_cast<int64_t>(reinterpret_cast<intptr_t>(value));
  } else {
    return static_cast<int64_t>(value);
  }
}

std::unique_ptr<window::BrowserWindow> make_window(const Creation* creation, const std::shared_ptr<FrameTree>& tree) {
  if (creation == nullptr || creation->window_info == nullptr) return nullptr;
  return window::BrowserWindow::create(*creation->window_info, actions_for(tree));
}

std::optional<SettingsCopy> copy_settings(const Creation* creation) {
  if (creation == nullptr || creation->settings == nullptr) return std::nullopt;
  return SettingsCopy(*creation->settings);
}

}  // namespace

bool with_browser(const std::shared_ptr<FrameTree>& tree, const std::function<void(SimBrowser&)>& work) {
  SimBrowser* browser = nullptr;
  {
    std::scoped_lock lock(tree->mutex);
    if (tree->browser != nullptr && tree->browser->add_ref_unless_gone()) browser = tree->browser;
  }
  if (browser == nullptr) return false;
  const Held<TCefBrowser> held = Held<TCefBrowser>::adopt(browser->structure());
  work(*browser);
  return true;
}

void post_for_browser(const std::shared_ptr<FrameTree>& tree, std::function<void(SimBrowser&)> work) {
  post_work([tree, work = std::move(work)] { with_browser(tree, work); });
}

// --- History

void History::push(Visit visit) {
  if (!entries.empty()) entries.resize(index + 1);
  entries.push_back(std::move(visit));
  index = entries.size() - 1;
}

void History::clear() {
  if (entries.empty()) return;
  Visit current = std::move(entries[index]);
  entries.assign(1, std::move(current));
  index = 0;
}

// --- SimBrowser

#define ENGINESIM_COUNTED_KEY(name) #name,

#define ENGINESIM_WINDOW_INFO_KEY(field) "window_info." #field,

SimBrowser::SimBrowser(const TSimBrowserSetup& setup, const Creation* creation)
    : SimObjectOf("browser"),
      Recording({ENGINESIM_BROWSER_COUNTED(ENGINESIM_COUNTED_KEY) "reload", "reload_ignore_cache", "clear_history",
                 "show_dev_tools", "close_dev_tools", "dev_tools_open", "set_focus", "set_focus.enable", "find",
                 "find.identifier", "find.forward", "find.match_case", "find.find_next", "stop_finding",
                 "stop_finding.clear_selection", "window_info",
                 ENGINESIM_WINDOW_INFO_FIELDS(ENGINESIM_WINDOW_INFO_KEY) "window_info.windowName.length"},
                {{"created_by", SIM_CREATED_BY_TEST}}, {"find.search_text", "start_url", "window_info.windowName"}),
      tree_(std::make_shared<FrameTree>()),
      own_window_(setup.unfinished != 0 ? nullptr : make_window(creation, tree_)),
      window_(own_window_ ? own_window_->handle() : setup.window),
      opener_window_(setup.opener_window),
      popup_(setup.popup != 0),
      window_rendering_disabled_(setup.window_rendering_disabled != 0),
      unfinished_(setup.unfinished != 0),
      client_(Held<TCefClient>::adopt(setup.client)),
      settings_(copy_settings(creation)) {
  if (creation != nullptr) record_creation(*creation);
  TCefBrowser* s = structure();
#define ENGINESIM_FILL_COUNTED(name) s->name = entry<&SimBrowser::name>;
  ENGINESIM_BROWSER_COUNTED(ENGINESIM_FILL_COUNTED)
#undef ENGINESIM_FILL_COUNTED
  s->reload = entry<&SimBrowser::reload>;
  s->reload_ignore_cache = entry<&SimBrowser::reload_ignore_cache>;
  s->can_go_back = entry<&SimBrowser::can_go_back>;
  s->go_back = entry<&SimBrowser::go_back>;
  s->can_go_forward = entry<&SimBrowser::can_go_forward>;
  s->go_forward = entry<&SimBrowser::go_forward>;
  s->set_focus = entry<&SimBrowser::set_focus>;
  s->get_window_handle = entry<&SimBrowser::get_window_handle>;
  s->get_opener_window_handle = entry<&SimBrowser::get_opener_window_handle>;
  s->is_popup = entry<&SimBrowser::is_popup>;
  s->has_document = entry<&SimBrowser::has_document>;
  s->get_client = entry<&SimBrowser::get_client>;
  s->get_main_frame = entry<&SimBrowser::get_main_frame>;
  s->get_focused_frame = entry<&SimBrowser::get_focused_frame>;
  s->get_frame = entry<&SimBrowser::get_frame>;
  s->get_frame_names = entry<&SimBrowser::get_frame_names>;
  s->find = entry<&SimBrowser::find>;
  s->stop_finding = entry<&SimBrowser::stop_finding>;
  s->get_zoom_level = entry<&SimBrowser::get_zoom_level>;
  s->set_zoom_level = entry<&SimBrowser::set_zoom_level>;
  s->clear_history = entry<&SimBrowser::clear_history>;
  s->show_dev_tools = entry<&SimBrowser::show_dev_tools>;
  s->close_dev_tools = entry<&SimBrowser::close_dev_tools>;
  s->is_window_rendering_disabled = entry<&SimBrowser::is_window_rendering_disabled>;
  s->get_size = entry<&SimBrowser::get_size>;
  s->set_size = entry<&SimBrowser::set_size>;
  s->is_popup_visible = entry<&SimBrowser::is_popup_visible>;
  s->hide_popup = entry<&SimBrowser::hide_popup>;
  s->invalidate = entry<&SimBrowser::invalidate>;
  s->get_image = entry<&SimBrowser::get_image>;
  s->send_key_event = entry<&SimBrowser::send_key_event>;
  s->send_mouse_click_event = entry<&SimBrowser::send_mouse_click_event>;
  s->send_mouse_move_event = entry<&SimBrowser::send_mouse_move_event>;
  s->send_mouse_wheel_event = entry<&SimBrowser::send_mouse_wheel_event>;
  s->send_focus_event = entry<&SimBrowser::send_focus_event>;
  s->send_capture_lost_event = entry<&SimBrowser::send_capture_lost_event>;

  tree_->browser = this;
  SimFrame* main_frame = make_object<SimFrame>(tree_, nullptr, u"");
  frames_.push_back(Held<TCefFrame>::adopt(main_frame->structure()));
  tree_->frames.push_back(main_frame);
  tree_->focused = main_frame;
}

#undef ENGINESIM_COUNTED_KEY
#undef ENGINESIM_WINDOW_INFO_KEY

void SimBrowser::record_creation(const Creation& creation) {
  record("created_by", creation.call);
  record("start_url", text_copy(creation.url));
  const TCefWindowInfo* info = creation.window_info;
  if (info == nullptr) return;
  record("window_info", 1);
#define ENGINESIM_RECORD_WINDOW_INFO(field) record("window_info." #field, as_number(info->field));
  ENGINESIM_WINDOW_INFO_FIELDS(ENGINESIM_RECORD_WINDOW_INFO)
#undef ENGINESIM_RECORD_WINDOW_INFO
  record("window_info.windowName.length", as_number(info->windowName.length));
  record("window_info.windowName", text_copy(&info->windowName));
}

SimBrowser::~SimBrowser() {
  // Its fetches end first: a download still under way hears its end now, on this thread.
  browsing().stop_fetches_of_tree(tree_.get());
  std::scoped_lock lock(tree_->mutex);
  tree_->browser = nullptr;
  for (SimFrame* frame : tree_->frames) frame->forget_parent_locked();
  tree_->frames.clear();
  tree_->focused = nullptr;
  // frames_ releases the browser's references after the lock has gone.
}

TCefFrame* SimBrowser::share_frame(SimFrame* frame) {
  if (frame == nullptr) return nullptr;
  frame->add_ref();
  return frame->structure();
}

TCefFrame* SimBrowser::add_frame(SimFrame* parent, std::u16string name) {
  std::scoped_lock lock(tree_->mutex);
  auto& frames = tree_->frames;
  if (parent == nullptr) parent = frames.front();
  const bool ours = std::find(frames.begin(), frames.end(), parent) != frames.end();
  const bool taken =
      std::any_of(frames.begin(), frames.end(), [&](const SimFrame* frame) { return frame->name() == name; });
  if (!ours || taken) return nullptr;
  SimFrame* frame = make_object<SimFrame>(tree_, parent, std::move(name));
  frames_.push_back(Held<TCefFrame>::adopt(frame->structure()));
  frames.push_back(frame);
  return share_frame(frame);
}

void SimBrowser::set_popup_visible(bool visible) {
  std::scoped_lock lock(tree_->mutex);
  popup_visible_ = visible;
}

std::vector<TSimEvent> SimBrowser::events() {
  std::scoped_lock lock(tree_->mutex);
  return events_;
}

// --- the client

void SimBrowser::fire_at_client(const char* slot, firing::Record& record) {
  if (client_) firing::fire_through_client(client_.get(), slot, record);
}

void SimBrowser::notify(const char* slot, std::initializer_list<TSimArg> args) {
  firing::Record record(args.begin(), static_cast<int>(args.size()));
  fire_at_client(slot, record);
}

void SimBrowser::announce_creation() {
  post_for_browser(tree_, [](SimBrowser& browser) {
    browser.notify("life_span_handler.on_after_created", {fire_args::Obj(browser.structure())});
  });
}

void SimBrowser::show_page(SimFrame& frame, const std::u16string& url, const std::shared_ptr<const Page>& page) {
  if (frame.main() && own_window_) own_window_->view()->show(page, url);
}

void SimBrowser::announce_load(SimFrame& frame, const std::u16string& url, const std::shared_ptr<const Page>& page,
                               int status) {
  using namespace fire_args;
  TCefBrowser* browser = structure();
  TCefFrame* loaded = frame.structure();
  // The window shows the main frame's page from the start of its load on.
  show_page(frame, url, page);
  notify("load_handler.on_load_start", {Obj(browser), Obj(loaded)});
  notify("display_handler.on_address_change", {Obj(browser), Obj(loaded), Text(url)});
  if (frame.main()) {
    notify("display_handler.on_title_change", {Obj(browser), Text(page && !page->title.empty() ? page->title : url)});
  }
  notify("load_handler.on_load_end", {Obj(browser), Obj(loaded), Int(status)});
}

std::u16string SimBrowser::announce_load_error(SimFrame& frame, int code, const std::u16string& url,
                                               const std::u16string& text) {
  using namespace fire_args;
  const TSimArg args[] = {Obj(structure()), Obj(frame.structure()), Int(code), Text(url), String(text)};
  firing::Record record(args, 5);
  fire_at_client("load_handler.on_load_error", record);
  const bool replaced = record.status() == SIM_FIRE_CALLED && record.answer().number != 0;
  return replaced ? record.arg(4).text_after() : text;
}

// --- navigation

int SimBrowser::can_go_back() {
  std::scoped_lock lock(tree_->mutex);
  return tree_->history.can_go_back() ? 1 : 0;
}

int SimBrowser::can_go_forward() {
  std::scoped_lock lock(tree_->mutex);
  return tree_->history.can_go_forward() ? 1 : 0;
}

void SimBrowser::go_back() { move_in_history(-1); }
void SimBrowser::go_forward() { move_in_history(+1); }

void SimBrowser::reload() {
  tally("reload");
  move_in_history(0);
}

void SimBrowser::reload_ignore_cache() {
  tally("reload_ignore_cache");
  move_in_history(0);
}

void SimBrowser::move_in_history(int step) {
  SimFrame* main_frame = nullptr;
  Visit shown;
  {
    std::scoped_lock lock(tree_->mutex);
    History& history = tree_->history;
    const bool possible = step < 0   ? history.can_go_back()
                          : step > 0 ? history.can_go_forward()
                                     : !history.entries.empty();
    if (!possible) return;
    history.index = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(history.index) + step);
    shown = history.entries[history.index];
    main_frame = tree_->frames.front();
    main_frame->revisit_locked(shown);
  }
  post_for_browser(tree_, [main_frame, shown = std::move(shown)](SimBrowser& browser) {
    browser.announce_load(*main_frame, shown.url, shown.page);
  });
}

void SimBrowser::clear_history() {
  tally("clear_history");
  std::scoped_lock lock(tree_->mutex);
  tree_->history.clear();
}

int SimBrowser::has_document() {
  std::scoped_lock lock(tree_->mutex);
  return tree_->frames.front()->has_loaded() ? 1 : 0;
}

// --- frames

TCefFrame* SimBrowser::get_main_frame() {
  if (unfinished_) return nullptr;
  std::scoped_lock lock(tree_->mutex);
  return share_frame(tree_->frames.front());
}

TCefFrame* SimBrowser::get_focused_frame() {
  std::scoped_lock lock(tree_->mutex);
  return share_frame(tree_->focused);
}

TCefFrame* SimBrowser::get_frame(const TCefString* name) {
  const auto wanted = text_of(name);
  std::scoped_lock lock(tree_->mutex);
  auto& frames = tree_->frames;
  auto found =
      std::find_if(frames.begin(), frames.end(), [&](const SimFrame* frame) { return frame->name() == wanted; });
  return found != frames.end() ? share_frame(*found) : nullptr;
}

void SimBrowser::get_frame_names(TCefStringList names) {
  std::vector<std::u16string> listed;
  {
    std::scoped_lock lock(tree_->mutex);
    for (const SimFrame* frame : tree_->frames) listed.push_back(frame->name());
  }
  append_to_list(names, listed, "browser get_frame_names");
}

// --- find, focus, zoom, dev tools

void SimBrowser::find(int identifier, const TCefString* search_text, int forward, int match_case, int find_next) {
  tally("find");
  record("find.identifier", identifier);
  record("find.search_text", text_copy(search_text));
  record("find.forward", forward);
  record("find.match_case", match_case);
  record("find.find_next", find_next);
}

void SimBrowser::stop_finding(int clear_selection) {
  tally("stop_finding");
  record("stop_finding.clear_selection", clear_selection);
}

void SimBrowser::set_focus(int enable) {
  tally("set_focus");
  record("set_focus.enable", enable);
}

double SimBrowser::get_zoom_level() {
  std::scoped_lock lock(tree_->mutex);
  return zoom_level_;
}

void SimBrowser::set_zoom_level(double zoom_level) {
  std::scoped_lock lock(tree_->mutex);
  zoom_level_ = zoom_level;
}

void SimBrowser::show_dev_tools() {
  tally("show_dev_tools");
  record("dev_tools_open", 1);
}

void SimBrowser::close_dev_tools() {
  tally("close_dev_tools");
  record("dev_tools_open", 0);
}

// --- painting

int SimBrowser::get_size(TCefPaintElementType type, int* width, int* height) {
  std::scoped_lock lock(tree_->mutex);
  auto found = sizes_.find(type);
  if (found == sizes_.end()) return 0;
  if (width != nullptr) *width = found->second.first;
  if (height != nullptr) *height = found->second.second;
  return 1;
}

void SimBrowser::set_size(TCefPaintElementType type, int width, int height) {
  std::scoped_lock lock(tree_->mutex);
  sizes_[type] = {width, height};
}

int SimBrowser::is_popup_visible() {
  std::scoped_lock lock(tree_->mutex);
  return popup_visible_ ? 1 : 0;
}

int SimBrowser::get_image(TCefPaintElementType type, int width, int height, void* buffer) {
  std::scoped_lock lock(tree_->mutex);
  auto found = sizes_.find(type);
  if (buffer == nullptr || width <= 0 || height <= 0 || found == sizes_.end() ||
      found->second != std::pair(width, height)) {
    return 0;
  }
  auto* bytes = static_cast<uint8_t*>(buffer);
  const std::size_t total = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
  for (std::size_t i = 0; i < total; ++i) bytes[i] = image_byte(type, i);
  return 1;
}

// --- input

void SimBrowser::note_event(TSimEvent event) {
  std::scoped_lock lock(tree_->mutex);
  events_.push_back(event);
}

void SimBrowser::invalidate(const TCefRect* dirty_rect) {
  if (dirty_rect == nullptr) return;
  note_event({SIM_EVENT_INVALIDATE, {dirty_rect->x, dirty_rect->y, dirty_rect->width, dirty_rect->height, 0}});
}

void SimBrowser::send_key_event(TCefKeyType type, int key, int modifiers, int sys_char, int ime_char) {
  note_event({SIM_EVENT_KEY, {type, key, modifiers, sys_char, ime_char}});
}

void SimBrowser::send_mouse_click_event(int x, int y, TCefMouseButtonType type, int mouse_up, int click_count) {
  note_event({SIM_EVENT_MOUSE_CLICK, {x, y, type, mouse_up, click_count}});
}

void SimBrowser::send_mouse_move_event(int x, int y, int mouse_leave) {
  note_event({SIM_EVENT_MOUSE_MOVE, {x, y, mouse_leave, 0, 0}});
}

void SimBrowser::send_mouse_wheel_event(int x, int y, int delta) {
  note_event({SIM_EVENT_MOUSE_WHEEL, {x, y, delta, 0, 0}});
}

void SimBrowser::send_focus_event(int set_focus) { note_event({SIM_EVENT_FOCUS, {set_focus, 0, 0, 0, 0}}); }

void SimBrowser::send_capture_lost_event() { note_event({SIM_EVENT_CAPTURE_LOST, {}}); }

}  // namespace larkwell::enginesim::web
