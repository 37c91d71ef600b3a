// The engine's work in its steps, as a program sees it: an initialised engine, and a program
// client whose handlers log every call the engine makes on them.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "stand_in_test.h"
#include "enginesim/control_firing.h"
#include "enginesim/control_process.h"
#include "enginesim/control_web.h"

namespace larkwell::enginesim::test {

inline std::u16string text_of(const TCefString* record) {
  return record != nullptr && record->str != nullptr ? std::u16string(record->str, record->length) : u"";
}

// A program structure over one count, as the program's objects are; `owner` leads its
// functions back to the client it belongs to.
template <class Struct, class Owner>
struct Counted {
  Struct structure{};  // first, so the structure's address is the object's
  std::atomic<int32_t> count{1};
  Owner* owner;

  explicit Counted(Owner* owner_) : owner(owner_) { structure.base = {sizeof(Struct), &add_ref, &release, &get_refct}; }
  static Owner* owner_of(Struct* structure) { return reinterpret_cast<Counted*>(structure)->owner; }
  Struct* give() {  // with a new reference, for a receiver that takes it over
    ++count;
    return &structure;
  }

 private:
  static Counted* self(TCefBase* base) { return reinterpret_cast<Counted*>(base); }
  static int32_t CEF_CALLBACK add_ref(TCefBase* base) { return ++self(base)->count; }
  static int32_t CEF_CALLBACK release(TCefBase* base) { return --self(base)->count; }
  static int32_t CEF_CALLBACK get_refct(TCefBase* base) { return self(base)->count; }
};

// A download handler of the program's: it keeps every byte (unless told not to) and the size of
// every block, and answers 0 (cancels) once `cancel_at` bytes have come.
class ProgramDownload {
 public:
  ProgramDownload() {
    handler_.structure.received_data = &received_data;
    handler_.structure.complete = &complete;
  }
  TCefDownloadHandler* give() { return handler_.give(); }
  bool released() const { return handler_.count == 1; }

  bool keeps_bytes = true;
  int64_t received = 0;  // bytes, kept or not
  std::string bytes;
  std::vector<int> blocks;
  std::vector<int32_t> block_steps;  // the cef_do_message_loop_work count at each block
  int completes = 0;
  int64_t cancel_at = -1;
  bool data_after_complete = false;

 private:
  static ProgramDownload* owner(TCefDownloadHandler* h) { return Counted<TCefDownloadHandler, ProgramDownload>::owner_of(h); }
  static int CEF_CALLBACK received_data(TCefDownloadHandler* h, void* data, int size) {
    ProgramDownload* self = owner(h);
    if (self->completes > 0) self->data_after_complete = true;
    self->received += size;
    if (self->keeps_bytes) self->bytes.append(static_cast<const char*>(data), static_cast<std::size_t>(size));
    self->blocks.push_back(size);
    self->block_steps.push_back(process_counts().message_loop_work);
    return self->cancel_at >= 0 && self->received >= self->cancel_at ? 0 : 1;
  }
  static void CEF_CALLBACK complete(TCefDownloadHandler* h) { ++owner(h)->completes; }

  Counted<TCefDownloadHandler, ProgramDownload> handler_{this};
};

// A client with a life-span, a load, a display, a request and (when asked to) a menu handler.
// Each call of theirs is logged with what the engine passed, then the references that came with
// the arguments are released.
class ProgramClient {
 public:
  struct Call {
    std::string slot;  // "load_handler.on_load_start"
    TCefBrowser* browser = nullptr;
    TCefFrame* frame = nullptr;
    std::u16string text;       // the URL or the title
    int64_t number = 0;        // on_load_end's status
    std::u16string frame_url;  // what the frame answered for its URL during the call
    int32_t step = 0;          // cef_do_message_loop_work calls so far when the call came
    std::u16string detail;     // on_load_error's text; get_download_handler's suggested name
  };

  // What on_before_menu found in the engine's menu record.
  struct Menu {
    TCefBrowser* browser = nullptr;
    int32_t type_flags = 0, x = 0, y = 0, edit_flags = 0;
    std::u16string link_url, image_url, page_url, frame_url, selection_text, misspelled_word, security_info;
  };

