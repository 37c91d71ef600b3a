#include "core/exceptions.h"

#include <utility>

namespace larkwell {

Exception::Exception(ustring message) : message_(std::move(message)), utf8_(UstringToUtf8(message_)) {}

EAssertionFailed::EAssertionFailed(const ustring& message, const char* unit, int line)
    : Exception(message + u" (" + Utf8ToUstring(unit) + u", line " + Utf8ToUstring(std::to_string(line)) + u")") {}

namespace {
ustring OSErrorMessage(uint32_t code, const ustring& systemText) {
  if (code == 0) return u"A call to an OS function failed";
  return u"System Error.  Code: " + Utf8ToUstring(std::to_string(code)) + u"." + kLineBreak + systemText;
}
}  // namespace

EOSError::EOSError(uint32_t code, const ustring& systemText) : Exception(OSErrorMessage(code, systemText)), code_(code) {}

EInvalidPointer::EInvalidPointer() : Exception(u"Invalid pointer operation") {}

}  // namespace larkwell
