// Test control of the stand-in's web objects: browsers and frames, responses, drag data, and
// what these objects recorded of the calls they received.
//
// A structure passed in is taken over (its reference now belongs to the engine) where the
// comment says so.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "enginesim/control.h"

extern "C" {

// --- browsers and frames

struct TSimBrowserSetup {
  TCefWindowHandle window;
  TCefWindowHandle opener_window;
  TCefClient* client;  // taken over; may be null
  int32_t popup;
  int32_t window_rendering_disabled;
  int32_t unfinished;  // 1: a browser the engine has not finished making (see below)
};

// A browser with an unnamed, empty main frame, no history, zoom level 0, focus on the main
// frame. Null for a null setup. An unfinished browser has its frames but does not hand them
// out yet: get_main_frame answers null for its whole life; it never gets a window.
ENGINESIM_CONTROL TCefBrowser* CEF_EXPORT_CALL sim_create_browser(const TSimBrowserSetup* setup);

// A new child frame of `parent` (the main frame when null), named `name` (UTF-8); null when
// the browser already has a frame of that name or `parent` is not one of its frames. The
// browser lists and finds its frames in the order they were made, the main frame first.
ENGINESIM_CONTROL TCefFrame* CEF_EXPORT_CALL sim_browser_add_frame(TCefBrowser* browser, TCefFrame* parent,
                                                                   const char* name);

// Focus moves to `frame` (the browser's focused frame; the frame answers is_focused 1).
ENGINESIM_CONTROL void CEF_EXPORT_CALL sim_frame_focus(TCefFrame* frame);

// Opens (1) or closes (0) the browser's pop-up widget, as a select box of the page would.
ENGINESIM_CONTROL void CEF_EXPORT_CALL sim_browser_set_popup_visible(TCefBrowser* browser, int32_t visible);

// The document visit_dom hands to visitors, and the context get_v8context answers. Both are
// taken over; null detaches. Without a document, visit_dom does not call the visitor. A
// context that holds this frame (sim_create_v8context) keeps frame and context alive until it
// is detached again.
ENGINESIM_CONTROL void CEF_EXPORT_CALL sim_frame_set_document(TCefFrame* frame, TCefDomDocument* document);
ENGINESIM_CONTROL void CEF_EXPORT_CALL sim_frame_set_v8context(TCefFrame* frame, TCefV8Context* context);

// What a frame was last told to load (its record "loaded").
enum : int64_t {
  SIM_LOADED_NOTHING = 0,
  SIM_LOADED_URL = 1,      // load_url; of an http:// address: once its page arrived, the source
                           // is the page
  SIM_LOADED_STRING = 2,   // load_string: the source is the string
  SIM_LOADED_STREAM = 3,   // load_stream: the source is the stream's bytes from where it stood,
                           // read as UTF-8; a reader whose seek fails (answers non-zero) loads nothing
  SIM_LOADED_REQUEST = 4,  // load_request: the URL is the request's
};

// Input a browser received, in order. Arguments in the engine's order:
//   KEY          type, key, modifiers, sysChar, imeChar
//   MOUSE_CLICK  x, y, button type, mouseUp, clickCount
//   MOUSE_MOVE   x, y, mouseLeave
//   MOUSE_WHEEL  x, y, delta
//   FOCUS        setFocus
//   CAPTURE_LOST (none)
//   INVALIDATE   x, y, width, height of the dirty rectangle
enum : int32_t {
  SIM_EVENT_KEY = 1,
  SIM_EVENT_MOUSE_CLICK,
  SIM_EVENT_MOUSE_MOVE,
  SIM_EVENT_MOUSE_WHEEL,
  SIM_EVENT_FOCUS,
  SIM_EVENT_CAPTURE_LOST,
  SIM_EVENT_INVALIDATE,
};
struct TSimEvent {
  int32_t kind;
  int32_t args[5];  // unused arguments are 0
};

// Copies at most `room` events into `events`; answers how many the browser has received.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_browser_events(TCefBrowser* browser, TSimEvent* events, int room);

// --- browser windows
//
// On Windows, a browser made by cef_browser_create_sync or cef_browser_create whose window
// information names a parent (WndParent, a live window) and does not disable window rendering
// gets a child window of that parent (unless it is unfinished), made on the calling thread: class "EngineSim.Browser",
// with exactly the record's ExStyle, windowName, Style, x, y, Width, Height and Menu (the
// child's identifier). The engine stores it in the record's Wnd, and get_window_handle
// answers it for the browser's whole life, also once the window is gone; get_opener_window_handle
// answers 0. The window paints itself white; WM_CLOSE destroys it, as any window's default
// handling does, and it goes with its parent. When the browser's last reference goes, the
// engine destroys the window if it still exists: at once on the thread that made it, from any
// other thread by posting it WM_CLOSE. The host build makes no windows (get_window_handle 0).

struct TSimWindowState {
  int32_t known;             // 1: a window the stand-in made for a browser
  int32_t exists;            // 1 until the window is destroyed, by anyone
  int32_t closed_by_engine;  // 1 once the browser's last release destroyed it or posted WM_CLOSE
  uint32_t thread;           // the thread that made the window
};
// Fills `state` (when given) for `window` and answers its `known`: 0, all zero, for a handle
// the stand-in did not make.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_window_state(TCefWindowHandle window, TSimWindowState* state);

// How a browser came to be (its record "created_by").
enum : int64_t {
  SIM_CREATED_BY_TEST = 0,  // sim_create_browser
  SIM_CREATED_SYNC = 1,     // cef_browser_create_sync
  SIM_CREATED_ASYNC = 2,    // cef_browser_create
};

// --- records
//
// What an object recorded of the calls it received, by key. A key named as an engine member
// counts that member's calls; "member.argument" holds that argument of the last call.
//   browser numbers: parent_window_will_close, close_browser, reload, reload_ignore_cache,
//     stop_load, clear_history, show_dev_tools, close_dev_tools, dev_tools_open (0 or 1),
//     set_focus, set_focus.enable, find, find.identifier, find.forward, find.match_case,
//     find.find_next, stop_finding, stop_finding.clear_selection, created_by (SIM_CREATED_*);
//     what the create call's window information held: window_info (1 when it gave a record),
//     window_info.ExStyle, window_info.Style, window_info.x, window_info.y,
//     window_info.Width, window_info.Height, window_info.WndParent and window_info.Menu (the
//     handles as numbers), window_info.m_bWindowRenderingDisabled,
//     window_info.m_bTransparentPainting, window_info.windowName.length
//   browser texts: find.search_text, start_url (the create call's URL), window_info.windowName
//   frame numbers: undo, redo, cut, copy, paste, del, select_all, print, view_source,
//     load_request, load_url, load_string, load_stream (also the calls with null that load
//     nothing), execute_java_script, execute_java_script.start_line, loaded (SIM_LOADED_*)
//   frame texts: execute_java_script.code, execute_java_script.script_url,
//     load_request.method
// A key the object does not have, or an object that records nothing, is a ledger error; the
// answer is then -1 (number) or 0 (text).

ENGINESIM_CONTROL int64_t CEF_EXPORT_CALL sim_recorded_number(const void* object, const char* key);
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_recorded_text(const void* object, const char* key, char16_t* buffer,
                                                        int size);

// --- responses and drag data

// A response with these fields; the header multimap is copied (null for none). Texts UTF-8,
// null for empty.
ENGINESIM_CONTROL TCefResponse* CEF_EXPORT_CALL sim_create_response(int status, const char* status_text,
                                                                    const char* mime_type, TCefStringMultimap headers);

struct TSimDragDataSetup {
  int32_t is_link;
  int32_t is_fragment;
  int32_t is_file;
  const char* link_url;  // texts UTF-8, null for empty
  const char* link_title;
  const char* link_metadata;
  const char* fragment_text;
  const char* fragment_html;
  const char* fragment_base_url;
  const char* file_extension;
  const char* file_name;
  TCefStringList file_names;  // copied; null for none
  int32_t file_names_answer;  // what get_file_names answers, whatever it lists
};

ENGINESIM_CONTROL TCefDragData* CEF_EXPORT_CALL sim_create_drag_data(const TSimDragDataSetup* setup);

}  // extern "C"

namespace larkwell::enginesim {

// The byte at `index` of the image a browser's get_image paints for paint type `type`.
// get_image paints only at the size set for that paint type, 4 bytes a pixel.
inline uint8_t image_byte(int32_t type, std::size_t index) {
  return static_cast<uint8_t>(index * 7 + static_cast<std::size_t>(type) * 31 + 1);
}

// sim_recorded_text as a string.
inline std::u16string recorded_text(const void* object, const char* key) {
  return copied_text<char16_t>(
      [&](char16_t* buffer, int size) { return sim_recorded_text(object, key, buffer, size); });
}

}  // namespace larkwell::enginesim
