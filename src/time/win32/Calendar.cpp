#include "time/win32/Calendar.h"

#include "model/Model.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Locale.h"

namespace vimo {
namespace {

constexpr UINT kMainTimer = 1;

TLocalTime Today() { return Platform().clock->Now(); }

}  // namespace

TfrmCalendar::TfrmCalendar(int corner) {
  EnsureTimeServices();
  KeyPreview = true;
  auto layout = CalendarLayout(corner, Dpi(), ScreenWidth(), ScreenHeight());

  btnClose = new TButton(this, "", IDCANCEL);
  btnClose->ModalResult = mrCancel;
  btnClose->OnClick = [this](TControl* s) { sbtCloseClick(s); };
  pnlMain = new TPanel(this);
  pnlMain->BevelOuter = TBevelCut::None;
  btnClose->SendToBack();  // hidden behind pnlMain
  DefaultButton = btnClose;
  CancelButton = btnClose;

  pnlToolbar = new TPanel(pnlMain);
  pnlToolbar->BevelInner = TBevelCut::Raised;
  pnlToolbarCorner = new TPanel(pnlToolbar);
  pnlToolbarCorner->BevelOuter = TBevelCut::None;
  pnlButtons = new TPanel(pnlToolbarCorner);
  pnlButtons->BevelOuter = TBevelCut::None;
  pnlGrids = new TPanel(pnlMain);
  pnlGrids->BevelInner = TBevelCut::Lowered;
  pnlGrids->SetColor(GetSysColor(COLOR_WINDOW));

  int tag = 1;
  for (TDrawGrid** g : {&dgdNext, &dgdCurrent, &dgdPrev}) {
    auto* grid = new TDrawGrid(pnlGrids);
    grid->Tag = tag--;
    grid->ColCount = 7;
    grid->SetRowCount(8);
    grid->DefaultColWidth = layout.ColWidth;
    grid->DefaultRowHeight = layout.RowHeight;
    grid->ShowSelection = false;
    grid->DefaultDrawing = false;
    grid->SetEnabled(false);  // takes neither focus nor the mouse
    grid->OnDrawCell = [this](TDrawGrid* gr, HDC dc, int c, int r, RECT rc, TGridDrawState st) {
      dgdCurrentDrawCell(gr, dc, c, r, rc, st);
    };
    *g = grid;
  }

  // The close panel is created first when it stands above the navigation buttons:
  // top-aligned panels stack in creation order.
  auto makeClosePanel = [&] {
    pnlCloseButton = new TPanel(pnlButtons);
    sbtClose = new TSpeedButton(pnlCloseButton, TGlyph::Close, "Close");
    sbtClose->OnClick = [this](TControl* s) { sbtCloseClick(s); };
  };
  auto makeNavigatePanel = [&] {
    pnlNavigateButtons = new TPanel(pnlButtons);
    struct Spec { TSpeedButton** button; TGlyph glyph; const char* hint; void (TfrmCalendar::*click)(TControl*); };
    const Spec specs[] = {{&sbtPrevYear, TGlyph::PrevYear, "Previous year", &TfrmCalendar::sbtPrevYearClick},
                          {&sbtPrevMonth, TGlyph::PrevMonth, "Previous month", &TfrmCalendar::sbtPrevMonthClick},
                          {&sbtToday, TGlyph::Today, "Today", &TfrmCalendar::sbtTodayClick},
                          {&sbtNextMonth, TGlyph::NextMonth, "Next month", &TfrmCalendar::sbtNextMonthClick},
                          {&sbtNextYear, TGlyph::NextYear, "Next year", &TfrmCalendar::sbtNextYearClick}};
    for (const Spec& s : specs) {
      *s.button = new TSpeedButton(pnlNavigateButtons, s.glyph, s.hint);
      auto click = s.click;
      (*s.button)->OnClick = [this, click](TControl* sender) { (this->*click)(sender); };
    }
    sbtToday->SetEnabled(false);
  };
  if (layout.CloseBelow) {
    makeNavigatePanel();
    makeClosePanel();
  } else {
    makeClosePanel();
    makeNavigatePanel();
  }

  // 1. grids
  dgdPrev->SetBounds(layout.GridLeft, layout.GridTops[0], layout.GridWidth, layout.GridHeight);
  dgdCurrent->SetBounds(layout.GridLeft, layout.GridTops[1], layout.GridWidth, layout.GridHeight);
  dgdNext->SetBounds(layout.GridLeft, layout.GridTops[2], layout.GridWidth, layout.GridHeight);
  // 2.-4. the button column on the screen-edge side
  pnlGrids->SetBounds(0, 0, layout.GridsWidth, layout.GridsHeight);
  pnlButtons->SetBounds(0, 0, layout.ButtonsWidth, layout.ButtonsHeight);
  pnlButtons->SetAlign(TAlign::Right);
  pnlToolbarCorner->SetBounds(0, 0, layout.ButtonsWidth, layout.ButtonsHeight);
  pnlToolbarCorner->SetAlign(layout.ButtonsAtBottom ? TAlign::Bottom : TAlign::Top);
  pnlToolbar->SetBounds(0, 0, layout.ToolbarWidth, layout.MainHeight);
  pnlToolbar->SetAlign(layout.ToolbarLeft ? TAlign::Left : TAlign::Right);
  pnlGrids->SetAlign(TAlign::Client);
  // 5.-6. sizes of the main panel and the button panels
  pnlMain->SetBounds(0, 0, layout.MainWidth, layout.MainHeight);
  pnlCloseButton->SetHeight(sbtClose->Height());
  pnlCloseButton->SetAlign(TAlign::Top);
  pnlNavigateButtons->SetHeight(5 * sbtToday->Height());
  pnlNavigateButtons->SetAlign(TAlign::Top);
  const int button = layout.ButtonSize;
  sbtClose->SetBounds(1, 0, button, button);
  int i = 0;
  for (TSpeedButton* b : {sbtPrevYear, sbtPrevMonth, sbtToday, sbtNextMonth, sbtNextYear})
    b->SetBounds(1, button * i++, button, button);
  // 7.-9.
  SetBounds(layout.Left, layout.Top, 0, 0);
  SetClientSize(layout.MainWidth, layout.MainHeight);
  TLocalTime today = Today();
  ShownYear = static_cast<unsigned short>(today.Year);
  ShownMonth = static_cast<unsigned short>(today.Month);
  ShownToday = today;
  StartTimer(kMainTimer, 1000, [this] { timMainTimer(); });

  OnShow = [this](TForm* s) { FormShow(s); };
  OnKeyDown = [this](TForm* s, WORD& key, UINT shift) { FormKeyDown(s, key, shift); };
  OnMouseWheel = [this](TForm* s, int delta) { return FormMouseWheel(s, delta); };
  OnClose = [this](TForm*) { ClosePopup(); };
}

void TfrmCalendar::timMainTimer() {
  TLocalTime today = Today();
  if (today.Year == ShownToday.Year && today.Month == ShownToday.Month && today.Day == ShownToday.Day) return;
  // A view of the day's month follows the day into the next month.
  if (ShownYear == ShownToday.Year && ShownMonth == ShownToday.Month) SetShown({today.Year, today.Month});
  ShownToday = today;
  UpdateView();
}

void TfrmCalendar::FormShow(TForm*) {
  BringToForeground();
  SetFocus(handle_);
}

void TfrmCalendar::SetShown(TYearMonth ym) {
  ShownYear = static_cast<unsigned short>(ym.Year);
  ShownMonth = static_cast<unsigned short>(ym.Month);
}

bool TfrmCalendar::Step(bool (*step)(TYearMonth&)) {
  TYearMonth ym = Shown();
  if (!step(ym)) return false;
  SetShown(ym);
  UpdateView();
  return true;
}

void TfrmCalendar::UpdateView() {
  TLocalTime today = Today();
  sbtToday->SetEnabled(ShownYear != today.Year || ShownMonth != today.Month);
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TfrmCalendar::sbtCloseClick(TControl*) { ClosePopup(); }
void TfrmCalendar::sbtPrevYearClick(TControl*) { Step(&PrevYear); }
void TfrmCalendar::sbtNextYearClick(TControl*) { Step(&NextYear); }
void TfrmCalendar::sbtPrevMonthClick(TControl*) { Step(&PrevMonth); }
void TfrmCalendar::sbtNextMonthClick(TControl*) { Step(&NextMonth); }

void TfrmCalendar::sbtTodayClick(TControl*) {
  TLocalTime today = Today();
  SetShown({today.Year, today.Month});
  UpdateView();
}

void TfrmCalendar::FormKeyDown(TForm*, WORD& key, UINT) {
  if (key == VK_PRIOR) sbtPrevYearClick(this);
  if (key == VK_NEXT) sbtNextYearClick(this);
  if (key == VK_HOME) sbtTodayClick(this);
}

bool TfrmCalendar::DialogKey(WORD key) {
  if (GetKeyState(VK_MENU) >= 0) {
    if (key == VK_UP) sbtPrevMonthClick(this);
    if (key == VK_DOWN) sbtNextMonthClick(this);
  }
  return TForm::DialogKey(key);
}

bool TfrmCalendar::FormMouseWheel(TForm*, int delta) {
  if (delta < 0)
    sbtNextMonthClick(this);
  else
    sbtPrevMonthClick(this);
  return true;
}

void TfrmCalendar::dgdCurrentDrawCell(TDrawGrid* grid, HDC dc, int col, int row, RECT r, TGridDrawState) {
  LocaleInfo& locale = *Platform().locale;
  int f = locale.FirstDayOfWeek();
  bool sunday = IsSundayColumn(col, f);
  TYearMonth ym = GridMonth(Shown(), grid->Tag);
  TLocalTime today = Today();
  SetBkMode(dc, TRANSPARENT);
  const UINT centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  if (row == 0) {
    r.left = 0;
    r.right = grid->ClientWidth();
    bool current = ym.Year == today.Year && ym.Month == today.Month;
    FillSolid(dc, r, GetSysColor(current ? COLOR_HIGHLIGHT : COLOR_3DLIGHT));
    SetTextColor(dc, GetSysColor(current ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SelectObject(dc, BoldFont());
    std::string month = locale.MonthName(ym.Month);
    std::string year = std::to_string(ym.Year);
    DrawTextIn(dc, locale.YearFirst() ? year + " " + month : month + " " + year, r, centred);
    return;
  }
  if (row == 1) {
    FillSolid(dc, r, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, sunday ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
    SelectObject(dc, BoldFont());
    DrawTextIn(dc, locale.AbbrevDayName(ColumnWeekday(col, f)), r, centred);
    return;
  }
  SelectObject(dc, Font());
  SetTextColor(dc, sunday ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
  int day = DayInCell(row, col, ym.Month, ym.Year, f);
  COLORREF fill = GetSysColor(COLOR_WINDOW);
  if (WeekdayColumn(day, ym.Month, ym.Year, f) == -1) {
    FillSolid(dc, r, fill);
    return;
  }
  if (ym.Year == today.Year && ym.Month == today.Month && day == today.Day) {
    fill = GetSysColor(COLOR_HIGHLIGHT);
    if (!sunday) SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    SelectObject(dc, BoldFont());
  }
  FillSolid(dc, r, fill);
  DrawTextIn(dc, std::to_string(day), r, centred);
}

}  // namespace vimo
