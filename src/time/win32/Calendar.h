#pragma once
// The calendar pop-up: three months one above the other with a column of buttons.
#include "platform/Locale.h"
#include "time/CalendarMath.h"
#include "ui/Form.h"

namespace vimo {

class TfrmCalendar : public TForm {
 public:
  // corner: 1 LeftTop, 2 LeftBottom, 3 RightTop, 4 RightBottom, 0 none.
  explicit TfrmCalendar(int corner);

  TButton* btnClose;
  TPanel* pnlMain;
  TPanel* pnlToolbar;
  TPanel* pnlToolbarCorner;
  TPanel* pnlButtons;
  TPanel* pnlGrids;
  TDrawGrid* dgdNext;
  TDrawGrid* dgdCurrent;
  TDrawGrid* dgdPrev;
  TPanel* pnlCloseButton;
  TSpeedButton* sbtClose;
  TPanel* pnlNavigateButtons;
  TSpeedButton* sbtPrevYear;
  TSpeedButton* sbtPrevMonth;
  TSpeedButton* sbtToday;
  TSpeedButton* sbtNextMonth;
  TSpeedButton* sbtNextYear;

  unsigned short ShownMonth = 1;
  unsigned short ShownYear = 1;
  TLocalTime ShownToday;  // the date the today mark stands on

  void sbtCloseClick(TControl* sender);
  void sbtPrevYearClick(TControl* sender);
  void sbtPrevMonthClick(TControl* sender);
  void sbtTodayClick(TControl* sender);
  void sbtNextMonthClick(TControl* sender);
  void sbtNextYearClick(TControl* sender);
  void UpdateView();
  // Every second: at midnight the today mark moves to the new day.
  void timMainTimer();
  bool DialogKey(WORD key) override;

 private:
  void FormShow(TForm* sender);
  void FormKeyDown(TForm* sender, WORD& key, UINT shift);
  bool FormMouseWheel(TForm* sender, int delta);
  void dgdCurrentDrawCell(TDrawGrid* grid, HDC dc, int col, int row, RECT rect, TGridDrawState state);
  TYearMonth Shown() const { return {ShownYear, ShownMonth}; }
  void SetShown(TYearMonth ym);
  bool Step(bool (*step)(TYearMonth&));
};

}  // namespace vimo
