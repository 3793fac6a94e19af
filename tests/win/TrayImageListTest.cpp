#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "components/TrayImages.h"
#include "components/win32/TrayImageList.h"

namespace vimo {
namespace {

// A square of magenta to draw a picture on: what the picture leaves transparent stays magenta.
class MagentaCanvas {
 public:
  explicit MagentaCanvas(int size) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bmp_ = CreateCompatibleBitmap(screen, size, size);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bmp_);
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    RECT r{0, 0, size, size};
    FillRect(dc_, &r, magenta);
    DeleteObject(magenta);
  }
  ~MagentaCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  MagentaCanvas(const MagentaCanvas&) = delete;
  MagentaCanvas& operator=(const MagentaCanvas&) = delete;
  HDC Dc() const { return dc_; }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC dc_;
  HBITMAP bmp_;
  HGDIOBJ old_;
};

// Colour of one pixel of an image of the list, drawn on a magenta background.
COLORREF DrawnPixel(HIMAGELIST list, int index, int x, int y) {
  MagentaCanvas canvas(16);
  ImageList_Draw(list, index, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
  return canvas.Pixel(x, y);
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

// Colour of one pixel of an icon drawn on a magenta background.
COLORREF DrawnIconPixel(HICON icon, int x, int y) {
  MagentaCanvas canvas(16);
  DrawIconEx(canvas.Dc(), 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
  return canvas.Pixel(x, y);
}

// The tray icon reads its faces without an image list: the same pictures, each a new
// 16 x 16 icon that the caller owns.
TEST(TrayFaceIcons, MakeEachOfTheThirtyTwoFacesAsAnIconThatDrawsAsComputed) {
  TTrayFaceIcons faces;
  EXPECT_EQ(faces.Count(), 32);
  EXPECT_EQ(faces.GetIcon(-1), 0u);
  EXPECT_EQ(faces.GetIcon(32), 0u);
  for (int index : {0, 7, 9, 18, 27, 31}) {
    SCOPED_TRACE(index);
    HICON icon = reinterpret_cast<HICON>(faces.GetIcon(index));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm{};
    GetObject(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 16);
    EXPECT_EQ(bm.bmHeight, 16);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    TTrayPixels px = TrayImagePixels(index);
    for (auto [x, y] : {std::pair{7, 1}, {4, 4}, {7, 11}, {8, 8}}) {
      std::uint32_t p = px[y * 16 + x];
      EXPECT_EQ(DrawnIconPixel(icon, x, y), RGB((p >> 16) & 255, (p >> 8) & 255, p & 255)) << x << "," << y;
    }
    EXPECT_EQ(DrawnIconPixel(icon, 0, 0), RGB(255, 0, 255)) << "rounded corner shows the background";
    EXPECT_EQ(DrawnIconPixel(icon, 15, 15), RGB(255, 0, 255));
    DestroyIcon(icon);
  }
}

// The program's icon in the resources, loaded at each of its sizes as Explorer, the title
// bar and Alt+Tab ask for them (PNG entries from 32 pixels up): the tray's face each time.
TEST(ProgramIcon, EverySizeLoadsAndDrawsTheFace) {
  for (int size : {16, 20, 24, 32, 48, 256}) {
    SCOPED_TRACE(size);
    HICON icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr);
    MagentaCanvas canvas(size);
    DrawIconEx(canvas.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    auto want = ResizePixels(TrayImagePixels(TrayImageIndex(0, trNormal)), size);
    int compared = 0, wrong = 0;
    for (int y = 0; y < size; y += std::max(1, size / 16))
      for (int x = 0; x < size; x += std::max(1, size / 16)) {
        std::uint32_t p = want[y * size + x];
        std::uint32_t alpha = p >> 24;
        if (alpha != 0 && alpha != 255) continue;  // edges blend with the background
        COLORREF expected = alpha ? RGB((p >> 16) & 255, (p >> 8) & 255, p & 255) : RGB(255, 0, 255);
        COLORREF got = canvas.Pixel(x, y);
        ++compared;
        if (std::abs(GetRValue(got) - GetRValue(expected)) > 2 || std::abs(GetGValue(got) - GetGValue(expected)) > 2 ||
            std::abs(GetBValue(got) - GetBValue(expected)) > 2)
          ++wrong;
      }
    DestroyIcon(icon);
    EXPECT_GT(compared, 100);
    EXPECT_EQ(wrong, 0) << "of " << compared << " pixels";
  }
}

}  // namespace
}  // namespace vimo
