#include "host/win32/TrayImageList.h"

#include "host/TrayImages.h"

namespace vimo {

HICON CreateTrayIcon(int index) {
  TTrayPixels px = TrayImagePixels(index);
  BITMAPV5HEADER bi{};
  bi.bV5Size = sizeof bi;
  bi.bV5Width = kTrayImageSize;
  bi.bV5Height = -kTrayImageSize;  // top-down, as the pixels are stored
  bi.bV5Planes = 1;
  bi.bV5BitCount = 32;
  bi.bV5Compression = BI_BITFIELDS;
  bi.bV5RedMask = 0x00FF0000;
  bi.bV5GreenMask = 0x0000FF00;
  bi.bV5BlueMask = 0x000000FF;
  bi.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP color = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!color) return nullptr;
  std::copy(px.begin(), px.end(), static_cast<std::uint32_t*>(bits));

  // The mask still matters where alpha is ignored: set bits are transparent.
  BYTE mask[kTrayImageSize * 2] = {};
  for (int y = 0; y < kTrayImageSize; ++y)
    for (int x = 0; x < kTrayImageSize; ++x)
      if ((px[y * kTrayImageSize + x] >> 24) == 0) mask[y * 2 + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
  HBITMAP monochrome = CreateBitmap(kTrayImageSize, kTrayImageSize, 1, 1, mask);

  ICONINFO ii{};
  ii.fIcon = TRUE;
  ii.hbmColor = color;
  ii.hbmMask = monochrome;
  HICON icon = CreateIconIndirect(&ii);
  DeleteObject(color);
  DeleteObject(monochrome);
  return icon;
}

TImageListHandle CreateTrayImageList() {
  constexpr int kCount = kTrayColorCount * 4;
  TImageListHandle list(ImageList_Create(kTrayImageSize, kTrayImageSize, ILC_COLOR32 | ILC_MASK, kCount, 0));
  for (int i = 0; i < kCount; ++i) {
    HICON icon = CreateTrayIcon(i);
    ImageList_AddIcon(list.get(), icon);
    DestroyIcon(icon);
  }
  return list;
}

}  // namespace vimo
