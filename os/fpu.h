// The x87 floating-point control word of the 32-bit Windows target.
//
// The engine's code expects every x87 exception masked: an unmasked one would fault inside
// the engine. The binding therefore masks all six before it loads the engine. On the Linux host
// and on 64-bit Windows no code depends on the x87 unit and every function here does nothing
// (or answers 0).
#pragma once

#include <cstdint>

namespace larkwell::os {

// The six exception-mask bits of the x87 control word: invalid operation, denormal operand,
// zero divide, overflow, underflow and precision.
inline constexpr uint16_t kX87ExceptionMasks = 0x3F;

// True where the process runs x87 code that the steps below act on (the Windows target).
bool HasX87ControlWord() noexcept;

// Sets the six exception-mask bits of the calling thread's control word and leaves its other
// bits (precision, rounding) as they are; pending exceptions are cleared before the new word
// is loaded, so none is raised by loading it. The runtime's own default word, which it loads
// when it resets the unit (at start, in every new thread, after a floating-point fault), masks
// all six already: see fpu_x87.cpp.
void MaskX87Exceptions() noexcept;

// The calling thread's control word.
uint16_t X87ControlWord() noexcept;
// Clears pending exceptions, then loads `word` as the calling thread's control word.
void LoadX87ControlWord(uint16_t word) noexcept;
// The six exception flags of the status word: exceptions raised and not yet cleared.
uint16_t X87PendingExceptions() noexcept;

}  // namespace larkwell::os
