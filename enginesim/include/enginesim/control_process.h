// Test control of the stand-in's process functions: what cef_initialize received, how often
// each process function ran, the application object the engine keeps, and the work queue that
// cef_do_message_loop_work runs.
//
// The stand-in checks the order a real engine needs: cef_initialize once, then work and
// browsers, then cef_shutdown once. A process function called out of that order is a ledger
// error, and does nothing.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "enginesim/control.h"

extern "C" {

struct TSimProcessCounts {
  int32_t initialize;         // cef_initialize calls, refused ones included
  int32_t shutdown;           // cef_shutdown calls, refused ones included
  int32_t message_loop_work;  // cef_do_message_loop_work calls
  int32_t run_message_loop;
  int32_t quit_message_loop;
  int32_t browsers_created;  // by cef_browser_create_sync and cef_browser_create
  int32_t initialised;       // 1 from cef_initialize to cef_shutdown
  // sim_ledger_clean() right after the last cef_shutdown released everything; -1 before any.
  int32_t ledger_clean_at_shutdown;
  // cef_do_message_loop_work calls that came while an earlier one, on any thread, was still
  // running (from a handler called inside the work, say); they run the work queued since.
  int32_t message_loop_reentries;
  int32_t message_loop_max_depth;  // the most cef_do_message_loop_work calls running at once
  int32_t browsers_refused;        // create calls answered with no browser (sim_process_refuse_browsers)
};
ENGINESIM_CONTROL void CEF_EXPORT_CALL sim_process_counts(TSimProcessCounts* counts);

// --- the settings record cef_initialize last received
//
// Numbers by field name: size, multi_threaded_message_loop, log_severity,
// graphics_implementation, local_storage_quota, session_storage_quota,
// auto_detect_proxy_settings_enabled, pack_loading_disabled; for each text field
// (cache_path, user_agent, product_version, locale, log_file, javascript_flags,
// resources_dir_path, locales_dir_path) "<field>.length", "<field>.str" (1 when its text
// pointer was not null) and "<field>.dtor" (1 when it had a dtor); "extra_plugin_paths": the
// item count of the plug-in path list, -1 when there was none.
// Texts: each text field by name, and "extra_plugin_paths.<index>" for each list item.
// An unknown key, or any key before the first cef_initialize, is a ledger error and answers
// -1 (number) or 0 (text).
ENGINESIM_CONTROL int64_t CEF_EXPORT_CALL sim_settings_number(const char* key);
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_settings_text(const char* key, char16_t* buffer, int size);

// --- the application object cef_initialize took over

// The application structure the engine holds (no reference added); null when it holds none.
ENGINESIM_CONTROL TCefApp* CEF_EXPORT_CALL sim_process_application(void);

// The engine asks the proxy handler it got from the application at cef_initialize for the
// proxy of `url` (zero-terminated). `proxy_type` goes in as the engine's preset and comes back
// as the handler left it; the text answered is the proxy list. -1 when the engine holds no
// proxy handler.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_app_proxy_for_url(const char16_t* url, int32_t* proxy_type, char16_t* buffer,
                                                            int size);
// The engine asks the resource-bundle handler for the text of `message_id` and answers it; -1
// when it holds no handler, -2 when the handler answered false.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_app_localized_string(int message_id, char16_t* buffer, int size);
// The engine asks the resource-bundle handler for the data of `resource_id`. Answers -1 when
// it holds no handler, else the handler's answer (0 or 1); `data` and `data_size` start null
// and 0 and hold what the handler stored.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_app_data_resource(int resource_id, void** data, size_t* data_size);

// --- the browser settings record a create call received, per browser
//
// Numbers by field name: size, default_font_size, default_fixed_font_size, minimum_font_size,
// minimum_logical_font_size and every Boolean field (drag_drop_disabled, load_drops_disabled,
// history_disabled, remote_fonts_disabled, encoding_detector_enabled, javascript_disabled, ...,
// developer_tools_disabled, fullscreen_enabled); for each text field (standard_font_family,
// fixed_font_family, serif_font_family, sans_serif_font_family, cursive_font_family,
// fantasy_font_family, default_encoding, user_style_sheet_location) "<field>.length",
// "<field>.str" and "<field>.dtor" as above. Texts: each text field by name.
// A browser created without a settings record (by sim_create_browser, or given null), an
// unknown key or a structure that is no browser is a ledger error and answers -1 or 0.
ENGINESIM_CONTROL int64_t CEF_EXPORT_CALL sim_browser_settings_number(TCefBrowser* browser, const char* key);
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_browser_settings_text(TCefBrowser* browser, const char* key, char16_t* buffer,
                                                                int size);

