// The sim_* test-control exports of the web objects.
#include "enginesim/control_web.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "enginesim/core/ledger.h"
#include "enginesim/core/shield.h"
#include "enginesim/core/unicode.h"
#include "enginesim/web/browser.h"
#include "enginesim/web/drag_data.h"
#include "enginesim/web/response.h"
#include "enginesim/web/web_support.h"

using namespace larkwell::enginesim;
using namespace larkwell::enginesim::web;

namespace {

// The records of `object`, or null (and a ledger error) when it keeps none.
const Recording* records_of(const void* object, const char* call) {
  SimObject* found = ledger().find_object(object, call);
  if (found == nullptr) return nullptr;
  const auto* records = dynamic_cast<const Recording*>(found);
  if (records == nullptr) {
    ledger().record_error(std::string(call) + ": a " + found->kind() + " records nothing");
  }
  return records;
}

void note_unknown_key(const void* object, const char* key, const char* call) {
  const SimObject* found = ledger().find_object(object, call);
  ledger().record_error(std::string(call) + ": a " + (found ? found->kind() : "?") + " has no record '" +
                        (key ? key : "") + "'");
}

}  // namespace

TCefBrowser* CEF_EXPORT_CALL sim_create_browser(const TSimBrowserSetup* setup) {
  return shielded<TCefBrowser*>(__func__, [&]() -> TCefBrowser* {
    if (setup == nullptr) return nullptr;
    return make_object<SimBrowser>(*setup)->structure();
  });
}

TCefFrame* CEF_EXPORT_CALL sim_browser_add_frame(TCefBrowser* browser, TCefFrame* parent, const char* name) {
  return shielded<TCefFrame*>(__func__, [&](const char* call) -> TCefFrame* {
    SimBrowser* owner = object_of<SimBrowser>(browser, call);
    SimFrame* parent_frame = parent != nullptr ? object_of<SimFrame>(parent, call) : nullptr;
    if (owner == nullptr || (parent != nullptr && parent_frame == nullptr)) return nullptr;
    return owner->add_frame(parent_frame, from_utf8(name));
  });
}

void CEF_EXPORT_CALL sim_frame_focus(TCefFrame* frame) {
  shielded<void>(__func__, [&](const char* call) {
    if (SimFrame* target = object_of<SimFrame>(frame, call)) target->take_focus();
  });
}

void CEF_EXPORT_CALL sim_browser_set_popup_visible(TCefBrowser* browser, int32_t visible) {
  shielded<void>(__func__, [&](const char* call) {
    if (SimBrowser* target = object_of<SimBrowser>(browser, call)) {
      target->set_popup_visible(visible != 0);
    }
  });
}

void CEF_EXPORT_CALL sim_frame_set_document(TCefFrame* frame, TCefDomDocument* document) {
  shielded<void>(__func__, [&](const char* call) {
    auto held = Held<TCefDomDocument>::adopt(document);
    if (SimFrame* target = object_of<SimFrame>(frame, call)) target->set_document(std::move(held));
  });
}

void CEF_EXPORT_CALL sim_frame_set_v8context(TCefFrame* frame, TCefV8Context* context) {
  shielded<void>(__func__, [&](const char* call) {
    auto held = Held<TCefV8Context>::adopt(context);
    if (SimFrame* target = object_of<SimFrame>(frame, call)) target->set_v8context(std::move(held));
  });
}

int CEF_EXPORT_CALL sim_browser_events(TCefBrowser* browser, TSimEvent* events, int room) {
  return shielded<int>(__func__, [&](const char* call) {
    SimBrowser* source = object_of<SimBrowser>(browser, call);
    if (source == nullptr) return 0;
    const std::vector<TSimEvent> received = source->events();
    if (events != nullptr && room > 0) {
      std::copy_n(received.begin(), std::min<std::size_t>(received.size(), room), events);
    }
    return static_cast<int>(received.size());
  });
}

int64_t CEF_EXPORT_CALL sim_recorded_number(const void* object, const char* key) {
  return shielded<int64_t>(__func__, [&](const char* call) -> int64_t {
    const Recording* records = records_of(object, call);
    if (records == nullptr) return -1;
    if (auto value = records->number(key != nullptr ? key : "")) return *value;
    note_unknown_key(object, key, call);
    return -1;
  });
}

int CEF_EXPORT_CALL sim_recorded_text(const void* object, const char* key, char16_t* buffer, int size) {
  return shielded<int>(__func__, [&](const char* call) {
    const Recording* records = records_of(object, call);
    if (records == nullptr) return 0;
    const auto text = records->text(key != nullptr ? key : "");
    if (!text) {
      note_unknown_key(object, key, call);
      return 0;
    }
    return copy_out(*text, buffer, size);
  });
}

TCefResponse* CEF_EXPORT_CALL sim_create_response(int status, const char* status_text, const char* mime_type,
                                                  TCefStringMultimap headers) {
  return shielded<TCefResponse*>(__func__, [&](const char* call) {
    return new_response(status, from_utf8(status_text), from_utf8(mime_type), read_multimap(headers, call));
  });
}

TCefDragData* CEF_EXPORT_CALL sim_create_drag_data(const TSimDragDataSetup* setup) {
  return shielded<TCefDragData*>(__func__,
                                 [&]() -> TCefDragData* { return setup != nullptr ? new_drag_data(*setup) : nullptr; });
}
