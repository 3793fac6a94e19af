#pragma once
#include <windows.h>

#include "platform/WinEvents.h"

namespace vimo {

class Win32WinEventService final : public WinEventService {
 public:
  WinEventHookHandle Hook(std::uint32_t flags) override;
  void Unhook(WinEventHookHandle hook) override;
  std::vector<ChildWindowInfo> ChildWindows(WindowHandle window) override;
  std::string WindowText(WindowHandle window) override;
};

}  // namespace vimo
