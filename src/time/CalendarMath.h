#pragma once
// Calendar arithmetic and the calendar pop-up's geometry.

namespace vimo {

bool IsLeapYear(int year);
// 0 when the month is out of range.
int DaysInMonth(int month, int year);
// A date of the proleptic Gregorian calendar in years 1..9999.
bool IsValidDate(int day, int month, int year);
// 1 Sunday .. 7 Saturday; the date must be valid.
int DayOfWeek(int day, int month, int year);
// The 1-based column (1..7) of a date for a week starting on `firstDay` (0 Monday ..
// 6 Sunday), or -1 when the numbers are not a valid date.
int WeekdayColumn(int day, int month, int year, int firstDay);
// The day number that the cell (row 2..7, column 0..6) stands for; not necessarily valid.
int DayInCell(int row, int col, int month, int year, int firstDay);
// The abbreviated day name index of a column: 0 Monday .. 6 Sunday.
int ColumnWeekday(int col, int firstDay);
inline bool IsSundayColumn(int col, int firstDay) { return ColumnWeekday(col, firstDay) == 6; }

struct TYearMonth {
  int Year = 1;
  int Month = 1;
  bool operator==(const TYearMonth&) const = default;
};

// The month a grid with the given tag (-1, 0, 1) shows; may leave 1..9999 at the ends.
TYearMonth GridMonth(TYearMonth shown, int tag);
// Navigation steps; false (and no change) at the limits of years 1 and 9999.
bool PrevYear(TYearMonth& shown);
bool NextYear(TYearMonth& shown);
bool PrevMonth(TYearMonth& shown);
bool NextMonth(TYearMonth& shown);

// Where the calendar's parts go for a corner code (1..4, or 0).
struct TCalendarLayout {
  int RowHeight = 0;
  int ColWidth = 0;
  int ButtonSize = 0;
  int GridWidth = 0;
  int GridHeight = 0;
  int GridLeft = 10;
  int GridTops[3] = {};  // previous, current, next
  int GridsWidth = 0;
  int GridsHeight = 0;
  int ButtonsWidth = 0;
  int ToolbarWidth = 0;  // the buttons inside the toolbar's two bevels
  int ButtonsHeight = 0;
  bool ButtonsAtBottom = false;  // pnlToolbarCorner aligned to the bottom of the toolbar
  bool ToolbarLeft = false;
  bool CloseBelow = false;  // the close button below the navigation buttons
  int MainWidth = 0;
  int MainHeight = 0;
  int Left = 0;
  int Top = 0;
};

// Sizes in 96-DPI units (the button's too) come out scaled for `pixelsPerInch`; bevels
// and borders are lines of a pixel and stay.
TCalendarLayout CalendarLayout(int corner, int pixelsPerInch, int screenWidth, int screenHeight,
                               int buttonSize = 24, int bevelWidth = 1, int gridsBorderWidth = 0);

}  // namespace vimo
