// Compile-time checks of the engine's C declarations in cef_api.h.
//
// A structure or record that is one field off does not fail to link: it crashes inside
// libcef.dll, far from the cause. So every size and offset the engine relies on is pinned here.
// Function structures are checked on every build in units of the platform's pointer (header,
// then N members, no gaps). Records have the engine's layout only on the 32-bit Windows target;
// on the host they take the host's own sizes and are not checked.

#include <stddef.h>

#include "engine/cef_api.h"

namespace larkwell {
namespace {

// Byte offset of function member k (counted from 0 after the header).
constexpr size_t member_slot(size_t k) { return sizeof(TCefBase) + k * sizeof(void*); }

// The header itself: size, then the three counting functions.
static_assert(offsetof(TCefBase, size) == 0);
static_assert(offsetof(TCefBase, add_ref) == sizeof(size_t));
static_assert(sizeof(TCefBase) == sizeof(size_t) + 3 * sizeof(void*));

// Every function structure: the header, its N members with the first right after the header
// and the last at the end, nothing else.
#define LARKWELL_CHECK_STRUCTURE(name, members, first, last)                                     \
  static_assert(sizeof(TCef##name) == member_slot(members), "size of TCef" #name);             \
  static_assert(offsetof(TCef##name, base) == 0, "header of TCef" #name);                      \
  static_assert(offsetof(TCef##name, first) == member_slot(0), "first member of TCef" #name);  \
  static_assert(offsetof(TCef##name, last) == member_slot((members) - 1),                      \
                "last member of TCef" #name);
CEF_STRUCTURES(LARKWELL_CHECK_STRUCTURE)
#undef LARKWELL_CHECK_STRUCTURE

// Members whose position is easy to get wrong: where the engine's order differs from the
// program's method order, or where a wrapper reaches a member far into a structure.
static_assert(offsetof(TCefClient, get_permission_handler) == member_slot(7));
static_assert(offsetof(TCefClient, get_jsdialog_handler) == member_slot(10));
static_assert(offsetof(TCefClient, get_v8context_handler) == member_slot(11));
static_assert(offsetof(TCefLifeSpanHandler, run_modal) == member_slot(2));
static_assert(offsetof(TCefLifeSpanHandler, do_close) == member_slot(3));
static_assert(offsetof(TCefRequestHandler, get_download_handler) == member_slot(5));
static_assert(offsetof(TCefRequestHandler, get_auth_credentials) == member_slot(6));
static_assert(offsetof(TCefRequestHandler, unused_member) == member_slot(7));
static_assert(offsetof(TCefApp, get_proxy_handler) == member_slot(1));
static_assert(offsetof(TCefResourceBundleHandler, get_data_resource) == member_slot(1));
static_assert(offsetof(TCefBrowser, get_client) == member_slot(14));
static_assert(offsetof(TCefBrowser, find) == member_slot(19));
static_assert(offsetof(TCefBrowser, get_size) == member_slot(27));
static_assert(offsetof(TCefFrame, load_stream) == member_slot(14));
static_assert(offsetof(TCefFrame, get_identifier) == member_slot(19));
static_assert(offsetof(TCefFrame, visit_dom) == member_slot(23));
static_assert(offsetof(TCefRequest, set) == member_slot(8));
static_assert(offsetof(TCefV8Value, get_date_value) == member_slot(14));
static_assert(offsetof(TCefV8Value, get_keys) == member_slot(25));
static_assert(offsetof(TCefV8Value, execute_function) == member_slot(32));
static_assert(offsetof(TCefDomNode, add_event_listener) == member_slot(17));
static_assert(offsetof(TCefDownloadHandler, complete) == member_slot(1));

#if defined(_WIN32) && !defined(_WIN64)

#define LARKWELL_CHECK_FIELD(record, field, offset) \
  static_assert(offsetof(record, field) == (offset), #record "." #field);

static_assert(sizeof(TCefBase) == 16);
static_assert(sizeof(void*) == 4 && sizeof(size_t) == 4);
static_assert(sizeof(TCefStringUtf16) == 12);
static_assert(sizeof(TCefStringWide) == 12 && sizeof(TCefStringUtf8) == 12);
static_assert(sizeof(TCefBool) == 4 && sizeof(TCefByteBool) == 1);

#define LARKWELL_CHECK_RECORD_SIZE(name, size) \
  static_assert(sizeof(TCef##name) == (size), "size of TCef" #name);
CEF_RECORDS(LARKWELL_CHECK_RECORD_SIZE)
#undef LARKWELL_CHECK_RECORD_SIZE

// Process settings.
LARKWELL_CHECK_FIELD(TCefSettings, size, 0)
LARKWELL_CHECK_FIELD(TCefSettings, multi_threaded_message_loop, 4)
LARKWELL_CHECK_FIELD(TCefSettings, cache_path, 8)
LARKWELL_CHECK_FIELD(TCefSettings, user_agent, 20)
LARKWELL_CHECK_FIELD(TCefSettings, product_version, 32)
LARKWELL_CHECK_FIELD(TCefSettings, locale, 44)
LARKWELL_CHECK_FIELD(TCefSettings, extra_plugin_paths, 56)
LARKWELL_CHECK_FIELD(TCefSettings, log_file, 60)
LARKWELL_CHECK_FIELD(TCefSettings, log_severity, 72)
LARKWELL_CHECK_FIELD(TCefSettings, graphics_implementation, 76)
LARKWELL_CHECK_FIELD(TCefSettings, local_storage_quota, 80)
LARKWELL_CHECK_FIELD(TCefSettings, session_storage_quota, 84)
LARKWELL_CHECK_FIELD(TCefSettings, javascript_flags, 88)
LARKWELL_CHECK_FIELD(TCefSettings, auto_detect_proxy_settings_enabled, 100)
LARKWELL_CHECK_FIELD(TCefSettings, resources_dir_path, 104)
LARKWELL_CHECK_FIELD(TCefSettings, locales_dir_path, 116)
LARKWELL_CHECK_FIELD(TCefSettings, pack_loading_disabled, 128)

// Per-browser settings.
LARKWELL_CHECK_FIELD(TCefBrowserSettings, size, 0)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, drag_drop_disabled, 4)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, load_drops_disabled, 5)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, history_disabled, 6)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, standard_font_family, 8)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, fixed_font_family, 20)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, serif_font_family, 32)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, sans_serif_font_family, 44)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, cursive_font_family, 56)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, fantasy_font_family, 68)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, default_font_size, 80)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, default_fixed_font_size, 84)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, minimum_font_size, 88)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, minimum_logical_font_size, 92)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, remote_fonts_disabled, 96)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, default_encoding, 100)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, encoding_detector_enabled, 112)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, javascript_disabled, 113)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, javascript_open_windows_disallowed, 114)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, javascript_close_windows_disallowed, 115)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, javascript_access_clipboard_disallowed, 116)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, dom_paste_disabled, 117)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, caret_browsing_enabled, 118)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, java_disabled, 119)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, plugins_disabled, 120)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, universal_access_from_file_urls_allowed, 121)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, file_access_from_file_urls_allowed, 122)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, web_security_disabled, 123)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, xss_auditor_enabled, 124)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, image_load_disabled, 125)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, shrink_standalone_images_to_fit, 126)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, site_specific_quirks_disabled, 127)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, text_area_resize_disabled, 128)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, page_cache_disabled, 129)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, tab_to_links_disabled, 130)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, hyperlink_auditing_disabled, 131)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, user_style_sheet_enabled, 132)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, user_style_sheet_location, 136)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, author_and_user_styles_disabled, 148)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, local_storage_disabled, 149)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, databases_disabled, 150)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, application_cache_disabled, 151)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, webgl_disabled, 152)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, accelerated_compositing_enabled, 153)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, threaded_compositing_enabled, 154)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, accelerated_layers_disabled, 155)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, accelerated_2d_canvas_disabled, 156)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, accelerated_painting_disabled, 157)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, accelerated_filters_disabled, 158)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, accelerated_plugins_disabled, 159)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, developer_tools_disabled, 160)
LARKWELL_CHECK_FIELD(TCefBrowserSettings, fullscreen_enabled, 161)

