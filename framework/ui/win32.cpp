#include "framework/ui/win32.h"

#include <algorithm>
#include <string>

namespace larkwell {

ustring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  return FromWide(text.data(), static_cast<size_t>(std::max(copied, 0)));
}

}  // namespace larkwell
