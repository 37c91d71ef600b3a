#include "engine/cef_time.h"

#include <cmath>
#include <cstdint>

#include "core/exceptions.h"
#include "os/local_time.h"

namespace larkwell {
namespace {

constexpr int64_t kMsPerDay = 86400000;
constexpr int64_t kDaysFrom1899To1970 = 25569;  // TDateTime's day 0 is 30 December 1899

// Days since 1 January 1970 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// The date of a day counted from 1 January 1970.
void CivilFromDays(int64_t z, int64_t& y, int64_t& m, int64_t& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = yoe + era * 400 + (m <= 2);
}

// Before day 0 the fraction still counts forward from midnight: -1.25 is 29 December 1899, 6:00.
TDateTime EncodeDateTime(const os::SystemTime& t) {
  if (!os::IsValidSystemTime(t)) throw EConvertError(u"Invalid argument to date encode");
  const auto days = static_cast<double>(DaysFromCivil(t.year, t.month, t.day) + kDaysFrom1899To1970);
  const double time =
      static_cast<double>(((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.milliseconds) / kMsPerDay;
  return days >= 0 ? days + time : days - time;
}

// The fields of `value`; all zero outside the years 1 to 9999.
os::SystemTime DecodeDateTime(TDateTime value) {
  if (!std::isfinite(value) || std::abs(value) > 3e6) return {};
  int64_t days = static_cast<int64_t>(std::trunc(value));
  int64_t ms = std::llround(std::abs(value - std::trunc(value)) * kMsPerDay);
  if (ms >= kMsPerDay) {  // rounded up to the next midnight
    ms -= kMsPerDay;
    ++days;
  }
  int64_t y = 0, m = 0, d = 0;
  CivilFromDays(days - kDaysFrom1899To1970, y, m, d);
  if (y < 1 || y > 9999) return {};
  const int64_t day_of_week = ((days + 6) % 7 + 7) % 7;  // day 0 was a Saturday
  return {static_cast<uint16_t>(y),           static_cast<uint16_t>(m),
          static_cast<uint16_t>(day_of_week), static_cast<uint16_t>(d),
          static_cast<uint16_t>(ms / 3600000), static_cast<uint16_t>(ms / 60000 % 60),
          static_cast<uint16_t>(ms / 1000 % 60), static_cast<uint16_t>(ms % 1000)};
}

}  // namespace

TDateTime CefTimeToDateTime(const TCefTime& time) {
  // Each field keeps its low 16 bits, as in the system's record.
  const os::SystemTime utc{static_cast<uint16_t>(time.year),        static_cast<uint16_t>(time.month),
                           static_cast<uint16_t>(time.day_of_week), static_cast<uint16_t>(time.day_of_month),
                           static_cast<uint16_t>(time.hour),        static_cast<uint16_t>(time.minute),
                           static_cast<uint16_t>(time.second),      static_cast<uint16_t>(time.millisecond)};
  os::SystemTime local{};
  os::UtcToLocalTime(utc, local);  // an invalid record leaves `local` zero, which encoding rejects
  return EncodeDateTime(local);
}

TCefTime DateTimeToCefTime(TDateTime value) {
  os::SystemTime utc{};
  os::LocalTimeToUtc(DecodeDateTime(value), utc);  // reports nothing; an unconvertible time stays zero
  return {utc.year, utc.month, utc.day_of_week, utc.day, utc.hour, utc.minute, utc.second, utc.milliseconds};
}

}  // namespace larkwell