// --- work
//
// The engine works only inside cef_do_message_loop_work (and cef_run_message_loop), on the
// calling thread, as an engine without a multi-threaded message loop does. A step runs, in the
// order it was caused, what was queued before it began:
//  - a browser new since the last step: its client's life_span_handler.on_after_created(browser);
//  - a load of a frame (load_url, also of an empty URL, load_string, load_stream,
//    load_request, and the create call's start URL when it is not empty; an http:// address
//    is fetched from the network first, see control_net.h):
//    load_handler.on_load_start(browser, frame), display_handler.on_address_change(browser,
//    frame, url), for the main frame display_handler.on_title_change(browser, title) with the
//    URL as title, then load_handler.on_load_end(browser, frame, 200). The frame's URL, source
//    and the history change in the load call itself;
//  - firings queued by sim_post_fire, and work queued by sim_post_work.
// For each notification the engine asks the browser's client for the handler through its
// getter and releases the answer after the call; a client that gives none hears nothing.
// The engine queues its own work only while it is initialised, and does not keep a browser
// alive for it: work for a browser whose last reference went before the step is dropped. A
// browser made by cef_browser_create is held by the engine until the step announcing it ends.

// Queues `work(data)` to run on the thread that calls cef_do_message_loop_work next. Each step
// runs what was queued before it began; cef_shutdown drops what is left without running it.
typedef void(CEF_EXPORT_CALL* TSimWork)(void* data);
ENGINESIM_CONTROL void CEF_EXPORT_CALL sim_post_work(TSimWork work, void* data);
// Work queued and not yet run.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_pending_work(void);

// --- test state

// Forgets the counts and the settings received; an initialised engine first releases what it
// holds, as cef_shutdown would (without counting a shutdown).
ENGINESIM_CONTROL void CEF_EXPORT_CALL sim_process_reset(void);
// With 1, the stand-in writes one line to the standard error when the library is unloaded at
// process exit: "enginesim at exit: cef_initialize <n>, cef_shutdown <n>, ledger <clean|not
// clean> at shutdown". A program that does not call the control exports (the shell) sets the
// environment variable ENGINESIM_REPORT_AT_EXIT instead.
ENGINESIM_CONTROL void CEF_EXPORT_CALL sim_process_report_at_exit(int enable);
// For the benchmarks of a whole program: with the environment variable ENGINESIM_TIMESTAMPS
// naming a file, the stand-in appends one line to it at each of these moments, from any thread:
//   "<time> browser"        a create call made a browser;
//   "<time> load_url <url>" a frame was asked to load the address (UTF-8, nothing when empty);
//   "<time> page <url>"     a browser's window shows a page from now on (Windows only).
// <time> is the system time in 100 ns units since 1601 (a FILETIME; on Windows read with
// GetSystemTimePreciseAsFileTime), the same clock in every process of the machine.
// With 1, the create calls make no browser and answer null, as an engine that failed to make
// one does; the client's reference they were given is released. sim_process_reset turns it off.
ENGINESIM_CONTROL void CEF_EXPORT_CALL sim_process_refuse_browsers(int refuse);
// With 1, the create calls make unfinished browsers (TSimBrowserSetup.unfinished): no window
// (get_window_handle answers 0), get_main_frame answers null, and the create call's URL is not
// loaded. sim_process_reset turns it off.
ENGINESIM_CONTROL void CEF_EXPORT_CALL sim_process_unfinished_browsers(int unfinished);

}  // extern "C"

namespace larkwell::enginesim {

// sim_settings_text as a string.
inline std::u16string settings_text(const char* key) {
  return copied_text<char16_t>([&](char16_t* buffer, int size) { return sim_settings_text(key, buffer, size); });
}

// sim_browser_settings_text as a string.
inline std::u16string browser_settings_text(TCefBrowser* browser, const char* key) {
  return copied_text<char16_t>(
      [&](char16_t* buffer, int size) { return sim_browser_settings_text(browser, key, buffer, size); });
}

inline TSimProcessCounts process_counts() {
  TSimProcessCounts counts{};
  sim_process_counts(&counts);
  return counts;
}

}  // namespace larkwell::enginesim
