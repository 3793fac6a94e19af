#pragma once
#include <windows.h>

#include "platform/Timers.h"

namespace vimo {

// The hidden window of the lightweight timers.
class Win32TimerService final : public TimerService {
 public:
  ~Win32TimerService() override;
  void CreateTimerWindow(std::function<void(std::uintptr_t)> onTick) override;
  void DestroyTimerWindow() override;
  bool HasTimerWindow() const override { return window_ != nullptr; }
  bool SetTimer(std::uintptr_t id, std::uint32_t interval) override;
  bool KillTimer(std::uintptr_t id) override;
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
  HWND window_ = nullptr;
  std::function<void(std::uintptr_t)> onTick_;
};

}  // namespace vimo
