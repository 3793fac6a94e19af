#include "platform/win32/Win32Desktop.h"

#include <windows.h>

#include "platform/Utf.h"

namespace vimo {

TPoint Win32CursorScreen::CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

int Win32CursorScreen::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int Win32CursorScreen::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

namespace {
BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM data) {
  reinterpret_cast<std::vector<TRect>*>(data)->push_back({r->left, r->top, r->right, r->bottom});
  return TRUE;
}
}  // namespace

std::vector<TRect> Win32CursorScreen::Monitors() {
  std::vector<TRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) monitors.push_back({0, 0, ScreenWidth(), ScreenHeight()});
  return monitors;
}

void* Win32WindowControl::ForegroundWindow() { return GetForegroundWindow(); }

bool Win32WindowControl::SetForegroundWindow(void* window) {
  return ::SetForegroundWindow(static_cast<HWND>(window)) != FALSE;
}

void* Win32WindowControl::FocusWindow() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(0, &info)) return nullptr;
  return info.hwndFocus;
}

bool Win32WindowControl::WindowRect(void* window, TRect& rect) {
  RECT r{};
  if (!GetWindowRect(static_cast<HWND>(window), &r)) return false;
  rect = {r.left, r.top, r.right, r.bottom};
  return true;
}

bool Win32WindowControl::WindowShape(void* window, TWindowShape& shape) {
  HWND h = static_cast<HWND>(window);
  RECT r{};
  if (!GetWindowRect(h, &r)) return false;
  shape.rect = {r.left, r.top, r.right, r.bottom};
  shape.captioned = (GetWindowLongW(h, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  // The shell draws the desktop in a window of its own, which covers every monitor.
  wchar_t cls[16] = {};
  GetClassNameW(h, cls, 16);
  shape.desktop = h == GetDesktopWindow() || h == GetShellWindow() || lstrcmpiW(cls, L"Progman") == 0 ||
                  lstrcmpiW(cls, L"WorkerW") == 0;
  return true;
}

void* Win32WindowControl::FindTopWindow(const std::string& className, const std::string& title) {
  return FindWindowW(Widen(className).c_str(), Widen(title).c_str());
}

std::intptr_t Win32WindowControl::SendMessageTo(void* window, std::uint32_t message, std::uintptr_t wParam,
                                                std::intptr_t lParam) {
  return SendMessageW(static_cast<HWND>(window), message, wParam, lParam);
}

void Win32WindowControl::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

int Win32MessageBoxes::Show(void* owner, const std::string& text, const std::string& caption, std::uint32_t flags) {
  return MessageBoxW(static_cast<HWND>(owner), Widen(text).c_str(), Widen(caption).c_str(), flags);
}

}  // namespace vimo
