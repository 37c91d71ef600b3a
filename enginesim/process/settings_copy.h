// What the stand-in keeps of the settings record cef_initialize receives: the record's
// strings are only borrowed for the call, and the plug-in path list is freed right after it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "engine/cef_api.h"

namespace larkwell::enginesim::process {

class SettingsCopy {
 public:
  SettingsCopy() = default;
  explicit SettingsCopy(const TCefSettings& settings);

  // By the keys control_process.h lists; nothing for an unknown key.
  std::optional<int64_t> number(std::string_view key) const;
  std::optional<std::u16string> text(std::string_view key) const;

 private:
  std::map<std::string, int64_t, std::less<>> numbers_;
  std::map<std::string, std::u16string, std::less<>> texts_;
};

}  // namespace larkwell::enginesim::process
