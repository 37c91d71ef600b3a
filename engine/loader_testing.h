// For tests only: the loader's state is process-wide, so each test starts from a known one.
#pragma once

namespace larkwell {

// CefFinalizeBinding, then every configuration value back at its default: the state of
// process start. The entry points keep the values the last load gave them.
void CefResetLoaderForTesting() noexcept;

}  // namespace larkwell
