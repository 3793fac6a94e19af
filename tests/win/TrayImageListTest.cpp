#include <windows.h>

#include <gtest/gtest.h>

#include "host/TrayImages.h"
#include "host/win32/TrayImageList.h"

namespace vimo {
namespace {

// Colour of one pixel of an image of the list, drawn on a magenta background.
COLORREF DrawnPixel(HIMAGELIST list, int index, int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
  RECT r{0, 0, 16, 16};
  FillRect(dc, &r, magenta);
  ImageList_Draw(list, index, dc, 0, 0, ILD_TRANSPARENT);
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(magenta);
  DeleteObject(bmp);
  DeleteDC(dc);
  return c;
}

TEST(TrayImageList, HoldsThirtyTwoFacesThatDrawAsComputed) {
  TImageListHandle list = CreateTrayImageList();
  ASSERT_NE(list.get(), nullptr);
  EXPECT_EQ(ImageList_GetImageCount(list.get()), 32);
  for (int index : {0, 9, 18, 27, 31}) {
    TTrayPixels px = TrayImagePixels(index);
    SCOPED_TRACE(index);
    for (auto [x, y] : {std::pair{7, 1}, {4, 4}, {7, 11}}) {
      std::uint32_t p = px[y * 16 + x];
      EXPECT_EQ(DrawnPixel(list.get(), index, x, y), RGB((p >> 16) & 255, (p >> 8) & 255, p & 255));
    }
    EXPECT_EQ(DrawnPixel(list.get(), index, 0, 0), RGB(255, 0, 255)) << "rounded corner shows the background";
  }
}

}  // namespace
}  // namespace vimo
