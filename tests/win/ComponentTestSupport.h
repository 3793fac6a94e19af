#pragma once
// Shared by the Win32 tests of the components: the real services installed into
// Platform(), and a message pump that runs until a condition holds.
#include <windows.h>

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

// Dispatches messages until `done` holds; the bound only keeps a broken test from
// hanging, nothing is measured with it.
inline bool PumpUntil(const std::function<bool()>& done, DWORD boundMs = 10000) {
  DWORD start = GetTickCount();
  MSG msg;
  for (;;) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      if (done()) return true;
    }
    if (done()) return true;
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= boundMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, boundMs - elapsed, QS_ALLINPUT);
  }
}

// Dispatches what is queued now.
inline void PumpPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace vimo::test
