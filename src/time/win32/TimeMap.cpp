#include "time/win32/TimeMap.h"

#include <algorithm>
#include <stdexcept>

#include "model/Model.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Locale.h"
#include "time/TimeHelpers.h"
#include "time/TimeMapMath.h"

namespace vimo {
namespace {

constexpr UINT kMainTimer = 1;
constexpr UINT kFloating = DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX | DT_CENTER;

}  // namespace

HBITMAP LoadMapPicture(std::uint32_t** bits) {
  HBITMAP source = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), L"TIMEMAP", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!source) throw std::runtime_error("The world map picture is missing");
  BITMAP bm{};
  GetObjectW(source, sizeof bm, &bm);
  // Recolouring works on 32-bit pixels whatever the screen's depth; blitting converts.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = -bm.bmHeight;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!target) {
    DeleteObject(source);
    throw std::runtime_error("Cannot create the world map picture");
  }
  HDC from = CreateCompatibleDC(nullptr);
  HDC to = CreateCompatibleDC(nullptr);
  HGDIOBJ oldFrom = SelectObject(from, source);
  HGDIOBJ oldTo = SelectObject(to, target);
  BitBlt(to, 0, 0, bm.bmWidth, bm.bmHeight, from, 0, 0, SRCCOPY);
  SelectObject(from, oldFrom);
  SelectObject(to, oldTo);
  DeleteDC(from);
  DeleteDC(to);
  DeleteObject(source);
  GdiFlush();
  *bits = static_cast<std::uint32_t*>(pixels);
  return target;
}

TfrmTimeMap::TfrmTimeMap(int corner) {
  EnsureTimeServices();
  TLocalTime now = Platform().clock->Now();
  LastMinute = static_cast<unsigned short>(now.Minute);
  NowMinutes = now.Hour * 60 + now.Minute;

  TPopupFrame frame = BuildPopupFrame(this, [this](TControl* s) { sbtCloseClick(s); });
  btnClose = frame.btnClose;
  pnlMain = frame.pnlMain;
  pnlToolbar = frame.pnlToolbar;
  sbtClose = frame.sbtClose;
  pnlBorders = new TPanel(pnlMain);
  pnlBorders->BorderWidth = 1;
  pnlTime = new TPanel(pnlBorders);
  pnlTime->BevelInner = TBevelCut::Lowered;
  // Top-aligned children stack in creation order: marker, map, hour strip.
  pntLocalTime = new TPaintBox(pnlTime);
  pnlMapContainer = new TPanel(pnlTime);
  pnlMapContainer->BevelOuter = TBevelCut::None;
  pntHours = new TPaintBox(pnlTime);
  pnlMapLeftShift = new TPanel(pnlMapContainer);
  pnlMapLeftShift->BevelOuter = TBevelCut::None;
  pnlMap = new TPanel(pnlMapContainer);
  pnlMap->BevelOuter = TBevelCut::None;
  pnlMap->SetSingleBorder(true);
  imgMap = new TImage(pnlMap);
  imgMap->SetPicture(LoadMapPicture(&bits_));
  imgMap->Stretch = true;
  const int pictureWidth = imgMap->PictureWidth(), pictureHeight = imgMap->PictureHeight();
  land_.resize(static_cast<std::size_t>(pictureWidth) * static_cast<std::size_t>(pictureHeight));
  for (std::size_t i = 0; i < land_.size(); ++i) land_[i] = (bits_[i] & 0x00FFFFFF) != 0x00FFFFFF;

  // The map is shown at its size for the DPI, the picture stretched to it.
  const int mapWidth = Scaled(pictureWidth), mapHeight = Scaled(pictureHeight);
  const int button = Scaled(24), strip = Scaled(24), shift = Scaled(25);
  auto layout = TimeMapLayout(corner, ScreenWidth(), ScreenHeight(), mapWidth, mapHeight, button, 1, strip, 1, 1, 0,
                              shift);
  pnlToolbar->SetBounds(0, 0, layout.ToolbarWidth, layout.MainHeight);
  pnlToolbar->SetAlign(layout.Place.ToolbarLeft ? TAlign::Left : TAlign::Right);
  pnlBorders->SetAlign(TAlign::Client);
  pnlTime->SetAlign(TAlign::Client);
  pntLocalTime->SetHeight(strip);
  pntLocalTime->SetAlign(TAlign::Top);
  // The map keeps its border inside the container, so that no row of it is cut.
  pnlMapContainer->SetHeight(mapHeight + 2);
  pnlMapContainer->SetAlign(TAlign::Top);
  pntHours->SetHeight(strip);
  pntHours->SetAlign(TAlign::Top);
  pnlMapLeftShift->SetWidth(shift);
  pnlMapLeftShift->SetAlign(TAlign::Left);
  pnlMap->SetWidth(mapWidth + 2);
  pnlMap->SetAlign(TAlign::Left);
  imgMap->SetAlign(TAlign::Client);
  pnlMain->SetBounds(0, 0, layout.MainWidth, layout.MainHeight);
  sbtClose->SetBounds(1, layout.Place.CloseTop, button, button);
  SetBounds(layout.Place.Left, layout.Place.Top, 0, 0);
  SetClientSize(layout.MainWidth, layout.MainHeight);

  pntLocalTime->OnPaint = [this](TPaintBox* b, HDC dc) { pntLocalTimePaint(b, dc); };
  pntHours->OnPaint = [this](TPaintBox* b, HDC dc) { pntHoursPaint(b, dc); };
  imgMap->Cursor = LoadCursor(nullptr, IDC_CROSS);
  imgMap->OnMouseDown = [this](TControl* s, TMouseButton b, UINT sh, int x, int y) { imgMapMouseDown(s, b, sh, x, y); };
  imgMap->OnMouseMove = [this](TControl* s, UINT sh, int x, int y) { imgMapMouseMove(s, sh, x, y); };
  imgMap->OnMouseUp = [this](TControl* s, TMouseButton b, UINT sh, int x, int y) { imgMapMouseUp(s, b, sh, x, y); };
  markerX_ = LocalMarkerX(mapWidth, LocalBias());
  markerMinutes_ = NowMinutes;
  PaintMap();

  StartTimer(kMainTimer, 1000, [this] { timMainTimer(); });
  OnShow = [this](TForm*) {
    BringToForeground();
    SetFocus(handle_);
  };
  OnClose = [this](TForm*) { ClosePopup(); };
}

