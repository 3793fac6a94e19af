#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "host/TrayImages.h"

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
    if (h_) ImageList_Destroy(h_);
    h_ = nullptr;
  }
  HIMAGELIST get() const { return h_; }

 private:
  HIMAGELIST h_ = nullptr;
};

// imlTrayIcons: the 32 faces, four rows of eight colours.
TImageListHandle CreateTrayImageList();
// A 16 x 16 image list of `count` images given as pixels (alpha 0 is transparent).
TImageListHandle ImageListFromPixels(int count, const std::function<TTrayPixels(int)>& pixels);

}  // namespace vimo
