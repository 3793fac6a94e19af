#include "platform/win32/Win32System.h"

#include <windows.h>

#include "platform/Utf.h"

namespace vimo {

int Win32SystemInfo::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

std::string Win32SystemInfo::ExePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return Narrow(path);
    }
    path.resize(path.size() * 2);  // truncated: a long path
  }
}

bool Win32KeyboardState::IsKeyDown(int virtualKey) { return GetAsyncKeyState(virtualKey) < 0; }

}  // namespace vimo
