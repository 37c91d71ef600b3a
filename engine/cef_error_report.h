// Errors stopped at the engine boundary.
//
// A C++ exception must never unwind into the engine's frames: every callback entry catches
// everything, answers the engine neutrally and hands the error here. The application connects
// its error report (which defers to the message loop when the error arrives on another thread);
// until it does, errors are only counted and the last message kept, which tests read.
#pragma once

#include <exception>
#include <functional>

#include "core/ustring.h"

namespace larkwell {

using TCefErrorReportHandler = std::function<void(const std::exception_ptr& error)>;

// Installs the handler (an empty one restores the default). Thread-safe.
void SetCefErrorReportHandler(TCefErrorReportHandler handler);

// Hands an error to the handler. Never throws: a failing handler is ignored.
void ReportCefCallbackError(const std::exception_ptr& error) noexcept;

// What has been reported since the last reset (for tests and diagnostics).
int CefReportedErrorCount() noexcept;
ustring CefLastReportedErrorMessage();
void ResetCefReportedErrors() noexcept;

// The text an error report shows for `error`: the message of the system's exceptions, what()
// of other standard exceptions, a fixed text for anything else.
ustring DescribeException(const std::exception_ptr& error);

}  // namespace larkwell