// Window description: 32-bit fields and handles in order, the title a 12-byte string.
LARKWELL_CHECK_FIELD(TCefWindowInfo, ExStyle, 0)
LARKWELL_CHECK_FIELD(TCefWindowInfo, windowName, 4)
LARKWELL_CHECK_FIELD(TCefWindowInfo, Style, 16)
LARKWELL_CHECK_FIELD(TCefWindowInfo, x, 20)
LARKWELL_CHECK_FIELD(TCefWindowInfo, y, 24)
LARKWELL_CHECK_FIELD(TCefWindowInfo, Width, 28)
LARKWELL_CHECK_FIELD(TCefWindowInfo, Height, 32)
LARKWELL_CHECK_FIELD(TCefWindowInfo, WndParent, 36)
LARKWELL_CHECK_FIELD(TCefWindowInfo, Menu, 40)
LARKWELL_CHECK_FIELD(TCefWindowInfo, m_bWindowRenderingDisabled, 44)
LARKWELL_CHECK_FIELD(TCefWindowInfo, m_bTransparentPainting, 48)
LARKWELL_CHECK_FIELD(TCefWindowInfo, Wnd, 52)

// Pop-up features: one-byte flags, 32-bit fields on their natural boundaries.
LARKWELL_CHECK_FIELD(TCefPopupFeatures, x, 0)
LARKWELL_CHECK_FIELD(TCefPopupFeatures, xSet, 4)
LARKWELL_CHECK_FIELD(TCefPopupFeatures, y, 8)
LARKWELL_CHECK_FIELD(TCefPopupFeatures, ySet, 12)
LARKWELL_CHECK_FIELD(TCefPopupFeatures, width, 16)
LARKWELL_CHECK_FIELD(TCefPopupFeatures, widthSet, 20)
LARKWELL_CHECK_FIELD(TCefPopupFeatures, height, 24)
LARKWELL_CHECK_FIELD(TCefPopupFeatures, heightSet, 28)
LARKWELL_CHECK_FIELD(TCefPopupFeatures, menuBarVisible, 29)
LARKWELL_CHECK_FIELD(TCefPopupFeatures, dialog, 36)
LARKWELL_CHECK_FIELD(TCefPopupFeatures, additionalFeatures, 40)

