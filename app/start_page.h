// The web application's start page, which the main window opens first.
#pragma once

#include "core/ustring.h"

namespace larkwell {

// The start page: "http://" + host + "?mac=" + id, no path; the id is appended as it is (only
// hexadecimal digits and "-", or nothing).
ustring StartAddress(const ustring& host, const ustring& machineId);
// The host of the start page this program was built for.
ustring StartHost();

}  // namespace larkwell
