#include "time/win32/WorldTime.h"

#include <algorithm>
#include <cstdlib>

#include "model/Model.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32TimeZones.h"
#include "time/TimeHelpers.h"
#include "time/WorldTimeMath.h"

namespace vimo {
namespace {

constexpr UINT kMainTimer = 1;
constexpr UINT kFloating = DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;

}  // namespace

TfrmWorldTime::TfrmWorldTime(int corner) {
  EnsureTimeServices();
  LastMinute = static_cast<unsigned short>(Platform().clock->Now().Minute);
  EnsureTimeZoneSource();
  zones_ = Platform().timeZones->TimeZones();
  int entries = WorldTimes ? static_cast<int>(WorldTimes->size()) : 0;
  layout_ = WorldTimeLayout(corner, entries, FontHeight(), ScreenWidth(), ScreenHeight(), 33, 28, 8, 1, Dpi());
  const TWorldTimeLayout& layout = layout_;

  TPopupFrame frame = BuildPopupFrame(this, [this](TControl* s) { sbtCloseClick(s); });
  btnClose = frame.btnClose;
  pnlMain = frame.pnlMain;
  pnlToolbar = frame.pnlToolbar;
  sbtClose = frame.sbtClose;
  pnlBorders = new TPanel(pnlMain);
  pnlBorders->BorderWidth = 1;
  pnlBorders->SetColor(GetSysColor(COLOR_WINDOW));
  pnlTime = new TPanel(pnlBorders);
  pnlTime->BevelOuter = TBevelCut::Lowered;
  pnlTime->BorderWidth = Scaled(8);
  pntColors = new TPaintBox(pnlTime);
  pntLocalTime = new TPaintBox(pnlTime);
  pntWorldTimes = new TPaintBox(pnlTime);
  pntColors->OnPaint = [this](TPaintBox* b, HDC dc) { pntColorsPaint(b, dc); };
  pntLocalTime->OnPaint = [this](TPaintBox* b, HDC dc) { pntLocalTimePaint(b, dc); };
  pntWorldTimes->OnPaint = [this](TPaintBox* b, HDC dc) { pntWorldTimesPaint(b, dc); };

  pnlToolbar->SetBounds(0, 0, sbtClose->Width() + 2 * pnlToolbar->BevelWidth, layout.MainHeight);
  pnlToolbar->SetAlign(layout.Place.ToolbarLeft ? TAlign::Left : TAlign::Right);
  pnlBorders->SetAlign(TAlign::Client);
  pnlTime->SetAlign(TAlign::Client);
  pntColors->SetHeight(Scaled(33));
  pntColors->SetAlign(TAlign::Top);
  pntLocalTime->SetHeight(Scaled(28));
  pntLocalTime->SetAlign(TAlign::Top);
  pntWorldTimes->SetHeight(layout.WorldTimesHeight);
  pntWorldTimes->SetAlign(TAlign::Top);
  pnlMain->SetBounds(0, 0, layout.MainWidth, layout.MainHeight);
  sbtClose->SetBounds(1, layout.Place.CloseTop, Scaled(24), Scaled(24));
  SetBounds(layout.Place.Left, layout.Place.Top, 0, 0);
  SetClientSize(layout.MainWidth, layout.MainHeight);

  StartTimer(kMainTimer, 1000, [this] { timMainTimer(); });
  OnShow = [this](TForm*) {
    BringToForeground();
    SetFocus(handle_);
  };
  OnClose = [this](TForm*) { ClosePopup(); };
}

void TfrmWorldTime::sbtCloseClick(TControl*) { ClosePopup(); }

void TfrmWorldTime::timMainTimer() {
  int minute = Platform().clock->Now().Minute;
  if (minute == LastMinute) return;
  LastMinute = static_cast<unsigned short>(minute);
  pntLocalTime->Invalidate();
  pntWorldTimes->Invalidate();
}

void TfrmWorldTime::pntColorsPaint(TPaintBox* box, HDC dc) {
  const int w = box->ClientWidth(), h = box->ClientHeight();
  const int q = w / 4, e = w / 8;
  for (int x = 0; x < w; ++x) {
    TColor c;
    if (x < e)
      c = BlendColor(kRed, kNavy, x + e, q);
    else if (x < w * 3 / 8)
      c = BlendColor(kNavy, kGreen, x - e, q);
    else if (x < w * 5 / 8)
      c = BlendColor(kGreen, kYellow, x - w * 3 / 8, q);
    else if (x < w * 7 / 8)
      c = BlendColor(kYellow, kRed, x - w * 5 / 8, q);
    else
      c = BlendColor(kRed, kNavy, x - w * 7 / 8, q);
    RECT line{x, 0, x + 1, h * 2 / 5};
    FillSolid(dc, line, c);
  }
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  const std::pair<int, int> marks[] = {{0, w / 8}, {6, w * 3 / 8}, {12, w * 5 / 8}, {18, w * 7 / 8}};
  // The ticks end a pixel above the labels' cells, which reach up from the bottom.
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int tickEnd = std::min(h * 2 / 3, h - 1 - static_cast<int>(metrics.tmHeight) - 1);
  for (auto [hour, x] : marks) {
    DrawLine(dc, x, h * 2 / 5, x, tickEnd, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextIn(dc, HourLabel(hour), RECT{x, 0, x, h - 1}, DT_CENTER | DT_BOTTOM | kFloating);
  }
}

void TfrmWorldTime::DrawTimeRow(HDC dc, int left, int width, const std::string& name, int y, int minutes, int day) {
  int h = std::abs(FontHeight()) / 2;
  RECT swatch{left + width - 1 - 2 * h, y - h, left + width - 1, y + h + 1};
  FillSolid(dc, swatch, DayColor(minutes));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  RECT text{left, y, swatch.left - (swatch.right - swatch.left) / 2, y};
  std::string time = TimeOfDayText(minutes);
  DrawTextIn(dc, time, text, DT_RIGHT | DT_VCENTER | kFloating);
  int last = text.right - TextWidth(dc, time) - 3;
  // Another date there: the word stands before the time, greyed, and the leader stops short of it.
  if (std::string word = DayWord(day); !word.empty()) {
    RECT wordRect{text.left, y, last - 1, y};
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextIn(dc, word, wordRect, DT_RIGHT | DT_VCENTER | kFloating);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    last -= TextWidth(dc, word) + 4;
  }
  // A name too long for what is left ends in an ellipsis rather than running into the time.
  RECT nameRect{left, y - 2 * h, std::max(left, last - 1), y + 2 * h};
  DrawTextIn(dc, name, nameRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  COLORREF dots = GetSysColor(COLOR_BTNSHADOW);
  for (int x = left + TextWidth(dc, name) + 2; x <= last; ++x)
    if ((x - left) % 2 != 0) SetPixel(dc, x, y + h - 1, dots);
}

void TfrmWorldTime::pntLocalTimePaint(TPaintBox* box, HDC dc) {
  TLocalTime now = Platform().clock->Now();
  DrawTimeRow(dc, 0, box->ClientWidth(), "Home Time", box->ClientHeight() / 2, now.Hour * 60 + now.Minute, 0);
}

TPlaceTime TfrmWorldTime::EntryTime(std::size_t i) {
  return PlaceTimeNow((*WorldTimes)[i], Platform().clock->Read(), zones_);
}

RECT TfrmWorldTime::EntryRow(std::size_t i) const {
  const int fh = std::abs(FontHeight());
  const int rows = std::max(1, layout_.RowsPerColumn);
  const int column = static_cast<int>(i) / rows, row = static_cast<int>(i) % rows;
  // The columns share the box's width, a gap between each two.
  const int gap = layout_.ColumnGap, columns = std::max(1, layout_.Columns);
  int width = (pntWorldTimes->ClientWidth() - gap * (columns - 1)) / columns;
  int left = column * (width + gap);
  int y = fh * 5 / 8 + row * (fh * 5 / 4);
  return RECT{left, y, left + width, y};
}

void TfrmWorldTime::pntWorldTimesPaint(TPaintBox*, HDC dc) {
  if (!WorldTimes) return;
  TClockReading now = Platform().clock->Read();
  for (std::size_t i = 0; i < WorldTimes->size(); ++i) {
    const TWorldTime& entry = (*WorldTimes)[i];
    TPlaceTime t = PlaceTimeNow(entry, now, zones_);
    RECT row = EntryRow(i);
    DrawTimeRow(dc, row.left, row.right - row.left, entry.Name, row.top, t.Minutes, t.Day);
  }
}

}  // namespace vimo
