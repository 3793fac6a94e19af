#include "components/LiteTimer.h"

#include <stdexcept>

#include "platform/Platform.h"
#include "platform/Timers.h"

namespace vimo {

TLiteTimerHandler* TLiteTimerHandler::current_ = nullptr;

TLiteTimerHandler::TLiteTimerHandler(TimerService& service) : service_(service) {
  service_.CreateTimerWindow([this](std::uintptr_t id) { Tick(id); });
}

TLiteTimerHandler::~TLiteTimerHandler() { service_.DestroyTimerWindow(); }

TLiteTimerHandler& TLiteTimerHandler::Acquire() {
  if (!current_) {
    TimerService* service = Platform().timers;
    if (!service) throw std::logic_error("No timer service installed");
    current_ = new TLiteTimerHandler(*service);
  }
  ++current_->refCount_;
  return *current_;
}

void TLiteTimerHandler::ReleaseHandler() {
  if (!current_) return;
  if (current_->refCount_ > 0) --current_->refCount_;
  if (current_->refCount_ == 0) {
    delete current_;
    current_ = nullptr;
  }
}

void TLiteTimerHandler::Tick(std::uintptr_t id) {
  auto it = live_.find(reinterpret_cast<TLiteTimer*>(id));
  if (it == live_.end()) return;
  (*it)->Fire();
}

TLiteTimer::TLiteTimer() : timerId_(reinterpret_cast<std::uintptr_t>(this)), handler_(&TLiteTimerHandler::Acquire()) {
  handler_->Register(this);
}

TLiteTimer::TLiteTimer(std::int32_t interval, TNotifyEvent onTimer) : TLiteTimer() {
  interval_ = interval;
  onTimer_ = std::move(onTimer);
}

TLiteTimer::~TLiteTimer() {
  if (enabled_) Stop(true);
  handler_->Unregister(this);
  TLiteTimerHandler::ReleaseHandler();
}

void TLiteTimer::SetEnabled(bool value) {
  if (value)
    Start();
  else
    Stop(true);
}

void TLiteTimer::SetInterval(std::int32_t value) {
  if (value == interval_) return;
  interval_ = value;
  if (!enabled_) return;
  if (interval_ != 0)
    Start();
  else
    Stop(false);  // suspended: a later non-zero interval runs it again
}

void TLiteTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  if (!onTimer_ && enabled_) Stop(false);
}

bool TLiteTimer::Start() {
  if (interval_ == 0) return false;
  if (enabled_) Stop(true);
  if (!handler_->Service().SetTimer(timerId_, static_cast<std::uint32_t>(interval_))) return false;
  enabled_ = true;
  return true;
}

bool TLiteTimer::Stop(bool disable) {
  if (disable) enabled_ = false;
  return handler_->Service().KillTimer(timerId_);
}

void TLiteTimer::Fire() {
  if (OneShot) Stop(true);
  if (onTimer_) {
    // The handler may change or free this timer; call a copy.
    TNotifyEvent handler = onTimer_;
    handler(*this);
  }
}

}  // namespace vimo
