#pragma once
#include "platform/Session.h"

namespace vimo {

class Win32Session final : public SessionControl {
 public:
  void* OpenProcessToken(std::uint32_t access) override;
  void CloseToken(void* token) override;
  bool LookupPrivilege(const std::string& name, TLuid& luid) override;
  bool AdjustTokenPrivilege(void* token, TLuid luid, std::uint32_t attributes) override;
  bool ExitWindowsEx(std::uint32_t flags) override;
  bool SetSystemPowerState(bool suspend, bool force) override;
  bool SetSuspendState(bool hibernate, bool force, bool wakeupEventsDisabled) override;
};

}  // namespace vimo
