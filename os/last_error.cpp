#include "os/last_error.h"

#include "os/dynamic_library.h"

namespace larkwell::os {

EOSError LastOSError() {
  const uint32_t code = LastErrorCode();
  return EOSError(code, code != 0 ? SystemErrorText(code) : ustring());
}

}  // namespace larkwell::os
