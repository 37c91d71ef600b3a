// The texts of the application's two error reports. Portable, so both builds test them.
#pragma once

#include <exception>

#include "core/ustring.h"

namespace larkwell {

// The default error report: the message of the innermost error (an error raised while
// handling another reports the one that caused it), followed by "." when its last character's
// code is greater than that of "." (46).
ustring DefaultErrorReportText(const std::exception_ptr& error);

// The caption of the last-resort report.
inline constexpr char16_t kLastResortCaption[] = u"Application Error";

// The last-resort report, for an error that escapes start-up:
//   Exception EOSError in module Larkwell.exe.
//   <the error's message>
ustring LastResortReportText(const std::exception_ptr& error, const ustring& moduleName);

}  // namespace larkwell
