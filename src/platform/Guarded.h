#pragma once
// The error boundary of every callback the system calls into (window procedures, timers,
// hooks, enumerations): no exception may cross back into the system. The layer that can
// show an error installs the display; until then an error is dropped.
namespace vimo {

// Called inside the catch block, so it can rethrow to see the exception.
using TErrorDisplay = void (*)() noexcept;

void SetErrorDisplay(TErrorDisplay display) noexcept;
void ShowCurrentError() noexcept;

template <typename F>
void Guarded(F&& f) noexcept {
  try {
    f();
  } catch (...) {
    ShowCurrentError();
  }
}

}  // namespace vimo
