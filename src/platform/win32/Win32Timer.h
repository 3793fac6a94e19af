#pragma once
#include <exception>
#include <functional>

#include "platform/Timer.h"

namespace vimo {

// A thread timer of the user-interface thread: it ticks in any message loop of that
// thread, modal ones included.
class Win32Timer final : public Timer {
 public:
  Win32Timer() = default;
  Win32Timer(const Win32Timer&) = delete;
  Win32Timer& operator=(const Win32Timer&) = delete;
  ~Win32Timer() override;

  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }
  void SetInterval(std::uint32_t milliseconds) override;
  std::uint32_t Interval() const override { return interval_; }

  // Errors of OnTimer end here, never in the system's timer dispatch. Default: a
  // message box with the application title.
  std::function<void(const std::exception&)> OnError;

  void Tick();

 private:
  void Update();

  bool enabled_ = false;
  std::uint32_t interval_ = 1000;
  std::uintptr_t id_ = 0;
};

}  // namespace vimo
