// The native stream: a sequence of bytes with a position. Positions and sizes are 64-bit, so
// streams over 2 GiB seek and report correctly. Memory and file streams live in framework/.
#pragma once

#include <cstdint>

namespace larkwell {

enum class TSeekOrigin : int32_t { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream {
 public:
  virtual ~TStream() = default;

  // Reads up to `count` bytes into `buffer`; returns how many were read (0 at the end).
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  // Writes `count` bytes; returns how many were written.
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // Moves the position and returns the new one.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
  // The size, by seeking to the end and back unless a stream knows it directly.
  virtual int64_t Size() {
    const int64_t here = Position();
    const int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(here, TSeekOrigin::soBeginning);
    return size;
  }
};

}  // namespace larkwell
