// The Windows time-zone rules of the machine's current zone.
#include <windows.h>

#include "os/local_time.h"

namespace larkwell::os {
namespace {

using ZoneConversion = BOOL(WINAPI*)(const TIME_ZONE_INFORMATION*, const SYSTEMTIME*, SYSTEMTIME*);

bool Convert(ZoneConversion convert, const SystemTime& in, SystemTime& out) noexcept {
  if (!IsValidSystemTime(in)) return false;
  const SYSTEMTIME from{in.year, in.month, in.day_of_week, in.day, in.hour, in.minute, in.second, in.milliseconds};
  SYSTEMTIME to{};
  if (!convert(nullptr, &from, &to)) return false;  // null: the current zone
  out = {to.wYear, to.wMonth, to.wDayOfWeek, to.wDay, to.wHour, to.wMinute, to.wSecond, to.wMilliseconds};
  return true;
}

}  // namespace

bool UtcToLocalTime(const SystemTime& utc, SystemTime& local) noexcept {
  return Convert(::SystemTimeToTzSpecificLocalTime, utc, local);
}

bool LocalTimeToUtc(const SystemTime& local, SystemTime& utc) noexcept {
  return Convert(::TzSpecificLocalTimeToSystemTime, local, utc);
}

}  // namespace larkwell::os
