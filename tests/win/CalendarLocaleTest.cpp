#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PopupSupport.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Locale.h"
#include "time/TimeHelpers.h"
#include "time/win32/Calendar.h"

namespace vimo {
namespace {

// Counts pure red pixels in a cell of a grid, as painted.
int RedPixels(TDrawGrid* grid, int col, int row) {
  test::PrintedWindow printed(grid->Handle());
  RECT cell = grid->CellRect(col, row);
  int red = 0;
  for (int y = cell.top; y < cell.bottom; ++y)
    for (int x = cell.left; x < cell.right; ++x)
      if (printed.Pixel(x, y) == RGB(255, 0, 0)) ++red;
  return red;
}

// The calendar drawn under the real locale data of two locales: one whose week starts on
// Monday with a 24-hour clock, one whose week starts on Sunday with a 12-hour clock.
class CalendarLocale : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    saved_ = Platform();
    german = GetParam();
    locale = std::make_unique<Win32Locale>(german ? 0x0407 : 0x0409);
    Platform().locale = locale.get();
    EnsureTimeServices();
  }
  void TearDown() override {
    Application().ProcessMessages();
    Platform() = saved_;
  }
  bool german = false;
  std::unique_ptr<Win32Locale> locale;

 private:
  PlatformServices saved_;
};

TEST_P(CalendarLocale, WeekStartClockAndNamesComeFromTheLocale) {
  EXPECT_EQ(locale->FirstDayOfWeek(), german ? 0 : 6);
  EXPECT_EQ(locale->TwelveHourClock(), !german);
  EXPECT_EQ(locale->MonthName(12), german ? "Dezember" : "December");
  EXPECT_EQ(locale->AbbrevDayName(0), german ? "Mo." : "Mon");
  EXPECT_FALSE(locale->YearFirst());
  EXPECT_EQ(HourLabel(12), german ? "12:00" : "12pm");
  EXPECT_EQ(TimeOfDayText(18 * 60 + 5), german ? "18:05" : "6:05pm");
}

TEST_P(CalendarLocale, TheSundayColumnIsRed) {
  auto* form = new TfrmCalendar(1);
  form->Show();
  int sundayCol = german ? 6 : 0, mondayCol = german ? 0 : 1;
  EXPECT_GT(RedPixels(form->dgdCurrent, sundayCol, 1), 0);
  EXPECT_EQ(RedPixels(form->dgdCurrent, mondayCol, 1), 0);
  EXPECT_GT(RedPixels(form->dgdCurrent, sundayCol, 4), 0) << "every day row too";
  EXPECT_EQ(RedPixels(form->dgdCurrent, mondayCol, 4), 0);
  delete form;
}

INSTANTIATE_TEST_SUITE_P(MondayAnd24Hour, CalendarLocale, ::testing::Values(true));
INSTANTIATE_TEST_SUITE_P(SundayAnd12Hour, CalendarLocale, ::testing::Values(false));

TEST(CalendarLocaleJapanese, YearComesFirst) { EXPECT_TRUE(Win32Locale(0x0411).YearFirst()); }

}  // namespace
}  // namespace vimo
