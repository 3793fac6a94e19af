#include "components/win32/TrayImageList.h"

#include <functional>
#include <vector>

#include "components/TrayImages.h"
#include "platform/win32/OnFirstUse.h"

namespace vimo {

TImageListHandle CreateTrayImageList() { return CreateTrayImageList(GetSystemMetrics(SM_CXSMICON)); }

TImageListHandle CreateTrayImageList(int size) {
  return ImageListFromPixels(kTrayColorCount * 4, &TrayImagePixels, size);
}

namespace {

// A 32-bit top-down picture `width` pixels wide and `height` high; null on failure.
HBITMAP CreateColourBitmap(int width, int height, std::uint32_t*& bits) {
  BITMAPV5HEADER bi{};
  bi.bV5Size = sizeof bi;
  bi.bV5Width = width;
  bi.bV5Height = -height;
  bi.bV5Planes = 1;
  bi.bV5BitCount = 32;
  bi.bV5Compression = BI_BITFIELDS;
  bi.bV5RedMask = 0x00FF0000;
  bi.bV5GreenMask = 0x0000FF00;
  bi.bV5BlueMask = 0x000000FF;
  bi.bV5AlphaMask = 0xFF000000;
  void* raw = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &raw, nullptr, 0);
  ReleaseDC(nullptr, screen);
  bits = static_cast<std::uint32_t*>(raw);
  return bitmap;
}

}  // namespace

HICON IconFromPixels(const TTrayPixels& pixels, int size) {
  if (size <= 0) size = kTrayImageSize;
  std::uint32_t* out = nullptr;
  HBITMAP colour = CreateColourBitmap(size, size, out);
  if (!colour) return nullptr;
  const std::vector<std::uint32_t> resized = ResizePixels(pixels, size);
  // Monochrome rows are padded to 16 bits.
  const int maskStride = (size + 15) / 16 * 2;
  std::vector<BYTE> mask(static_cast<std::size_t>(maskStride * size), 0);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      std::uint32_t p = resized[static_cast<std::size_t>(y * size + x)];
      bool clear = (p >> 24) == 0;
      // A transparent pixel is black in the picture, so that the mask alone decides.
      out[y * size + x] = clear ? 0 : p;
      if (clear) mask[static_cast<std::size_t>(y * maskStride + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
  HBITMAP monochrome = CreateBitmap(size, size, 1, 1, mask.data());
  ICONINFO info{TRUE, 0, 0, monochrome, colour};
  HICON icon = monochrome ? CreateIconIndirect(&info) : nullptr;
  DeleteObject(colour);
  if (monochrome) DeleteObject(monochrome);
  return icon;
}

NativeHandle TTrayFaceIcons::GetIcon(int index) const {
  if (index < 0 || index >= Count()) return 0;
  return reinterpret_cast<NativeHandle>(IconFromPixels(TrayImagePixels(index), GetSystemMetrics(SM_CXSMICON)));
}

TImageListHandle ImageListFromPixels(int count, const std::function<TTrayPixels(int)>& pixels, int size) {
  if (size <= 0) size = kTrayImageSize;
  // One strip of all the images added in one call: image by image costs a round trip to
  // the display driver each, which under Wine made start-up several times slower.
  const int stripWidth = size * count;
  std::uint32_t* out = nullptr;
  HBITMAP strip = CreateColourBitmap(stripWidth, size, out);
  if (!strip) return TImageListHandle();
  // Monochrome rows are padded to 16 bits.
  const int maskStride = (stripWidth + 15) / 16 * 2;
  std::vector<BYTE> mask(static_cast<std::size_t>(maskStride * size), 0);
  for (int i = 0; i < count; ++i) {
    const std::vector<std::uint32_t> px = ResizePixels(pixels(i), size);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        std::uint32_t p = px[static_cast<std::size_t>(y * size + x)];
        int sx = i * size + x;
        out[y * stripWidth + sx] = p;
        if ((p >> 24) == 0) mask[static_cast<std::size_t>(y * maskStride + sx / 8)] |= static_cast<BYTE>(0x80 >> (sx % 8));
      }
  }
  HBITMAP monochrome = CreateBitmap(stripWidth, size, 1, 1, mask.data());
  TImageListHandle list(onfirstuse::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, count, 0));
  onfirstuse::ImageList_Add(list.get(), strip, monochrome);
  DeleteObject(strip);
  DeleteObject(monochrome);
  return list;
}

}  // namespace vimo
