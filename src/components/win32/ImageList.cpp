#include "components/win32/ImageList.h"

#include <stdexcept>

namespace vimo {

TImageList::TImageList(int width, int height) {
  list_ = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 8, 8);
  if (!list_) throw std::runtime_error("Cannot create an image list");
}

TImageList::~TImageList() {
  if (list_) ImageList_Destroy(list_);
}

TImageList::TImageList(TImageList&& other) noexcept : list_(other.list_) { other.list_ = nullptr; }

TImageList& TImageList::operator=(TImageList&& other) noexcept {
  if (this != &other) {
    if (list_) ImageList_Destroy(list_);
    list_ = other.list_;
    other.list_ = nullptr;
  }
  return *this;
}

int TImageList::AddIcon(HICON icon) { return list_ ? ImageList_AddIcon(list_, icon) : -1; }

int TImageList::AddMasked(HBITMAP bitmap, COLORREF mask) { return list_ ? ImageList_AddMasked(list_, bitmap, mask) : -1; }

int TImageList::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

NativeHandle TImageList::GetIcon(int index) const {
  if (!list_ || index < 0 || index >= Count()) return 0;
  return reinterpret_cast<NativeHandle>(ImageList_GetIcon(list_, index, ILD_NORMAL));
}

}  // namespace vimo
