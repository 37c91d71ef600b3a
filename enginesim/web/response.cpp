#include "enginesim/web/response.h"

#include <algorithm>
#include <mutex>

#include "enginesim/core/sim_object.h"
#include "enginesim/web/web_support.h"

namespace larkwell::enginesim::web {
namespace {

// Header names compare without regard to ASCII case, as HTTP has them.
bool same_header_name(std::u16string_view a, std::u16string_view b) {
  auto lower = [](char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

class SimResponse final : public SimObjectOf<TCefResponse> {
 public:
  SimResponse(int status, std::u16string status_text, std::u16string mime_type, std::vector<KeyValue> headers)
      : SimObjectOf("response"),
        status_(status),
        status_text_(std::move(status_text)),
        mime_type_(std::move(mime_type)),
        headers_(std::move(headers)) {
    TCefResponse* s = structure();
    s->get_status = entry<&SimResponse::get_status>;
    s->set_status = entry<&SimResponse::set_status>;
    s->get_status_text = entry<&SimResponse::get_text<&SimResponse::status_text_>>;
    s->set_status_text = entry<&SimResponse::set_text<&SimResponse::status_text_>>;
    s->get_mime_type = entry<&SimResponse::get_text<&SimResponse::mime_type_>>;
    s->set_mime_type = entry<&SimResponse::set_text<&SimResponse::mime_type_>>;
    s->get_header = entry<&SimResponse::get_header>;
    s->get_header_map = entry<&SimResponse::get_header_map>;
    s->set_header_map = entry<&SimResponse::set_header_map>;
  }

 private:
  int get_status() {
    std::scoped_lock lock(mutex_);
    return status_;
  }
  void set_status(int status) {
    std::scoped_lock lock(mutex_);
    status_ = status;
  }
  template <std::u16string SimResponse::*Field>
  PCefStringUserFree get_text() {
    std::scoped_lock lock(mutex_);
    return userfree_text(this->*Field);
  }
  template <std::u16string SimResponse::*Field>
  void set_text(const TCefString* text) {
    std::scoped_lock lock(mutex_);
    this->*Field = text_copy(text);
  }
  // The first value of the header `name`; empty when there is none.
  PCefStringUserFree get_header(const TCefString* name) {
    std::scoped_lock lock(mutex_);
    auto found = std::find_if(headers_.begin(), headers_.end(),
                              [&](const KeyValue& header) { return same_header_name(header.first, text_of(name)); });
    return userfree_text(found != headers_.end() ? found->second : std::u16string());
  }
  // Makes the program's map hold exactly the response's headers.
  void get_header_map(TCefStringMultimap header_map) {
    std::scoped_lock lock(mutex_);
    fill_multimap(header_map, headers_, "response get_header_map");
  }
  void set_header_map(TCefStringMultimap header_map) {
    std::vector<KeyValue> headers = read_multimap(header_map, "response set_header_map");
    std::scoped_lock lock(mutex_);
    headers_ = std::move(headers);
  }

  std::mutex mutex_;
  int status_;
  std::u16string status_text_;
  std::u16string mime_type_;
  std::vector<KeyValue> headers_;
};

}  // namespace

TCefResponse* new_response(int status, std::u16string status_text, std::u16string mime_type,
                           std::vector<KeyValue> headers) {
  return make_object<SimResponse>(status, std::move(status_text), std::move(mime_type), std::move(headers))
      ->structure();
}

}  // namespace larkwell::enginesim::web
