#include <gtest/gtest.h>

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
  EXPECT_EQ(l.MainHeight, 232 + 48 + 2 + 4);
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
