// The sim_* test-control exports of the process functions.
#include "enginesim/control_process.h"

#include <optional>
#include <string>
#include <string_view>

#include "enginesim/core/ledger.h"
#include "enginesim/core/shield.h"
#include "enginesim/core/string_records.h"
#include "enginesim/core/unicode.h"
#include "enginesim/process/process.h"
#include "enginesim/web/browser.h"

using namespace larkwell::enginesim;

namespace {

// The settings cef_initialize received; nothing (and a ledger error) before the first.
std::optional<web::SettingsCopy> initialize_settings(const char* call) {
  auto settings = process::current().settings();
  if (!settings) ledger().record_error(std::string(call) + ": cef_initialize has not received settings yet");
  return settings;
}

// The settings the create call that made `browser` received; nothing (and a ledger error) for
// another browser or a structure that is none.
std::optional<web::SettingsCopy> browser_settings(TCefBrowser* browser, const char* call) {
  const web::SimBrowser* found = object_of<web::SimBrowser>(browser, call);
  if (found == nullptr) return std::nullopt;
  if (!found->settings()) ledger().record_error(std::string(call) + ": the browser was created without settings");
  return found->settings();
}

// What `pick` finds in `settings` under `key`; nothing (and a ledger error) for an unknown key.
template <class Pick>
auto find_setting(const std::optional<web::SettingsCopy>& settings, const char* key, const char* call, Pick pick)
    -> decltype(pick(*settings, "")) {
  if (!settings) return {};
  const std::string_view name = key != nullptr ? key : "";
  auto found = pick(*settings, name);
  if (!found) ledger().record_error(std::string(call) + ": the settings have no field '" + std::string(name) + "'");
  return found;
}

int64_t setting_number(const std::optional<web::SettingsCopy>& settings, const char* key, const char* call) {
  return find_setting(settings, key, call, [](const web::SettingsCopy& s, std::string_view k) { return s.number(k); })
      .value_or(-1);
}

int setting_text(const std::optional<web::SettingsCopy>& settings, const char* key, char16_t* buffer, int size,
                 const char* call) {
  const auto text =
      find_setting(settings, key, call, [](const web::SettingsCopy& s, std::string_view k) { return s.text(k); });
  return copy_out(text.value_or(std::u16string()), buffer, size);
}

}  // namespace

void CEF_EXPORT_CALL sim_process_counts(TSimProcessCounts* counts) {
  shielded<void>(__func__, [&] {
    if (counts != nullptr) *counts = process::current().counts();
  });
}

int64_t CEF_EXPORT_CALL sim_settings_number(const char* key) {
  return shielded<int64_t>(__func__,
                           [&](const char* call) { return setting_number(initialize_settings(call), key, call); });
}

int CEF_EXPORT_CALL sim_settings_text(const char* key, char16_t* buffer, int size) {
  return shielded<int>(
      __func__, [&](const char* call) { return setting_text(initialize_settings(call), key, buffer, size, call); });
}

int64_t CEF_EXPORT_CALL sim_browser_settings_number(TCefBrowser* browser, const char* key) {
  return shielded<int64_t>(
      __func__, [&](const char* call) { return setting_number(browser_settings(browser, call), key, call); });
}

int CEF_EXPORT_CALL sim_browser_settings_text(TCefBrowser* browser, const char* key, char16_t* buffer, int size) {
  return shielded<int>(__func__, [&](const char* call) {
    return setting_text(browser_settings(browser, call), key, buffer, size, call);
  });
}

TCefApp* CEF_EXPORT_CALL sim_process_application(void) {
  return shielded<TCefApp*>(__func__, [] { return process::current().application(); });
}

int CEF_EXPORT_CALL sim_app_proxy_for_url(const char16_t* url, int32_t* proxy_type, char16_t* buffer, int size) {
  return shielded<int>(__func__, [&] {
    const auto handler = process::current().proxy_handler();
    if (!handler) return -1;
    const std::u16string url_text = url != nullptr ? std::u16string(url) : std::u16string();
    const TCefString url_record{const_cast<char16_t*>(url_text.c_str()), url_text.size(), nullptr};
    TCefProxyInfo info{proxy_type != nullptr ? *proxy_type : 0, TCefString{}};
    handler.get()->get_proxy_for_url(handler.get(), &url_record, &info);
    if (proxy_type != nullptr) *proxy_type = info.proxyType;
    const int length = copy_out(text_of(&info.proxyList), buffer, size);
    clear_record(&info.proxyList);
    return length;
  });
}

int CEF_EXPORT_CALL sim_app_localized_string(int message_id, char16_t* buffer, int size) {
  return shielded<int>(__func__, [&] {
    const auto handler = process::current().resource_bundle_handler();
    if (!handler) return -1;
    TCefString text{};
    const int answer = handler.get()->get_localized_string(handler.get(), message_id, &text);
    const int length = answer != 0 ? copy_out(text_of(&text), buffer, size) : -2;
    clear_record(&text);
    return length;
  });
}

int CEF_EXPORT_CALL sim_app_data_resource(int resource_id, void** data, size_t* data_size) {
  return shielded<int>(__func__, [&] {
    const auto handler = process::current().resource_bundle_handler();
    if (!handler) return -1;
    void* stored = nullptr;
    size_t stored_size = 0;
    const int answer = handler.get()->get_data_resource(handler.get(), resource_id, &stored, &stored_size);
    if (data != nullptr) *data = stored;
    if (data_size != nullptr) *data_size = stored_size;
    return answer;
  });
}

void CEF_EXPORT_CALL sim_post_work(TSimWork work, void* data) {
  shielded<void>(__func__, [&] {
    if (work != nullptr) process::current().post([work, data] { work(data); });
  });
}

int CEF_EXPORT_CALL sim_pending_work(void) {
  return shielded<int>(__func__, [] { return process::current().pending_work(); });
}

void CEF_EXPORT_CALL sim_process_reset(void) {
  shielded<void>(__func__, [] { process::current().reset(); });
}

void CEF_EXPORT_CALL sim_process_report_at_exit(int enable) {
  shielded<void>(__func__, [&] { process::current().set_report_at_exit(enable != 0); });
}

void CEF_EXPORT_CALL sim_process_refuse_browsers(int refuse) {
  shielded<void>(__func__, [&] { process::current().set_refuse_browsers(refuse != 0); });
}

void CEF_EXPORT_CALL sim_process_unfinished_browsers(int unfinished) {
  shielded<void>(__func__, [&] { process::current().set_unfinished_browsers(unfinished != 0); });
}
