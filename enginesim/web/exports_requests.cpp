// Requests, post data and post data elements, each new with one reference for the caller.
#include "enginesim/core/shield.h"
#include "enginesim/exports.h"
#include "enginesim/web/requests.h"

using namespace larkwell::enginesim;
using namespace larkwell::enginesim::web;

TCefRequest* CEF_EXPORT_CALL cef_request_create(void) {
  return shielded<TCefRequest*>(__func__, [] { return make_object<SimRequest>()->structure(); });
}

TCefPostData* CEF_EXPORT_CALL cef_post_data_create(void) {
  return shielded<TCefPostData*>(__func__, [] { return make_object<SimPostData>()->structure(); });
}

TCefPostDataElement* CEF_EXPORT_CALL cef_post_data_element_create(void) {
  return shielded<TCefPostDataElement*>(__func__, [] { return make_object<SimPostDataElement>()->structure(); });
}
