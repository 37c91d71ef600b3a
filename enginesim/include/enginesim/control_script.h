// Test control of the stand-in's script engine and document models.
//
// Tests build contexts, engine-side function handlers, script exceptions and documents here,
// make the engine fire DOM events, and read what the engine received from the program. Every
// structure argument is borrowed: these functions never take over the caller's reference.
// Texts are UTF-8.
#pragma once

#include <stdint.h>

#include "engine/cef_api.h"
#include "enginesim/control.h"

extern "C" {

// The engine's numbering of the values the binding passes through unchanged.
enum : int32_t {
  SIM_V8_PROPERTY_NONE = 0,
  SIM_V8_PROPERTY_READONLY = 1,    // set_value_bykey refuses to change the property
  SIM_V8_PROPERTY_DONTENUM = 2,    // get_keys leaves the key out
  SIM_V8_PROPERTY_DONTDELETE = 4,  // delete_value_bykey refuses to remove it

  SIM_DOM_DOCUMENT_TYPE_HTML = 1,

  SIM_DOM_NODE_ELEMENT = 1,
  SIM_DOM_NODE_TEXT = 3,
  SIM_DOM_NODE_DOCUMENT = 9,

  SIM_DOM_EVENT_PHASE_CAPTURING = 1,
  SIM_DOM_EVENT_PHASE_AT_TARGET = 2,
  SIM_DOM_EVENT_PHASE_BUBBLING = 3,
};

// --- script

// A new script context with a global object. It keeps references of its own to `browser` and
// `frame` (either may be null) and answers them from get_browser and get_frame.
ENGINESIM_CONTROL TCefV8Context* CEF_EXPORT_CALL sim_create_v8context(TCefBrowser* browser, TCefFrame* frame);

// A function handler implemented by the engine. Its execute answers 1 and returns a new
// reference to its first argument (a new undefined value when there is none); with an
// `exception_message` it fills the exception text with it instead and returns no value.
ENGINESIM_CONTROL TCefV8Handler* CEF_EXPORT_CALL sim_create_v8handler(const char* exception_message);

struct TSimV8ExceptionInit {
  const char* message;
  const char* source_line;
  const char* script_resource_name;
  int32_t line_number;
  int32_t start_position;
  int32_t end_position;
  int32_t start_column;
  int32_t end_column;
};
ENGINESIM_CONTROL TCefV8Exception* CEF_EXPORT_CALL sim_create_v8exception(const TSimV8ExceptionInit* init);

// What one side of a script function call received.
enum : int32_t {
  SIM_V8_FUNCTION_CALL = 0,  // execute_function / execute_function_with_context of a function value
  SIM_V8_HANDLER_CALL = 1,   // execute of a handler made by sim_create_v8handler
};
struct TSimV8Call {
  int32_t serial;  // counts the calls of this kind since the process started
  int32_t argument_count;
  int32_t has_object;          // a `this` object was passed
  int32_t has_context;         // a context was passed (function calls only)
  int32_t rethrow;             // rethrowException (function calls only)
  int32_t outs_started_empty;  // the out-arguments were given and started null / empty
  char name[64];               // the function's name (handler calls only)
};
// Fills `out` with the last call of kind `which`; answers 0 (and leaves `out`) before the first.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_v8_last_call(int32_t which, TSimV8Call* out);

// What the engine saw when it last called a program's property accessor.
struct TSimV8AccessorCall {
  int32_t serial;
  int32_t is_set;             // 0 for get, 1 for set
  int32_t answer;             // the accessor's result
  int32_t retval_null;        // get: the accessor left the return value null
  int32_t retval_refct;       // get: the returned value's count right after the call
  int32_t exception_written;  // the accessor wrote into the engine's exception text
  char name[64];
};
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_v8_last_accessor_call(TSimV8AccessorCall* out);

// --- documents

// A document parsed from well-formed markup (elements, attributes with quoted or bare values,
// text, &lt; &gt; &amp; &quot; &apos;, comments and <!DOCTYPE> skipped); null when the markup
// is malformed. Element tag names are lower-cased; a node's name is the upper-case tag,
// "#text" or "#document". Partial URLs complete against `base_url`.
ENGINESIM_CONTROL TCefDomDocument* CEF_EXPORT_CALL sim_create_document(const char* markup, const char* base_url);

// Makes `node` (null: nothing) the focused node of `document`; 0 when the node is not its.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_dom_set_focused_node(TCefDomDocument* document, TCefDomNode* node);

// Selects from offset `start_offset` of text node `start` to offset `end_offset` of text node
// `end` (null start: no selection). 0 when the ends are not text nodes of `document`, are out
// of range or out of order.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_dom_set_selection(TCefDomDocument* document, TCefDomNode* start,
                                                            int start_offset, TCefDomNode* end, int end_offset);

// Dispatches an event of `type` at `target`: capturing listeners of its ancestors from the
// root down, every listener of the target, then (when `bubbles`) the other listeners of its
// ancestors up to the root. Each listener gets a new event object. Answers the number of
// listeners called; listeners registered as null are skipped.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_dom_dispatch_event(TCefDomNode* target, const char* type, int32_t category,
                                                             int bubbles, int cancelable);

// The number of listeners registered on `node`; the last registration's event type, whether
// it came with a listener and its useCapture are written where pointers are given.
ENGINESIM_CONTROL int CEF_EXPORT_CALL sim_dom_last_listener(TCefDomNode* node, char* type, int type_size,
                                                            int32_t* has_listener, int32_t* use_capture);

}  // extern "C"
