// Script contexts and the contexts the engine is in.
//
// enter() pushes a context on the entered stack and exit() pops it (only the top one may
// leave). While a function runs with a given context, that context is the current one without
// being entered, so "current" and "entered" differ inside such a call.
#pragma once

#include "engine/cef_api.h"

namespace larkwell::enginesim {

// A new context with an empty global object; it keeps references of its own to `browser` and
// `frame` (either may be null). The result carries one reference.
TCefV8Context* create_v8context(TCefBrowser* browser, TCefFrame* frame);

// The context a running function was given, else the top entered one; a new reference or null.
TCefV8Context* current_context();
// The top entered context; a new reference or null.
TCefV8Context* entered_context();

// Makes `context` (when not null) the current context for the scope.
class RunningIn {
 public:
  explicit RunningIn(TCefV8Context* context);
  ~RunningIn();
  RunningIn(const RunningIn&) = delete;
  RunningIn& operator=(const RunningIn&) = delete;

 private:
  bool pushed_;
};

}  // namespace larkwell::enginesim
