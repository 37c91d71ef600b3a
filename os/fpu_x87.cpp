// The x87 control word on the 32-bit Windows target.
//
// Read and written directly rather than through the runtime's _controlfp/_control87: those
// translate to an abstract bit layout and, in msvcrt, also rewrite the SSE control register,
// while the binding's step concerns the x87 word alone and must leave its other bits as they
// are.
//
// What mingw-w64's runtime offers as a "default word" (checked on the i686 toolchain):
// _fpreset comes from libmingw32's CRT_fp10.o and is a bare `fninit`, which loads 0x037F
// (all six exceptions masked, 64-bit precision, round to nearest). The runtime calls it at
// start (__tmainCRTStartup), in every new thread (its TLS callback) and after a
// floating-point fault (its exception handler). Linking CRT_fp8.o would use msvcrt's
// _fpreset instead, which loads the constant 0x027F. Neither keeps a default that a program
// could change, so there is nothing to set: both defaults already mask all six exceptions,
// and on the product the word the loader loads (start word | 0x3F) is 0x037F, the very word
// a reset restores.
#include <cstdint>

#include "os/fpu.h"

namespace larkwell::os {

bool HasX87ControlWord() noexcept { return true; }

#if defined(__GNUC__) && defined(__i386__)

uint16_t X87ControlWord() noexcept {
  uint16_t word;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
}

void LoadX87ControlWord(uint16_t word) noexcept {
  __asm__ volatile("fnclex\n\tfldcw %0" : : "m"(word) : "memory");
}

uint16_t X87PendingExceptions() noexcept {
  uint16_t status;
  __asm__ volatile("fnstsw %0" : "=m"(status));
  return static_cast<uint16_t>(status & kX87ExceptionMasks);
}

#elif defined(_MSC_VER) && defined(_M_IX86)

uint16_t X87ControlWord() noexcept {
  uint16_t cw;
  __asm fnstcw cw
  return cw;
}

void LoadX87ControlWord(uint16_t word) noexcept {
  uint16_t cw = word;
  __asm fnclex
  __asm fldcw cw
}

uint16_t X87PendingExceptions() noexcept {
  uint16_t status;
  __asm fnstsw status
  return static_cast<uint16_t>(status & kX87ExceptionMasks);
}

#else
#error "the x87 control word step is written for 32-bit x86 (other targets build fpu_none.cpp)"
#endif

void MaskX87Exceptions() noexcept { LoadX87ControlWord(static_cast<uint16_t>(X87ControlWord() | kX87ExceptionMasks)); }

}  // namespace larkwell::os
