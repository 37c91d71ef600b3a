#include <algorithm>
#include <atomic>
#include <optional>
#include <string>

#include "enginesim/core/stamps.h"
#include "enginesim/core/unicode.h"
#include "enginesim/web/browser.h"
#include "enginesim/web/browsing.h"
#include "enginesim/web/requests.h"

namespace larkwell::enginesim::web {
namespace {

// Identifiers start above 2^32, so a program that keeps only 32 bits of one is caught.
std::atomic<int64_t> next_identifier{(int64_t{1} << 32) + 1};

// The text of markup: everything outside tags.
std::u16string strip_tags(const std::u16string& source) {
  std::u16string text;
  bool in_tag = false;
  for (char16_t unit : source) {
    if (unit == u'<') {
      in_tag = true;
    } else if (unit == u'>' && in_tag) {
      in_tag = false;
    } else if (!in_tag) {
      text += unit;
    }
  }
  return text;
}

// Everything the reader has from where it stands, through its own slots, as an engine loads a
// resource: it learns the length first (seek to the end, tell, seek back) and then reads that
// many bytes. A seek answers 0 for success; any other answer, or a reader without the slots,
// fails the load (nothing).
std::optional<std::string> read_to_end(TCefStreamReader* stream) {
  if (stream->read == nullptr || stream->seek == nullptr || stream->tell == nullptr) return std::nullopt;
  const int64_t start = stream->tell(stream);
  if (start < 0 || stream->seek(stream, 0, 2) != 0) return std::nullopt;
  const int64_t end = stream->tell(stream);
  if (end < start || stream->seek(stream, start, 0) != 0) return std::nullopt;
  std::string bytes;
  char block[4096];
  for (int64_t left = end - start; left > 0;) {
    const size_t want = static_cast<size_t>(std::min<int64_t>(left, sizeof block));
    const size_t got = stream->read(stream, block, 1, want);
    if (got == 0 || got > want) break;
    bytes.append(block, got);
    left -= static_cast<int64_t>(got);
  }
  return bytes;
}

}  // namespace

#define ENGINESIM_COMMAND_KEY(name) #name,

SimFrame::SimFrame(std::shared_ptr<FrameTree> tree, SimFrame* parent, std::u16string name)
    : SimObjectOf("frame"),
      Recording({ENGINESIM_FRAME_COMMANDS(ENGINESIM_COMMAND_KEY) "load_request", "load_url", "load_string",
                 "load_stream", "execute_java_script", "execute_java_script.start_line"},
                {{"loaded", SIM_LOADED_NOTHING}},
                {"execute_java_script.code", "execute_java_script.script_url", "load_request.method"}),
      tree_(std::move(tree)),
      name_(std::move(name)),
      identifier_(next_identifier++),
      main_(parent == nullptr),
      parent_(parent) {
  TCefFrame* s = structure();
#define ENGINESIM_FILL_COMMAND(name) s->name = entry<&SimFrame::name>;
  ENGINESIM_FRAME_COMMANDS(ENGINESIM_FILL_COMMAND)
#undef ENGINESIM_FILL_COMMAND
  s->get_source = entry<&SimFrame::get_source>;
  s->get_text = entry<&SimFrame::get_text>;
  s->load_request = entry<&SimFrame::load_request>;
  s->load_url = entry<&SimFrame::load_url>;
  s->load_string = entry<&SimFrame::load_string>;
  s->load_stream = entry<&SimFrame::load_stream>;
  s->execute_java_script = entry<&SimFrame::execute_java_script>;
  s->is_main = entry<&SimFrame::is_main>;
  s->is_focused = entry<&SimFrame::is_focused>;
  s->get_name = entry<&SimFrame::get_name>;
  s->get_identifier = entry<&SimFrame::get_identifier>;
  s->get_parent = entry<&SimFrame::get_parent>;
  s->get_url = entry<&SimFrame::get_url>;
  s->get_browser = entry<&SimFrame::get_browser>;
  s->visit_dom = entry<&SimFrame::visit_dom>;
  s->get_v8context = entry<&SimFrame::get_v8context>;
}

#undef ENGINESIM_COMMAND_KEY

void SimFrame::revisit_locked(const Visit& visit) {
  url_ = visit.url;
  source_ = visit.source;
  record("loaded", SIM_LOADED_URL);
}

bool SimFrame::has_loaded() const { return number("loaded").value_or(0) != SIM_LOADED_NOTHING; }

void SimFrame::take_focus() {
  std::scoped_lock lock(tree_->mutex);
  if (tree_->browser != nullptr) tree_->focused = this;
}

// The old document and context go with the parameter, released after the lock.
void SimFrame::set_document(Held<TCefDomDocument> document) {
  std::scoped_lock lock(tree_->mutex);
  std::swap(document_, document);
}

void SimFrame::set_v8context(Held<TCefV8Context> context) {
  std::scoped_lock lock(tree_->mutex);
  std::swap(v8context_, context);
}

PCefStringUserFree SimFrame::get_source() {
  std::scoped_lock lock(tree_->mutex);
  return userfree_text(source_);
}

PCefStringUserFree SimFrame::get_text() {
  std::scoped_lock lock(tree_->mutex);
  return userfree_text(strip_tags(source_));
}

std::shared_ptr<const Page> SimFrame::commit(std::u16string url, std::u16string source, int64_t kind,
                                             PageFormat format) {
  // Only the main frame's page is shown (and titles the browser); read outside the lock.
  std::shared_ptr<const Page> page = main_ ? std::make_shared<const Page>(read_page(source, format)) : nullptr;
  std::scoped_lock lock(tree_->mutex);
  if (main_ && tree_->browser != nullptr) tree_->history.push(Visit{url, source, page});
  url_ = std::move(url);
  source_ = std::move(source);
  record("loaded", kind);
  return page;
}

void SimFrame::show_error_page(SimBrowser& browser, std::u16string url, std::u16string text) {
  const std::shared_ptr<const Page> page = commit(url, std::move(text), SIM_LOADED_URL, PageFormat::plain_text);
  browser.show_page(*this, url, page);
}

void SimFrame::navigate(std::u16string url, std::u16string source, int64_t kind, int status, PageFormat format) {
  std::shared_ptr<const Page> page = commit(url, std::move(source), kind, format);
  // The browser keeps a reference on each of its frames: alive with it, this frame is too.
  post_for_browser(tree_, [frame = this, url = std::move(url), page = std::move(page), status](SimBrowser& browser) {
    browser.announce_load(*frame, url, page, status);
  });
}

void SimFrame::load_request(TCefRequest* request) {
  Held<TCefRequest> held = Held<TCefRequest>::adopt(request);
  tally("load_request");
  if (request == nullptr) return;
  browsing().stop_page_fetches_of(this);
  SimRequest* loaded = object_of<SimRequest>(request, "frame load_request");
  if (loaded == nullptr) return;
  record("load_request.method", loaded->method());
  navigate(loaded->url(), u"", SIM_LOADED_REQUEST);
}

// An http:// address is fetched from the network; the frame changes when its answer comes.
void SimFrame::load_url(const TCefString* url) {
  tally("load_url");
  std::u16string address = text_copy(url);
  stamp_moment("load_url", address);
  browsing().stop_page_fetches_of(this);  // a newer load takes the place of one still coming
  if (browsing().fetches(address)) {
    browsing().start_fetch({tree_, this}, address);
    return;
  }
  navigate(std::move(address), u"", SIM_LOADED_URL);
}

void SimFrame::load_string(const TCefString* string_val, const TCefString* url) {
  tally("load_string");
  browsing().stop_page_fetches_of(this);
  navigate(text_copy(url), text_copy(string_val), SIM_LOADED_STRING);
}

void SimFrame::load_stream(TCefStreamReader* stream, const TCefString* url) {
  Held<TCefStreamReader> held = Held<TCefStreamReader>::adopt(stream);
  tally("load_stream");
  if (stream == nullptr) return;
  browsing().stop_page_fetches_of(this);
  const std::optional<std::string> bytes = read_to_end(stream);  // outside the lock: the reader may be the program's
  if (!bytes) return;
  navigate(text_copy(url), utf16_of(*bytes), SIM_LOADED_STREAM);
}

void SimFrame::execute_java_script(const TCefString* js_code, const TCefString* script_url, int start_line) {
  tally("execute_java_script");
  record("execute_java_script.code", text_copy(js_code));
  record("execute_java_script.script_url", text_copy(script_url));
  record("execute_java_script.start_line", start_line);
}

int SimFrame::is_main() { return main_ ? 1 : 0; }

int SimFrame::is_focused() {
  std::scoped_lock lock(tree_->mutex);
  return tree_->focused == this ? 1 : 0;
}

PCefStringUserFree SimFrame::get_name() { return userfree_text(name_); }

int64_t SimFrame::get_identifier() { return identifier_; }

TCefFrame* SimFrame::get_parent() {
  std::scoped_lock lock(tree_->mutex);
  if (parent_ == nullptr) return nullptr;
  parent_->add_ref();
  return parent_->structure();
}

PCefStringUserFree SimFrame::get_url() {
  std::scoped_lock lock(tree_->mutex);
  return userfree_text(url_);
}

TCefBrowser* SimFrame::get_browser() {
  std::scoped_lock lock(tree_->mutex);
  if (tree_->browser == nullptr || !tree_->browser->add_ref_unless_gone()) return nullptr;
  return tree_->browser->structure();
}

void SimFrame::visit_dom(TCefDomVisitor* visitor) {
  Held<TCefDomVisitor> held = Held<TCefDomVisitor>::adopt(visitor);
  TCefDomDocument* document = nullptr;
  {
    std::scoped_lock lock(tree_->mutex);
    if (!document_ || visitor == nullptr || visitor->visit == nullptr) return;
    document = document_.share();  // the visitor takes this reference over
  }
  visitor->visit(visitor, document);
}

TCefV8Context* SimFrame::get_v8context() {
  std::scoped_lock lock(tree_->mutex);
  return v8context_.share();
}

}  // namespace larkwell::enginesim::web
