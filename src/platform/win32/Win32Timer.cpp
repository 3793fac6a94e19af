#include "platform/win32/Win32Timer.h"

#include <windows.h>

#include <map>
#include <stdexcept>

#include "platform/Utf.h"

namespace vimo {

namespace {

std::map<UINT_PTR, Win32Timer*>& Timers() {
  static std::map<UINT_PTR, Win32Timer*> timers;
  return timers;
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it != Timers().end()) it->second->Tick();
}

}  // namespace

Win32Timer::~Win32Timer() {
  enabled_ = false;
  Update();
}

void Win32Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;  // a running countdown goes on
  enabled_ = enabled;
  Update();
}

void Win32Timer::SetInterval(std::uint32_t milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  Update();
}

void Win32Timer::Update() {
  if (id_) {
    KillTimer(nullptr, id_);
    Timers().erase(id_);
    id_ = 0;
  }
  if (!enabled_ || interval_ == 0) return;
  id_ = SetTimer(nullptr, 0, interval_, TimerProc);
  if (id_) Timers()[id_] = this;
}

void Win32Timer::Tick() {
  try {
    try {
      if (OnTimer) OnTimer();
    } catch (const std::exception& e) {
      if (!OnError) throw;
      OnError(e);
    } catch (...) {
      if (!OnError) throw;
      OnError(std::runtime_error("Unknown error"));
    }
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, Widen(e.what()).c_str(), L"Tramlex Vimo", MB_OK | MB_ICONERROR);
  } catch (...) {
    MessageBoxW(nullptr, L"Unknown error", L"Tramlex Vimo", MB_OK | MB_ICONERROR);
  }
}

}  // namespace vimo
