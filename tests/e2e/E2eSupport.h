#pragma once
// Drives Vimo.exe from outside, as a user's system would: starts the process, waits
// for it, and reads what it left in the registry.
#include <windows.h>

#include <string>

namespace vimo::e2e {

// Vimo.exe beside the test program.
std::string VimoPath();

// Starts a program and returns its process handle (null on failure).
HANDLE Start(const std::string& exe, const std::string& args = "");
// Waits for a process to end; false when it is still running after `ms`.
bool WaitEnded(HANDLE process, DWORD ms);

// HKEY_CURRENT_USER\SOFTWARE\Tramlex\<path>: value text, or "<none>".
std::string ReadValue(const std::string& path, const std::string& name);
void WriteValue(const std::string& path, const std::string& name, const std::string& text);
void DeleteProductKey();

}  // namespace vimo::e2e
