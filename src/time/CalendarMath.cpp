#include "time/CalendarMath.h"

#include "platform/DpiScale.h"

namespace vimo {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int month, int year) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int day, int month, int year) {
  return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(month, year);
}

int DayOfWeek(int day, int month, int year) {
  static const int kShift[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  int w = (year + year / 4 - year / 100 + year / 400 + kShift[month - 1] + day) % 7;  // 0 Sunday
  return w + 1;
}

int WeekdayColumn(int day, int month, int year, int firstDay) {
  if (!IsValidDate(day, month, year)) return -1;
  int column = DayOfWeek(day, month, year) - 1 + 7 - firstDay;
  if (column > 7) column -= 7;
  return column;
}

int DayInCell(int row, int col, int month, int year, int firstDay) {
  int first = WeekdayColumn(1, month, year, firstDay);
  return (row - 2) * 7 + col + 2 - first;
}

int ColumnWeekday(int col, int firstDay) {
  int k = col + firstDay;
  if (k > 6) k -= 7;
  return k;
}

TYearMonth GridMonth(TYearMonth shown, int tag) {
  TYearMonth r{shown.Year, shown.Month + tag};
  if (r.Month < 1) {
    r.Month = 12;
    --r.Year;
  } else if (r.Month > 12) {
    r.Month = 1;
    ++r.Year;
  }
  return r;
}

bool PrevYear(TYearMonth& shown) {
  if (shown.Year <= 1) return false;
  --shown.Year;
  return true;
}

bool NextYear(TYearMonth& shown) {
  if (shown.Year >= 9999) return false;
  ++shown.Year;
  return true;
}

bool PrevMonth(TYearMonth& shown) {
  if (shown.Month > 1) {
    --shown.Month;
    return true;
  }
  if (shown.Year <= 1) return false;
  shown = {shown.Year - 1, 12};
  return true;
}

bool NextMonth(TYearMonth& shown) {
  if (shown.Month < 12) {
    ++shown.Month;
    return true;
  }
  if (shown.Year >= 9999) return false;
  shown = {shown.Year + 1, 1};
  return true;
}

TCalendarLayout CalendarLayout(int corner, int ppi, int screenWidth, int screenHeight, int buttonSize,
                               int bevelWidth, int gridsBorderWidth) {
  TCalendarLayout l;
  auto s = [ppi](int units) { return ScaleForDpi(units, ppi); };
  l.RowHeight = s(16);
  l.ColWidth = s(26);
  l.ButtonSize = s(buttonSize);
  l.GridLeft = s(10);
  l.GridWidth = l.ColWidth * 7;
  l.GridHeight = l.RowHeight * 8 + l.RowHeight / 2;
  l.GridTops[0] = s(8);
  l.GridTops[1] = l.GridHeight + s(16);
  l.GridTops[2] = 2 * l.GridHeight + s(16);
  l.GridsWidth = l.GridWidth;
  l.GridsHeight = 3 * l.GridHeight;
  l.ButtonsWidth = l.ButtonSize + 2 * bevelWidth;
  l.ButtonsHeight = 6 * l.ButtonSize;
  bool bottom = corner == 2 || corner == 4;
  l.ButtonsAtBottom = bottom;
  // The pointer rests in the corner: the close button at the buttons' end away from it.
  l.CloseBelow = corner == 1 || corner == 3;
  l.ToolbarLeft = corner == 1 || corner == 2;
  l.ToolbarWidth = l.ButtonsWidth + 4 * bevelWidth;
  l.MainWidth = l.GridsWidth + l.ToolbarWidth + s(20);
  l.MainHeight = l.GridsHeight + gridsBorderWidth + s(18);
  l.Left = l.ToolbarLeft ? 0 : screenWidth - l.MainWidth;
  l.Top = corner == 1 || corner == 3 ? 0 : screenHeight - l.MainHeight;
  return l;
}

}  // namespace vimo
