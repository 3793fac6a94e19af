// PaintMap through the bitmap's bits against the same recolouring with a GDI call per
// pixel, both on a 379 x 232 picture under the real GDI. Prints the two times and the ratio.
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
  std::printf("PaintMap per pixel through GDI: %.3f ms\n", gdi);
  std::printf("PaintMap through the bits:      %.3f ms\n", direct);
  std::printf("ratio: %.0fx (target at least 100x)\n", gdi / direct);
  DeleteDC(dc);
  DeleteObject(bmp);
  return gdi / direct >= 100 ? 0 : 1;
}
