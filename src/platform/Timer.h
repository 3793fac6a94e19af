#pragma once
// A form timer. Enabling a timer that runs already, or setting the interval it has,
// does not restart its countdown; a countdown runs only while it is enabled with a
// non-zero interval; disabling stops it.
#include <cstdint>
#include <functional>

namespace vimo {

class Timer {
 public:
  virtual ~Timer() = default;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetInterval(std::uint32_t milliseconds) = 0;
  virtual std::uint32_t Interval() const = 0;

  std::function<void()> OnTimer;
};

}  // namespace vimo
