#pragma once
// Shared by the Win32 tests: the real services installed into Platform(), a message
// pump that runs until a condition holds, real key presses, and a text of every script.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "components/win32/ComponentServices.h"
#include "platform/Platform.h"
#include "ui/Application.h"

namespace vimo::test {

struct RealComponentServices {
  PlatformServices saved = Platform();
  std::vector<std::string> errors;
  RealComponentServices() {
    InstallComponentServices(Application().Window());
    Application().Initialize();
    Application().ErrorDisplay = [this](const std::string& m) { errors.push_back(m); };
  }
  ~RealComponentServices() {
    Application().ErrorDisplay = nullptr;
    Platform() = saved;
  }
};

// Dispatches messages until `done` holds, and looks again at least every 10 ms for what
// no message announces (the foreground window, a pixel). The bound only keeps a broken
// test from hanging; nothing is measured with it.
inline bool PumpUntil(const std::function<bool()>& done, DWORD boundMs = 10000) {
  const DWORD start = GetTickCount();
  MSG msg;
  for (;;) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
      if (done()) return true;
    }
    if (done()) return true;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= boundMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(10, boundMs - elapsed), QS_ALLINPUT);
  }
}

// Dispatches what is queued now.
inline void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A real key event, as the keyboard sends it: with its scan code.
inline void SendKey(WORD vk, bool down) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, 0));
  in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &in, sizeof in);
}

inline bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Text of several scripts, with a character outside the Basic Multilingual Plane.
inline const std::string kWorldText = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 "
                                      "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";

}  // namespace vimo::test
