// The engine's C interface: every structure, record and export the program relies on.
//
// Layouts are the engine's own 32-bit layouts; cef_api_layout.cpp checks every size and offset
// on the target. Structure members keep the engine's lower-case names and order. Functions
// stored in structures use CEF_CALLBACK and take the structure as first argument; exports use
// CEF_EXPORT_CALL. A structure returned by the engine carries one reference for the receiver;
// one passed as an argument carries one reference that the callee takes over; the structure
// being called carries none. Booleans cross as int, 0 or 1.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <wchar.h>

#include "engine/cef_callconv.h"

extern "C" {

// ---------------------------------------------------------------------------------------------
// Basic types

typedef int32_t TCefBool;  // 0 or 1 when the program passes it; any non-zero is true
typedef void* TCefWindowHandle;  // a window handle, opaque to the binding
typedef void* TCefCursorHandle;
typedef void* TCefMenuHandle;
typedef void* TCefDeviceContext;

// Every engine structure starts with this header.
struct TCefBase {
  size_t size;  // the whole structure in bytes
  int32_t(CEF_CALLBACK* add_ref)(TCefBase* self);
  int32_t(CEF_CALLBACK* release)(TCefBase* self);
  int32_t(CEF_CALLBACK* get_refct)(TCefBase* self);
};

// ---------------------------------------------------------------------------------------------
// Strings and collections

// A string record: `dtor` frees `str`; null `dtor` means the record borrows its text.
struct TCefStringWide {
  wchar_t* str;
  size_t length;  // in characters, no terminator
  void(CEF_EXPORT_CALL* dtor)(wchar_t* str);
};
struct TCefStringUtf8 {
  char* str;
  size_t length;
  void(CEF_EXPORT_CALL* dtor)(char* str);
};
struct TCefStringUtf16 {
  char16_t* str;
  size_t length;  // in UTF-16 code units, no terminator
  void(CEF_EXPORT_CALL* dtor)(char16_t* str);
};
typedef TCefStringUtf16 TCefString;  // the binding's text crosses as UTF-16

// A userfree string is a record the engine allocated and returned by pointer; the receiver
// frees record and text with the matching cef_string_userfree_*_free.
typedef TCefStringWide* PCefStringUserFreeWide;
typedef TCefStringUtf8* PCefStringUserFreeUtf8;
typedef TCefStringUtf16* PCefStringUserFreeUtf16;
typedef PCefStringUserFreeUtf16 PCefStringUserFree;

// Opaque handles of the engine's string collections. Maps and multimaps point to distinct
// incomplete types, so one cannot be passed where the other is expected.
typedef void* TCefStringList;
typedef struct TCefStringMapHandle* TCefStringMap;
typedef struct TCefStringMultimapHandle* TCefStringMultimap;

// ---------------------------------------------------------------------------------------------
// Structures the program uses are declared in full below; these it only passes through.

// Engine structures this program never calls into; only the export signatures name them.
struct TCefCookieManager;
struct TCefSchemeHandlerFactory;
struct TCefStorageVisitor;
struct TCefStreamWriter;
struct TCefTask;
struct TCefUrlParts;
struct TCefWebPluginInfo;
struct TCefWebUrlRequest;
struct TCefWebUrlRequestClient;
struct TCefWriteHandler;
struct TCefXmlReader;
struct TCefZipReader;

typedef int32_t TCefThreadId;
typedef int32_t TCefStorageType;
typedef int32_t TCefXmlEncodingType;

// ---------------------------------------------------------------------------------------------
// Every engine structure: X(name without the TCef prefix, number of function members after the
// TCefBase header, first member, last member). Forward declarations, the PCef pointer typedefs
// and the layout checks are generated from these lists.

#define CEF_ENGINE_IMPLEMENTED_STRUCTURES(X)                                                      \
  X(Browser, 39, parent_window_will_close, send_capture_lost_event)                               \
  X(Frame, 25, undo, get_v8context)                                                               \
  X(Request, 13, get_url, set_first_party_for_cookies)                                            \
  X(PostData, 5, get_element_count, remove_elements)                                              \
  X(PostDataElement, 7, set_to_empty, get_bytes)                                                  \
  X(StreamReader, 4, read, eof)                                                                   \
  X(Response, 9, get_status, set_header_map)                                                      \
  X(DragData, 12, is_link, get_file_names)                                                        \
  X(V8Value, 34, is_undefined, execute_function_with_context)                                     \
  X(V8Context, 6, get_browser, is_same)                                                           \
  X(V8Handler, 1, execute, execute)                                                               \
  X(V8Exception, 8, get_message, get_end_column)                                                  \
  X(DomDocument, 16, get_type, get_complete_url)                                                  \
  X(DomNode, 25, get_type, get_element_inner_text)                                                \
  X(DomEvent, 8, get_type, get_current_target)

#define CEF_PROGRAM_IMPLEMENTED_STRUCTURES(X)                                                     \
  X(Client, 14, get_life_span_handler, get_drag_handler)                                          \
  X(LifeSpanHandler, 5, on_before_popup, on_before_close)                                         \
  X(LoadHandler, 3, on_load_start, on_load_error)                                                 \
  X(RequestHandler, 8, on_before_browse, unused_member)                                           \
  X(DisplayHandler, 7, on_nav_state_change, on_console_message)                                   \
  X(FocusHandler, 3, on_take_focus, on_focused_node_changed)                                      \
  X(KeyboardHandler, 1, on_key_event, on_key_event)                                               \
  X(MenuHandler, 3, on_before_menu, on_menu_action)                                               \
  X(PermissionHandler, 1, on_before_script_extension_load, on_before_script_extension_load)       \
  X(PrintHandler, 2, get_print_options, get_print_header_footer)                                  \
  X(FindHandler, 1, on_find_result, on_find_result)                                               \
  X(JsDialogHandler, 3, on_jsalert, on_jsprompt)                                                  \
  X(V8ContextHandler, 2, on_context_created, on_context_released)                                 \
  X(RenderHandler, 7, get_view_rect, on_cursor_change)                                            \
  X(DragHandler, 2, on_drag_start, on_drag_enter)                                                 \
  X(DownloadHandler, 2, received_data, complete)                                                  \
  X(App, 2, get_resource_bundle_handler, get_proxy_handler)                                       \
  X(ProxyHandler, 1, get_proxy_for_url, get_proxy_for_url)                                        \
  X(ResourceBundleHandler, 2, get_localized_string, get_data_resource)                            \
  X(ReadHandler, 4, read, eof)                                                                    \
  X(V8Accessor, 2, get, set)                                                                      \
  X(DomVisitor, 1, visit, visit)                                                                  \
  X(DomEventListener, 1, handle_event, handle_event)

#define CEF_STRUCTURES(X)                 \
  CEF_ENGINE_IMPLEMENTED_STRUCTURES(X)    \
  CEF_PROGRAM_IMPLEMENTED_STRUCTURES(X)

// Plain records, by name and byte size on the 32-bit target. X(name without TCef, size).
#define CEF_RECORDS(X)        \
  X(Settings, 132)            \
  X(BrowserSettings, 164)     \
  X(WindowInfo, 56)           \
  X(PopupFeatures, 44)        \
  X(MenuInfo, 100)            \
  X(Rect, 16)                 \
  X(RectLTRB, 16)             \
  X(PrintInfo, 32)            \
  X(PaperMetrics, 24)         \
  X(PrintMargins, 48)         \
  X(PrintOptions, 80)         \
  X(Time, 32)                 \
  X(ProxyInfo, 16)

#define CEF_DECLARE_STRUCTURE(name, ...) struct TCef##name;
CEF_STRUCTURES(CEF_DECLARE_STRUCTURE)
CEF_RECORDS(CEF_DECLARE_STRUCTURE)
#undef CEF_DECLARE_STRUCTURE

// A pointer type per structure and record, as the handlers' signatures name them.
typedef TCefBrowser* PCefBrowser;
typedef TCefFrame* PCefFrame;
typedef TCefRequest* PCefRequest;
typedef TCefPostData* PCefPostData;
typedef TCefPostDataElement* PCefPostDataElement;
typedef TCefStreamReader* PCefStreamReader;
typedef TCefResponse* PCefResponse;
typedef TCefDragData* PCefDragData;
typedef TCefV8Value* PCefV8Value;
typedef TCefV8Context* PCefV8Context;
typedef TCefV8Handler* PCefV8Handler;
typedef TCefV8Exception* PCefV8Exception;
typedef TCefDomDocument* PCefDomDocument;
typedef TCefDomNode* PCefDomNode;
typedef TCefDomEvent* PCefDomEvent;
typedef TCefClient* PCefClient;
typedef TCefLifeSpanHandler* PCefLifeSpanHandler;
typedef TCefLoadHandler* PCefLoadHandler;
typedef TCefRequestHandler* PCefRequestHandler;
typedef TCefDisplayHandler* PCefDisplayHandler;
typedef TCefFocusHandler* PCefFocusHandler;
typedef TCefKeyboardHandler* PCefKeyboardHandler;
typedef TCefMenuHandler* PCefMenuHandler;
typedef TCefPermissionHandler* PCefPermissionHandler;
typedef TCefPrintHandler* PCefPrintHandler;
typedef TCefFindHandler* PCefFindHandler;
typedef TCefJsDialogHandler* PCefJsDialogHandler;
typedef TCefV8ContextHandler* PCefV8ContextHandler;
typedef TCefRenderHandler* PCefRenderHandler;
typedef TCefDragHandler* PCefDragHandler;
typedef TCefDownloadHandler* PCefDownloadHandler;
typedef TCefApp* PCefApp;
typedef TCefProxyHandler* PCefProxyHandler;
typedef TCefResourceBundleHandler* PCefResourceBundleHandler;
typedef TCefReadHandler* PCefReadHandler;
typedef TCefV8Accessor* PCefV8Accessor;
typedef TCefDomVisitor* PCefDomVisitor;
typedef TCefDomEventListener* PCefDomEventListener;
typedef TCefSettings* PCefSettings;
typedef TCefBrowserSettings* PCefBrowserSettings;
typedef TCefWindowInfo* PCefWindowInfo;
typedef TCefPopupFeatures* PCefPopupFeatures;
typedef TCefMenuInfo* PCefMenuInfo;
typedef TCefRect* PCefRect;
typedef TCefRectLTRB* PCefRectLTRB;
typedef TCefPrintInfo* PCefPrintInfo;
typedef TCefPaperMetrics* PCefPaperMetrics;
typedef TCefPrintMargins* PCefPrintMargins;
typedef TCefPrintOptions* PCefPrintOptions;
typedef TCefTime* PCefTime;
typedef TCefProxyInfo* PCefProxyInfo;

// Passed through the request handler only; the program never calls into it.
struct TCefContentFilter;

// ---------------------------------------------------------------------------------------------
// Enumerations. The engine passes them as 32-bit integers, numbered from 0 unless given.

typedef int32_t TCefHandlerNavtype;
enum : int32_t {
  NAVTYPE_LINKCLICKED,
  NAVTYPE_FORMSUBMITTED,
  NAVTYPE_BACKFORWARD,
  NAVTYPE_RELOAD,
  NAVTYPE_FORMRESUBMITTED,
  NAVTYPE_OTHER,
  NAVTYPE_LINKDROPPED
};

typedef int32_t TCefHandlerStatusType;
enum : int32_t { STATUSTYPE_TEXT, STATUSTYPE_MOUSEOVER_URL, STATUSTYPE_KEYBOARD_FOCUS_URL };

typedef int32_t TCefHandlerFocusSource;
enum : int32_t { FOCUS_SOURCE_NAVIGATION, FOCUS_SOURCE_SYSTEM, FOCUS_SOURCE_WIDGET };

typedef int32_t TCefHandlerKeyEventType;
enum : int32_t { KEYEVENT_RAWKEYDOWN, KEYEVENT_KEYDOWN, KEYEVENT_KEYUP, KEYEVENT_CHAR };

typedef int32_t TCefPageOrientation;
enum : int32_t { PORTRAIT, LANDSCAPE };

typedef int32_t TCefPaperType;
enum : int32_t { PT_LETTER, PT_LEGAL, PT_EXECUTIVE, PT_A3, PT_A4, PT_CUSTOM };

// Engine values the binding only passes through; their meaning is the engine's.
typedef int32_t TCefMenuId;              // the command of a context-menu entry
typedef int32_t TCefPaintElementType;    // view or pop-up, for off-screen rendering
typedef int32_t TCefKeyType;             // kind of a synthesized key event
typedef int32_t TCefMouseButtonType;     // button of a synthesized mouse click
typedef int32_t TCefDragOperationsMask;  // bit set of allowed drag operations
typedef int32_t TCefProxyType;           // how the proxy list of TCefProxyInfo is meant
typedef int32_t TCefPostDataElementType;
typedef int32_t TCefV8PropertyAttribute;
typedef int32_t TCefV8AccessControl;
typedef int32_t TCefDomDocumentType;
typedef int32_t TCefDomNodeType;
typedef int32_t TCefDomEventCategory;
typedef int32_t TCefDomEventPhase;
typedef int32_t TCefLogSeverity;
typedef int32_t TCefGraphicsImplementation;

// ---------------------------------------------------------------------------------------------
// Records. Their layouts are the engine's; Booleans inside records are single bytes.

typedef uint8_t TCefByteBool;  // a one-byte Boolean inside an engine record, 0 or 1

// Process settings handed to cef_initialize. The strings are borrowed for the call.
struct TCefSettings {
  size_t size;
  TCefByteBool multi_threaded_message_loop;
  TCefString cache_path;
  TCefString user_agent;
  TCefString product_version;
  TCefString locale;
  TCefStringList extra_plugin_paths;  // null when there are none
  TCefString log_file;
  TCefLogSeverity log_severity;
  TCefGraphicsImplementation graphics_implementation;
  uint32_t local_storage_quota;
  uint32_t session_storage_quota;
  TCefString javascript_flags;
  TCefByteBool auto_detect_proxy_settings_enabled;
  TCefString resources_dir_path;
  TCefString locales_dir_path;
  TCefByteBool pack_loading_disabled;
};

// Per-browser settings. Padding after the byte groups comes from natural alignment.
struct TCefBrowserSettings {
  size_t size;
  TCefByteBool drag_drop_disabled;
  TCefByteBool load_drops_disabled;
  TCefByteBool history_disabled;
  TCefString standard_font_family;
  TCefString fixed_font_family;
  TCefString serif_font_family;
  TCefString sans_serif_font_family;
  TCefString cursive_font_family;
  TCefString fantasy_font_family;
  int32_t default_font_size;
  int32_t default_fixed_font_size;
  int32_t minimum_font_size;
  int32_t minimum_logical_font_size;
  TCefByteBool remote_fonts_disabled;
  TCefString default_encoding;
  TCefByteBool encoding_detector_enabled;
  TCefByteBool javascript_disabled;
  TCefByteBool javascript_open_windows_disallowed;
  TCefByteBool javascript_close_windows_disallowed;
  TCefByteBool javascript_access_clipboard_disallowed;
  TCefByteBool dom_paste_disabled;
  TCefByteBool caret_browsing_enabled;
  TCefByteBool java_disabled;
  TCefByteBool plugins_disabled;
  TCefByteBool universal_access_from_file_urls_allowed;
  TCefByteBool file_access_from_file_urls_allowed;
  TCefByteBool web_security_disabled;
  TCefByteBool xss_auditor_enabled;
  TCefByteBool image_load_disabled;
  TCefByteBool shrink_standalone_images_to_fit;
  TCefByteBool site_specific_quirks_disabled;
  TCefByteBool text_area_resize_disabled;
  TCefByteBool page_cache_disabled;
  TCefByteBool tab_to_links_disabled;
  TCefByteBool hyperlink_auditing_disabled;
  TCefByteBool user_style_sheet_enabled;
  TCefString user_style_sheet_location;
  TCefByteBool author_and_user_styles_disabled;
  TCefByteBool local_storage_disabled;
  TCefByteBool databases_disabled;
  TCefByteBool application_cache_disabled;
  TCefByteBool webgl_disabled;
  TCefByteBool accelerated_compositing_enabled;
  TCefByteBool threaded_compositing_enabled;
  TCefByteBool accelerated_layers_disabled;
  TCefByteBool accelerated_2d_canvas_disabled;
  TCefByteBool accelerated_painting_disabled;
  TCefByteBool accelerated_filters_disabled;
  TCefByteBool accelerated_plugins_disabled;
  TCefByteBool developer_tools_disabled;
  TCefByteBool fullscreen_enabled;
};

// The engine's Windows window description; the engine stores the created window in Wnd.
struct TCefWindowInfo {
  uint32_t ExStyle;
  TCefString windowName;
  uint32_t Style;
  int32_t x;
  int32_t y;
  int32_t Width;
  int32_t Height;
  TCefWindowHandle WndParent;
  TCefMenuHandle Menu;
  TCefBool m_bWindowRenderingDisabled;
  TCefBool m_bTransparentPainting;
  TCefWindowHandle Wnd;
};

// What a page asked for when it opened a pop-up; each *Set flag says whether the page gave
// the coordinate before it.
struct TCefPopupFeatures {
  int32_t x;
  TCefByteBool xSet;
  int32_t y;
  TCefByteBool ySet;
  int32_t width;
  TCefByteBool widthSet;
  int32_t height;
  TCefByteBool heightSet;
  TCefByteBool menuBarVisible;
  TCefByteBool statusBarVisible;
  TCefByteBool toolBarVisible;
  TCefByteBool locationBarVisible;
  TCefByteBool scrollbarsVisible;
  TCefByteBool resizable;
  TCefByteBool fullscreen;
  TCefByteBool dialog;
  TCefStringList additionalFeatures;
};

// Where a context menu was asked for and what lies under it.
struct TCefMenuInfo {
  int32_t typeFlags;  // bit set
  int32_t x;
  int32_t y;
  TCefString linkUrl;
  TCefString imageUrl;
  TCefString pageUrl;
  TCefString frameUrl;
  TCefString selectionText;
  TCefString misspelledWord;
  int32_t editFlags;  // bit set
  TCefString securityInfo;
};

struct TCefRect {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
};

// A rectangle by its edges, laid out as the Windows RECT.
struct TCefRectLTRB {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// The engine lays doubles on 8-byte boundaries even on 32-bit x86 (the MSVC rule); alignas
// makes every compiler agree.
struct TCefPrintInfo {
  TCefDeviceContext DC;
  TCefRectLTRB Rect;
  alignas(8) double Scale;
};

struct TCefPaperMetrics {
  TCefPaperType paper_type;
  alignas(8) double length;
  double width;
};

struct TCefPrintMargins {
  double left;
  double right;
  double top;
  double bottom;
  double header;
  double footer;
};

struct TCefPrintOptions {
  TCefPageOrientation page_orientation;
  TCefPaperMetrics paper_metrics;
  TCefPrintMargins paper_margins;
};

// A point in time, coordinated universal time; the fields follow the Windows SYSTEMTIME order.
struct TCefTime {
  int32_t year;
  int32_t month;
  int32_t day_of_week;
  int32_t day_of_month;
  int32_t hour;
  int32_t minute;
  int32_t second;
  int32_t millisecond;
};

struct TCefProxyInfo {
  TCefProxyType proxyType;
  TCefString proxyList;
};

// ---------------------------------------------------------------------------------------------
// Structures the engine implements and the wrappers call. Text arguments are borrowed for the
// call; text results are userfree strings the caller frees.

struct TCefBrowser {
  TCefBase base;
  void(CEF_CALLBACK* parent_window_will_close)(TCefBrowser* self);
  void(CEF_CALLBACK* close_browser)(TCefBrowser* self);
  int(CEF_CALLBACK* can_go_back)(TCefBrowser* self);
  void(CEF_CALLBACK* go_back)(TCefBrowser* self);
  int(CEF_CALLBACK* can_go_forward)(TCefBrowser* self);
  void(CEF_CALLBACK* go_forward)(TCefBrowser* self);
  void(CEF_CALLBACK* reload)(TCefBrowser* self);
  void(CEF_CALLBACK* reload_ignore_cache)(TCefBrowser* self);
  void(CEF_CALLBACK* stop_load)(TCefBrowser* self);
  void(CEF_CALLBACK* set_focus)(TCefBrowser* self, int enable);
  TCefWindowHandle(CEF_CALLBACK* get_window_handle)(TCefBrowser* self);
  TCefWindowHandle(CEF_CALLBACK* get_opener_window_handle)(TCefBrowser* self);
  int(CEF_CALLBACK* is_popup)(TCefBrowser* self);
  int(CEF_CALLBACK* has_document)(TCefBrowser* self);
  TCefClient*(CEF_CALLBACK* get_client)(TCefBrowser* self);
  TCefFrame*(CEF_CALLBACK* get_main_frame)(TCefBrowser* self);
  TCefFrame*(CEF_CALLBACK* get_focused_frame)(TCefBrowser* self);
  TCefFrame*(CEF_CALLBACK* get_frame)(TCefBrowser* self, const TCefString* name);
  void(CEF_CALLBACK* get_frame_names)(TCefBrowser* self, TCefStringList names);
  void(CEF_CALLBACK* find)(TCefBrowser* self, int identifier, const TCefString* searchText,
                           int forward, int matchCase, int findNext);
  void(CEF_CALLBACK* stop_finding)(TCefBrowser* self, int clearSelection);
  double(CEF_CALLBACK* get_zoom_level)(TCefBrowser* self);
  void(CEF_CALLBACK* set_zoom_level)(TCefBrowser* self, double zoomLevel);
  void(CEF_CALLBACK* clear_history)(TCefBrowser* self);
  void(CEF_CALLBACK* show_dev_tools)(TCefBrowser* self);
  void(CEF_CALLBACK* close_dev_tools)(TCefBrowser* self);
  int(CEF_CALLBACK* is_window_rendering_disabled)(TCefBrowser* self);
  int(CEF_CALLBACK* get_size)(TCefBrowser* self, TCefPaintElementType type, int* width,
                              int* height);
  void(CEF_CALLBACK* set_size)(TCefBrowser* self, TCefPaintElementType type, int width,
                               int height);
  int(CEF_CALLBACK* is_popup_visible)(TCefBrowser* self);
  void(CEF_CALLBACK* hide_popup)(TCefBrowser* self);
  void(CEF_CALLBACK* invalidate)(TCefBrowser* self, const TCefRect* dirtyRect);
  int(CEF_CALLBACK* get_image)(TCefBrowser* self, TCefPaintElementType type, int width,
                               int height, void* buffer);
  void(CEF_CALLBACK* send_key_event)(TCefBrowser* self, TCefKeyType type, int key,
                                     int modifiers, int sysChar, int imeChar);
  void(CEF_CALLBACK* send_mouse_click_event)(TCefBrowser* self, int x, int y,
                                             TCefMouseButtonType type, int mouseUp,
                                             int clickCount);
  void(CEF_CALLBACK* send_mouse_move_event)(TCefBrowser* self, int x, int y, int mouseLeave);
  void(CEF_CALLBACK* send_mouse_wheel_event)(TCefBrowser* self, int x, int y, int delta);
  void(CEF_CALLBACK* send_focus_event)(TCefBrowser* self, int setFocus);
  void(CEF_CALLBACK* send_capture_lost_event)(TCefBrowser* self);
};

struct TCefFrame {
  TCefBase base;
  void(CEF_CALLBACK* undo)(TCefFrame* self);
  void(CEF_CALLBACK* redo)(TCefFrame* self);
  void(CEF_CALLBACK* cut)(TCefFrame* self);
  void(CEF_CALLBACK* copy)(TCefFrame* self);
  void(CEF_CALLBACK* paste)(TCefFrame* self);
  void(CEF_CALLBACK* del)(TCefFrame* self);
  void(CEF_CALLBACK* select_all)(TCefFrame* self);
  void(CEF_CALLBACK* print)(TCefFrame* self);
  void(CEF_CALLBACK* view_source)(TCefFrame* self);
  PCefStringUserFree(CEF_CALLBACK* get_source)(TCefFrame* self);
  PCefStringUserFree(CEF_CALLBACK* get_text)(TCefFrame* self);
  void(CEF_CALLBACK* load_request)(TCefFrame* self, TCefRequest* request);
  void(CEF_CALLBACK* load_url)(TCefFrame* self, const TCefString* url);
  void(CEF_CALLBACK* load_string)(TCefFrame* self, const TCefString* string_val,
                                  const TCefString* url);
  void(CEF_CALLBACK* load_stream)(TCefFrame* self, TCefStreamReader* stream,
                                  const TCefString* url);
  void(CEF_CALLBACK* execute_java_script)(TCefFrame* self, const TCefString* jsCode,
                                          const TCefString* scriptUrl, int startLine);
  int(CEF_CALLBACK* is_main)(TCefFrame* self);
  int(CEF_CALLBACK* is_focused)(TCefFrame* self);
  PCefStringUserFree(CEF_CALLBACK* get_name)(TCefFrame* self);
  int64_t(CEF_CALLBACK* get_identifier)(TCefFrame* self);
  TCefFrame*(CEF_CALLBACK* get_parent)(TCefFrame* self);
  PCefStringUserFree(CEF_CALLBACK* get_url)(TCefFrame* self);
  TCefBrowser*(CEF_CALLBACK* get_browser)(TCefFrame* self);
  void(CEF_CALLBACK* visit_dom)(TCefFrame* self, TCefDomVisitor* visitor);
  TCefV8Context*(CEF_CALLBACK* get_v8context)(TCefFrame* self);
};

// Header maps are engine multimap handles filled or read by the engine.
struct TCefRequest {
  TCefBase base;
  PCefStringUserFree(CEF_CALLBACK* get_url)(TCefRequest* self);
  void(CEF_CALLBACK* set_url)(TCefRequest* self, const TCefString* url);
  PCefStringUserFree(CEF_CALLBACK* get_method)(TCefRequest* self);
  void(CEF_CALLBACK* set_method)(TCefRequest* self, const TCefString* method);
  TCefPostData*(CEF_CALLBACK* get_post_data)(TCefRequest* self);
  void(CEF_CALLBACK* set_post_data)(TCefRequest* self, TCefPostData* postData);
  void(CEF_CALLBACK* get_header_map)(TCefRequest* self, TCefStringMultimap headerMap);
  void(CEF_CALLBACK* set_header_map)(TCefRequest* self, TCefStringMultimap headerMap);
  void(CEF_CALLBACK* set)(TCefRequest* self, const TCefString* url, const TCefString* method,
                          TCefPostData* postData, TCefStringMultimap headerMap);
  int(CEF_CALLBACK* get_flags)(TCefRequest* self);
  void(CEF_CALLBACK* set_flags)(TCefRequest* self, int flags);
  PCefStringUserFree(CEF_CALLBACK* get_first_party_for_cookies)(TCefRequest* self);
  void(CEF_CALLBACK* set_first_party_for_cookies)(TCefRequest* self, const TCefString* url);
};

struct TCefPostData {
  TCefBase base;
  size_t(CEF_CALLBACK* get_element_count)(TCefPostData* self);
  // On entry *elementsCount is the room in elements; on return the number filled in.
  void(CEF_CALLBACK* get_elements)(TCefPostData* self, size_t* elementsCount,
                                   TCefPostDataElement** elements);
  int(CEF_CALLBACK* remove_element)(TCefPostData* self, TCefPostDataElement* element);
  int(CEF_CALLBACK* add_element)(TCefPostData* self, TCefPostDataElement* element);
  void(CEF_CALLBACK* remove_elements)(TCefPostData* self);
};

struct TCefPostDataElement {
  TCefBase base;
  void(CEF_CALLBACK* set_to_empty)(TCefPostDataElement* self);
  void(CEF_CALLBACK* set_to_file)(TCefPostDataElement* self, const TCefString* fileName);
  void(CEF_CALLBACK* set_to_bytes)(TCefPostDataElement* self, size_t size, const void* bytes);
  TCefPostDataElementType(CEF_CALLBACK* get_type)(TCefPostDataElement* self);
  PCefStringUserFree(CEF_CALLBACK* get_file)(TCefPostDataElement* self);
  size_t(CEF_CALLBACK* get_bytes_count)(TCefPostDataElement* self);
  size_t(CEF_CALLBACK* get_bytes)(TCefPostDataElement* self, size_t size, void* bytes);
};

// The engine's stream reader and the program's read handler share one shape: read returns the
// number of whole items read; seek takes an origin 0 (start), 1 (current) or 2 (end).
#define CEF_READ_MEMBERS(Self)                                                       \
  size_t(CEF_CALLBACK* read)(Self * self, void* ptr, size_t size, size_t n);         \
  int(CEF_CALLBACK* seek)(Self * self, int64_t offset, int whence);                  \
  int64_t(CEF_CALLBACK* tell)(Self * self);                                          \
  int(CEF_CALLBACK* eof)(Self * self);

struct TCefStreamReader {
  TCefBase base;
  CEF_READ_MEMBERS(TCefStreamReader)
};

struct TCefResponse {
  TCefBase base;
  int(CEF_CALLBACK* get_status)(TCefResponse* self);
  void(CEF_CALLBACK* set_status)(TCefResponse* self, int status);
  PCefStringUserFree(CEF_CALLBACK* get_status_text)(TCefResponse* self);
  void(CEF_CALLBACK* set_status_text)(TCefResponse* self, const TCefString* statusText);
  PCefStringUserFree(CEF_CALLBACK* get_mime_type)(TCefResponse* self);
  void(CEF_CALLBACK* set_mime_type)(TCefResponse* self, const TCefString* mimeType);
  PCefStringUserFree(CEF_CALLBACK* get_header)(TCefResponse* self, const TCefString* name);
  void(CEF_CALLBACK* get_header_map)(TCefResponse* self, TCefStringMultimap headerMap);
  void(CEF_CALLBACK* set_header_map)(TCefResponse* self, TCefStringMultimap headerMap);
};

struct TCefDragData {
  TCefBase base;
  int(CEF_CALLBACK* is_link)(TCefDragData* self);
  int(CEF_CALLBACK* is_fragment)(TCefDragData* self);
  int(CEF_CALLBACK* is_file)(TCefDragData* self);
  PCefStringUserFree(CEF_CALLBACK* get_link_url)(TCefDragData* self);
  PCefStringUserFree(CEF_CALLBACK* get_link_title)(TCefDragData* self);
  PCefStringUserFree(CEF_CALLBACK* get_link_metadata)(TCefDragData* self);
  PCefStringUserFree(CEF_CALLBACK* get_fragment_text)(TCefDragData* self);
  PCefStringUserFree(CEF_CALLBACK* get_fragment_html)(TCefDragData* self);
  PCefStringUserFree(CEF_CALLBACK* get_fragment_base_url)(TCefDragData* self);
  PCefStringUserFree(CEF_CALLBACK* get_file_extension)(TCefDragData* self);
  PCefStringUserFree(CEF_CALLBACK* get_file_name)(TCefDragData* self);
  int(CEF_CALLBACK* get_file_names)(TCefDragData* self, TCefStringList names);
};

// Calling a script function: arguments carry one reference each for the engine; on return
// *retval and *exception hold a new reference or null.
struct TCefV8Value {
  TCefBase base;
  int(CEF_CALLBACK* is_undefined)(TCefV8Value* self);
  int(CEF_CALLBACK* is_null)(TCefV8Value* self);
  int(CEF_CALLBACK* is_bool)(TCefV8Value* self);
  int(CEF_CALLBACK* is_int)(TCefV8Value* self);
  int(CEF_CALLBACK* is_double)(TCefV8Value* self);
  int(CEF_CALLBACK* is_date)(TCefV8Value* self);
  int(CEF_CALLBACK* is_string)(TCefV8Value* self);
  int(CEF_CALLBACK* is_object)(TCefV8Value* self);
  int(CEF_CALLBACK* is_array)(TCefV8Value* self);
  int(CEF_CALLBACK* is_function)(TCefV8Value* self);
  int(CEF_CALLBACK* is_same)(TCefV8Value* self, TCefV8Value* that);
  int(CEF_CALLBACK* get_bool_value)(TCefV8Value* self);
  int32_t(CEF_CALLBACK* get_int_value)(TCefV8Value* self);
  double(CEF_CALLBACK* get_double_value)(TCefV8Value* self);
  TCefTime(CEF_CALLBACK* get_date_value)(TCefV8Value* self);
  PCefStringUserFree(CEF_CALLBACK* get_string_value)(TCefV8Value* self);
  int(CEF_CALLBACK* has_value_bykey)(TCefV8Value* self, const TCefString* key);
  int(CEF_CALLBACK* has_value_byindex)(TCefV8Value* self, int index);
  int(CEF_CALLBACK* delete_value_bykey)(TCefV8Value* self, const TCefString* key);
  int(CEF_CALLBACK* delete_value_byindex)(TCefV8Value* self, int index);
  TCefV8Value*(CEF_CALLBACK* get_value_bykey)(TCefV8Value* self, const TCefString* key);
  TCefV8Value*(CEF_CALLBACK* get_value_byindex)(TCefV8Value* self, int index);
  int(CEF_CALLBACK* set_value_bykey)(TCefV8Value* self, const TCefString* key,
                                     TCefV8Value* value, TCefV8PropertyAttribute attribute);
  int(CEF_CALLBACK* set_value_byindex)(TCefV8Value* self, int index, TCefV8Value* value);
  int(CEF_CALLBACK* set_value_byaccessor)(TCefV8Value* self, const TCefString* key,
                                          TCefV8AccessControl settings,
                                          TCefV8PropertyAttribute attribute);
  int(CEF_CALLBACK* get_keys)(TCefV8Value* self, TCefStringList keys);
  TCefV8Value*(CEF_CALLBACK* get_user_data)(TCefV8Value* self);
  int(CEF_CALLBACK* get_externally_allocated_memory)(TCefV8Value* self);
  int(CEF_CALLBACK* adjust_externally_allocated_memory)(TCefV8Value* self, int changeInBytes);
  int(CEF_CALLBACK* get_array_length)(TCefV8Value* self);
  PCefStringUserFree(CEF_CALLBACK* get_function_name)(TCefV8Value* self);
  TCefV8Handler*(CEF_CALLBACK* get_function_handler)(TCefV8Value* self);
  int(CEF_CALLBACK* execute_function)(TCefV8Value* self, TCefV8Value* object,
                                      size_t argumentCount, TCefV8Value* const* arguments,
                                      TCefV8Value** retval, TCefV8Exception** exception,
                                      int rethrowException);
  int(CEF_CALLBACK* execute_function_with_context)(TCefV8Value* self, TCefV8Context* context,
                                                   TCefV8Value* object, size_t argumentCount,
                                                   TCefV8Value* const* arguments,
                                                   TCefV8Value** retval,
                                                   TCefV8Exception** exception,
                                                   int rethrowException);
};

struct TCefV8Context {
  TCefBase base;
  TCefBrowser*(CEF_CALLBACK* get_browser)(TCefV8Context* self);
  TCefFrame*(CEF_CALLBACK* get_frame)(TCefV8Context* self);
  TCefV8Value*(CEF_CALLBACK* get_global)(TCefV8Context* self);
  int(CEF_CALLBACK* enter)(TCefV8Context* self);
  int(CEF_CALLBACK* exit)(TCefV8Context* self);
  int(CEF_CALLBACK* is_same)(TCefV8Context* self, TCefV8Context* that);
};

// A script function's native side. *retval receives a new reference or stays null; the
// exception text is an engine record the callee may fill.
struct TCefV8Handler {
  TCefBase base;
  int(CEF_CALLBACK* execute)(TCefV8Handler* self, const TCefString* name, TCefV8Value* object,
                             size_t argumentCount, TCefV8Value* const* arguments,
                             TCefV8Value** retval, TCefString* exception);
};

struct TCefV8Exception {
  TCefBase base;
  PCefStringUserFree(CEF_CALLBACK* get_message)(TCefV8Exception* self);
  PCefStringUserFree(CEF_CALLBACK* get_source_line)(TCefV8Exception* self);
  PCefStringUserFree(CEF_CALLBACK* get_script_resource_name)(TCefV8Exception* self);
  int(CEF_CALLBACK* get_line_number)(TCefV8Exception* self);
  int(CEF_CALLBACK* get_start_position)(TCefV8Exception* self);
  int(CEF_CALLBACK* get_end_position)(TCefV8Exception* self);
  int(CEF_CALLBACK* get_start_column)(TCefV8Exception* self);
  int(CEF_CALLBACK* get_end_column)(TCefV8Exception* self);
};

struct TCefDomDocument {
  TCefBase base;
  TCefDomDocumentType(CEF_CALLBACK* get_type)(TCefDomDocument* self);
  TCefDomNode*(CEF_CALLBACK* get_document)(TCefDomDocument* self);
  TCefDomNode*(CEF_CALLBACK* get_body)(TCefDomDocument* self);
  TCefDomNode*(CEF_CALLBACK* get_head)(TCefDomDocument* self);
  PCefStringUserFree(CEF_CALLBACK* get_title)(TCefDomDocument* self);
  TCefDomNode*(CEF_CALLBACK* get_element_by_id)(TCefDomDocument* self, const TCefString* id);
  TCefDomNode*(CEF_CALLBACK* get_focused_node)(TCefDomDocument* self);
  int(CEF_CALLBACK* has_selection)(TCefDomDocument* self);
  TCefDomNode*(CEF_CALLBACK* get_selection_start_node)(TCefDomDocument* self);
  int(CEF_CALLBACK* get_selection_start_offset)(TCefDomDocument* self);
  TCefDomNode*(CEF_CALLBACK* get_selection_end_node)(TCefDomDocument* self);
  int(CEF_CALLBACK* get_selection_end_offset)(TCefDomDocument* self);
  PCefStringUserFree(CEF_CALLBACK* get_selection_as_markup)(TCefDomDocument* self);
  PCefStringUserFree(CEF_CALLBACK* get_selection_as_text)(TCefDomDocument* self);
  PCefStringUserFree(CEF_CALLBACK* get_base_url)(TCefDomDocument* self);
  PCefStringUserFree(CEF_CALLBACK* get_complete_url)(TCefDomDocument* self,
                                                     const TCefString* partialURL);
};

struct TCefDomNode {
  TCefBase base;
  TCefDomNodeType(CEF_CALLBACK* get_type)(TCefDomNode* self);
  int(CEF_CALLBACK* is_text)(TCefDomNode* self);
  int(CEF_CALLBACK* is_element)(TCefDomNode* self);
  int(CEF_CALLBACK* is_form_control_element)(TCefDomNode* self);
  PCefStringUserFree(CEF_CALLBACK* get_form_control_element_type)(TCefDomNode* self);
  int(CEF_CALLBACK* is_same)(TCefDomNode* self, TCefDomNode* that);
  PCefStringUserFree(CEF_CALLBACK* get_name)(TCefDomNode* self);
  PCefStringUserFree(CEF_CALLBACK* get_value)(TCefDomNode* self);
  int(CEF_CALLBACK* set_value)(TCefDomNode* self, const TCefString* value);
  PCefStringUserFree(CEF_CALLBACK* get_as_markup)(TCefDomNode* self);
  TCefDomDocument*(CEF_CALLBACK* get_document)(TCefDomNode* self);
  TCefDomNode*(CEF_CALLBACK* get_parent)(TCefDomNode* self);
  TCefDomNode*(CEF_CALLBACK* get_previous_sibling)(TCefDomNode* self);
  TCefDomNode*(CEF_CALLBACK* get_next_sibling)(TCefDomNode* self);
  int(CEF_CALLBACK* has_children)(TCefDomNode* self);
  TCefDomNode*(CEF_CALLBACK* get_first_child)(TCefDomNode* self);
  TCefDomNode*(CEF_CALLBACK* get_last_child)(TCefDomNode* self);
  void(CEF_CALLBACK* add_event_listener)(TCefDomNode* self, const TCefString* eventType,
                                         TCefDomEventListener* listener, int useCapture);
  PCefStringUserFree(CEF_CALLBACK* get_element_tag_name)(TCefDomNode* self);
  int(CEF_CALLBACK* has_element_attributes)(TCefDomNode* self);
  int(CEF_CALLBACK* has_element_attribute)(TCefDomNode* self, const TCefString* attrName);
  PCefStringUserFree(CEF_CALLBACK* get_element_attribute)(TCefDomNode* self,
                                                          const TCefString* attrName);
  void(CEF_CALLBACK* get_element_attributes)(TCefDomNode* self, TCefStringMap attrMap);
  int(CEF_CALLBACK* set_element_attribute)(TCefDomNode* self, const TCefString* attrName,
                                           const TCefString* value);
  PCefStringUserFree(CEF_CALLBACK* get_element_inner_text)(TCefDomNode* self);
};

struct TCefDomEvent {
  TCefBase base;
  PCefStringUserFree(CEF_CALLBACK* get_type)(TCefDomEvent* self);
  TCefDomEventCategory(CEF_CALLBACK* get_category)(TCefDomEvent* self);
  TCefDomEventPhase(CEF_CALLBACK* get_phase)(TCefDomEvent* self);
  int(CEF_CALLBACK* can_bubble)(TCefDomEvent* self);
  int(CEF_CALLBACK* can_cancel)(TCefDomEvent* self);
  TCefDomDocument*(CEF_CALLBACK* get_document)(TCefDomEvent* self);
  TCefDomNode*(CEF_CALLBACK* get_target)(TCefDomEvent* self);
  TCefDomNode*(CEF_CALLBACK* get_current_target)(TCefDomEvent* self);
};

// ---------------------------------------------------------------------------------------------
// Structures the program implements and the engine calls. Engine objects passed in carry one
// reference for the callee; a structure stored through an out pointer (client, resourceStream,
// filter, handler, retval) carries one reference for the engine. Text passed in is the
// engine's; a non-const TCefString* is the engine's record for the program to fill.

struct TCefClient {
  TCefBase base;
  TCefLifeSpanHandler*(CEF_CALLBACK* get_life_span_handler)(TCefClient* self);
  TCefLoadHandler*(CEF_CALLBACK* get_load_handler)(TCefClient* self);
  TCefRequestHandler*(CEF_CALLBACK* get_request_handler)(TCefClient* self);
  TCefDisplayHandler*(CEF_CALLBACK* get_display_handler)(TCefClient* self);
  TCefFocusHandler*(CEF_CALLBACK* get_focus_handler)(TCefClient* self);
  TCefKeyboardHandler*(CEF_CALLBACK* get_keyboard_handler)(TCefClient* self);
  TCefMenuHandler*(CEF_CALLBACK* get_menu_handler)(TCefClient* self);
  TCefPermissionHandler*(CEF_CALLBACK* get_permission_handler)(TCefClient* self);
  TCefPrintHandler*(CEF_CALLBACK* get_print_handler)(TCefClient* self);
  TCefFindHandler*(CEF_CALLBACK* get_find_handler)(TCefClient* self);
  TCefJsDialogHandler*(CEF_CALLBACK* get_jsdialog_handler)(TCefClient* self);
  TCefV8ContextHandler*(CEF_CALLBACK* get_v8context_handler)(TCefClient* self);
  TCefRenderHandler*(CEF_CALLBACK* get_render_handler)(TCefClient* self);
  TCefDragHandler*(CEF_CALLBACK* get_drag_handler)(TCefClient* self);
};

struct TCefLifeSpanHandler {
  TCefBase base;
  // The program may change the window description, the URL, the client and the settings of
  // the pop-up about to be created.
  int(CEF_CALLBACK* on_before_popup)(TCefLifeSpanHandler* self, TCefBrowser* parentBrowser,
                                     TCefPopupFeatures* popupFeatures,
                                     TCefWindowInfo* windowInfo, TCefString* url,
                                     TCefClient** client, TCefBrowserSettings* settings);
  void(CEF_CALLBACK* on_after_created)(TCefLifeSpanHandler* self, TCefBrowser* browser);
  int(CEF_CALLBACK* run_modal)(TCefLifeSpanHandler* self, TCefBrowser* browser);
  int(CEF_CALLBACK* do_close)(TCefLifeSpanHandler* self, TCefBrowser* browser);
  void(CEF_CALLBACK* on_before_close)(TCefLifeSpanHandler* self, TCefBrowser* browser);
};

struct TCefLoadHandler {
  TCefBase base;
  void(CEF_CALLBACK* on_load_start)(TCefLoadHandler* self, TCefBrowser* browser,
                                    TCefFrame* frame);
  void(CEF_CALLBACK* on_load_end)(TCefLoadHandler* self, TCefBrowser* browser,
                                  TCefFrame* frame, int httpStatusCode);
  int(CEF_CALLBACK* on_load_error)(TCefLoadHandler* self, TCefBrowser* browser,
                                   TCefFrame* frame, int errorCode, const TCefString* failedUrl,
                                   TCefString* errorText);
};

struct TCefRequestHandler {
  TCefBase base;
  int(CEF_CALLBACK* on_before_browse)(TCefRequestHandler* self, TCefBrowser* browser,
                                      TCefFrame* frame, TCefRequest* request,
                                      TCefHandlerNavtype navType, int isRedirect);
  int(CEF_CALLBACK* on_before_resource_load)(TCefRequestHandler* self, TCefBrowser* browser,
                                             TCefRequest* request, TCefString* redirectUrl,
                                             TCefStreamReader** resourceStream,
                                             TCefResponse* response, int loadFlags);
  void(CEF_CALLBACK* on_resource_redirect)(TCefRequestHandler* self, TCefBrowser* browser,
                                           const TCefString* oldUrl, TCefString* newUrl);
  void(CEF_CALLBACK* on_resource_response)(TCefRequestHandler* self, TCefBrowser* browser,
                                           const TCefString* url, TCefResponse* response,
                                           TCefContentFilter** filter);
  int(CEF_CALLBACK* on_protocol_execution)(TCefRequestHandler* self, TCefBrowser* browser,
                                           const TCefString* url, int* allowOsExecution);
  int(CEF_CALLBACK* get_download_handler)(TCefRequestHandler* self, TCefBrowser* browser,
                                          const TCefString* mimeType,
                                          const TCefString* fileName, int64_t contentLength,
                                          TCefDownloadHandler** handler);
  int(CEF_CALLBACK* get_auth_credentials)(TCefRequestHandler* self, TCefBrowser* browser,
                                          int isProxy, const TCefString* host, int port,
                                          const TCefString* realm, const TCefString* scheme,
                                          TCefString* username, TCefString* password);
  // The engine has an eighth member this program never provides; it stays null.
  void*(CEF_CALLBACK* unused_member)(TCefRequestHandler* self);
};

struct TCefDisplayHandler {
  TCefBase base;
  void(CEF_CALLBACK* on_nav_state_change)(TCefDisplayHandler* self, TCefBrowser* browser,
                                          int canGoBack, int canGoForward);
  void(CEF_CALLBACK* on_address_change)(TCefDisplayHandler* self, TCefBrowser* browser,
                                        TCefFrame* frame, const TCefString* url);
  void(CEF_CALLBACK* on_contents_size_change)(TCefDisplayHandler* self, TCefBrowser* browser,
                                              TCefFrame* frame, int width, int height);
  void(CEF_CALLBACK* on_title_change)(TCefDisplayHandler* self, TCefBrowser* browser,
                                      const TCefString* title);
  int(CEF_CALLBACK* on_tooltip)(TCefDisplayHandler* self, TCefBrowser* browser,
                                TCefString* text);
  void(CEF_CALLBACK* on_status_message)(TCefDisplayHandler* self, TCefBrowser* browser,
                                        const TCefString* value, TCefHandlerStatusType type);
  int(CEF_CALLBACK* on_console_message)(TCefDisplayHandler* self, TCefBrowser* browser,
                                        const TCefString* message, const TCefString* source,
                                        int line);
};

struct TCefFocusHandler {
  TCefBase base;
  void(CEF_CALLBACK* on_take_focus)(TCefFocusHandler* self, TCefBrowser* browser, int next);
  int(CEF_CALLBACK* on_set_focus)(TCefFocusHandler* self, TCefBrowser* browser,
                                  TCefHandlerFocusSource source);
  void(CEF_CALLBACK* on_focused_node_changed)(TCefFocusHandler* self, TCefBrowser* browser,
                                              TCefFrame* frame, TCefDomNode* node);
};

struct TCefKeyboardHandler {
  TCefBase base;
  int(CEF_CALLBACK* on_key_event)(TCefKeyboardHandler* self, TCefBrowser* browser,
                                  TCefHandlerKeyEventType type, int code, int modifiers,
                                  int isSystemKey, int isAfterJavaScript);
};

struct TCefMenuHandler {
  TCefBase base;
  int(CEF_CALLBACK* on_before_menu)(TCefMenuHandler* self, TCefBrowser* browser,
                                    TCefMenuInfo* menuInfo);
  void(CEF_CALLBACK* get_menu_label)(TCefMenuHandler* self, TCefBrowser* browser,
                                     TCefMenuId menuId, TCefString* label);
  int(CEF_CALLBACK* on_menu_action)(TCefMenuHandler* self, TCefBrowser* browser,
                                    TCefMenuId menuId);
};

struct TCefPermissionHandler {
  TCefBase base;
  int(CEF_CALLBACK* on_before_script_extension_load)(TCefPermissionHandler* self,
                                                     TCefBrowser* browser, TCefFrame* frame,
                                                     const TCefString* extensionName);
};

struct TCefPrintHandler {
  TCefBase base;
  int(CEF_CALLBACK* get_print_options)(TCefPrintHandler* self, TCefBrowser* browser,
                                       TCefPrintOptions* printOptions);
  int(CEF_CALLBACK* get_print_header_footer)(
      TCefPrintHandler* self, TCefBrowser* browser, TCefFrame* frame, TCefPrintInfo* printInfo,
      const TCefString* url, const TCefString* title, int currentPage, int maxPages,
      TCefString* topLeft, TCefString* topCenter, TCefString* topRight, TCefString* bottomLeft,
      TCefString* bottomCenter, TCefString* bottomRight);
};

struct TCefFindHandler {
  TCefBase base;
  void(CEF_CALLBACK* on_find_result)(TCefFindHandler* self, TCefBrowser* browser,
                                     int identifier, int count, TCefRect* selectionRect,
                                     int activeMatchOrdinal, int finalUpdate);
};

struct TCefJsDialogHandler {
  TCefBase base;
  int(CEF_CALLBACK* on_jsalert)(TCefJsDialogHandler* self, TCefBrowser* browser,
                                TCefFrame* frame, const TCefString* message);
  int(CEF_CALLBACK* on_jsconfirm)(TCefJsDialogHandler* self, TCefBrowser* browser,
                                  TCefFrame* frame, const TCefString* message, int* retval);
  int(CEF_CALLBACK* on_jsprompt)(TCefJsDialogHandler* self, TCefBrowser* browser,
                                 TCefFrame* frame, const TCefString* message,
                                 const TCefString* defaultValue, int* retval,
                                 TCefString* result);
};

struct TCefV8ContextHandler {
  TCefBase base;
  void(CEF_CALLBACK* on_context_created)(TCefV8ContextHandler* self, TCefBrowser* browser,
                                         TCefFrame* frame, TCefV8Context* context);
  void(CEF_CALLBACK* on_context_released)(TCefV8ContextHandler* self, TCefBrowser* browser,
                                          TCefFrame* frame, TCefV8Context* context);
};

struct TCefRenderHandler {
  TCefBase base;
  int(CEF_CALLBACK* get_view_rect)(TCefRenderHandler* self, TCefBrowser* browser,
                                   TCefRect* rect);
  int(CEF_CALLBACK* get_screen_rect)(TCefRenderHandler* self, TCefBrowser* browser,
                                     TCefRect* rect);
  int(CEF_CALLBACK* get_screen_point)(TCefRenderHandler* self, TCefBrowser* browser, int viewX,
                                      int viewY, int* screenX, int* screenY);
  void(CEF_CALLBACK* on_popup_show)(TCefRenderHandler* self, TCefBrowser* browser, int show);
  void(CEF_CALLBACK* on_popup_size)(TCefRenderHandler* self, TCefBrowser* browser,
                                    TCefRect* rect);
  void(CEF_CALLBACK* on_paint)(TCefRenderHandler* self, TCefBrowser* browser,
                               TCefPaintElementType type, size_t dirtyRectsCount,
                               const TCefRect* dirtyRects, const void* buffer);
  void(CEF_CALLBACK* on_cursor_change)(TCefRenderHandler* self, TCefBrowser* browser,
                                       TCefCursorHandle cursor);
};

struct TCefDragHandler {
  TCefBase base;
  int(CEF_CALLBACK* on_drag_start)(TCefDragHandler* self, TCefBrowser* browser,
                                   TCefDragData* dragData, TCefDragOperationsMask mask);
  int(CEF_CALLBACK* on_drag_enter)(TCefDragHandler* self, TCefBrowser* browser,
                                   TCefDragData* dragData, TCefDragOperationsMask mask);
};

struct TCefDownloadHandler {
  TCefBase base;
  // Called once per block; the bytes are valid during the call only. Zero cancels.
  int(CEF_CALLBACK* received_data)(TCefDownloadHandler* self, void* data, int data_size);
  void(CEF_CALLBACK* complete)(TCefDownloadHandler* self);
};

struct TCefApp {
  TCefBase base;
  TCefResourceBundleHandler*(CEF_CALLBACK* get_resource_bundle_handler)(TCefApp* self);
  TCefProxyHandler*(CEF_CALLBACK* get_proxy_handler)(TCefApp* self);
};

struct TCefProxyHandler {
  TCefBase base;
  void(CEF_CALLBACK* get_proxy_for_url)(TCefProxyHandler* self, const TCefString* url,
                                        TCefProxyInfo* proxy_info);
};

struct TCefResourceBundleHandler {
  TCefBase base;
  int(CEF_CALLBACK* get_localized_string)(TCefResourceBundleHandler* self, int message_id,
                                          TCefString* stringVal);
  // The data stays the program's and must outlive the engine's use of it.
  int(CEF_CALLBACK* get_data_resource)(TCefResourceBundleHandler* self, int resource_id,
                                       void** data, size_t* data_size);
};

struct TCefReadHandler {
  TCefBase base;
  CEF_READ_MEMBERS(TCefReadHandler)
};
#undef CEF_READ_MEMBERS

// A script object's property access; *retval receives a new reference or stays null.
struct TCefV8Accessor {
  TCefBase base;
  int(CEF_CALLBACK* get)(TCefV8Accessor* self, const TCefString* name, TCefV8Value* object,
                         TCefV8Value** retval, TCefString* exception);
  int(CEF_CALLBACK* set)(TCefV8Accessor* self, const TCefString* name, TCefV8Value* object,
                         TCefV8Value* value, TCefString* exception);
};

struct TCefDomVisitor {
  TCefBase base;
  // The document is valid only during the call.
  void(CEF_CALLBACK* visit)(TCefDomVisitor* self, TCefDomDocument* document);
};

struct TCefDomEventListener {
  TCefBase base;
  void(CEF_CALLBACK* handle_event)(TCefDomEventListener* self, TCefDomEvent* event);
};

// ---------------------------------------------------------------------------------------------
// The 100 exports, in the order the loader resolves them. X(result, name, parameters).
// The binding declares one function-pointer variable per entry; the stand-in engine defines
// the functions; the loader's table is built from the same list.

#define CEF_EXPORTS_STRINGS(X)                                                                    \
  X(int, cef_string_wide_set, (const wchar_t* src, size_t src_len, TCefStringWide* output, int copy)) \
  X(int, cef_string_utf8_set, (const char* src, size_t src_len, TCefStringUtf8* output, int copy)) \
  X(int, cef_string_utf16_set,                                                                    \
    (const char16_t* src, size_t src_len, TCefStringUtf16* output, int copy))                     \
  X(void, cef_string_wide_clear, (TCefStringWide * str))                                          \
  X(void, cef_string_utf8_clear, (TCefStringUtf8 * str))                                          \
  X(void, cef_string_utf16_clear, (TCefStringUtf16 * str))                                        \
  X(int, cef_string_wide_cmp, (const TCefStringWide* str1, const TCefStringWide* str2))           \
  X(int, cef_string_utf8_cmp, (const TCefStringUtf8* str1, const TCefStringUtf8* str2))           \
  X(int, cef_string_utf16_cmp, (const TCefStringUtf16* str1, const TCefStringUtf16* str2))        \
  X(int, cef_string_wide_to_utf8, (const wchar_t* src, size_t src_len, TCefStringUtf8* output))   \
  X(int, cef_string_utf8_to_wide, (const char* src, size_t src_len, TCefStringWide* output))      \
  X(int, cef_string_wide_to_utf16, (const wchar_t* src, size_t src_len, TCefStringUtf16* output)) \
  X(int, cef_string_utf16_to_wide, (const char16_t* src, size_t src_len, TCefStringWide* output)) \
  X(int, cef_string_utf8_to_utf16, (const char* src, size_t src_len, TCefStringUtf16* output))    \
  X(int, cef_string_utf16_to_utf8, (const char16_t* src, size_t src_len, TCefStringUtf8* output)) \
  X(int, cef_string_ascii_to_wide, (const char* src, size_t src_len, TCefStringWide* output))     \
  X(int, cef_string_ascii_to_utf16, (const char* src, size_t src_len, TCefStringUtf16* output))   \
  X(PCefStringUserFreeWide, cef_string_userfree_wide_alloc, (void))                               \
  X(PCefStringUserFreeUtf8, cef_string_userfree_utf8_alloc, (void))                               \
  X(PCefStringUserFreeUtf16, cef_string_userfree_utf16_alloc, (void))                             \
  X(void, cef_string_userfree_wide_free, (PCefStringUserFreeWide str))                            \
  X(void, cef_string_userfree_utf8_free, (PCefStringUserFreeUtf8 str))                            \
  X(void, cef_string_userfree_utf16_free, (PCefStringUserFreeUtf16 str))

#define CEF_EXPORTS_STRING_MAPS(X)                                                                \
  X(TCefStringMap, cef_string_map_alloc, (void))                                                  \
  X(int, cef_string_map_size, (TCefStringMap map))                                                \
  X(int, cef_string_map_find, (TCefStringMap map, const TCefString* key, TCefString* value))      \
  X(int, cef_string_map_key, (TCefStringMap map, int index, TCefString* key))                     \
  X(int, cef_string_map_value, (TCefStringMap map, int index, TCefString* value))                 \
  X(int, cef_string_map_append, (TCefStringMap map, const TCefString* key, const TCefString* value)) \
  X(void, cef_string_map_clear, (TCefStringMap map))                                              \
  X(void, cef_string_map_free, (TCefStringMap map))

#define CEF_EXPORTS_STRING_LISTS(X)                                                               \
  X(TCefStringList, cef_string_list_alloc, (void))                                                \
  X(int, cef_string_list_size, (TCefStringList list))                                             \
  X(int, cef_string_list_value, (TCefStringList list, int index, TCefString* value))              \
  X(void, cef_string_list_append, (TCefStringList list, const TCefString* value))                 \
  X(void, cef_string_list_clear, (TCefStringList list))                                           \
  X(void, cef_string_list_free, (TCefStringList list))                                            \
  X(TCefStringList, cef_string_list_copy, (TCefStringList list))

#define CEF_EXPORTS_PROCESS(X)                                                                    \
  X(int, cef_initialize, (const TCefSettings* settings, TCefApp* application))                    \
  X(void, cef_shutdown, (void))                                                                   \
  X(void, cef_do_message_loop_work, (void))                                                       \
  X(void, cef_run_message_loop, (void))                                                           \
  X(void, cef_quit_message_loop, (void))

#define CEF_EXPORTS_EXTENSIONS(X)                                                                 \
  X(int, cef_register_extension,                                                                  \
    (const TCefString* extension_name, const TCefString* javascript_code, TCefV8Handler* handler)) \
  X(int, cef_register_custom_scheme,                                                              \
    (const TCefString* scheme_name, int is_standard, int is_local, int is_display_isolated))      \
  X(int, cef_register_scheme_handler_factory,                                                     \
    (const TCefString* scheme_name, const TCefString* domain_name, TCefSchemeHandlerFactory* factory)) \
  X(int, cef_clear_scheme_handler_factories, (void))                                              \
  X(int, cef_add_cross_origin_whitelist_entry,                                                    \
    (const TCefString* source_origin, const TCefString* target_protocol,                          \
     const TCefString* target_domain, int allow_target_subdomains))                               \
  X(int, cef_remove_cross_origin_whitelist_entry,                                                 \
    (const TCefString* source_origin, const TCefString* target_protocol,                          \
     const TCefString* target_domain, int allow_target_subdomains))                               \
  X(int, cef_clear_cross_origin_whitelist, (void))

#define CEF_EXPORTS_TASKS(X)                                                                      \
  X(int, cef_currently_on, (TCefThreadId thread_id))                                              \
  X(int, cef_post_task, (TCefThreadId thread_id, TCefTask* task))                                 \
  X(int, cef_post_delayed_task, (TCefThreadId thread_id, TCefTask* task, int64_t delay_ms))

#define CEF_EXPORTS_URLS(X)                                                                       \
  X(int, cef_parse_url, (const TCefString* url, TCefUrlParts* parts))                             \
  X(int, cef_create_url, (const TCefUrlParts* parts, TCefString* url))

#define CEF_EXPORTS_STORAGE(X)                                                                    \
  X(int, cef_visit_storage,                                                                       \
    (TCefStorageType type, const TCefString* origin, const TCefString* key,                       \
     TCefStorageVisitor* visitor))                                                                \
  X(int, cef_set_storage,                                                                         \
    (TCefStorageType type, const TCefString* origin, const TCefString* key,                       \
     const TCefString* value))                                                                    \
  X(int, cef_delete_storage, (TCefStorageType type, const TCefString* origin, const TCefString* key)) \
  X(int, cef_set_storage_path, (TCefStorageType type, const TCefString* path))

#define CEF_EXPORTS_BROWSER(X)                                                                    \
  X(int, cef_browser_create,                                                                      \
    (TCefWindowInfo * window_info, TCefClient* client, const TCefString* url,                     \
     const TCefBrowserSettings* settings))                                                        \
  X(TCefBrowser*, cef_browser_create_sync,                                                        \
    (TCefWindowInfo * window_info, TCefClient* client, const TCefString* url,                     \
     const TCefBrowserSettings* settings))

#define CEF_EXPORTS_REQUESTS(X)                                                                   \
  X(TCefRequest*, cef_request_create, (void))                                                     \
  X(TCefPostData*, cef_post_data_create, (void))                                                  \
  X(TCefPostDataElement*, cef_post_data_element_create, (void))

#define CEF_EXPORTS_STREAMS(X)                                                                    \
  X(TCefStreamReader*, cef_stream_reader_create_for_file, (const TCefString* file_name))          \
  X(TCefStreamReader*, cef_stream_reader_create_for_data, (void* data, size_t size))              \
  X(TCefStreamReader*, cef_stream_reader_create_for_handler, (TCefReadHandler * handler))         \
  X(TCefStreamWriter*, cef_stream_writer_create_for_file, (const TCefString* file_name))          \
  X(TCefStreamWriter*, cef_stream_writer_create_for_handler, (TCefWriteHandler * handler))

#define CEF_EXPORTS_SCRIPT(X)                                                                     \
  X(TCefV8Context*, cef_v8context_get_current_context, (void))                                    \
  X(TCefV8Context*, cef_v8context_get_entered_context, (void))                                    \
  X(int, cef_v8context_in_context, (void))                                                        \
  X(TCefV8Value*, cef_v8value_create_undefined, (void))                                           \
  X(TCefV8Value*, cef_v8value_create_null, (void))                                                \
  X(TCefV8Value*, cef_v8value_create_bool, (int value))                                           \
  X(TCefV8Value*, cef_v8value_create_int, (int32_t value))                                        \
  X(TCefV8Value*, cef_v8value_create_double, (double value))                                      \
  X(TCefV8Value*, cef_v8value_create_date, (const TCefTime* date))                                \
  X(TCefV8Value*, cef_v8value_create_string, (const TCefString* value))                           \
  X(TCefV8Value*, cef_v8value_create_object_with_accessor,                                        \
    (TCefV8Value * user_data, TCefV8Accessor* accessor))                                          \
  X(TCefV8Value*, cef_v8value_create_array, (void))                                               \
  X(TCefV8Value*, cef_v8value_create_function, (const TCefString* name, TCefV8Handler* handler))

#define CEF_EXPORTS_READERS(X)                                                                    \
  X(TCefWebUrlRequest*, cef_web_urlrequest_create,                                                \
    (TCefRequest * request, TCefWebUrlRequestClient* client))                                     \
  X(TCefXmlReader*, cef_xml_reader_create,                                                        \
    (TCefStreamReader * stream, TCefXmlEncodingType encoding_type, const TCefString* uri))        \
  X(TCefZipReader*, cef_zip_reader_create, (TCefStreamReader * stream))

#define CEF_EXPORTS_STRING_MULTIMAPS(X)                                                           \
  X(TCefStringMultimap, cef_string_multimap_alloc, (void))                                        \
  X(int, cef_string_multimap_size, (TCefStringMultimap map))                                      \
  X(int, cef_string_multimap_find_count, (TCefStringMultimap map, const TCefString* key))         \
  X(int, cef_string_multimap_enumerate,                                                           \
    (TCefStringMultimap map, const TCefString* key, int value_index, TCefString* value))          \
  X(int, cef_string_multimap_key, (TCefStringMultimap map, int index, TCefString* key))           \
  X(int, cef_string_multimap_value, (TCefStringMultimap map, int index, TCefString* value))       \
  X(int, cef_string_multimap_append,                                                              \
    (TCefStringMultimap map, const TCefString* key, const TCefString* value))                     \
  X(void, cef_string_multimap_clear, (TCefStringMultimap map))                                    \
  X(void, cef_string_multimap_free, (TCefStringMultimap map))

#define CEF_EXPORTS_OTHER(X)                                                                      \
  X(int, cef_build_revision, (void))                                                              \
  X(TCefCookieManager*, cef_cookie_manager_get_global_manager, (void))                            \
  X(TCefCookieManager*, cef_cookie_manager_create_manager, (const TCefString* path))              \
  X(size_t, cef_get_web_plugin_count, (void))                                                     \
  X(TCefWebPluginInfo*, cef_get_web_plugin_info, (int index))                                     \
  X(TCefWebPluginInfo*, cef_get_web_plugin_info_byname, (const TCefString* name))

// All 100, in resolution order.
#define CEF_EXPORTS(X)           \
  CEF_EXPORTS_STRINGS(X)         \
  CEF_EXPORTS_STRING_MAPS(X)     \
  CEF_EXPORTS_STRING_LISTS(X)    \
  CEF_EXPORTS_PROCESS(X)         \
  CEF_EXPORTS_EXTENSIONS(X)      \
  CEF_EXPORTS_TASKS(X)           \
  CEF_EXPORTS_URLS(X)            \
  CEF_EXPORTS_STORAGE(X)         \
  CEF_EXPORTS_BROWSER(X)         \
  CEF_EXPORTS_REQUESTS(X)        \
  CEF_EXPORTS_STREAMS(X)         \
  CEF_EXPORTS_SCRIPT(X)          \
  CEF_EXPORTS_READERS(X)         \
  CEF_EXPORTS_STRING_MULTIMAPS(X) \
  CEF_EXPORTS_OTHER(X)

// The function type of each export: TCefExport_<name>.
#define CEF_DECLARE_EXPORT_TYPE(result, name, params) typedef result(CEF_EXPORT_CALL* TCefExport_##name) params;
CEF_EXPORTS(CEF_DECLARE_EXPORT_TYPE)
#undef CEF_DECLARE_EXPORT_TYPE

}  // extern "C"
