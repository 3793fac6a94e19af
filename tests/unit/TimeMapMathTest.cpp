#include <gtest/gtest.h>

#include <vector>

#include "time/TimeHelpers.h"
#include "time/TimeMapMath.h"

namespace vimo {
namespace {

TEST(TimeMapMath, ColumnTimesAtNoonUtc) {
  EXPECT_EQ(DayColor(MapColumnMinutes(180, kMapWidth, 0, 720)), kYellow);
  EXPECT_EQ(DayColor(MapColumnMinutes(275, kMapWidth, 0, 720)), kRed);
  EXPECT_EQ(MapColumnMinutes(0, kMapWidth, 0, 720), 37);
  EXPECT_EQ(TimeOfDayText(MapColumnMinutes(0, kMapWidth, 0, 720), false), "0:37");
  // Truncation towards zero west of Greenwich: (179 - 180) * 1440 / 379 is -3, not -4.
  EXPECT_EQ(MapColumnMinutes(179, kMapWidth, 0, 0), -3);
  EXPECT_EQ(MapColumnMinutes(181, kMapWidth, -60, 600), 3 - 60 + 600);
}

TEST(TimeMapMath, MarkerAndHourStripPositions) {
  EXPECT_EQ(LocalMarkerX(kMapWidth, -60), 195);
  EXPECT_EQ(LocalMarkerX(kMapWidth, 0), 180);
  EXPECT_EQ(LocalMarkerX(kMapWidth, 300), 180 - 78);
  // At UTC noon the mark for 12 stands over Greenwich.
  EXPECT_EQ(WrapMapX(HourMarkX(12, kMapWidth, 0, 720), kMapWidth), 180);
  EXPECT_EQ(WrapMapX(HourMarkX(0, kMapWidth, 0, 720), kMapWidth), 180 - 189 + 379);  // -720 * 379 / 1440 truncates to -189
  EXPECT_EQ(WrapMapX(-5, kMapWidth), 374);
  EXPECT_EQ(WrapMapX(379, kMapWidth), 379);
  EXPECT_EQ(WrapMapX(380, kMapWidth), 1);
  EXPECT_EQ(WrapMapX(-800, kMapWidth), -800 + 3 * 379);
}

TEST(TimeMapMath, LayoutPerCorner) {
  auto l = TimeMapLayout(1, 1024, 768);
  EXPECT_EQ(l.ToolbarWidth, 26);
  EXPECT_EQ(l.MainHeight, 232 + 2 + 48 + 2 * (1 + 1 + 2));
  EXPECT_EQ(l.MainWidth, 381 + 50 + 26);
  EXPECT_TRUE(l.Place.ToolbarLeft);
  EXPECT_EQ(l.Place.Left, 0);
  auto r = TimeMapLayout(4, 1024, 768);
  EXPECT_FALSE(r.Place.ToolbarLeft);
  EXPECT_EQ(r.Place.Left, 1024 - r.MainWidth);
  EXPECT_EQ(r.Place.Top, 768 - r.MainHeight);
  EXPECT_EQ(r.Place.CloseTop, 1) << "away from the pointer in the bottom-right corner";
  EXPECT_EQ(TimeMapLayout(3, 1024, 768).Place.CloseTop, r.MainHeight - 25);
}

}  // namespace
}  // namespace vimo

