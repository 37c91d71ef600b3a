// Requests, their post data and the post data's elements.
//
// Each object guards its state with its own mutex: the engine hands requests to handlers on
// several threads. A request holds one reference on its post data, the post data one on each
// element.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "engine/cef_api.h"
#include "enginesim/core/sim_object.h"
#include "enginesim/web/web_support.h"

namespace larkwell::enginesim::web {

// Element types as the engine numbers them.
enum : TCefPostDataElementType { kElementEmpty = 0, kElementBytes = 1, kElementFile = 2 };

class SimPostDataElement final : public SimObjectOf<TCefPostDataElement> {
 public:
  SimPostDataElement();

 private:
  void set_to_empty();
  void set_to_file(const TCefString* file_name);
  void set_to_bytes(size_t size, const void* bytes);
  TCefPostDataElementType get_type();
  PCefStringUserFree get_file();
  size_t get_bytes_count();
  // Copies at most `size` bytes; answers how many.
  size_t get_bytes(size_t size, void* bytes);

  std::mutex mutex_;
  TCefPostDataElementType type_ = kElementEmpty;
  std::u16string file_;
  std::vector<unsigned char> bytes_;
};

class SimPostData final : public SimObjectOf<TCefPostData> {
 public:
  SimPostData();

 private:
  size_t get_element_count();
  // Fills at most *count slots, each with a new reference, and writes back how many.
  void get_elements(size_t* count, TCefPostDataElement** elements);
  // Both take over the reference that came with `element`. add_element refuses (0) an element
  // the post data already holds; remove_element answers 0 for one it does not hold.
  int remove_element(TCefPostDataElement* element);
  int add_element(TCefPostDataElement* element);
  void remove_elements();

  std::mutex mutex_;
  std::vector<Held<TCefPostDataElement>> elements_;
};

class SimRequest final : public SimObjectOf<TCefRequest> {
 public:
  SimRequest();

  // What a frame that loads this request remembers of it.
  std::u16string url();
  std::u16string method();

 private:
  // get_url, get_method, get_first_party_for_cookies and their setters.
  template <std::u16string SimRequest::*Field>
  PCefStringUserFree get_text();
  template <std::u16string SimRequest::*Field>
  void set_text(const TCefString* text);
  TCefPostData* get_post_data();
  // Takes over the reference that came with `post_data`; null leaves the request without.
  void set_post_data(TCefPostData* post_data);
  // Makes the program's map hold exactly the request's headers.
  void get_header_map(TCefStringMultimap header_map);
  void set_header_map(TCefStringMultimap header_map);
  void set(const TCefString* url, const TCefString* method, TCefPostData* post_data, TCefStringMultimap header_map);
  int get_flags();
  void set_flags(int flags);

  std::mutex mutex_;
  std::u16string url_;
  std::u16string method_ = u"GET";
  Held<TCefPostData> post_data_;
  std::vector<KeyValue> headers_;
  int flags_ = 0;
  std::u16string first_party_;
};

}  // namespace larkwell::enginesim::web