  ProgramClient() {
    client_.structure.get_menu_handler = &get_menu;
    menu_.structure.on_before_menu = &on_before_menu;
    client_.structure.get_life_span_handler = &get_life_span;
    client_.structure.get_load_handler = &get_load;
    client_.structure.get_display_handler = &get_display;
    life_span_.structure.on_after_created = &on_after_created;
    load_.structure.on_load_start = &on_load_start;
    load_.structure.on_load_end = &on_load_end;
    display_.structure.on_address_change = &on_address_change;
    display_.structure.on_title_change = &on_title_change;
    client_.structure.get_request_handler = &get_request;
    load_.structure.on_load_error = &on_load_error;
    request_.structure.get_download_handler = &get_download_handler;
  }

  TCefClient* give() { return client_.give(); }
  TCefLoadHandler* load_handler() { return &load_.structure; }
  std::vector<std::string> slots() const {
    std::vector<std::string> names;
    for (const Call& call : calls) names.push_back(call.slot);
    return names;
  }
  // Nobody but the program holds the client or a handler any more.
  bool released() const {
    return client_.count == 1 && life_span_.count == 1 && load_.count == 1 && display_.count == 1 &&
           menu_.count == 1 && request_.count == 1;
  }
  // How often the engine asked for each handler: "life_span", "load", "display".
  int asked(const std::string& family) const { return asked_.count(family) != 0 ? asked_.at(family) : 0; }

  std::vector<Call> calls;
  bool gives_display = true;
  bool gives_menu = false;
  int menu_answer = 1;  // what on_before_menu answers
  std::vector<Menu> menus;
  // What get_download_handler answers, and the handler it gives (none when null).
  int download_answer = 1;
  ProgramDownload* download = nullptr;
  // The error page on_load_error asks for (answering 1); none when empty.
  std::u16string error_page;
  // Runs inside each call, after it was logged and before its references go.
  std::function<void(const Call&)> during_call;

 private:
  template <class Struct>
  static ProgramClient* owner(Struct* structure) {
    return Counted<Struct, ProgramClient>::owner_of(structure);
  }

  template <class Handler>
  Handler* hand_out(const char* family, Counted<Handler, ProgramClient>& handler, bool gives) {
    ++asked_[family];
    return gives ? handler.give() : nullptr;
  }
  static TCefLifeSpanHandler* CEF_CALLBACK get_life_span(TCefClient* c) {
    return owner(c)->hand_out("life_span", owner(c)->life_span_, true);
  }
  static TCefLoadHandler* CEF_CALLBACK get_load(TCefClient* c) { return owner(c)->hand_out("load", owner(c)->load_, true); }
  static TCefDisplayHandler* CEF_CALLBACK get_display(TCefClient* c) {
    return owner(c)->hand_out("display", owner(c)->display_, owner(c)->gives_display);
  }
  static TCefMenuHandler* CEF_CALLBACK get_menu(TCefClient* c) {
    return owner(c)->hand_out("menu", owner(c)->menu_, owner(c)->gives_menu);
  }
  static int CEF_CALLBACK on_before_menu(TCefMenuHandler* h, TCefBrowser* browser, TCefMenuInfo* info) {
    ProgramClient* self = owner(h);
    self->menus.push_back({browser, info->typeFlags, info->x, info->y, info->editFlags, text_of(&info->linkUrl),
                           text_of(&info->imageUrl), text_of(&info->pageUrl), text_of(&info->frameUrl),
                           text_of(&info->selectionText), text_of(&info->misspelledWord),
                           text_of(&info->securityInfo)});
    browser->base.release(&browser->base);
    return self->menu_answer;
  }
  static TCefRequestHandler* CEF_CALLBACK get_request(TCefClient* c) {
    return owner(c)->hand_out("request", owner(c)->request_, true);
  }
  static int CEF_CALLBACK on_load_error(TCefLoadHandler* h, TCefBrowser* browser, TCefFrame* frame, int code,
                                        const TCefString* url, TCefString* text) {
    ProgramClient* self = owner(h);
    self->note("load_handler.on_load_error", browser, frame, text_of(url), code, text_of(text));
    if (self->error_page.empty()) return 0;
    cef_string_utf16_set(self->error_page.data(), self->error_page.size(), text, 1);
    return 1;
  }
  // Logged with the MIME type as text, the length as number and the name as detail.
  static int CEF_CALLBACK get_download_handler(TCefRequestHandler* h, TCefBrowser* browser, const TCefString* mime_type,
                                               const TCefString* file_name, int64_t length,
                                               TCefDownloadHandler** handler) {
    ProgramClient* self = owner(h);
    self->note("request_handler.get_download_handler", browser, nullptr, text_of(mime_type), length, text_of(file_name));
    *handler = self->download != nullptr ? self->download->give() : nullptr;
    return self->download_answer;
  }
  static void CEF_CALLBACK on_after_created(TCefLifeSpanHandler* h, TCefBrowser* browser) {
    owner(h)->note("life_span_handler.on_after_created", browser);
  }
  static void CEF_CALLBACK on_load_start(TCefLoadHandler* h, TCefBrowser* browser, TCefFrame* frame) {
    owner(h)->note("load_handler.on_load_start", browser, frame);
  }
  static void CEF_CALLBACK on_load_end(TCefLoadHandler* h, TCefBrowser* browser, TCefFrame* frame, int status) {
    owner(h)->note("load_handler.on_load_end", browser, frame, u"", status);
  }
  static void CEF_CALLBACK on_address_change(TCefDisplayHandler* h, TCefBrowser* browser, TCefFrame* frame,
                                             const TCefString* url) {
    owner(h)->note("display_handler.on_address_change", browser, frame, text_of(url));
  }
  static void CEF_CALLBACK on_title_change(TCefDisplayHandler* h, TCefBrowser* browser, const TCefString* title) {
    owner(h)->note("display_handler.on_title_change", browser, nullptr, text_of(title));
  }

