#include "platform/win32/Win32Session.h"

#include <windows.h>

#include "platform/Utf.h"

namespace vimo {

void* Win32Session::OpenProcessToken(std::uint32_t access) {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(GetCurrentProcess(), access, &token)) return nullptr;
  return token;
}

void Win32Session::CloseToken(void* token) { CloseHandle(static_cast<HANDLE>(token)); }

bool Win32Session::LookupPrivilege(const std::string& name, TLuid& luid) {
  LUID value{};
  if (!LookupPrivilegeValueW(nullptr, Widen(name).c_str(), &value)) return false;
  luid = {value.LowPart, value.HighPart};
  return true;
}

bool Win32Session::AdjustTokenPrivilege(void* token, TLuid luid, std::uint32_t attributes) {
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Luid.LowPart = luid.lowPart;
  privileges.Privileges[0].Luid.HighPart = luid.highPart;
  privileges.Privileges[0].Attributes = attributes;
  DWORD returned = 0;
  return AdjustTokenPrivileges(static_cast<HANDLE>(token), FALSE, &privileges, sizeof privileges, &privileges,
                               &returned) != FALSE;
}

bool Win32Session::ExitWindowsEx(std::uint32_t flags) { return ::ExitWindowsEx(flags, 0) != FALSE; }

bool Win32Session::SetSystemPowerState(bool suspend, bool force) {
  return ::SetSystemPowerState(suspend, force) != FALSE;
}

bool Win32Session::SetSuspendState(bool hibernate, bool force, bool wakeupEventsDisabled) {
  // Loaded at run time: powrprof is not there on every system the program starts on.
  HMODULE powrprof = LoadLibraryW(L"powrprof.dll");
  if (!powrprof) return false;
  using Proc = BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN);
  auto proc = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(powrprof, "SetSuspendState")));
  const bool done = proc && proc(hibernate, force, wakeupEventsDisabled);
  FreeLibrary(powrprof);
  return done;
}

}  // namespace vimo
