#include <gtest/gtest.h>

#include "FakeTimeZones.h"
#include "time/CalendarMath.h"
#include "time/TimeZoneMath.h"

namespace vimo {
namespace {

TLocalTime At(int y, int mo, int d, int h, int mi) { return {y, mo, d, h, mi, 0}; }

TEST(TimeZoneMath, CalendarArithmeticRoundTripsAcrossLeapDaysAndEras) {
  for (TLocalTime t : {At(1970, 1, 1, 0, 0), At(2000, 2, 29, 23, 59), At(1900, 3, 1, 0, 0), At(2100, 12, 31, 12, 0),
                       At(1601, 1, 1, 0, 0)}) {
    TLocalTime back = TimeFromSeconds(SecondsOf(t));
    EXPECT_EQ(back.Year, t.Year);
    EXPECT_EQ(back.Month, t.Month);
    EXPECT_EQ(back.Day, t.Day);
    EXPECT_EQ(back.Hour, t.Hour);
    EXPECT_EQ(back.Minute, t.Minute);
  }
  EXPECT_EQ(WeekdayOf(2026, 12, 9), 3);  // a Wednesday
  EXPECT_EQ(WeekdayOf(1969, 12, 31), 3);
  EXPECT_EQ(DaysInMonth(2, 2024), 29);
  EXPECT_EQ(DaysInMonth(2, 2100), 28);
  TLocalTime next = AddMinutes(At(2024, 2, 28, 23, 30), 60);
  EXPECT_EQ(next.Month, 2);
  EXPECT_EQ(next.Day, 29);
  EXPECT_EQ(next.Hour, 0);
  EXPECT_EQ(MinutesBetween(At(2026, 12, 31, 23, 0), At(2027, 1, 1, 1, 30)), 150);
  EXPECT_EQ(MinutesBetween(At(2027, 1, 1, 1, 30), At(2026, 12, 31, 23, 0)), -150);
}

TEST(TimeZoneMath, EasternTimeChangesAtTwoInTheMorningLocal) {
  TTimeZone ny = test::EasternZone();
  // 2026: second Sunday of March is the 8th, first Sunday of November the 1st.
  EXPECT_EQ(BiasAt(ny, At(2026, 3, 8, 6, 59)), 300);
  EXPECT_EQ(BiasAt(ny, At(2026, 3, 8, 7, 0)), 240);
  EXPECT_EQ(BiasAt(ny, At(2026, 11, 1, 5, 59)), 240);
  EXPECT_EQ(BiasAt(ny, At(2026, 11, 1, 6, 0)), 300);
  EXPECT_EQ(BiasAt(ny, At(2026, 7, 15, 12, 0)), 240);
  EXPECT_EQ(BiasAt(ny, At(2026, 1, 15, 12, 0)), 300);
  TLocalTime local = ZoneLocalTime(ny, At(2026, 3, 8, 7, 0));
  EXPECT_EQ(local.Hour, 3);  // 1:59 is followed by 3:00
  EXPECT_TRUE(DaylightAt(ny, At(2026, 7, 1, 0, 0)));
  EXPECT_FALSE(DaylightAt(test::IndiaZone(), At(2026, 7, 1, 0, 0)));
}

TEST(TimeZoneMath, YearsOfTheirOwnRuleThoseYearsAndTheLastRuleGoesOn) {
  TTimeZone ny = test::EasternZone();
  // 2006 changed on the first Sunday of April (the 2nd): mid-March was still standard.
  EXPECT_EQ(BiasAt(ny, At(2006, 3, 15, 12, 0)), 300);
  EXPECT_EQ(BiasAt(ny, At(2006, 4, 2, 6, 59)), 300);
  EXPECT_EQ(BiasAt(ny, At(2006, 4, 2, 7, 0)), 240);
  EXPECT_EQ(BiasAt(ny, At(2006, 10, 29, 5, 59)), 240);  // last Sunday of October
  EXPECT_EQ(BiasAt(ny, At(2006, 10, 29, 6, 0)), 300);
  EXPECT_EQ(BiasAt(ny, At(1990, 3, 15, 12, 0)), 300);   // before the first year: the first rule
  EXPECT_EQ(BiasAt(ny, At(2040, 3, 15, 12, 0)), 240);   // after the last: the last rule
}

TEST(TimeZoneMath, SouthernDaylightTimeSpansTheNewYear) {
  TTimeZone syd = test::SydneyZone();
  EXPECT_EQ(BiasAt(syd, At(2026, 12, 9, 3, 0)), -660);
  EXPECT_EQ(BiasAt(syd, At(2026, 6, 9, 3, 0)), -600);
  // Ends on the first Sunday of April (5 April 2026) at 3:00 daylight = 16:00 UTC the day before.
  EXPECT_EQ(BiasAt(syd, At(2026, 4, 4, 15, 59)), -660);
  EXPECT_EQ(BiasAt(syd, At(2026, 4, 4, 16, 0)), -600);
  // Starts on the first Sunday of October (4 October 2026) at 2:00 standard = 16:00 UTC on the 3rd.
  EXPECT_EQ(BiasAt(syd, At(2026, 10, 3, 15, 59)), -600);
  EXPECT_EQ(BiasAt(syd, At(2026, 10, 3, 16, 0)), -660);
  // New Year's Eve in UTC is already New Year's Day in Sydney, still in daylight time.
  TLocalTime local = ZoneLocalTime(syd, At(2026, 12, 31, 20, 0));
  EXPECT_EQ(local.Year, 2027);
  EXPECT_EQ(local.Hour, 7);
}

TEST(TimeZoneMath, EuropeChangesOnTheLastSundayWhateverTheMonthLength) {
  TTimeZone berlin = test::BerlinZone();
  EXPECT_EQ(BiasAt(berlin, At(2026, 3, 29, 0, 59)), -60);
  EXPECT_EQ(BiasAt(berlin, At(2026, 3, 29, 1, 0)), -120);
  EXPECT_EQ(BiasAt(berlin, At(2026, 10, 25, 0, 59)), -120);
  EXPECT_EQ(BiasAt(berlin, At(2026, 10, 25, 1, 0)), -60);
  // 2027: March 28 and October 31 (week 5 falls in the month).
  EXPECT_EQ(BiasAt(berlin, At(2027, 3, 28, 1, 0)), -120);
  EXPECT_EQ(BiasAt(berlin, At(2027, 10, 31, 0, 59)), -120);
}

TEST(TimeZoneMath, TziBytesAreReadAsTheSystemStoresThem) {
  // Bias -600, StandardBias 0, DaylightBias -60; April week 1 Sunday 3:00; October week 1 Sunday 2:00.
  const unsigned char raw[44] = {0xA8, 0xFD, 0xFF, 0xFF, 0, 0, 0, 0, 0xC4, 0xFF, 0xFF, 0xFF,
                                 0, 0, 4, 0, 0, 0, 1, 0, 3, 0, 0, 0, 0, 0, 0, 0,
                                 0, 0, 10, 0, 0, 0, 1, 0, 2, 0, 0, 0, 0, 0, 0, 0};
  TZoneRule rule;
  ASSERT_TRUE(ParseTzi(std::string(reinterpret_cast<const char*>(raw), sizeof raw), rule));
  EXPECT_EQ(rule, test::SydneyZone().Rule);
  EXPECT_FALSE(ParseTzi(std::string(43, '\0'), rule));
}

TEST(TimeZoneMath, ChangesAtTheEndOfADayAndOnFixedDates) {
  TTimeZone z;
  z.Rule.Bias = 180;  // UTC-3, daylight time from the first Saturday of October 23:59:59.999
  z.Rule.DaylightBias = -60;
  z.Rule.DaylightDate = {0, 10, 6, 1, 23, 59, 59, 999};
  z.Rule.StandardDate = {2027, 2, 0, 20, 0, 0, 0, 0};  // once, on 20 February 2027
  // 3 October 2026 is the first Saturday: the change is at midnight that ends it, 3:00 UTC on the 4th.
  EXPECT_EQ(BiasAt(z, At(2026, 10, 4, 2, 59)), 180);
  EXPECT_EQ(BiasAt(z, At(2026, 10, 4, 3, 0)), 120);
  EXPECT_EQ(DayDifference(At(2026, 12, 9, 10, 0), At(2026, 12, 8, 23, 0)), -1);
  EXPECT_EQ(DayDifference(At(2026, 12, 31, 10, 0), At(2027, 1, 1, 0, 0)), 1);
  EXPECT_EQ(DayDifference(At(2026, 12, 9, 0, 0), At(2026, 12, 9, 23, 59)), 0);
}

}  // namespace
}  // namespace vimo
