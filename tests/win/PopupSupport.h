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

// Paints a window into a 32-bit bitmap and reads one pixel (RGB, as COLORREF).
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