LARKWELL_CHECK_FIELD(TCefMenuInfo, typeFlags, 0)
LARKWELL_CHECK_FIELD(TCefMenuInfo, x, 4)
LARKWELL_CHECK_FIELD(TCefMenuInfo, y, 8)
LARKWELL_CHECK_FIELD(TCefMenuInfo, linkUrl, 12)
LARKWELL_CHECK_FIELD(TCefMenuInfo, imageUrl, 24)
LARKWELL_CHECK_FIELD(TCefMenuInfo, pageUrl, 36)
LARKWELL_CHECK_FIELD(TCefMenuInfo, frameUrl, 48)
LARKWELL_CHECK_FIELD(TCefMenuInfo, selectionText, 60)
LARKWELL_CHECK_FIELD(TCefMenuInfo, misspelledWord, 72)
LARKWELL_CHECK_FIELD(TCefMenuInfo, editFlags, 84)
LARKWELL_CHECK_FIELD(TCefMenuInfo, securityInfo, 88)

LARKWELL_CHECK_FIELD(TCefRect, x, 0)
LARKWELL_CHECK_FIELD(TCefRect, y, 4)
LARKWELL_CHECK_FIELD(TCefRect, width, 8)
LARKWELL_CHECK_FIELD(TCefRect, height, 12)

// Printing: the doubles sit on 8-byte boundaries.
LARKWELL_CHECK_FIELD(TCefPrintInfo, DC, 0)
LARKWELL_CHECK_FIELD(TCefPrintInfo, Rect, 4)
LARKWELL_CHECK_FIELD(TCefPrintInfo, Scale, 24)
LARKWELL_CHECK_FIELD(TCefRectLTRB, left, 0)
LARKWELL_CHECK_FIELD(TCefRectLTRB, bottom, 12)
LARKWELL_CHECK_FIELD(TCefPaperMetrics, paper_type, 0)
LARKWELL_CHECK_FIELD(TCefPaperMetrics, length, 8)
LARKWELL_CHECK_FIELD(TCefPaperMetrics, width, 16)
LARKWELL_CHECK_FIELD(TCefPrintMargins, left, 0)
LARKWELL_CHECK_FIELD(TCefPrintMargins, right, 8)
LARKWELL_CHECK_FIELD(TCefPrintMargins, top, 16)
LARKWELL_CHECK_FIELD(TCefPrintMargins, bottom, 24)
LARKWELL_CHECK_FIELD(TCefPrintMargins, header, 32)
LARKWELL_CHECK_FIELD(TCefPrintMargins, footer, 40)
LARKWELL_CHECK_FIELD(TCefPrintOptions, page_orientation, 0)
LARKWELL_CHECK_FIELD(TCefPrintOptions, paper_metrics, 8)
LARKWELL_CHECK_FIELD(TCefPrintOptions, paper_margins, 32)

LARKWELL_CHECK_FIELD(TCefTime, year, 0)
LARKWELL_CHECK_FIELD(TCefTime, day_of_week, 8)
LARKWELL_CHECK_FIELD(TCefTime, millisecond, 28)
LARKWELL_CHECK_FIELD(TCefProxyInfo, proxyType, 0)
LARKWELL_CHECK_FIELD(TCefProxyInfo, proxyList, 4)

#undef LARKWELL_CHECK_FIELD

#endif  // 32-bit Windows target

}  // namespace
}  // namespace larkwell
