#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "components/TrayIcon.h"
#include "components/TrayImages.h"
#include "platform/win32/OnFirstUse.h"

namespace vimo {

// Owns an image list; move-only.
class TImageListHandle {
 public:
  TImageListHandle() = default;
  explicit TImageListHandle(HIMAGELIST h) : h_(h) {}
  TImageListHandle(TImageListHandle&& o) noexcept : h_(o.h_) { o.h_ = nullptr; }
  TImageListHandle& operator=(TImageListHandle&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = o.h_;
      o.h_ = nullptr;
    }
    return *this;
  }
  TImageListHandle(const TImageListHandle&) = delete;
  TImageListHandle& operator=(const TImageListHandle&) = delete;
  ~TImageListHandle() { reset(); }
  void reset() {
    if (h_) onfirstuse::ImageList_Destroy(h_);
    h_ = nullptr;
  }
  HIMAGELIST get() const { return h_; }

 private:
  HIMAGELIST h_ = nullptr;
};

// imlTrayIcons: the 32 faces, four rows of eight colours, as the settings dialog
// draws them, at the small icon size (SM_CXSMICON: 16 at 96 DPI, 24 at 144) or another.
TImageListHandle CreateTrayImageList();
TImageListHandle CreateTrayImageList(int size);

// The same faces as the tray icon reads them, each made into an icon when asked, at the
// small icon size the shell asks for: no image list, so the tray host never needs the
// common controls.
class TTrayFaceIcons final : public TImageSource {
 public:
  int Count() const override { return kTrayColorCount * 4; }
  NativeHandle GetIcon(int index) const override;
};

// An icon of the 16 x 16 pixels (alpha 0 is transparent) drawn at `size` x `size`; null
// when it cannot be made.
HICON IconFromPixels(const TTrayPixels& pixels, int size = kTrayImageSize);
// An image list of `count` images given as 16 x 16 pixels (alpha 0 is transparent),
// each drawn at `size` x `size`.
TImageListHandle ImageListFromPixels(int count, const std::function<TTrayPixels(int)>& pixels,
                                     int size = kTrayImageSize);

}  // namespace vimo
