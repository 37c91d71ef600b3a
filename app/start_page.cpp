#include "app/start_page.h"

#ifndef LARKWELL_START_HOST
#error "LARKWELL_START_HOST: the start page's host comes from the build (app/CMakeLists.txt)"
#endif

namespace larkwell {

ustring StartAddress(const ustring& host, const ustring& machineId) { return u"http://" + host + u"?mac=" + machineId; }

ustring StartHost() { return Utf8ToUstring(LARKWELL_START_HOST); }

}  // namespace larkwell
