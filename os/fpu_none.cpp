// The Linux host and 64-bit Windows run no x87 code that the binding cares about (64-bit code
// computes on SSE): nothing to do.
#include "os/fpu.h"

namespace larkwell::os {

bool HasX87ControlWord() noexcept { return false; }
void MaskX87Exceptions() noexcept {}
uint16_t X87ControlWord() noexcept { return 0; }
void LoadX87ControlWord(uint16_t) noexcept {}
uint16_t X87PendingExceptions() noexcept { return 0; }

}  // namespace larkwell::os
