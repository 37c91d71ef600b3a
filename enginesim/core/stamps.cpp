#include "enginesim/core/stamps.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#ifdef _WIN32
#include <windows.h>
#endif

#include "enginesim/core/shield.h"
#include "enginesim/core/unicode.h"

namespace larkwell::enginesim {

namespace {

// The system time in 100 ns units since 1601 (a FILETIME), from the most precise clock the
// system has: the same clock in every process, so a launcher can compare its own moments.
int64_t system_time() {
#ifdef _WIN32
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  return static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
#else
  constexpr int64_t kUnixEpochSince1601 = 116444736000000000;
  using Ticks = std::chrono::duration<int64_t, std::ratio<1, 10000000> >;
  return kUnixEpochSince1601 +
         std::chrono::duration_cast<Ticks>(std::chrono::system_clock::now().time_since_epoch()).count();
#endif
}

std::mutex stamps_mutex;  // one line at a time, whichever thread stamps

}  // namespace

void stamp_moment(const char* event, const std::u16string& detail) noexcept {
  const int64_t now = system_time();
  const char* path = std::getenv("ENGINESIM_TIMESTAMPS");
  if (path == nullptr || *path == '\0') return;
  shielded<void>("ENGINESIM_TIMESTAMPS", [&] {
    std::string line = std::to_string(now) + ' ' + event;
    if (!detail.empty()) line += ' ' + utf8_of(detail);
    line += '\n';
    std::lock_guard lock(stamps_mutex);
    if (std::FILE* file = std::fopen(path, "ab")) {
      std::fwrite(line.data(), 1, line.size(), file);
      std::fclose(file);
    }
  });
}

}  // namespace larkwell::enginesim
