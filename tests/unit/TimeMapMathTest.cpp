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
  EXPECT_EQ(r.Place.CloseTop, r.MainHeight - 25);
  EXPECT_EQ(TimeMapLayout(3, 1024, 768).Place.CloseTop, 1);
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

}  // namespace
}  // namespace vimo
