#pragma once
// The system-wide accessibility event hook and the reading of a message box.
#include <cstdint>
#include <string>
#include <vector>

namespace vimo {

using WinEventHookHandle = std::uintptr_t;
using WindowHandle = std::uintptr_t;

// A direct child window of a message box, as the alert event reads it.
struct ChildWindowInfo {
  std::string className;
  std::int32_t controlId = 0;
  std::string text;
};

class WinEventService {
 public:
  virtual ~WinEventService() = default;
  // SetWinEventHook for EVENT_MIN..EVENT_MAX, out of context, all processes and
  // threads, with the given flags; every event reaches TCustomWinEvent::HookCallback.
  // 0 when the system refuses.
  virtual WinEventHookHandle Hook(std::uint32_t flags) = 0;
  virtual void Unhook(WinEventHookHandle hook) = 0;
  // The direct children of a window, in FindWindowExW order, and its own text.
  virtual std::vector<ChildWindowInfo> ChildWindows(WindowHandle window) = 0;
  virtual std::string WindowText(WindowHandle window) = 0;
};

}  // namespace vimo
