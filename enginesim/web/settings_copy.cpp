#include "enginesim/web/settings_copy.h"

#include "enginesim/core/collections.h"
#include "enginesim/web/web_support.h"

namespace larkwell::enginesim::web {

#define ENGINESIM_SETTINGS_NUMBERS(X)                                                              \
  X(size)                                                                                          \
  X(multi_threaded_message_loop) X(log_severity) X(graphics_implementation) X(local_storage_quota) \
      X(session_storage_quota) X(auto_detect_proxy_settings_enabled) X(pack_loading_disabled)

#define ENGINESIM_SETTINGS_TEXTS(X) \
  X(cache_path)                     \
  X(user_agent) X(product_version) X(locale) X(log_file) X(javascript_flags) X(resources_dir_path) X(locales_dir_path)

#define ENGINESIM_BROWSER_SETTINGS_NUMBERS(X)                                                                          \
  X(size)                                                                                                              \
  X(drag_drop_disabled) X(load_drops_disabled) X(history_disabled) X(default_font_size) X(default_fixed_font_size)     \
      X(minimum_font_size) X(minimum_logical_font_size) X(remote_fonts_disabled) X(encoding_detector_enabled)          \
          X(javascript_disabled) X(javascript_open_windows_disallowed) X(javascript_close_windows_disallowed)          \
              X(javascript_access_clipboard_disallowed) X(dom_paste_disabled) X(caret_browsing_enabled)                \
                  X(java_disabled) X(plugins_disabled) X(universal_access_from_file_urls_allowed)                      \
                      X(file_access_from_file_urls_allowed) X(web_security_disabled) X(xss_auditor_enabled)            \
                          X(image_load_disabled) X(shrink_standalone_images_to_fit) X(site_specific_quirks_disabled)   \
                              X(text_area_resize_disabled) X(page_cache_disabled) X(tab_to_links_disabled)             \
                                  X(hyperlink_auditing_disabled) X(user_style_sheet_enabled)                           \
                                      X(author_and_user_styles_disabled) X(local_storage_disabled)                     \
                                          X(databases_disabled) X(application_cache_disabled) X(webgl_disabled)        \
                                              X(accelerated_compositing_enabled) X(threaded_compositing_enabled)       \
                                                  X(accelerated_layers_disabled) X(accelerated_2d_canvas_disabled)     \
                                                      X(accelerated_painting_disabled) X(accelerated_filters_disabled) \
                                                          X(accelerated_plugins_disabled) X(developer_tools_disabled)  \
                                                              X(fullscreen_enabled)

#define ENGINESIM_BROWSER_SETTINGS_TEXTS(X)                                                                         \
  X(standard_font_family)                                                                                           \
  X(fixed_font_family) X(serif_font_family) X(sans_serif_font_family) X(cursive_font_family) X(fantasy_font_family) \
      X(default_encoding) X(user_style_sheet_location)

#define ENGINESIM_COPY_NUMBER(field) numbers_[#field] = static_cast<int64_t>(settings.field);
#define ENGINESIM_COPY_TEXT(field) copy_text(#field, settings.field);

SettingsCopy::SettingsCopy(const TCefSettings& settings) {
  ENGINESIM_SETTINGS_NUMBERS(ENGINESIM_COPY_NUMBER)
  ENGINESIM_SETTINGS_TEXTS(ENGINESIM_COPY_TEXT)

  const StringList* plugin_paths = collection_of<StringList>(settings.extra_plugin_paths, "cef_initialize");
  numbers_["extra_plugin_paths"] = plugin_paths != nullptr ? static_cast<int64_t>(plugin_paths->items.size()) : -1;
  if (plugin_paths == nullptr) return;
  for (std::size_t i = 0; i < plugin_paths->items.size(); ++i) {
    texts_["extra_plugin_paths." + std::to_string(i)] = plugin_paths->items[i];
  }
}

SettingsCopy::SettingsCopy(const TCefBrowserSettings& settings) {
  ENGINESIM_BROWSER_SETTINGS_NUMBERS(ENGINESIM_COPY_NUMBER)
  ENGINESIM_BROWSER_SETTINGS_TEXTS(ENGINESIM_COPY_TEXT)
}

#undef ENGINESIM_COPY_NUMBER
#undef ENGINESIM_COPY_TEXT

void SettingsCopy::copy_text(const std::string& field, const TCefString& record) {
  texts_[field] = std::u16string(text_of(&record));
  numbers_[field + ".length"] = static_cast<int64_t>(record.length);
  numbers_[field + ".str"] = record.str != nullptr ? 1 : 0;
  numbers_[field + ".dtor"] = record.dtor != nullptr ? 1 : 0;
}

std::optional<int64_t> SettingsCopy::number(std::string_view key) const { return value_at(numbers_, key); }

std::optional<std::u16string> SettingsCopy::text(std::string_view key) const { return value_at(texts_, key); }

}  // namespace larkwell::enginesim::web
