#pragma once
// The hidden window that receives the WM_TIMER messages of every lightweight timer.
#include <cstdint>
#include <functional>

namespace vimo {

class TimerService {
 public:
  virtual ~TimerService() = default;
  // Creates the message window; each WM_TIMER reaches `onTick` with its timer id.
  virtual void CreateTimerWindow(std::function<void(std::uintptr_t id)> onTick) = 0;
  virtual void DestroyTimerWindow() = 0;
  virtual bool HasTimerWindow() const = 0;
  // SetTimer on the message window with no timer procedure; false when it fails.
  virtual bool SetTimer(std::uintptr_t id, std::uint32_t interval) = 0;
  // KillTimer on the message window; true when the system timer existed.
  virtual bool KillTimer(std::uintptr_t id) = 0;
};

}  // namespace vimo
