// The C library's time-zone rules (the TZ variable and the system's zone files).
#include <ctime>

#include "os/local_time.h"

namespace larkwell::os {
namespace {

std::tm ToTm(const SystemTime& t) {
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  tm.tm_isdst = -1;  // local time: let the zone's rules decide
  return tm;
}

SystemTime FromTm(const std::tm& tm, uint16_t milliseconds) {
  return {static_cast<uint16_t>(tm.tm_year + 1900), static_cast<uint16_t>(tm.tm_mon + 1),
          static_cast<uint16_t>(tm.tm_wday),        static_cast<uint16_t>(tm.tm_mday),
          static_cast<uint16_t>(tm.tm_hour),        static_cast<uint16_t>(tm.tm_min),
          static_cast<uint16_t>(tm.tm_sec),         milliseconds};
}

}  // namespace

bool UtcToLocalTime(const SystemTime& utc, SystemTime& local) noexcept {
  if (!IsValidSystemTime(utc)) return false;  // timegm would quietly normalise it
  std::tm tm = ToTm(utc);
  tm.tm_isdst = 0;
  const std::time_t seconds = ::timegm(&tm);
  std::tm out{};
  if (!::localtime_r(&seconds, &out)) return false;
  local = FromTm(out, utc.milliseconds);
  return true;
}

bool LocalTimeToUtc(const SystemTime& local, SystemTime& utc) noexcept {
  if (!IsValidSystemTime(local)) return false;
  std::tm tm = ToTm(local);
  const std::time_t seconds = std::mktime(&tm);
  std::tm out{};
  if (!::gmtime_r(&seconds, &out)) return false;
  utc = FromTm(out, local.milliseconds);
  return true;
}

}  // namespace larkwell::os
