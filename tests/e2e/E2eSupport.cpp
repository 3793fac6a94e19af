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

std::string RunKeyValue() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return "<none>";
  char buf[1024];
  DWORD size = sizeof buf - 1, type = 0;
  LONG rc = RegQueryValueExA(key, "Tramlex Vimo", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return "<none>";
  buf[size] = '\0';
  return buf;
}

void DeleteRunValue() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_ALL_ACCESS,
                    &key) != ERROR_SUCCESS)
    return;
  RegDeleteValueA(key, "Tramlex Vimo");
  RegCloseKey(key);
}

bool WaitFor(const std::function<bool()>& condition, DWORD ms) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= ms) return condition();
    Sleep(50);
  }
}

bool RunUnix(const std::string& command, DWORD timeoutMs) {
  static int counter = 0;
  std::string base = "/tmp/vimo-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  std::string script = base + ".sh", done = base + ".done";
  // Wine maps the Linux root to drive Z:.
  auto dos = [](std::string p) {
    for (char& c : p)
      if (c == '/') c = '\\';
    return "Z:" + p;
  };
  HANDLE f = CreateFileA(dos(script).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  // Detached from our output: a program that stays behind (xclip keeps serving its
  // selection) must not hold the test runner's pipe open.
  std::string body = "exec </dev/null >/dev/null 2>&1\n" + command + "\ntouch " + done + "\n";
  DWORD written = 0;
  WriteFile(f, body.data(), static_cast<DWORD>(body.size()), &written, nullptr);
  CloseHandle(f);
  // start /unix does not wait, so the script leaves a mark when it is done.
  HANDLE p = Start("C:\\windows\\system32\\start.exe", "/unix /bin/sh " + script);
  if (!p) return false;
  CloseHandle(p);
  bool ok = WaitFor([&] { return GetFileAttributesA(dos(done).c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs);
  DeleteFileA(dos(script).c_str());
  DeleteFileA(dos(done).c_str());
  return ok;
}

bool CopyWithX11(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  quoted += "'";
  return RunUnix("printf '%s' " + quoted + " | xclip -selection clipboard");
}

bool OpenClipboardSoon() {
  return WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 2000);
}

bool Screenshot(const std::string& pngPath) { return RunUnix("import -window root '" + pngPath + "'"); }

VimoProcess::VimoProcess() : process_(Start(VimoPath())) {}

VimoProcess::~VimoProcess() {
  if (!process_) return;
  if (Running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

HWND VimoProcess::Host() const {
  DWORD pid = GetProcessId(process_);
  HWND found = nullptr;
  for (HWND h = FindWindowExA(nullptr, nullptr, "TfrmVimoHost01", nullptr); h;
       h = FindWindowExA(nullptr, h, "TfrmVimoHost01", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner == pid) found = h;
  }
  return found;
}

bool VimoProcess::WaitForHost(DWORD ms) const { return WaitFor([this] { return Host() != nullptr; }, ms); }
bool VimoProcess::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
bool VimoProcess::WaitEnded(DWORD ms) const { return e2e::WaitEnded(process_, ms); }
DWORD VimoProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

}  // namespace vimo::e2e
