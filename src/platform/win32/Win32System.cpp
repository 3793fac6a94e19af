#include "platform/win32/Win32System.h"

#include <windows.h>

namespace vimo {

int Win32SystemInfo::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

std::string Win32SystemInfo::ExePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);  // truncated: a long path
  }
}

bool Win32KeyboardState::IsKeyDown(int virtualKey) { return GetAsyncKeyState(virtualKey) < 0; }

}  // namespace vimo
