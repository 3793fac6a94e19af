#include <gtest/gtest.h>

#include "FakeTimeZones.h"
#include "time/PlaceTime.h"
#include "time/TimeZoneMath.h"

namespace vimo {
namespace {

// The user's clock in `zone` at a UTC instant.
TClockReading UserIn(const TTimeZone& zone, TLocalTime utc) { return {ZoneLocalTime(zone, utc), utc}; }

const std::vector<TTimeZone> kZones = test::FakeTimeZones().zones;

TEST(PlaceTime, ATiedPlaceFollowsItsZonesDaylightTime) {
  TWorldTime ny{"New York", -300, "Eastern Standard Time"};
  TClockReading july = UserIn(test::BerlinZone(), {2026, 7, 15, 16, 0, 0});
  TPlaceTime t = PlaceTimeNow(ny, july, kZones);
  EXPECT_EQ(t.Offset, -240);
  EXPECT_TRUE(t.Daylight);
  EXPECT_EQ(t.Minutes, 12 * 60);
  TClockReading january = UserIn(test::BerlinZone(), {2026, 1, 15, 16, 0, 0});
  t = PlaceTimeNow(ny, january, kZones);
  EXPECT_EQ(t.Offset, -300);
  EXPECT_FALSE(t.Daylight);
  EXPECT_EQ(t.Minutes, 11 * 60);
  // Right at the change: 1:59 is followed by 3:00 in New York.
  EXPECT_EQ(PlaceTimeNow(ny, UserIn(test::BerlinZone(), {2026, 3, 8, 6, 59, 0}), kZones).Minutes, 60 + 59);
  EXPECT_EQ(PlaceTimeNow(ny, UserIn(test::BerlinZone(), {2026, 3, 8, 7, 0, 0}), kZones).Minutes, 3 * 60);
}

TEST(PlaceTime, AFixedPlaceIsUtcPlusItsOffsetAndAnUnknownZoneFallsBackToIt) {
  TClockReading now = UserIn(test::SydneyZone(), {2026, 12, 9, 2, 22, 0});
  TPlaceTime london = PlaceTimeNow({"Dublin, Lisbon, London", 0}, now, kZones);
  EXPECT_EQ(london.Minutes, 2 * 60 + 22);
  EXPECT_FALSE(london.Daylight);
  TPlaceTime lost = PlaceTimeNow({"Lost", 90, "No Such Standard Time"}, now, kZones);
  EXPECT_EQ(lost.Minutes, 3 * 60 + 52);
  EXPECT_EQ(lost.Offset, 90);
  // Key names compare without regard to case, as the registry's do.
  EXPECT_EQ(PlaceTimeNow({"Delhi", 0, "india standard time"}, now, kZones).Offset, 330);
}

TEST(PlaceTime, PlacesOnAnotherDateSayYesterdayOrTomorrow) {
  // A Berlin user at 8:00 in winter: Honolulu is at 21:00 the day before, Auckland at
  // 20:00 the same day, Kiribati (+14) at 21:00 the same day, and at 11:00 already tomorrow.
  TClockReading morning = UserIn(test::BerlinZone(), {2026, 12, 9, 7, 0, 0});
  TPlaceTime honolulu = PlaceTimeNow({"Hawaii", -600}, morning, kZones);
  EXPECT_EQ(honolulu.Minutes, 21 * 60);
  EXPECT_EQ(honolulu.Day, -1);
  EXPECT_STREQ(DayWord(honolulu.Day), "yesterday");
  EXPECT_EQ(PlaceTimeNow({"Kiribati", 840}, morning, kZones).Day, 0);
  TClockReading late = UserIn(test::BerlinZone(), {2026, 12, 9, 10, 0, 0});
  TPlaceTime kiribati = PlaceTimeNow({"Kiribati", 840}, late, kZones);
  EXPECT_EQ(kiribati.Day, 1);
  EXPECT_EQ(kiribati.Minutes, 0);
  EXPECT_STREQ(DayWord(kiribati.Day), "tomorrow");
  EXPECT_STREQ(DayWord(0), "");
  // Across the turn of the year too: the user's New Year's Day is New York's 31 December.
  TClockReading newYear = UserIn(test::BerlinZone(), {2027, 1, 1, 0, 30, 0});
  EXPECT_EQ(PlaceTimeNow({"New York", -300, "Eastern Standard Time"}, newYear, kZones).Day, -1);
}

TEST(PlaceTime, StandardOffsetIsMinutesEast) {
  EXPECT_EQ(StandardOffset(test::EasternZone()), -300);
  EXPECT_EQ(StandardOffset(test::IndiaZone()), 330);
}

}  // namespace
}  // namespace vimo
