#include "components/win32/ImageList.h"

#include <stdexcept>
#include "platform/win32/OnFirstUse.h"

namespace vimo {

TImageList::TImageList(int width, int height) {
  list_ = onfirstuse::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 8, 8);
  if (!list_) throw std::runtime_error("Cannot create an image list");
}

TImageList::~TImageList() {
  if (list_) onfirstuse::ImageList_Destroy(list_);
}

TImageList::TImageList(TImageList&& other) noexcept : list_(other.list_) { other.list_ = nullptr; }

TImageList& TImageList::operator=(TImageList&& other) noexcept {
  if (this != &other) {
    if (list_) onfirstuse::ImageList_Destroy(list_);
    list_ = other.list_;
    other.list_ = nullptr;
  }
  return *this;
}

int TImageList::AddIcon(HICON icon) { return list_ ? onfirstuse::ImageList_ReplaceIcon(list_, -1, icon) : -1; }

int TImageList::AddMasked(HBITMAP bitmap, COLORREF mask) { return list_ ? onfirstuse::ImageList_AddMasked(list_, bitmap, mask) : -1; }

namespace {

int CountOf(HIMAGELIST list) { return list ? onfirstuse::ImageList_GetImageCount(list) : 0; }

NativeHandle IconOf(HIMAGELIST list, int index) {
  if (index < 0 || index >= CountOf(list)) return 0;
  return reinterpret_cast<NativeHandle>(onfirstuse::ImageList_GetIcon(list, index, ILD_NORMAL));
}

}  // namespace

int TImageList::Count() const { return CountOf(list_); }
NativeHandle TImageList::GetIcon(int index) const { return IconOf(list_, index); }

int TImageListView::Count() const { return CountOf(list_); }
NativeHandle TImageListView::GetIcon(int index) const { return IconOf(list_, index); }

}  // namespace vimo
