// What the stand-in keeps of a settings record it receives: cef_initialize's settings and the
// browser settings of a create call. The records' strings are only borrowed for the call, and
// the plug-in path list is freed right after it, so everything is copied at once.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "engine/cef_api.h"

namespace larkwell::enginesim::web {

class SettingsCopy {
 public:
  SettingsCopy() = default;
  explicit SettingsCopy(const TCefSettings& settings);
  explicit SettingsCopy(const TCefBrowserSettings& settings);

  // By the keys control_process.h lists; nothing for an unknown key.
  std::optional<int64_t> number(std::string_view key) const;
  std::optional<std::u16string> text(std::string_view key) const;

 private:
  // A text field: its text, and its record's length, whether str and dtor were set.
  void copy_text(const std::string& field, const TCefString& record);

  std::map<std::string, int64_t, std::less<>> numbers_;
  std::map<std::string, std::u16string, std::less<>> texts_;
};

}  // namespace larkwell::enginesim::web
