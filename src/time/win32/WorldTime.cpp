#include "time/win32/WorldTime.h"

#include <algorithm>
#include <cstdlib>

#include "model/Model.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Locale.h"
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
  int entries = WorldTimes ? static_cast<int>(WorldTimes->size()) : 0;
  auto layout = WorldTimeLayout(corner, entries, FontHeight(), ScreenWidth(), ScreenHeight());

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
  pnlTime->BorderWidth = 8;
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
  pntColors->SetHeight(33);
  pntColors->SetAlign(TAlign::Top);
  pntLocalTime->SetHeight(28);
  pntLocalTime->SetAlign(TAlign::Top);
  pntWorldTimes->SetHeight(layout.WorldTimesHeight);
  pntWorldTimes->SetAlign(TAlign::Top);
  pnlMain->SetBounds(0, 0, layout.MainWidth, layout.MainHeight);
  sbtClose->SetBounds(1, layout.Place.CloseTop, 24, 24);
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
    DrawLine(dc, x, h * 2 / 5, x, tickEnd, RGB(0, 0, 0));
    DrawTextIn(dc, HourLabel(hour), RECT{x, 0, x, h - 1}, DT_CENTER | DT_BOTTOM | kFloating);
  }
}

void TfrmWorldTime::DrawTimeRow(TPaintBox* box, HDC dc, const std::string& name, bool home, int y, int offset) {
  const int w = box->ClientWidth();
  TLocalTime now = Platform().clock->Now();
  int t = TimeRowMinutes(home, LocalBias(), now.Hour * 60 + now.Minute, offset);
  int h = std::abs(FontHeight()) / 2;
  RECT swatch{w - 1 - 2 * h, y - h, w - 1, y + h + 1};
  FillSolid(dc, swatch, DayColor(t));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  RECT text{0, y, swatch.left - (swatch.right - swatch.left) / 2, y};
  std::string time = TimeOfDayText(t);
  DrawTextIn(dc, name, text, DT_LEFT | DT_VCENTER | kFloating);
  DrawTextIn(dc, time, text, DT_RIGHT | DT_VCENTER | kFloating);
  COLORREF dots = GetSysColor(COLOR_BTNSHADOW);
  int last = text.right - TextWidth(dc, time) - 3;
  for (int x = TextWidth(dc, name) + 2; x <= last; ++x)
    if (x % 2 != 0) SetPixel(dc, x, y + h - 1, dots);
}

void TfrmWorldTime::pntLocalTimePaint(TPaintBox* box, HDC dc) {
  DrawTimeRow(box, dc, "Home Time", true, box->ClientHeight() / 2, 0);
}

void TfrmWorldTime::pntWorldTimesPaint(TPaintBox* box, HDC dc) {
  if (!WorldTimes) return;
  int fh = std::abs(FontHeight());
  int y = fh * 5 / 8;
  for (const TWorldTime& entry : *WorldTimes) {
    DrawTimeRow(box, dc, entry.Name, false, y, entry.Offset);
    y += fh * 5 / 4;
  }
}

}  // namespace vimo