namespace vimo {
namespace {

TEST(TimeMapMath, PaintMapRecoloursOnlyNonWhitePixels) {
  const int w = kMapWidth, h = 3, stride = w + 5;  // padded rows
  std::vector<std::uint32_t> bits(static_cast<std::size_t>(stride) * h, 0x00FFFFFF);
  auto at = [&](int x, int y) -> std::uint32_t& { return bits[static_cast<std::size_t>(y) * stride + x]; };
  at(180, 0) = 0;           // land
  at(275, 1) = 0;           // land
  at(0, 2) = 0x00FEFFFF;    // anything not pure white counts as land
  at(181, 0) = 0xFFFFFFFF;  // white whatever the unused top byte
  at(w, 0) = 0;             // padding beyond the width stays
  PaintMapBits(bits.data(), w, h, stride, 0, 720);
  EXPECT_EQ(at(180, 0), 0x00FFFF00u) << "yellow at Greenwich at noon UTC";
  EXPECT_EQ(at(275, 1), 0x00FF0000u) << "red six hours east";
  TColor c = DayColor(37);
  EXPECT_EQ(at(0, 2), static_cast<std::uint32_t>(RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c)));
  EXPECT_EQ(at(181, 0), 0xFFFFFFFFu);
  EXPECT_EQ(at(180, 1), 0x00FFFFFFu);
  EXPECT_EQ(at(w, 0), 0u);
}

TEST(TimeMapSun, DeclinationFollowsTheSeasonsAndTheSubsolarPointTheClock) {
  EXPECT_NEAR(SunAt({2026, 6, 21, 12, 0, 0}).Declination, 23.44, 0.3);
  EXPECT_NEAR(SunAt({2026, 12, 21, 12, 0, 0}).Declination, -23.44, 0.3);
  EXPECT_NEAR(SunAt({2026, 3, 20, 15, 0, 0}).Declination, 0.0, 0.5);
  EXPECT_NEAR(SunAt({2026, 9, 23, 0, 0, 0}).Declination, 0.0, 0.5);
  // Noon UTC puts the sun over Greenwich, give or take the equation of time (under 17 minutes).
  EXPECT_NEAR(SunAt({2026, 6, 21, 12, 0, 0}).SubsolarLongitude, 0.0, 4.5);
  EXPECT_NEAR(SunAt({2026, 6, 21, 18, 0, 0}).SubsolarLongitude, -90.0, 4.5);
  EXPECT_NEAR(SunAt({2026, 11, 3, 12, 0, 0}).SubsolarLongitude, -4.1, 0.3);  // the sun runs 16 minutes early
  EXPECT_DOUBLE_EQ(MapRowLatitude(0, 232), 85.0 - 145.0 / 232 / 2);
  EXPECT_DOUBLE_EQ(MapColumnLongitude(180, 379), 0.0);
}

TEST(TimeMapSun, DaylightAtThePolesAndAcrossTwilight) {
  TSun june = SunAt({2026, 6, 21, 0, 0, 0}), december = SunAt({2026, 12, 21, 0, 0, 0});
  // Midnight at Greenwich: the midnight sun far north in June, polar night in December.
  EXPECT_EQ(DaylightLevel(80, 0, june), 256);
  EXPECT_EQ(DaylightLevel(80, 0, december), 0);
  EXPECT_EQ(DaylightLevel(-80, 0, december), 256);
  EXPECT_EQ(DaylightLevel(0, 0, june), 0);
  EXPECT_EQ(DaylightLevel(0, 180, june), 256);
  // Twilight fades: at the equator the sun sinks a degree every four minutes.
  TSun evening = SunAt({2026, 3, 20, 18, 0, 0});  // the sun sets near 0 degrees east
  int set = DaylightLevel(0, 3, evening), dusk = DaylightLevel(0, 7, evening);
  EXPECT_GT(set, 0);
  EXPECT_LT(set, 256);
  EXPECT_LT(dusk, set);
}

// The first column, going east from the subsolar point's column, whose pixel differs
// from daylight white: where night begins on that row.
int NightFrom(const std::vector<std::uint32_t>& bits, int y, int from) {
  for (int i = 0; i < kMapWidth; ++i) {
    int x = (from + i) % kMapWidth;
    if ((bits[static_cast<std::size_t>(y * kMapWidth + x)] & 0xFFFFFF) != 0xFFFFFF) return i;
  }
  return -1;
}

TEST(TimeMapSun, TheNightSideIsShadedAlongACurvedBoundary) {
  std::vector<std::uint8_t> sea(kMapWidth * kMapHeight, 0);
  std::vector<std::uint32_t> bits(sea.size());
  const int equator = 136, north = 40;  // rows near 0 and 60 degrees north
  ASSERT_NEAR(MapRowLatitude(equator, kMapHeight), 0, 0.5);
  ASSERT_NEAR(MapRowLatitude(north, kMapHeight), 60, 0.5);
  // Noon at Greenwich: night begins further east in the north in June, nearer in December.
  PaintMapBits(bits.data(), kMapWidth, kMapHeight, kMapWidth, 0, 720, sea.data(), SunAt({2026, 6, 21, 12, 0, 0}));
  int juneEquator = NightFrom(bits, equator, 180), juneNorth = NightFrom(bits, north, 180);
  EXPECT_NEAR(juneEquator, 379 / 4, 6);
  EXPECT_GT(juneNorth, juneEquator + 15);
  EXPECT_EQ(bits[180] & 0xFFFFFF, 0xFFFFFFu) << "the sea by day stays white";
  PaintMapBits(bits.data(), kMapWidth, kMapHeight, kMapWidth, 0, 720, sea.data(), SunAt({2026, 12, 21, 12, 0, 0}));
  int decemberNorth = NightFrom(bits, north, 180);
  EXPECT_LT(decemberNorth, NightFrom(bits, equator, 180) - 15);
  EXPECT_NE(bits[static_cast<std::size_t>(equator * kMapWidth)] & 0xFFFFFF, 0xFFFFFFu) << "midnight sea is shaded";

  // Land keeps its time-of-day tint by day and is darkened by night.
  std::vector<std::uint8_t> land(sea.size(), 1);
  PaintMapBits(bits.data(), kMapWidth, kMapHeight, kMapWidth, 0, 720, land.data(), SunAt({2026, 3, 20, 12, 0, 0}));
  TColor noon = DayColor(MapColumnMinutes(180, kMapWidth, 0, 720));
  EXPECT_EQ(bits[static_cast<std::size_t>(equator * kMapWidth + 180)],
            static_cast<std::uint32_t>(RedOf(noon) << 16 | GreenOf(noon) << 8 | BlueOf(noon)));
  std::uint32_t midnight = bits[static_cast<std::size_t>(equator * kMapWidth)];
  TColor tint = DayColor(MapColumnMinutes(0, kMapWidth, 0, 720));
  EXPECT_LT(static_cast<int>(midnight & 0xFF), BlueOf(tint)) << "night land is darker than its tint";
  EXPECT_GT(static_cast<int>(midnight & 0xFF), 0);
}

}  // namespace
}  // namespace vimo
