#pragma once
// Move-only owners of an image list and of an icon.
#include <windows.h>
#include <commctrl.h>

#include "components/TrayIcon.h"

namespace vimo {

class TIconHandle {
 public:
  TIconHandle() = default;
  explicit TIconHandle(HICON icon) : icon_(icon) {}
  ~TIconHandle() { Reset(); }
  TIconHandle(TIconHandle&& other) noexcept : icon_(other.Release()) {}
  TIconHandle& operator=(TIconHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TIconHandle(const TIconHandle&) = delete;
  TIconHandle& operator=(const TIconHandle&) = delete;

  HICON Get() const { return icon_; }
  NativeHandle Native() const { return reinterpret_cast<NativeHandle>(icon_); }
  HICON Release() {
    HICON icon = icon_;
    icon_ = nullptr;
    return icon;
  }
  void Reset(HICON icon = nullptr) {
    if (icon_) DestroyIcon(icon_);
    icon_ = icon;
  }

 private:
  HICON icon_ = nullptr;
};

// An image list of icons (`imlTrayIcons`), readable by the tray icon component.
class TImageList final : public TImageSource {
 public:
  TImageList(int width, int height);
  ~TImageList() override;
  TImageList(TImageList&& other) noexcept;
  TImageList& operator=(TImageList&& other) noexcept;
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;

  HIMAGELIST Handle() const { return list_; }
  // Adds a copy of the icon; returns its index, or -1.
  int AddIcon(HICON icon);
  // Adds a picture with a mask colour; returns its index, or -1.
  int AddMasked(HBITMAP bitmap, COLORREF mask);

  int Count() const override;
  NativeHandle GetIcon(int index) const override;

 private:
  HIMAGELIST list_ = nullptr;
};

// Reads an image list owned elsewhere (for example the host's tray faces).
class TImageListView final : public TImageSource {
 public:
  explicit TImageListView(HIMAGELIST list) : list_(list) {}
  int Count() const override;
  NativeHandle GetIcon(int index) const override;

 private:
  HIMAGELIST list_;
};

}  // namespace vimo
