#include "host/win32/TrayImageList.h"

#include <functional>
#include <vector>

#include "host/TrayImages.h"

namespace vimo {

TImageListHandle CreateTrayImageList() { return CreateTrayImageList(GetSystemMetrics(SM_CXSMICON)); }

TImageListHandle CreateTrayImageList(int size) {
  return ImageListFromPixels(kTrayColorCount * 4, &TrayImagePixels, size);
}

TImageListHandle ImageListFromPixels(int count, const std::function<TTrayPixels(int)>& pixels, int size) {
  if (size <= 0) size = kTrayImageSize;
  // One strip of all the images added in one call: image by image costs a round trip to
  // the display driver each, which under Wine made start-up several times slower.
  const int stripWidth = size * count;
  BITMAPV5HEADER bi{};
  bi.bV5Size = sizeof bi;
  bi.bV5Width = stripWidth;
  bi.bV5Height = -size;
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
  // Monochrome rows are padded to 16 bits.
  const int maskStride = (stripWidth + 15) / 16 * 2;
  std::vector<BYTE> mask(static_cast<std::size_t>(maskStride * size), 0);
  for (int i = 0; i < count; ++i) {
    std::vector<std::uint32_t> px = ResizePixels(pixels(i), size);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        std::uint32_t p = px[static_cast<std::size_t>(y * size + x)];
        int sx = i * size + x;
        out[y * stripWidth + sx] = p;
        if ((p >> 24) == 0) mask[y * maskStride + sx / 8] |= static_cast<BYTE>(0x80 >> (sx % 8));
      }
  }
  HBITMAP monochrome = CreateBitmap(stripWidth, size, 1, 1, mask.data());
  TImageListHandle list(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, count, 0));
  ImageList_Add(list.get(), strip, monochrome);
  DeleteObject(strip);
  DeleteObject(monochrome);
  return list;
}

}  // namespace vimo
