#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "FakeTimeZones.h"
#include "model/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32TimeZones.h"
#include "time/TimeHelpers.h"
#include "time/TimeZoneMath.h"

namespace vimo {
namespace {

const TTimeZone* Find(const std::vector<TTimeZone>& zones, const std::string& key) {
  for (const auto& z : zones)
    if (z.KeyName == key) return &z;
  return nullptr;
}

TLocalTime At(int y, int mo, int d, int h, int mi) { return {y, mo, d, h, mi, 0}; }

TEST(Win32TimeZones, TheSystemsZonesComeWithNamesRulesAndYears) {
  auto zones = Win32TimeZones().TimeZones();
  ASSERT_GT(zones.size(), 100u);
  const TTimeZone* ny = Find(zones, "Eastern Standard Time");
  ASSERT_NE(ny, nullptr);
  EXPECT_EQ(ny->Display, "(UTC-05:00) Eastern Time (US & Canada)");
  EXPECT_EQ(ny->Rule.Bias, 300);
  EXPECT_FALSE(ny->Years.empty()) << "Dynamic DST years";
  EXPECT_EQ(BiasAt(*ny, At(2026, 7, 15, 12, 0)), 240);
  EXPECT_EQ(BiasAt(*ny, At(2026, 1, 15, 12, 0)), 300);
  // West to east, as the system lists them.
  EXPECT_TRUE(std::is_sorted(zones.begin(), zones.end(),
                             [](const TTimeZone& a, const TTimeZone& b) { return a.Rule.Bias > b.Rule.Bias; }));
  // Display names are wide strings in the registry and arrive as UTF-8.
  for (const auto& z : zones) EXPECT_FALSE(z.Display.empty()) << z.KeyName;
}

// The fake's zones change their clocks when the system's do.
TEST(Win32TimeZones, TheFakeZonesAgreeWithTheSystems) {
  auto zones = Win32TimeZones().TimeZones();
  for (const TTimeZone& fake : {test::EasternZone(), test::IndiaZone(), test::BerlinZone(), test::SydneyZone()}) {
    const TTimeZone* real = Find(zones, fake.KeyName);
    ASSERT_NE(real, nullptr) << fake.KeyName;
    EXPECT_EQ(real->Display, fake.Display);
    for (TLocalTime t : {At(2026, 3, 8, 6, 59), At(2026, 3, 8, 7, 0), At(2026, 3, 29, 0, 59), At(2026, 3, 29, 1, 0),
                         At(2026, 4, 4, 15, 59), At(2026, 4, 4, 16, 0), At(2026, 7, 1, 0, 0), At(2026, 10, 3, 16, 0),
                         At(2026, 10, 25, 1, 0), At(2026, 11, 1, 6, 0), At(2026, 12, 24, 0, 0)})
      EXPECT_EQ(BiasAt(*real, t), BiasAt(fake, t)) << fake.KeyName << " " << t.Month << "/" << t.Day << " " << t.Hour;
  }
}

TEST(Win32TimeZones, EveryDefaultPlaceIsTiedToARealZoneOfItsOffset) {
  auto zones = Win32TimeZones().TimeZones();
  int tied = 0;
  for (const auto& d : DefaultWorldTimes) {
    if (!*d.Zone) continue;
    ++tied;
    const TTimeZone* z = Find(zones, d.Zone);
    ASSERT_NE(z, nullptr) << d.Name << " -> " << d.Zone;
    EXPECT_EQ(-(z->Rule.Bias + z->Rule.StandardBias), d.Offset) << d.Name << " -> " << d.Zone;
  }
  EXPECT_EQ(tied, 28);
}

// The real clock's two readings differ by the bias the system has in force, daylight time
// included: run it with TZ=Australia/Sydney in December or TZ=Europe/Berlin in July, and
// VIMO_EXPECT_BIAS, to see it on daylight time.
TEST(Win32Clock, LocalAndUtcDifferByTheBiasInForce) {
  Win32Clock clock;
  Clock* saved = Platform().clock;
  Platform().clock = &clock;
  TIME_ZONE_INFORMATION tz{};
  DWORD id = GetTimeZoneInformation(&tz);
  int expected = static_cast<int>(tz.Bias) +
                 static_cast<int>(id == TIME_ZONE_ID_DAYLIGHT ? tz.DaylightBias : tz.StandardBias);
  TClockReading now = clock.Read();
  EXPECT_EQ(MinutesBetween(now.Local, now.Utc), expected) << "daylight: " << (id == TIME_ZONE_ID_DAYLIGHT);
  EXPECT_EQ(LocalBias(), expected);
  // Run by hand under a chosen TZ, the bias it must give: -660 for Australia/Sydney in December.
  char want[16];
  if (GetEnvironmentVariableA("VIMO_EXPECT_BIAS", want, sizeof want)) EXPECT_EQ(LocalBias(), std::atoi(want));
  Platform().clock = saved;
}

}  // namespace
}  // namespace vimo
