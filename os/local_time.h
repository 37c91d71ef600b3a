// Converting calendar times between coordinated universal time and the machine's local time,
// with the machine's current time-zone rules.
#pragma once

#include <cstdint>

namespace larkwell::os {

// A calendar time in fields, in the order of the Windows system-time record (16-bit fields);
// day_of_week counts from Sunday = 0.
struct SystemTime {
  uint16_t year;
  uint16_t month;
  uint16_t day_of_week;
  uint16_t day;
  uint16_t hour;
  uint16_t minute;
  uint16_t second;
  uint16_t milliseconds;
};

// True when the fields name a real date and time of day (the day of the week is not checked).
bool IsValidSystemTime(const SystemTime& time) noexcept;

// Converts `utc` to local time. Answers false and leaves `local` untouched when `utc` is no
// valid time or the system cannot convert it.
bool UtcToLocalTime(const SystemTime& utc, SystemTime& local) noexcept;

// Converts local time to coordinated universal time; false as above.
bool LocalTimeToUtc(const SystemTime& local, SystemTime& utc) noexcept;

}  // namespace larkwell::os