void TfrmTimeMap::PaintMap() {
  if (Probing) XorGuideLine(ProbeX);
  GdiFlush();  // GDI may still hold drawing into the bits
  PaintMapBits(bits_, imgMap->PictureWidth(), imgMap->PictureHeight(), imgMap->PictureWidth(), LocalBias(),
               NowMinutes, land_.data(), SunAt(Platform().clock->Read().Utc));
  if (Probing) XorGuideLine(ProbeX);
}

void TfrmTimeMap::XorGuideLine(int x) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, imgMap->Picture());
  int oldRop = SetROP2(dc, R2_XORPEN);
  // The line goes into the picture, whose columns the shown map stretches.
  x = imgMap->ClientWidth() > 0 ? x * imgMap->PictureWidth() / imgMap->ClientWidth() : x;
  DrawLine(dc, x, 0, x, imgMap->PictureHeight() - 1, RGB(192, 192, 192));
  SetROP2(dc, oldRop);
  SelectObject(dc, old);
  DeleteDC(dc);
  GdiFlush();
  imgMap->Invalidate();
}

void TfrmTimeMap::DrawTimeMarker(int x, int t) {
  markerX_ = x;
  markerMinutes_ = t;
  pntLocalTime->Invalidate();
  pntLocalTime->Update();
}

int TfrmTimeMap::ShiftToMap(int x) const {
  return WrapMapX(x, pnlMap->ClientWidth()) + pnlMap->Left() + 1;
}

void TfrmTimeMap::pntLocalTimePaint(TPaintBox* box, HDC dc) {
  const int h = box->ClientHeight();
  int x = ShiftToMap(markerX_);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawLine(dc, x, h - 1, x, h * 3 / 4, GetSysColor(COLOR_BTNTEXT));
  DrawTextIn(dc, TimeOfDayText(markerMinutes_), RECT{x, 0, x, h * 3 / 4}, kFloating | DT_BOTTOM);
}

void TfrmTimeMap::pntHoursPaint(TPaintBox* box, HDC dc) {
  const int h = box->ClientHeight();
  const int wm = pnlMap->ClientWidth();
  // The strips stand on the button face: its text colour for the labels and the ticks.
  const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
  SetTextColor(dc, ink);
  for (int i = 0; i < 24; ++i) {
    int x = WrapMapX(HourMarkX(i, wm, LocalBias(), NowMinutes), wm) + pnlMap->Left() + 1;
    if (i % 3 == 0) {
      DrawLine(dc, x, 0, x, h / 4, ink);
      DrawTextIn(dc, HourLabel(i), RECT{x, h / 4, x, h}, kFloating | DT_TOP);
    } else {
      DrawLine(dc, x, 0, x, h / 8, ink);
    }
  }
}

void TfrmTimeMap::sbtCloseClick(TControl*) { ClosePopup(); }

void TfrmTimeMap::timMainTimer() {
  TLocalTime now = Platform().clock->Now();
  if (now.Minute == LastMinute) return;
  LastMinute = static_cast<unsigned short>(now.Minute);
  NowMinutes = now.Hour * 60 + now.Minute;
  if (!Probing) DrawTimeMarker(LocalMarkerX(pnlMap->ClientWidth(), LocalBias()), NowMinutes);
  pntHours->Invalidate();
  PaintMap();
  imgMap->Invalidate();
}

int TfrmTimeMap::ProbeMinutes(int x) const {
  return MapColumnMinutes(x, imgMap->ClientWidth(), LocalBias(), NowMinutes);
}

void TfrmTimeMap::imgMapMouseDown(TControl*, TMouseButton, UINT, int x, int) {
  SetCapture(imgMap->Handle());  // the drag goes on beyond the map's edges
  Probing = true;
  ProbeX = x;
  XorGuideLine(x);
  DrawTimeMarker(x, ProbeMinutes(x));
}

void TfrmTimeMap::imgMapMouseMove(TControl*, UINT, int x, int) {
  if (!Probing) return;
  XorGuideLine(ProbeX);
  ProbeX = x;
  int limited = std::min(std::max(x, 0), imgMap->ClientWidth() - 1);
  DrawTimeMarker(limited, ProbeMinutes(limited));
  XorGuideLine(ProbeX);
}

void TfrmTimeMap::imgMapMouseUp(TControl*, TMouseButton, UINT, int, int) {
  if (GetCapture() == imgMap->Handle()) ReleaseCapture();
  if (!Probing) return;
  Probing = false;
  XorGuideLine(ProbeX);
  DrawTimeMarker(LocalMarkerX(pnlMap->ClientWidth(), LocalBias()), NowMinutes);
}

}  // namespace vimo
