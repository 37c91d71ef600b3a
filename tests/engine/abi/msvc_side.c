/* The engine's side of every call shape the binding uses, built by another compiler: clang for
 * the i686-pc-windows-msvc target, linked by lld-link without any Microsoft library. Each
 * function writes down what it received and where its frame sits; a caller whose stack stays
 * balanced finds every call from one call site at the same frame. It also drives a program's
 * read handler the way an engine does. */
#include <stddef.h>
#include <stdint.h>

int _fltused; /* the linker's mark that the code uses floating point */

/* Fields of eight bytes first, so both compilers lay the record out the same way. */
struct Seen {
  int64_t wide;
  double real;
  uint32_t frame;
  size_t sizes[2];
  int32_t ints[5];
  const void* pointers[2];
};
static struct Seen seen;

#define ENTER(self) (seen.frame = (uint32_t)(uintptr_t)__builtin_frame_address(0), seen.pointers[0] = (self))

const struct Seen* __cdecl msvc_seen(void) { return &seen; }

/* ---- structure members (stdcall) */

struct Time {
  int32_t year, month, day_of_week, day_of_month, hour, minute, second, millisecond;
};

struct Time __stdcall get_date_value(void* self) {
  struct Time t = {2012, 2, 3, 29, 23, 59, 58, 987};
  ENTER(self);
  return t;
}

int64_t __stdcall get_identifier(void* self) {
  ENTER(self);
  return INT64_C(0x7EDCBA9876543210);
}

double __stdcall get_zoom_level(void* self) {
  ENTER(self);
  return -2.75;
}

void __stdcall set_zoom_level(void* self, double level) {
  ENTER(self);
  seen.real = level;
}

void __stdcall find(void* self, int identifier, const void* text, int forward, int match_case, int find_next) {
  ENTER(self);
  seen.ints[0] = identifier;
  seen.pointers[1] = text;
  seen.ints[1] = forward;
  seen.ints[2] = match_case;
  seen.ints[3] = find_next;
}

size_t __stdcall read(void* self, void* ptr, size_t size, size_t n) {
  size_t i;
  ENTER(self);
  seen.sizes[0] = size;
  seen.sizes[1] = n;
  for (i = 0; i < size * n; ++i) ((volatile unsigned char*)ptr)[i] = (unsigned char)(0xA0 + i);
  return n - 1;
}

int __stdcall seek(void* self, int64_t offset, int whence) {
  ENTER(self);
  seen.wide = offset;
  seen.ints[0] = whence;
  return 0;
}

int64_t __stdcall tell(void* self) {
  ENTER(self);
  return -(INT64_C(5) << 32) - 7;
}

int __stdcall eof(void* self) {
  ENTER(self);
  return 1;
}

/* ---- exports (cdecl) */

void* __cdecl cef_v8value_create_double(double value) {
  ENTER(0);
  seen.real = value;
  return &seen;
}

int __cdecl cef_post_delayed_task(int32_t thread_id, void* task, int64_t delay_ms) {
  ENTER(task);
  seen.ints[0] = thread_id;
  seen.wide = delay_ms;
  return 1;
}

void* __cdecl cef_stream_reader_create_for_data(void* data, size_t size) {
  ENTER(data);
  seen.sizes[0] = size;
  return &seen;
}

/* ---- the program's structure, called from here */

struct ReadHandler {
  size_t size;
  void* add_ref;
  void* release;
  void* get_refct;
  size_t(__stdcall* read)(struct ReadHandler* self, void* ptr, size_t size, size_t n);
  int(__stdcall* seek)(struct ReadHandler* self, int64_t offset, int whence);
  int64_t(__stdcall* tell)(struct ReadHandler* self);
  int(__stdcall* eof)(struct ReadHandler* self);
};

/* What one round of calls into a read handler answered. */
struct Answers {
  int64_t told;
  size_t items;
  int32_t sought;
  int32_t at_end;
  unsigned char bytes[8];
};

/* This function's stack pointer as it calls here: the same after every balanced call. */
__declspec(noinline) static uint32_t stack_here(void) { return (uint32_t)(uintptr_t)__builtin_frame_address(0); }

/* Calls read, seek, tell and eof of `handler` `rounds` times, writing the answers of the last
 * round to `answers` and the stack pointer after each call (4 a round) to `stacks`. */
void __cdecl msvc_drive_read_handler(struct ReadHandler* handler, int rounds, int64_t offset, struct Answers* answers,
                                     uint32_t* stacks) {
  int round;
  for (round = 0; round < rounds; ++round) {
    answers->items = handler->read(handler, answers->bytes, 3, 2);
    *stacks++ = stack_here();
    answers->sought = handler->seek(handler, offset, 2);
    *stacks++ = stack_here();
    answers->told = handler->tell(handler);
    *stacks++ = stack_here();
    answers->at_end = handler->eof(handler);
    *stacks++ = stack_here();
  }
}
