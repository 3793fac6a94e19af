// PaintMap through the bitmap's bits against the same painting with a GDI call per pixel,
// both on a 379 x 232 picture under the real GDI: the land tint alone, and the whole
// picture with the night side shaded. Prints the times and the ratios.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "time/TimeHelpers.h"
#include "time/TimeMapMath.h"

namespace {

using vimo::kMapHeight;
using vimo::kMapWidth;

HBITMAP MakePicture(std::uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kMapWidth;
  info.bmiHeader.biHeight = -kMapHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* p = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
  *bits = static_cast<std::uint32_t*>(p);
  return bmp;
}

void ResetLand(std::uint32_t* bits) {
  for (int y = 0; y < kMapHeight; ++y)
    for (int x = 0; x < kMapWidth; ++x) bits[y * kMapWidth + x] = (x / 20 + y / 15) % 3 == 0 ? 0 : 0x00FFFFFF;
}

void PaintPerPixel(HDC dc, int bias, int now) {
  for (int x = 0; x < kMapWidth; ++x) {
    vimo::TColor c = vimo::DayColor(vimo::MapColumnMinutes(x, kMapWidth, bias, now));
    for (int y = 0; y < kMapHeight; ++y)
      if (GetPixel(dc, x, y) != RGB(255, 255, 255)) SetPixel(dc, x, y, c);
  }
}

// Every pixel set through GDI: its column's tint on land, white on sea, darkened by night.
void PaintNightPerPixel(HDC dc, const std::uint8_t* land, int bias, int now, const vimo::TSun& sun) {
  for (int y = 0; y < kMapHeight; ++y) {
    double lat = vimo::MapRowLatitude(y, kMapHeight);
    for (int x = 0; x < kMapWidth; ++x) {
      int level = vimo::DaylightLevel(lat, vimo::MapColumnLongitude(x, kMapWidth), sun);
      bool isLand = land[y * kMapWidth + x] != 0;
      vimo::TColor c = isLand ? vimo::DayColor(vimo::MapColumnMinutes(x, kMapWidth, bias, now)) : vimo::Rgb(255, 255, 255);
      vimo::TColor night = isLand ? vimo::Rgb(vimo::RedOf(c) * 115 / 256, vimo::GreenOf(c) * 115 / 256,
                                              vimo::BlueOf(c) * 115 / 256)
                                  : vimo::Rgb(160, 168, 196);
      SetPixel(dc, x, y, vimo::BlendColor(night, c, level, 256));
    }
  }
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) {
  return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace

int main() {
  std::uint32_t* bits = nullptr;
  HBITMAP bmp = MakePicture(&bits);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, bmp);
  LARGE_INTEGER f, a, b;
  QueryPerformanceFrequency(&f);

  const int gdiRuns = 5, bitsRuns = 500;
  double gdi = 0, direct = 0;
  for (int i = 0; i < gdiRuns; ++i) {
    ResetLand(bits);
    QueryPerformanceCounter(&a);
    PaintPerPixel(dc, 0, 720 + i);
    GdiFlush();
    QueryPerformanceCounter(&b);
    gdi += Seconds(a, b, f);
  }
  for (int i = 0; i < bitsRuns; ++i) {
    ResetLand(bits);
    QueryPerformanceCounter(&a);
    vimo::PaintMapBits(bits, kMapWidth, kMapHeight, kMapWidth, 0, 720 + i);
    QueryPerformanceCounter(&b);
    direct += Seconds(a, b, f);
  }
  gdi = gdi / gdiRuns * 1000;
  direct = direct / bitsRuns * 1000;
  std::printf("Land tint per pixel through GDI: %.3f ms\n", gdi);
  std::printf("Land tint through the bits:      %.3f ms\n", direct);
  std::printf("ratio: %.0fx (target at least 100x)\n", gdi / direct);

  std::uint8_t* land = new std::uint8_t[kMapWidth * kMapHeight];
  ResetLand(bits);
  for (int i = 0; i < kMapWidth * kMapHeight; ++i) land[i] = bits[i] == 0;
  double nightGdi = 0, nightDirect = 0;
  for (int i = 0; i < gdiRuns; ++i) {
    vimo::TSun sun = vimo::SunAt({2026, 12, 21, 12, i, 0});
    QueryPerformanceCounter(&a);
    PaintNightPerPixel(dc, land, 0, 720 + i, sun);
    GdiFlush();
    QueryPerformanceCounter(&b);
    nightGdi += Seconds(a, b, f);
  }
  for (int i = 0; i < bitsRuns; ++i) {
    QueryPerformanceCounter(&a);
    vimo::TSun sun = vimo::SunAt({2026, 12, 21, 12 + i / 60 % 12, i % 60, 0});
    vimo::PaintMapBits(bits, kMapWidth, kMapHeight, kMapWidth, 0, 720 + i, land, sun);
    QueryPerformanceCounter(&b);
    nightDirect += Seconds(a, b, f);
  }
  delete[] land;
  nightGdi = nightGdi / gdiRuns * 1000;
  nightDirect = nightDirect / bitsRuns * 1000;
  std::printf("With the night side, per pixel through GDI: %.3f ms\n", nightGdi);
  std::printf("With the night side, through the bits:      %.3f ms\n", nightDirect);
  std::printf("ratio: %.0fx (target at least 100x)\n", nightGdi / nightDirect);
  DeleteDC(dc);
  DeleteObject(bmp);
  return gdi / direct >= 100 && nightGdi / nightDirect >= 100 ? 0 : 1;
}
