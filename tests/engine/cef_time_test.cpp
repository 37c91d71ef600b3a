// Engine time (coordinated universal time) and TDateTime (local time). This program runs with
// its time zone set to UTC+8 without daylight saving (TZ=CST-8, set by its ctest entry; Wine
// takes the zone from the same variable).
#include <gtest/gtest.h>

#include <cmath>

#include "core/exceptions.h"
#include "engine/cef_time.h"
#include "engine/entry_points.h"
#include "engine/v8_refs.h"

namespace larkwell {
namespace {

constexpr TDateTime kJan1st2012 = 40909;  // days since 30 December 1899
constexpr double kHour = 1.0 / 24;

long long Milliseconds(TDateTime value) { return std::llround(value * 86400000.0); }

TEST(CefTimeTest, MidnightOfNewYear2012UtcIsEightOClockAtUtcPlusEight) {
  const TDateTime local = CefTimeToDateTime({2012, 1, 0, 1, 0, 0, 0, 0});
  ASSERT_EQ(Milliseconds(local), Milliseconds(kJan1st2012 + 8 * kHour))
      << "is the time zone UTC+8? run this program with TZ=CST-8";

  const TCefTime utc = DateTimeToCefTime(kJan1st2012 + 8 * kHour);
  EXPECT_EQ(utc.year, 2012);
  EXPECT_EQ(utc.month, 1);
  EXPECT_EQ(utc.day_of_month, 1);
  EXPECT_EQ(utc.day_of_week, 0);  // a Sunday
  EXPECT_EQ(utc.hour, 0);
}

TEST(CefTimeTest, LocalTimesSurviveTheRoundTripToTheMillisecond) {
  const TDateTime cases[] = {
      kJan1st2012 + 13.5 * kHour + 0.123 / 86400, // 2012-01-01 13:30:00.123
      36525 + 86399999.0 / 86400000,              // 1999-12-31 23:59:59.999
      0.25,                                        // day 0, 6:00
      -1.25,                                       // 29 December 1899, 6:00 (time counts forward)
      -18262.75,                                   // 1849-12-30, 18:00
      kJan1st2012 + 59 + 12 * kHour,               // 2012-02-29 12:00, a leap day
      kJan1st2012 + 60,                            // 2012-03-01 0:00
  };
  for (const TDateTime local : cases) {
    SCOPED_TRACE(local);
    EXPECT_EQ(Milliseconds(CefTimeToDateTime(DateTimeToCefTime(local))), Milliseconds(local));
  }
}

TEST(CefTimeTest, BeforeDayZeroTheFractionStillCountsForwardFromMidnight) {
  // 28 December 1899 22:00 UTC is 29 December 6:00 at UTC+8: day -1, a quarter into the day.
  EXPECT_EQ(Milliseconds(CefTimeToDateTime({1899, 12, 4, 28, 22, 0, 0, 0})), Milliseconds(-1.25));
}

TEST(CefTimeTest, ARecordThatIsNoDateRaisesTheConversionError) {
  const TCefTime invalid[] = {
      {2012, 0, 0, 1, 0, 0, 0, 0},    {2012, 13, 0, 1, 0, 0, 0, 0},  {2012, 1, 0, 0, 0, 0, 0, 0},
      {2011, 2, 0, 29, 0, 0, 0, 0},   {2012, 1, 0, 1, 24, 0, 0, 0},  {2012, 1, 0, 1, 0, 60, 0, 0},
      {2012, 1, 0, 1, 0, 0, 60, 0},   {2012, 1, 0, 1, 0, 0, 0, 1000}, {0, 1, 0, 1, 0, 0, 0, 0},
  };
  for (const TCefTime& time : invalid) {
    SCOPED_TRACE(testing::Message() << time.year << "-" << time.month << "-" << time.day_of_month << " "
                                    << time.hour << ":" << time.minute << ":" << time.second << "."
                                    << time.millisecond);
    EXPECT_THROW(CefTimeToDateTime(time), EConvertError);
  }
  // A leap day, and the days on each side of it.
  for (const int day : {28, 29}) {
    EXPECT_EQ(Milliseconds(CefTimeToDateTime({2012, 2, 0, day, 0, 0, 0, 0})),
              Milliseconds(kJan1st2012 + 31 + (day - 1) + 8 * kHour));
  }
  EXPECT_EQ(Milliseconds(CefTimeToDateTime({2012, 3, 0, 1, 0, 0, 0, 0})), Milliseconds(kJan1st2012 + 60 + 8 * kHour));
}

TEST(CefTimeTest, AFractionThatRoundsUpToMidnightIsTheNextDay) {
  // A hair before 2 January 0:00 at UTC+8 is that midnight: 1 January 16:00 UTC.
  const TCefTime utc = DateTimeToCefTime(kJan1st2012 + 1 - 1e-10);
  EXPECT_EQ(utc.year, 2012);
  EXPECT_EQ(utc.day_of_month, 1);
  EXPECT_EQ(utc.hour, 16);
  EXPECT_EQ(utc.minute, 0);
  EXPECT_EQ(utc.millisecond, 0);
}

// The engine's date value, faked: cef_v8value_create_date keeps the record it is given and
// returns a value whose get_date_value answers it.
TCefTime created_record{};
TCefTime CEF_CALLBACK GetDateValue(TCefV8Value*) { return created_record; }
TCefV8Value date_value{};
TCefV8Value* CEF_EXPORT_CALL CreateDate(const TCefTime* date) {
  created_record = *date;
  date_value.base.size = sizeof date_value;
  date_value.get_date_value = GetDateValue;
  return &date_value;
}

TEST(CefTimeTest, CreateDateThenGetDateValueGivesTheSameLocalTime) {
  cef_v8value_create_date = CreateDate;
  const TDateTime local = kJan1st2012 + 200 + 17.25 * kHour + 0.456 / 86400;
  IPtr<ICefv8Value> value = TCefv8ValueRef::CreateDate(local);
  cef_v8value_create_date = nullptr;
  ASSERT_TRUE(value);
  EXPECT_EQ(created_record.hour, 9);  // 17:15 at UTC+8 went to the engine as 9:15 UTC
  EXPECT_EQ(created_record.millisecond, 456);
  EXPECT_EQ(Milliseconds(value->GetDateValue()), Milliseconds(local));
}

}  // namespace
}  // namespace larkwell
