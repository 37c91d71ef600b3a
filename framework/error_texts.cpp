#include "framework/error_texts.h"

#include "core/exception_text.h"
#include "core/exceptions.h"

namespace larkwell {

ustring DefaultErrorReportText(const std::exception_ptr& error) {
  ustring text = ExceptionMessage(InnermostException(error));
  if (!text.empty() && text.back() > u'.') text += u'.';
  return text;
}

ustring LastResortReportText(const std::exception_ptr& error, const ustring& moduleName) {
  const std::exception_ptr innermost = InnermostException(error);
  return u"Exception " + ExceptionKindName(innermost) + u" in module " + moduleName + u"." + kLineBreak +
         ExceptionMessage(innermost);
}

}  // namespace larkwell
