#include "enginesim/web/requests.h"

#include <algorithm>
#include <cstring>

namespace larkwell::enginesim::web {

// --- post data element

SimPostDataElement::SimPostDataElement() : SimObjectOf("post data element") {
  TCefPostDataElement* s = structure();
  s->set_to_empty = entry<&SimPostDataElement::set_to_empty>;
  s->set_to_file = entry<&SimPostDataElement::set_to_file>;
  s->set_to_bytes = entry<&SimPostDataElement::set_to_bytes>;
  s->get_type = entry<&SimPostDataElement::get_type>;
  s->get_file = entry<&SimPostDataElement::get_file>;
  s->get_bytes_count = entry<&SimPostDataElement::get_bytes_count>;
  s->get_bytes = entry<&SimPostDataElement::get_bytes>;
}

void SimPostDataElement::set_to_empty() {
  std::scoped_lock lock(mutex_);
  type_ = kElementEmpty;
  file_.clear();
  bytes_.clear();
}

void SimPostDataElement::set_to_file(const TCefString* file_name) {
  std::scoped_lock lock(mutex_);
  type_ = kElementFile;
  file_ = text_copy(file_name);
  bytes_.clear();
}

void SimPostDataElement::set_to_bytes(size_t size, const void* bytes) {
  std::scoped_lock lock(mutex_);
  type_ = kElementBytes;
  file_.clear();
  const auto* first = static_cast<const unsigned char*>(bytes);
  bytes_.assign(first, first != nullptr ? first + size : first);
}

TCefPostDataElementType SimPostDataElement::get_type() {
  std::scoped_lock lock(mutex_);
  return type_;
}

PCefStringUserFree SimPostDataElement::get_file() {
  std::scoped_lock lock(mutex_);
  return userfree_text(file_);
}

size_t SimPostDataElement::get_bytes_count() {
  std::scoped_lock lock(mutex_);
  return bytes_.size();
}

size_t SimPostDataElement::get_bytes(size_t size, void* bytes) {
  std::scoped_lock lock(mutex_);
  if (bytes == nullptr) return 0;
  const size_t copied = std::min(size, bytes_.size());
  if (copied != 0) std::memcpy(bytes, bytes_.data(), copied);
  return copied;
}

// --- post data

SimPostData::SimPostData() : SimObjectOf("post data") {
  TCefPostData* s = structure();
  s->get_element_count = entry<&SimPostData::get_element_count>;
  s->get_elements = entry<&SimPostData::get_elements>;
  s->remove_element = entry<&SimPostData::remove_element>;
  s->add_element = entry<&SimPostData::add_element>;
  s->remove_elements = entry<&SimPostData::remove_elements>;
}

size_t SimPostData::get_element_count() {
  std::scoped_lock lock(mutex_);
  return elements_.size();
}

void SimPostData::get_elements(size_t* count, TCefPostDataElement** elements) {
  if (count == nullptr) return;
  std::scoped_lock lock(mutex_);
  const size_t filled = elements != nullptr ? std::min(*count, elements_.size()) : 0;
  for (size_t i = 0; i < filled; ++i) elements[i] = elements_[i].share();
  *count = filled;
}

int SimPostData::remove_element(TCefPostDataElement* element) {
  Held<TCefPostDataElement> argument = Held<TCefPostDataElement>::adopt(element);
  Held<TCefPostDataElement> removed;
  std::scoped_lock lock(mutex_);
  auto found = std::find_if(elements_.begin(), elements_.end(),
                            [&](const auto& held) { return held.get() == element; });
  if (element == nullptr || found == elements_.end()) return 0;
  removed = std::move(*found);
  elements_.erase(found);
  return 1;
}

int SimPostData::add_element(TCefPostDataElement* element) {
  Held<TCefPostDataElement> argument = Held<TCefPostDataElement>::adopt(element);
  std::scoped_lock lock(mutex_);
  const bool known = std::any_of(elements_.begin(), elements_.end(),
                                 [&](const auto& held) { return held.get() == element; });
  if (element == nullptr || known) return 0;
  elements_.push_back(std::move(argument));
  return 1;
}

void SimPostData::remove_elements() {
  std::vector<Held<TCefPostDataElement>> removed;
  std::scoped_lock lock(mutex_);
  removed.swap(elements_);
}

// --- request

SimRequest::SimRequest() : SimObjectOf("request") {
  TCefRequest* s = structure();
  s->get_url = entry<&SimRequest::get_text<&SimRequest::url_>>;
  s->set_url = entry<&SimRequest::set_text<&SimRequest::url_>>;
  s->get_method = entry<&SimRequest::get_text<&SimRequest::method_>>;
  s->set_method = entry<&SimRequest::set_text<&SimRequest::method_>>;
  s->get_post_data = entry<&SimRequest::get_post_data>;
  s->set_post_data = entry<&SimRequest::set_post_data>;
  s->get_header_map = entry<&SimRequest::get_header_map>;
  s->set_header_map = entry<&SimRequest::set_header_map>;
  s->set = entry<&SimRequest::set>;
  s->get_flags = entry<&SimRequest::get_flags>;
  s->set_flags = entry<&SimRequest::set_flags>;
  s->get_first_party_for_cookies = entry<&SimRequest::get_text<&SimRequest::first_party_>>;
  s->set_first_party_for_cookies = entry<&SimRequest::set_text<&SimRequest::first_party_>>;
}

std::u16string SimRequest::url() {
  std::scoped_lock lock(mutex_);
  return url_;
}

std::u16string SimRequest::method() {
  std::scoped_lock lock(mutex_);
  return method_;
}

template <std::u16string SimRequest::*Field>
PCefStringUserFree SimRequest::get_text() {
  std::scoped_lock lock(mutex_);
  return userfree_text(this->*Field);
}

template <std::u16string SimRequest::*Field>
void SimRequest::set_text(const TCefString* text) {
  std::scoped_lock lock(mutex_);
  this->*Field = text_copy(text);
}

TCefPostData* SimRequest::get_post_data() {
  std::scoped_lock lock(mutex_);
  return post_data_.share();
}

void SimRequest::set_post_data(TCefPostData* post_data) {
  Held<TCefPostData> incoming = Held<TCefPostData>::adopt(post_data);
  std::scoped_lock lock(mutex_);
  std::swap(post_data_, incoming);  // the old post data goes with `incoming`
}

void SimRequest::get_header_map(TCefStringMultimap header_map) {
  std::scoped_lock lock(mutex_);
  fill_multimap(header_map, headers_, "request get_header_map");
}

void SimRequest::set_header_map(TCefStringMultimap header_map) {
  std::vector<KeyValue> headers = read_multimap(header_map, "request set_header_map");
  std::scoped_lock lock(mutex_);
  headers_ = std::move(headers);
}

void SimRequest::set(const TCefString* url, const TCefString* method, TCefPostData* post_data,
                     TCefStringMultimap header_map) {
  set_text<&SimRequest::url_>(url);
  set_text<&SimRequest::method_>(method);
  set_post_data(post_data);
  set_header_map(header_map);
}

int SimRequest::get_flags() {
  std::scoped_lock lock(mutex_);
  return flags_;
}

void SimRequest::set_flags(int flags) {
  std::scoped_lock lock(mutex_);
  flags_ = flags;
}

}  // namespace larkwell::enginesim::web
