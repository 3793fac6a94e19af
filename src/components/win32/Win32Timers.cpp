#include "components/win32/Win32Timers.h"

#include <stdexcept>

#include "platform/Guarded.h"

namespace vimo {
namespace {
constexpr const wchar_t* kClassName = L"TLiteTimerHandler";
}

Win32TimerService::~Win32TimerService() { DestroyTimerWindow(); }

void Win32TimerService::CreateTimerWindow(std::function<void(std::uintptr_t)> onTick) {
  DestroyTimerWindow();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = &Win32TimerService::WndProc;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  RegisterClassW(&wc);
  onTick_ = std::move(onTick);
  // Message-only: timers need no broadcasts, and such a window costs the display nothing.
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (!window_) throw std::runtime_error("Cannot create the timer window");
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Win32TimerService::DestroyTimerWindow() {
  if (!window_) return;
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
  window_ = nullptr;
  onTick_ = nullptr;
}

bool Win32TimerService::SetTimer(std::uintptr_t id, std::uint32_t interval) {
  return window_ && ::SetTimer(window_, id, interval, nullptr) != 0;
}

bool Win32TimerService::KillTimer(std::uintptr_t id) { return window_ && ::KillTimer(window_, id) != FALSE; }

LRESULT CALLBACK Win32TimerService::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    auto* self = reinterpret_cast<Win32TimerService*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && self->onTick_) {
      // The tick may free the last timer and with it this service's window.
      auto tick = self->onTick_;
      Guarded([&] { tick(static_cast<std::uintptr_t>(wParam)); });
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace vimo
