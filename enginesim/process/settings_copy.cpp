#include "enginesim/process/settings_copy.h"

#include "enginesim/collections.h"

namespace larkwell::enginesim::process {

#define ENGINESIM_SETTINGS_NUMBERS(X)                                                       \
  X(size) X(multi_threaded_message_loop) X(log_severity) X(graphics_implementation)         \
  X(local_storage_quota) X(session_storage_quota) X(auto_detect_proxy_settings_enabled)     \
  X(pack_loading_disabled)

#define ENGINESIM_SETTINGS_TEXTS(X)                                                         \
  X(cache_path) X(user_agent) X(product_version) X(locale) X(log_file) X(javascript_flags)   \
  X(resources_dir_path) X(locales_dir_path)

SettingsCopy::SettingsCopy(const TCefSettings& settings) {
#define ENGINESIM_COPY_NUMBER(field) numbers_[#field] = static_cast<int64_t>(settings.field);
  ENGINESIM_SETTINGS_NUMBERS(ENGINESIM_COPY_NUMBER)
#undef ENGINESIM_COPY_NUMBER
#define ENGINESIM_COPY_TEXT(field)                                 \
  texts_[#field] = std::u16string(text_of(&settings.field));       \
  numbers_[#field ".length"] = static_cast<int64_t>(settings.field.length); \
  numbers_[#field ".str"] = settings.field.str != nullptr ? 1 : 0;  \
  numbers_[#field ".dtor"] = settings.field.dtor != nullptr ? 1 : 0;
  ENGINESIM_SETTINGS_TEXTS(ENGINESIM_COPY_TEXT)
#undef ENGINESIM_COPY_TEXT

  const StringList* plugin_paths = collection_of<StringList>(settings.extra_plugin_paths, "cef_initialize");
  numbers_["extra_plugin_paths"] = plugin_paths != nullptr ? static_cast<int64_t>(plugin_paths->items.size()) : -1;
  if (plugin_paths == nullptr) return;
  for (std::size_t i = 0; i < plugin_paths->items.size(); ++i) {
    texts_["extra_plugin_paths." + std::to_string(i)] = plugin_paths->items[i];
  }
}

std::optional<int64_t> SettingsCopy::number(std::string_view key) const {
  const auto found = numbers_.find(key);
  if (found == numbers_.end()) return std::nullopt;
  return found->second;
}

std::optional<std::u16string> SettingsCopy::text(std::string_view key) const {
  const auto found = texts_.find(key);
  if (found == texts_.end()) return std::nullopt;
  return found->second;
}

}  // namespace larkwell::enginesim::process
