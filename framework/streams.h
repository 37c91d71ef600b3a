// The native streams of the application: a stream in memory and a stream over a file.
#pragma once

#include <cstdint>
#include <vector>

#include "core/stream.h"
#include "os/file.h"

namespace larkwell {

// Bytes in memory. Writing past the end grows the stream; seeking past the end is allowed and
// a read there gives nothing.
class TMemoryStream : public TStream {
 public:
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }

  // Cuts or grows (with zeros) the stream; the position stays unless it is past the new end.
  void SetSize(int64_t size);
  void Clear();
  // The bytes, valid until the next write or size change.
  const uint8_t* Memory() const noexcept { return bytes_.data(); }

 private:
  std::vector<uint8_t> bytes_;
  int64_t position_ = 0;
};

// A file opened for reading (shared with readers) or created for writing (not shared), with
// 64-bit positions. The file stream of the OS layer, which the engine binding uses as well.
using TFileStream = os::FileStream;
using os::FileMode;

}  // namespace larkwell
