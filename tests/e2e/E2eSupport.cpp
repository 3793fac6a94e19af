#include "E2eSupport.h"

#include <vector>

namespace vimo::e2e {

std::string VimoPath() {
  char buf[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string self(buf, n);
  return self.substr(0, self.find_last_of('\\') + 1) + "Vimo.exe";
}

HANDLE Start(const std::string& exe, const std::string& args) {
  std::string cmd = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
  std::vector<char> line(cmd.begin(), cmd.end());
  line.push_back('\0');
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return nullptr;
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

bool WaitEnded(HANDLE process, DWORD ms) { return WaitForSingleObject(process, ms) == WAIT_OBJECT_0; }

std::string ReadValue(const std::string& path, const std::string& name) {
  HKEY key;
  std::string full = "SOFTWARE\\Tramlex\\" + path;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, full.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "<none>";
  char buf[4096];
  DWORD size = sizeof buf - 1, type = 0;
  LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return "<none>";
  buf[size] = '\0';
  return buf;
}

void WriteValue(const std::string& path, const std::string& name, const std::string& text) {
  HKEY key;
  std::string full = "SOFTWARE\\Tramlex\\" + path;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, full.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
  RegCloseKey(key);
}

void DeleteProductKey() {
  // Wine's advapi32 has RegDeleteTreeA.
  RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Tramlex");
}

}  // namespace vimo::e2e