  // The call takes over the references of its browser and frame.
  void note(const char* slot, TCefBrowser* browser, TCefFrame* frame = nullptr, std::u16string text = u"",
            int64_t number = 0, std::u16string detail = u"") {
    Call call{slot, browser, frame, std::move(text), number, u"", process_counts().message_loop_work, std::move(detail)};
    if (frame != nullptr) {
      PCefStringUserFree url = frame->get_url(frame);
      call.frame_url = text_of(url);
      cef_string_userfree_utf16_free(url);
    }
    calls.push_back(call);
    if (during_call) during_call(call);
    if (frame != nullptr) frame->base.release(&frame->base);
    if (browser != nullptr) browser->base.release(&browser->base);
  }

  Counted<TCefClient, ProgramClient> client_{this};
  Counted<TCefLifeSpanHandler, ProgramClient> life_span_{this};
  Counted<TCefLoadHandler, ProgramClient> load_{this};
  Counted<TCefDisplayHandler, ProgramClient> display_{this};
  Counted<TCefMenuHandler, ProgramClient> menu_{this};
  Counted<TCefRequestHandler, ProgramClient> request_{this};
  std::map<std::string, int> asked_;
};

// Tests with the engine initialised, as the loader leaves it; shut down at the end.
class EngineWork : public StandInTest {
 protected:
  void SetUp() override {
    sim_process_reset();
    TCefSettings settings{};
    settings.size = sizeof settings;
    ASSERT_EQ(cef_initialize(&settings, nullptr), 1);
  }
  void TearDown() override {
    cef_shutdown();
    StandInTest::TearDown();
    sim_process_reset();
  }

  static void step() { cef_do_message_loop_work(); }
  // A borrowed view of `text`, as the program passes its strings.
  static TCefString view(const std::u16string& text) { return {const_cast<char16_t*>(text.data()), text.size(), nullptr}; }
  // A browser of `client` made by cef_browser_create_sync; one reference for the test.
  static TCefBrowser* create(ProgramClient& client, const std::u16string& url = u"", TCefWindowInfo* window_info = nullptr,
                             const TCefBrowserSettings* settings = nullptr) {
    TCefWindowInfo no_window{};
    const TCefString url_view = view(url);
    return cef_browser_create_sync(window_info != nullptr ? window_info : &no_window, client.give(), &url_view, settings);
  }
  template <class T>
  static void release(T* structure) {
    reinterpret_cast<TCefBase*>(structure)->release(reinterpret_cast<TCefBase*>(structure));
  }
  static TCefFrame* main_frame(TCefBrowser* browser) { return browser->get_main_frame(browser); }
  static void load(TCefFrame* frame, const std::u16string& url) {
    const TCefString url_view = view(url);
    frame->load_url(frame, &url_view);
  }
};

}  // namespace larkwell::enginesim::test
