#pragma once
// Helpers for the pop-up tests: window rectangles, pixels and a manual viewer.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "ui/Application.h"
#include "ui/Form.h"

namespace vimo::test {

inline RECT WindowRect(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

inline RECT ClientRectOf(HWND h) {
  RECT r{};
  GetClientRect(h, &r);
  return r;
}

// Screen position of a control's top-left corner.
inline POINT ScreenOrigin(HWND h) {
  POINT p{0, 0};
  ClientToScreen(h, &p);
  return p;
}

// A window's client area painted once into a bitmap, for reading many pixels.
class PrintedWindow {
 public:
  explicit PrintedWindow(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    HDC screen = GetDC(nullptr);
    mem_ = CreateCompatibleDC(screen);
    bmp_ = CreateCompatibleBitmap(screen, r.right, r.bottom);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(mem_, bmp_);
    SendMessageA(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem_), PRF_CLIENT);
  }
  ~PrintedWindow() {
    SelectObject(mem_, old_);
    DeleteObject(bmp_);
    DeleteDC(mem_);
  }
  PrintedWindow(const PrintedWindow&) = delete;
  PrintedWindow& operator=(const PrintedWindow&) = delete;
  COLORREF Pixel(int x, int y) const { return GetPixel(mem_, x, y); }

 private:
  HDC mem_;
  HBITMAP bmp_;
  HGDIOBJ old_;
};

// Paints a window into a bitmap and reads one pixel (RGB, as COLORREF).
inline COLORREF PrintedPixel(HWND h, int x, int y) {
  RECT r = ClientRectOf(h);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
  HGDIOBJ old = SelectObject(mem, bmp);
  SendMessageA(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
  COLORREF c = GetPixel(mem, x, y);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return c;
}

// Keeps a pop-up on screen for a while so that a screenshot can be taken from outside;
// only the DISABLED_ viewer tests use it (VIMO_VIEW_MS, default 3000).
inline void HoldForViewing(TForm* form) {
  const char* env = std::getenv("VIMO_VIEW_MS");
  DWORD ms = env ? static_cast<DWORD>(std::atoi(env)) : 3000;
  DWORD end = GetTickCount() + ms;
  while (GetTickCount() < end && IsWindow(form->Handle())) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Application().ProcessMessages();
  }
}

}  // namespace vimo::test
