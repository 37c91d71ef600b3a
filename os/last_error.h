// The operating-system error of a failed call, as the error the system raises for it.
#pragma once

#include "core/exceptions.h"

namespace larkwell::os {

// The error for the calling thread's last-error code: "System Error.  Code: <code>." + line
// break + the system's text for the code, or "A call to an OS function failed" when the code
// is 0. Call it right after the failing call, before anything else can change the code.
EOSError LastOSError();

}  // namespace larkwell::os
