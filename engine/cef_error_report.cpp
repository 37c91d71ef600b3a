#include "engine/cef_error_report.h"

#include <mutex>
#include <utility>

#include "core/exception_text.h"
#include "core/exceptions.h"

namespace larkwell {
namespace {

struct ReportState {
  std::mutex mutex;
  TCefErrorReportHandler handler;
  int count = 0;
  ustring last_message;
};

// Never destroyed: the engine may still call back (and fail) while the binding shuts it down
// at process exit, after ordinary statics are gone.
ReportState& State() {
  static ReportState& state = *new ReportState;
  return state;
}

}  // namespace

ustring DescribeException(const std::exception_ptr& error) { return ExceptionMessage(error); }

void SetCefErrorReportHandler(TCefErrorReportHandler handler) {
  std::lock_guard lock(State().mutex);
  State().handler = std::move(handler);
}

void ReportCefCallbackError(const std::exception_ptr& error) noexcept {
  try {
    TCefErrorReportHandler handler;
    {
      std::lock_guard lock(State().mutex);
      ++State().count;
      State().last_message = DescribeException(error);
      handler = State().handler;
    }
    if (handler) handler(error);
  } catch (...) {
    // Reporting must not fail the callback that is already failing.
  }
}

int CefReportedErrorCount() noexcept {
  std::lock_guard lock(State().mutex);
  return State().count;
}

ustring CefLastReportedErrorMessage() {
  std::lock_guard lock(State().mutex);
  return State().last_message;
}

void ResetCefReportedErrors() noexcept {
  std::lock_guard lock(State().mutex);
  State().count = 0;
  State().last_message.clear();
}

}  // namespace larkwell
