#include "enginesim/window/page_view.h"

#include <algorithm>
#include <utility>

#include "enginesim/core/stamps.h"
#include "enginesim/core/string_records.h"
#include "enginesim/page/url.h"

namespace larkwell::enginesim::window {

void PageView::show(std::shared_ptr<const Page> page, std::u16string url) {
  stamp_moment("page", url);
  std::function<void()> hook;
  {
    std::scoped_lock lock(mutex_);
    page_ = std::move(page);
    url_ = std::move(url);
    layout_.reset();
    focus_ = -1;
    ++counts_.pages_shown;
    hook = change_hook_;
  }
  if (hook) hook();
}

void PageView::set_change_hook(std::function<void()> hook) {
  std::scoped_lock lock(mutex_);
  change_hook_ = std::move(hook);
}

void PageView::set_width(int width) {
  std::scoped_lock lock(mutex_);
  if (width == width_) return;
  width_ = width;
  layout_.reset();
}

int PageView::width() const {
  std::scoped_lock lock(mutex_);
  return width_;
}

PageLayout PageView::layout() {
  std::scoped_lock lock(mutex_);
  if (!layout_) {
    static const Page kNothing;
    layout_ = lay_out(page_ ? (page_->title.empty() ? url_ : page_->title) : u"", page_ ? *page_ : kNothing, width_,
                      *measure_);
    ++counts_.layouts;
  }
  return *layout_;
}

std::u16string PageView::title() const {
  std::scoped_lock lock(mutex_);
  return page_ && !page_->title.empty() ? page_->title : url_;
}

std::u16string PageView::url() const {
  std::scoped_lock lock(mutex_);
  return url_;
}

std::u16string PageView::text() const {
  std::scoped_lock lock(mutex_);
  return page_ ? page_->text() : u"";
}

ViewCounts PageView::counts() const {
  std::scoped_lock lock(mutex_);
  return counts_;
}

void PageView::note_paint() {
  std::scoped_lock lock(mutex_);
  ++counts_.paints;
}

void PageView::note_menu_shown() {
  std::scoped_lock lock(mutex_);
  ++counts_.menus_shown;
}

bool PageView::click(int x, int y) {
  const PageLayout shown = layout();
  const Piece* link = shown.link_at(x, y);
  {
    // As in a browser, the next Tab goes on from where the click was: a clicked link has the
    // focus, a click beside every link starts again before the first.
    std::scoped_lock lock(mutex_);
    focus_ = -1;
    if (link != nullptr) {
      const std::vector<int> numbers = link_numbers(shown);
      focus_ = numbers[static_cast<size_t>(link - shown.pieces.data())];
    }
  }
  if (link == nullptr) return false;
  const std::u16string target = resolve_link(url(), link->href);
  if (target.empty()) return false;
  actions_->load_in_main_frame(target);  // program code may run: no lock held
  return true;
}

std::vector<int> PageView::link_numbers(const PageLayout& layout) {
  std::vector<int> numbers;
  int last = -1;
  const Piece* previous = nullptr;
  for (const Piece& piece : layout.pieces) {
    if (!piece.link) {
      numbers.push_back(-1);
    } else {
      const bool continues = previous != nullptr && previous->link && previous->href == piece.href;
      numbers.push_back(continues ? last : ++last);
    }
    previous = &piece;
  }
  return numbers;
}

void PageView::move_focus(bool forward) {
  const std::vector<int> numbers = link_numbers(layout());
  const int links = numbers.empty() ? 0 : *std::max_element(numbers.begin(), numbers.end()) + 1;
  std::function<void()> hook;
  {
    std::scoped_lock lock(mutex_);
    if (links == 0) {
      focus_ = -1;
      return;
    }
    if (focus_ < 0) {
      focus_ = forward ? 0 : links - 1;
    } else {
      focus_ = (focus_ + (forward ? 1 : links - 1)) % links;
    }
    hook = change_hook_;
  }
  if (hook) hook();
}

bool PageView::follow_focus() {
  const PageLayout shown = layout();
  const std::vector<int> numbers = link_numbers(shown);
  const int focus = focused_link();
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (focus < 0 || numbers[i] != focus) continue;
    const std::u16string target = resolve_link(url(), shown.pieces[i].href);
    if (target.empty()) return false;
    actions_->load_in_main_frame(target);  // program code may run: no lock held
    return true;
  }
  return false;
}

int PageView::focused_link() const {
  std::scoped_lock lock(mutex_);
  return focus_;
}

bool PageView::context_menu(int x, int y) {
  const PageLayout shown = layout();
  const Piece* link = shown.link_at(x, y);
  const std::u16string page_url = url();
  {
    std::scoped_lock lock(mutex_);
    ++counts_.menu_requests;
  }
  // The record's texts are the engine's own, freed after the call like any engine string.
  TCefMenuInfo info{};
  info.typeFlags = kMenuTypePage | (link != nullptr ? kMenuTypeLink : 0);
  info.x = x;
  info.y = y;
  if (link != nullptr) assign_copy(&info.linkUrl, std::u16string_view(resolve_link(page_url, link->href)));
  assign_copy(&info.pageUrl, std::u16string_view(page_url));
  assign_copy(&info.frameUrl, std::u16string_view(page_url));
  // Nothing in this view is editable; history is.
  info.editFlags = (actions_->can(BrowserActions::Command::back) ? kMenuCanGoBack : 0) |
                   (actions_->can(BrowserActions::Command::forward) ? kMenuCanGoForward : 0);
  const std::optional<bool> dealt_with = actions_->ask_menu_handler(info);
  for (TCefString* text : {&info.linkUrl, &info.imageUrl, &info.pageUrl, &info.frameUrl, &info.selectionText,
                           &info.misspelledWord, &info.securityInfo}) {
    clear_record(text);
  }
  if (dealt_with.has_value()) {
    std::scoped_lock lock(mutex_);
    ++counts_.menus_asked;
  }
  return !dealt_with.value_or(false);
}

}  // namespace larkwell::enginesim::window
