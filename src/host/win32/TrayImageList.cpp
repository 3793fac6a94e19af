#include "host/win32/TrayImageList.h"

#include <functional>
#include <vector>

#include "host/TrayImages.h"

namespace vimo {

TImageListHandle CreateTrayImageList() { return ImageListFromPixels(kTrayColorCount * 4, &TrayImagePixels); }

TImageListHandle ImageListFromPixels(int count, const std::function<TTrayPixels(int)>& pixels) {
  // One strip of all the images added in one call: image by image costs a round trip to
  // the display driver each, which under Wine made start-up several times slower.
  const int stripWidth = kTrayImageSize * count;
  BITMAPV5HEADER bi{};
  bi.bV5Size = sizeof bi;
  bi.bV5Width = stripWidth;
  bi.bV5Height = -kTrayImageSize;
  bi.bV5Planes = 1;
  bi.bV5BitCount = 32;
  bi.bV5Compression = BI_BITFIELDS;
  bi.bV5RedMask = 0x00FF0000;
  bi.bV5GreenMask = 0x0000FF00;
  bi.bV5BlueMask = 0x000000FF;
  bi.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP strip = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!strip) return TImageListHandle();
  auto* out = static_cast<std::uint32_t*>(bits);
  // Monochrome rows are padded to 16 bits, which a strip of 16-pixel images always is.
  const int maskStride = stripWidth / 8;
  std::vector<BYTE> mask(static_cast<std::size_t>(maskStride * kTrayImageSize), 0);
  for (int i = 0; i < count; ++i) {
    TTrayPixels px = pixels(i);
    for (int y = 0; y < kTrayImageSize; ++y)
      for (int x = 0; x < kTrayImageSize; ++x) {
        std::uint32_t p = px[y * kTrayImageSize + x];
        int sx = i * kTrayImageSize + x;
        out[y * stripWidth + sx] = p;
        if ((p >> 24) == 0) mask[y * maskStride + sx / 8] |= static_cast<BYTE>(0x80 >> (sx % 8));
      }
  }
  HBITMAP monochrome = CreateBitmap(stripWidth, kTrayImageSize, 1, 1, mask.data());
  TImageListHandle list(ImageList_Create(kTrayImageSize, kTrayImageSize, ILC_COLOR32 | ILC_MASK, count, 0));
  ImageList_Add(list.get(), strip, monochrome);
  DeleteObject(strip);
  DeleteObject(monochrome);
  return list;
}

}  // namespace vimo
