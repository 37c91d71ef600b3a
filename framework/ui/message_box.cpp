#include "framework/ui/message_box.h"

namespace larkwell {

int ShowMessageBox(HWND owner, const ustring& text, const ustring& caption, UINT flags) noexcept {
  return MessageBoxW(owner, Wide(text), Wide(caption), flags);
}

}  // namespace larkwell
