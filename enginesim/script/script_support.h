// What the script and document models share with the web objects (held references, text
// results, the control API's UTF-8) and the few text crossings of their own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/cef_api.h"
#include "enginesim/core/collections.h"
#include "enginesim/core/held.h"
#include "enginesim/core/string_records.h"
#include "enginesim/core/unicode.h"
#include "enginesim/web/web_support.h"

namespace larkwell::enginesim {

using web::from_utf8;
using web::userfree_text;

// A record lending `text` to a callee for the length of a call; the callee copies what it keeps.
inline TCefString lent_text(const std::u16string& text) {
  TCefString record{};
  record.str = const_cast<char16_t*>(text.c_str());
  record.length = text.size();
  return record;
}

// Writes `text` as UTF-8 into buffer (at most size - 1 bytes and a terminating zero); the
// buffers are the control's fixed records, far below INT_MAX.
inline void copy_utf8(std::u16string_view text, char* buffer, std::size_t size) {
  copy_out<char>(utf8_of(text), buffer, static_cast<int>(size));
}

}  // namespace larkwell::enginesim
