#include <gtest/gtest.h>

#include "FakeLocale.h"
#include "FakeTimeZones.h"
#include "platform/Platform.h"
#include "time/TimeHelpers.h"
#include "time/WorldTimeMath.h"

namespace vimo {
namespace {

TEST(TimeHelpers, DayColorAtTheAnchorsAndBetween) {
  EXPECT_EQ(DayColor(0), kNavy);
  EXPECT_EQ(DayColor(360), kGreen);
  EXPECT_EQ(DayColor(720), kYellow);
  EXPECT_EQ(DayColor(1080), kRed);
  EXPECT_EQ(DayColor(180), Rgb(0, 127, 64));  // midpoint of navy and green, each quotient truncated
  EXPECT_EQ(DayColor(1440), kNavy);           // 1440 stays and ends the red-to-navy blend
  EXPECT_EQ(DayColor(-60), DayColor(1380));
  EXPECT_EQ(DayColor(1440 + 360), kGreen);
  EXPECT_EQ(DayColor(720 + 1440 * 1000), kYellow);
  EXPECT_EQ(DayColor(-1440 * 1000), kNavy);
}

TEST(TimeHelpers, BlendColorTruncatesEachTermAndSurvivesAnEmptyLength) {
  EXPECT_EQ(BlendColor(Rgb(255, 0, 10), Rgb(0, 255, 11), 1, 3), Rgb(170, 85, 6 + 3));
  EXPECT_EQ(BlendColor(kRed, kNavy, 0, 0), kRed);
}

TEST(TimeHelpers, HourLabelsAndTimesOnBothClocks) {
  EXPECT_EQ(HourLabel(0, true), "12am");
  EXPECT_EQ(HourLabel(6, true), "6am");
  EXPECT_EQ(HourLabel(12, true), "12pm");
  EXPECT_EQ(HourLabel(18, true), "6pm");
  EXPECT_EQ(HourLabel(0, false), "0:00");
  EXPECT_EQ(HourLabel(18, false), "18:00");
  EXPECT_EQ(TimeOfDayText(18 * 60 + 5, true), "6:05pm");
  EXPECT_EQ(TimeOfDayText(18 * 60 + 5, false), "18:05");
  EXPECT_EQ(TimeOfDayText(5, true), "12:05am");
  EXPECT_EQ(TimeOfDayText(12 * 60, true), "12:00pm");
  EXPECT_EQ(TimeOfDayText(-1, false), "23:59");
  EXPECT_EQ(TimeOfDayText(37 - 1440 * 3, false), "0:37");
  EXPECT_EQ(TimeOfDayText(1440, false), "0:00");
}

TEST(TimeHelpers, LabelsFollowTheLocaleThroughThePlatform) {
  test::FakeLocale locale;
  test::FakeClock clock;
  clock.bias = -540;
  auto saved = Platform();
  Platform().locale = &locale;
  Platform().clock = &clock;
  locale.twelveHour = true;
  EXPECT_EQ(HourLabel(12), "12pm");
  EXPECT_EQ(TimeOfDayText(65), "1:05am");
  locale.twelveHour = false;
  EXPECT_EQ(TimeOfDayText(65), "1:05");
  EXPECT_EQ(LocalBias(), -540);
  Platform() = saved;
}

TEST(TimeHelpers, TimeRowsAddTheStandardBiasAndWrapOnce) {
  // Bias -60 at local 23:30: London 22:30, Paris 23:30, +120 wraps to 0:30.
  int local = 23 * 60 + 30;
  EXPECT_EQ(TimeRowMinutes(false, -60, local, 0), 22 * 60 + 30);
  EXPECT_EQ(TimeRowMinutes(false, -60, local, 60), 23 * 60 + 30);
  EXPECT_EQ(TimeRowMinutes(false, -60, local, 120), 30);
  EXPECT_EQ(TimeRowMinutes(true, -60, local, 0), local);
  EXPECT_EQ(TimeRowMinutes(false, 300, 10, -720), 1440 + 10 + 300 - 720);
}

TEST(WorldTimeEditor, OffsetsSplitIntoHoursAndMinutesAndBack) {
  auto b = EditorBiasFromOffset(-210);
  EXPECT_EQ(b.Hours, -3);
  EXPECT_EQ(b.Minutes, 30);
  EXPECT_EQ(OffsetFromEditor(b.Hours, b.Minutes, b.Negative), -210);
  b = EditorBiasFromOffset(345);
  EXPECT_EQ(b.Hours, 5);
  EXPECT_EQ(b.Minutes, 45);
  EXPECT_EQ(OffsetFromEditor(5, 45, false), 345);
  EXPECT_EQ(OffsetFromEditor(-3, 30, false), -210);
  EXPECT_EQ(OffsetFromEditor(13, 0, false), 780);
  EXPECT_EQ(OffsetFromEditor(-12, 59, false), -720) << "no zone lies west of -12:00";
}

TEST(WorldTimeEditor, NegativeOffsetUnderAnHourKeepsItsSign) {
  auto b = EditorBiasFromOffset(-30);
  EXPECT_EQ(b.Hours, 0);
  EXPECT_EQ(b.Minutes, 30);
  EXPECT_TRUE(b.Negative);
  EXPECT_EQ(OffsetFromEditor(b.Hours, b.Minutes, b.Negative), -30);
  // Once the hours were moved the text reads "0" again and the offset is positive.
  EXPECT_EQ(OffsetFromEditor(0, 30, false), 30);
  EXPECT_FALSE(EditorBiasFromOffset(30).Negative);
}

TEST(WorldTimeEditorMath, OffsetsReachKiribatiAndStopAtTheEarthsLimits) {
  EXPECT_EQ(OffsetFromEditor(14, 0, false), 840);
  EXPECT_EQ(EditorBiasFromOffset(840).Hours, 14);
  EXPECT_EQ(OffsetFromEditor(13, 45, false), 825);  // Chatham Islands in summer
  // No place is further east than +14:00 or further west than -12:00.
  EXPECT_EQ(OffsetFromEditor(14, 30, false), 840);
  EXPECT_EQ(OffsetFromEditor(-12, 45, false), -720);
  EXPECT_EQ(OffsetFromEditor(-12, 0, false), -720);
  EXPECT_EQ(kEditorMaxHours, 14);
  EXPECT_EQ(kEditorMinHours, -12);
}

TEST(WorldTimeLayout, ListsTallerThanTheScreenGrowColumnsInstead) {
  // 13-pixel rows: 52 fit below the scale and the home row of a 768-pixel screen.
  auto one = WorldTimeLayout(3, 52, -11, 1024, 768);
  EXPECT_EQ(one.Columns, 1);
  EXPECT_EQ(one.MainWidth, 277);
  EXPECT_LE(one.MainHeight, 768);
  auto two = WorldTimeLayout(3, 60, -11, 1024, 768);
  EXPECT_EQ(two.Columns, 2);
  EXPECT_EQ(two.RowsPerColumn, 30) << "the columns share the places evenly";
  EXPECT_EQ(two.WorldTimesHeight, 30 * 13);
  EXPECT_EQ(two.MainWidth, 277 + two.ColumnWidth + two.ColumnGap);
  EXPECT_EQ(two.Place.Left, 1024 - two.MainWidth) << "still in its corner";
  auto many = WorldTimeLayout(4, 200, -11, 1024, 768);
  EXPECT_EQ(many.Columns, 4);
  EXPECT_LE(many.MainHeight, 768);
  EXPECT_LE(many.MainWidth, 1024);
  EXPECT_GE(many.Place.Top, 0);
  // A screen too low for even one row still shows one row per column.
  EXPECT_EQ(WorldTimeLayout(1, 3, -11, 1024, 50).RowsPerColumn, 1);
}

TEST(WorldTimeLayout, RowsFollowTheFontAndCornersPlaceTheForm) {
  auto l = WorldTimeLayout(1, 4, -11, 1024, 768);
  EXPECT_EQ(l.RowHeight, 13);
  EXPECT_EQ(l.WorldTimesHeight, 52);
  EXPECT_EQ(l.MainHeight, 33 + 28 + 52 + 16 + 4);
  EXPECT_EQ(l.MainWidth, 277);
  EXPECT_TRUE(l.Place.ToolbarLeft);
  EXPECT_EQ(l.Place.CloseTop, l.MainHeight - 25) << "away from the pointer in the top-left corner";
  EXPECT_EQ(l.Place.Left, 0);
  EXPECT_EQ(l.Place.Top, 0);
  struct Case { int corner; bool toolbarLeft; int left, top; bool closeAtTop; };
  const int w = 277, h = l.MainHeight;
  for (Case c : {Case{2, true, 0, 768 - h, true}, Case{3, false, 1024 - w, 0, false},
                 Case{4, false, 1024 - w, 768 - h, true}, Case{0, false, 1024 - w, 768 - h, false}}) {
    auto p = WorldTimeLayout(c.corner, 4, -11, 1024, 768).Place;
    EXPECT_EQ(p.ToolbarLeft, c.toolbarLeft) << c.corner;
    EXPECT_EQ(p.Left, c.left) << c.corner;
    EXPECT_EQ(p.Top, c.top) << c.corner;
    EXPECT_EQ(p.CloseTop, c.closeAtTop ? 1 : h - 25) << c.corner;
  }
  EXPECT_EQ(WorldTimeLayout(1, 0, -11, 1024, 768).WorldTimesHeight, 0);
  EXPECT_EQ(WorldTimeLayout(1, 2, -16, 1024, 768).RowHeight, 20);
}

TEST(WorldTimeLayout, AtOneHundredFortyFourDpiEverythingButTheBevelsGrowsByHalf) {
  // The right top corner: its close button is at the bottom, away from the pointer.
  auto l = WorldTimeLayout(3, 4, -16, 1536, 1152, 33, 28, 8, 1, 144);
  EXPECT_EQ(l.ColumnWidth, 347);  // 346.5
  EXPECT_EQ(l.ColumnGap, 24);
  EXPECT_EQ(l.MainWidth, 347 + 24 + 4 + 36 + 2);
  EXPECT_EQ(l.MainHeight, 50 + 42 + 4 * 20 + 24 + 4);
  EXPECT_EQ(l.Place.Left, 1536 - l.MainWidth);
  EXPECT_EQ(l.Place.CloseTop, l.MainHeight - 36 - 1) << "a close button of 36 pixels at the bottom";
}

// London shows the UTC time whatever the user's clock does, also right at a change.
TEST(TimeHelpers, WorldRowsShowUtcPlusOffsetWhileTheUserIsOnDaylightTime) {
  test::FakeClock clock;
  auto saved = Platform();
  Platform().clock = &clock;
  struct Case { TLocalTime utc; TTimeZone zone; };
  const Case cases[] = {
      {{2026, 12, 9, 2, 22, 0}, test::SydneyZone()},   // the evening: London at 2:22am
      {{2026, 7, 15, 9, 0, 0}, test::BerlinZone()},
      {{2026, 3, 29, 0, 59, 0}, test::BerlinZone()},   // the last minute of winter time
      {{2026, 3, 29, 1, 0, 0}, test::BerlinZone()},    // 2:00 became 3:00
      {{2026, 10, 25, 0, 59, 0}, test::BerlinZone()},
      {{2026, 10, 25, 1, 0, 0}, test::BerlinZone()},   // 3:00 became 2:00 again
      {{2026, 6, 1, 12, 0, 0}, test::SydneyZone()},
  };
  for (const Case& c : cases) {
    clock.SetUtc(c.utc, c.zone);
    int local = clock.now.Hour * 60 + clock.now.Minute;
    int utc = c.utc.Hour * 60 + c.utc.Minute;
    EXPECT_EQ(TimeRowMinutes(false, LocalBias(), local, 0), utc) << c.zone.KeyName << " " << c.utc.Month << "/" << c.utc.Day;
    EXPECT_EQ(TimeRowMinutes(false, LocalBias(), local, 60), (utc + 60) % 1440);
  }
  Platform() = saved;
}

}  // namespace
}  // namespace vimo
