#pragma once
// A timer without a window of its own: every timer of the process shares one hidden
// message window, owned by the reference-counted TLiteTimerHandler.
#include <cstdint>
#include <functional>
#include <set>

namespace vimo {

class TLiteTimer;
class TimerService;

class TLiteTimerHandler {
 public:
  TLiteTimerHandler(const TLiteTimerHandler&) = delete;
  TLiteTimerHandler& operator=(const TLiteTimerHandler&) = delete;

  // The process-wide handler; null while no timer exists.
  static TLiteTimerHandler* Current() { return current_; }
  static TLiteTimerHandler& Acquire();
  static void ReleaseHandler();
  int RefCount() const { return refCount_; }

  TimerService& Service() const { return service_; }
  void Register(TLiteTimer* timer) { live_.insert(timer); }
  void Unregister(TLiteTimer* timer) { live_.erase(timer); }
  // WM_TIMER: wParam is the timer's id, that is the timer object.
  void Tick(std::uintptr_t id);

 private:
  explicit TLiteTimerHandler(TimerService& service);
  ~TLiteTimerHandler();

  static TLiteTimerHandler* current_;
  TimerService& service_;
  int refCount_ = 0;
  // KillTimer leaves WM_TIMER messages already queued: a tick for a timer destroyed
  // since must not be turned back into a pointer.
  std::set<TLiteTimer*> live_;
};

class TLiteTimer {
 public:
  using TNotifyEvent = std::function<void(TLiteTimer& sender)>;

  TLiteTimer();
  TLiteTimer(std::int32_t interval, TNotifyEvent onTimer);
  ~TLiteTimer();
  TLiteTimer(const TLiteTimer&) = delete;
  TLiteTimer& operator=(const TLiteTimer&) = delete;

  std::uintptr_t TimerId() const { return timerId_; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  std::int32_t Interval() const { return interval_; }
  void SetInterval(std::int32_t value);
  bool OneShot = false;
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);

  bool Start();
  bool Stop(bool disable);

 private:
  friend class TLiteTimerHandler;
  void Fire();

  std::uintptr_t timerId_;
  bool enabled_ = false;
  std::int32_t interval_ = 1000;
  TNotifyEvent onTimer_;
  TLiteTimerHandler* handler_;
};

}  // namespace vimo
