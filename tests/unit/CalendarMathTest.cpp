#include <gtest/gtest.h>

#include "time/CalendarMath.h"

namespace vimo {
namespace {

// Independent weekday: days since 0001-01-01 (a Monday in the proleptic Gregorian
// calendar), counted year by year and month by month. 0 Monday .. 6 Sunday.
int IndependentWeekday(int day, int month, int year) {
  long long days = 0;
  for (int y = 1; y < year; ++y) days += (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) ? 366 : 365;
  for (int m = 1; m < month; ++m) days += DaysInMonth(m, year);
  days += day - 1;
  return static_cast<int>(days % 7);
}

TEST(CalendarMath, WeekdayColumnMatchesAnIndependentCountForEveryFirstDay) {
  const int ranges[][2] = {{1, 420}, {1582, 1600}, {1895, 2105}, {9800, 9999}};
  for (auto [from, to] : ranges) {
    long long days = 0;
    // Advance the independent count incrementally for speed: weekday of the 1st.
    int wd = IndependentWeekday(1, 1, from);
    for (int y = from; y <= to; ++y) {
      for (int m = 1; m <= 12; ++m) {
        for (int f = 0; f < 7; ++f) {
          int expected = (wd - f + 7) % 7 + 1;
          ASSERT_EQ(WeekdayColumn(1, m, y, f), expected) << y << "-" << m << " first day " << f;
          // Every day cell of the month's grid: cell of day d is (row, col) with
          // day = (row-2)*7 + col + 2 - s.
          for (int d = 1; d <= DaysInMonth(m, y); ++d) {
            int index = expected - 1 + d - 1;  // position from the grid's first cell
            int row = 2 + index / 7, col = index % 7;
            ASSERT_EQ(DayInCell(row, col, m, y, f), d) << y << "-" << m << "-" << d;
          }
        }
        wd = (wd + DaysInMonth(m, y)) % 7;
        days += DaysInMonth(m, y);
      }
    }
  }
}

TEST(CalendarMath, InvalidDatesHaveNoColumn) {
  EXPECT_EQ(WeekdayColumn(0, 1, 2001, 0), -1);
  EXPECT_EQ(WeekdayColumn(29, 2, 1900, 0), -1);
  EXPECT_NE(WeekdayColumn(29, 2, 2000, 0), -1);
  EXPECT_EQ(WeekdayColumn(31, 4, 2001, 0), -1);
  EXPECT_EQ(WeekdayColumn(1, 12, 0, 0), -1);
  EXPECT_EQ(WeekdayColumn(1, 1, 10000, 0), -1);
  EXPECT_EQ(WeekdayColumn(1, 13, 2001, 0), -1);
  EXPECT_EQ(WeekdayColumn(31, 12, 9999, 6), 6);  // a Friday, week starting Sunday
}

TEST(CalendarMath, MonthStartingInTheLastColumnNeedsAllSixRows) {
  // March 2020 starts on a Sunday: with a Monday week the 1st is row 2, column 7 (index 6).
  EXPECT_EQ(WeekdayColumn(1, 3, 2020, 0), 7);
  EXPECT_EQ(DayInCell(2, 6, 3, 2020, 0), 1);
  EXPECT_EQ(DayInCell(7, 1, 3, 2020, 0), 31);
  EXPECT_LE(DayInCell(2, 5, 3, 2020, 0), 0);
}

TEST(CalendarMath, SundayColumnsFollowTheFirstDay) {
  EXPECT_TRUE(IsSundayColumn(6, 0));
  EXPECT_FALSE(IsSundayColumn(0, 0));
  EXPECT_TRUE(IsSundayColumn(0, 6));
  EXPECT_EQ(ColumnWeekday(1, 6), 0);  // Monday follows Sunday
  for (int f = 0; f < 7; ++f) {
    int sundays = 0;
    for (int c = 0; c < 7; ++c) sundays += IsSundayColumn(c, f);
    EXPECT_EQ(sundays, 1) << f;
  }
}

TEST(CalendarMath, NavigationStopsAtYearsOneAnd9999) {
  TYearMonth t{2001, 1};
  EXPECT_TRUE(PrevMonth(t));
  EXPECT_EQ(t, (TYearMonth{2000, 12}));
  EXPECT_EQ(GridMonth(t, -1), (TYearMonth{2000, 11}));
  EXPECT_EQ(GridMonth(t, 1), (TYearMonth{2001, 1}));

  TYearMonth first{1, 1};
  EXPECT_FALSE(PrevMonth(first));
  EXPECT_FALSE(PrevYear(first));
  EXPECT_EQ(first, (TYearMonth{1, 1}));
  EXPECT_EQ(GridMonth(first, -1), (TYearMonth{0, 12}));

  TYearMonth last{9999, 12};
  EXPECT_FALSE(NextMonth(last));
  EXPECT_FALSE(NextYear(last));
  EXPECT_EQ(last, (TYearMonth{9999, 12}));
  EXPECT_EQ(GridMonth(last, 1), (TYearMonth{10000, 1}));

  TYearMonth midLast{9999, 5};
  EXPECT_TRUE(NextMonth(midLast));
  EXPECT_FALSE(NextYear(midLast));
  TYearMonth feb1{1, 2};
  EXPECT_TRUE(PrevMonth(feb1));
  EXPECT_EQ(feb1, (TYearMonth{1, 1}));
  TYearMonth dec{2000, 12};
  EXPECT_TRUE(NextMonth(dec));
  EXPECT_EQ(dec, (TYearMonth{2001, 1}));
}

TEST(CalendarLayout, EachCornerPutsTheButtonsOnTheScreenEdgeSide) {
  auto l = CalendarLayout(1, 96, 1024, 768);
  EXPECT_EQ(l.RowHeight, 16);
  EXPECT_EQ(l.GridWidth, 182);
  EXPECT_EQ(l.GridHeight, 136);
  EXPECT_EQ(l.GridTops[0], 8);
  EXPECT_EQ(l.GridTops[1], 152);
  EXPECT_EQ(l.GridTops[2], 288);
  EXPECT_EQ(l.ButtonsWidth, 26);
  EXPECT_EQ(l.ButtonsHeight, 144);
  EXPECT_EQ(l.ToolbarWidth, 26 + 4) << "room for the toolbar's raised bevels on both sides";
  EXPECT_EQ(l.MainWidth, 182 + 30 + 20);
  EXPECT_EQ(l.MainHeight, 408 + 18);
  struct Case { int corner; bool left, bottom; int x, y; };
  for (Case c : {Case{1, true, false, 0, 0}, Case{2, true, true, 0, 768 - 426},
                 Case{3, false, false, 1024 - 232, 0}, Case{4, false, true, 1024 - 232, 768 - 426},
                 Case{0, false, false, 1024 - 232, 768 - 426}}) {
    auto p = CalendarLayout(c.corner, 96, 1024, 768);
    EXPECT_EQ(p.ToolbarLeft, c.left) << c.corner;
    EXPECT_EQ(p.ButtonsAtBottom, c.bottom) << c.corner;
    EXPECT_EQ(p.CloseBelow, c.corner == 1 || c.corner == 3) << c.corner;
    EXPECT_EQ(p.Left, c.x) << c.corner;
    EXPECT_EQ(p.Top, c.y) << c.corner;
  }
  // Rows, columns, the buttons and the margins all grow with the DPI; bevels stay lines.
  auto big = CalendarLayout(1, 120, 1024, 768);
  EXPECT_EQ(big.RowHeight, 20);
  EXPECT_EQ(big.GridHeight, 170);
  EXPECT_EQ(big.ColWidth, 33);
  EXPECT_EQ(big.GridWidth, 7 * 33);
  auto wide = CalendarLayout(3, 144, 1536, 1152);
  EXPECT_EQ(wide.ColWidth, 39);
  EXPECT_EQ(wide.ButtonSize, 36);
  EXPECT_EQ(wide.ToolbarWidth, 36 + 2 + 4);
  EXPECT_EQ(wide.MainWidth, 7 * 39 + 42 + 30);
  EXPECT_EQ(wide.MainHeight, 3 * (24 * 8 + 12) + 27);
  EXPECT_EQ(wide.Left, 1536 - wide.MainWidth);
}

}  // namespace
}  // namespace vimo
