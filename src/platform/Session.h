#pragma once
// Ending the session and changing the machine's power state, with the token steps
// that enable the shutdown privilege first.
#include <cstdint>
#include <string>

namespace vimo {

struct TLuid {
  std::uint32_t lowPart = 0;
  std::int32_t highPart = 0;
  bool operator==(const TLuid&) const = default;
};

class SessionControl {
 public:
  virtual ~SessionControl() = default;
  // OpenProcessToken of the current process; null on failure.
  virtual void* OpenProcessToken(std::uint32_t access) = 0;
  virtual void CloseToken(void* token) = 0;
  // LookupPrivilegeValueW on the local system.
  virtual bool LookupPrivilege(const std::string& name, TLuid& luid) = 0;
  // AdjustTokenPrivileges with one privilege, disable-all false.
  virtual bool AdjustTokenPrivilege(void* token, TLuid luid, std::uint32_t attributes) = 0;
  virtual bool ExitWindowsEx(std::uint32_t flags) = 0;
  virtual bool SetSystemPowerState(bool suspend, bool force) = 0;
  // SetSuspendState from powrprof, loaded at run time; false when it is missing.
  virtual bool SetSuspendState(bool hibernate, bool force, bool wakeupEventsDisabled) = 0;
};

}  // namespace vimo
