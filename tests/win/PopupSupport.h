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

// Saves what the screen shows of a window as a 24-bit BMP named `name` in the folder
// VIMO_SCREENSHOTS (a Unix path), to look at; nothing without that folder.
inline void SaveWindowBmp(HWND window, const std::string& name) {
  wchar_t dir[512];
  DWORD n = GetEnvironmentVariableW(L"VIMO_SCREENSHOTS", dir, 512);
  if (n == 0 || n >= 512) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Application().ProcessMessages();  // Wine copies window surfaces to the screen while idle
  RECT r{};
  GetWindowRect(window, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(mem, old);
  DWORD stride = static_cast<DWORD>((w * 3 + 3) & ~3);
  BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader + stride * h), 0, 0,
                      static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader)};
  std::wstring path = std::wstring(L"Z:") + dir + L"/" + std::wstring(name.begin(), name.end()) + L".bmp";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, &fh, sizeof fh, &written, nullptr);
    WriteFile(file, &bi.bmiHeader, sizeof bi.bmiHeader, &written, nullptr);
    WriteFile(file, bits, stride * static_cast<DWORD>(h), &written, nullptr);
    CloseHandle(file);
  }
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
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
