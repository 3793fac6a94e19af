#include "E2eSupport.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/Utf.h"

namespace vimo::e2e {

std::string VimoPath() {
  char buf[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string self(buf, n);
  return self.substr(0, self.find_last_of('\\') + 1) + "Vimo.exe";
}

std::string ClipboardPeerPath() {
  std::string vimo = VimoPath();
  return vimo.substr(0, vimo.find_last_of('\\') + 1) + "vimo_clipboard_peer.exe";
}

HANDLE Start(const std::string& exe, const std::string& args) {
  std::wstring line = Widen("\"" + exe + "\"" + (args.empty() ? "" : " " + args));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
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

std::string ReadValueWide(const std::string& path, const std::string& name) {
  wchar_t buf[4096];
  DWORD size = sizeof buf;
  if (RegGetValueW(HKEY_CURRENT_USER, Widen("SOFTWARE\\Tramlex\\" + path).c_str(), Widen(name).c_str(),
                   RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
    return "<none>";
  return Narrow(buf);
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

std::string RunKeyValueWide() {
  wchar_t buf[1024];
  DWORD size = sizeof buf;
  if (RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"Tramlex Vimo",
                   RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
    return "<none>";
  return Narrow(buf);
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
  return RunUnix("printf '%s' " + quoted + " | xclip -selection clipboard -t UTF8_STRING");
}

std::string X11ClipboardTargets() {
  const std::string file = "/tmp/vimo-e2e-targets-" + std::to_string(GetCurrentProcessId()) + ".txt";
  if (!RunUnix("xclip -o -selection clipboard -t TARGETS > " + file)) return {};
  std::string dos = "Z:" + file;
  for (char& c : dos)
    if (c == '/') c = '\\';
  HANDLE f = CreateFileA(dos.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  char buf[4096];
  DWORD read = 0;
  ReadFile(f, buf, sizeof buf, &read, nullptr);
  CloseHandle(f);
  DeleteFileA(dos.c_str());
  return std::string(buf, read);
}

bool OpenClipboardSoon() {
  return WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 2000);
}

bool Screenshot(const std::string& pngPath) { return RunUnix("import -window root '" + pngPath + "'"); }

bool Screenshot(const std::string& pngPath, const RECT& r) {
  // The virtual desktop sits at the top left of the X screen.
  return RunUnix("import -window root -crop " + std::to_string(r.right - r.left) + "x" +
                 std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) + "+" + std::to_string(r.top) +
                 " +repage '" + pngPath + "'");
}

HWND FindOwnWindow(DWORD pid, const char* caption) {
  for (HWND h = FindWindowExA(nullptr, nullptr, nullptr, caption); h; h = FindWindowExA(nullptr, h, nullptr, caption)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner == pid && IsWindowVisible(h)) return h;
  }
  return nullptr;
}

namespace {
struct ChildSearch {
  std::string text;
  bool part = false;
  HWND found = nullptr;
};
BOOL CALLBACK FindChildByText(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<ChildSearch*>(p);
  char raw[256] = {};
  GetWindowTextA(h, raw, sizeof raw);
  // Captions are searched as they read: without the ampersands that mark access keys.
  std::string text;
  for (const char* c = raw; *c; ++c) {
    if (*c == '&' && c[1]) ++c;
    text += *c;
  }
  bool match = s->part ? text.find(s->text) != std::string::npos : s->text == text;
  if (IsWindowVisible(h) && match) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND VisibleChild(HWND parent, const std::string& text, bool part) {
  ChildSearch search{text, part};
  EnumChildWindows(parent, FindChildByText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

namespace {
BOOL CALLBACK FindUnpainted(HWND h, LPARAM p) {
  if (!IsWindowVisible(h) || !GetUpdateRect(h, nullptr, FALSE)) return TRUE;
  *reinterpret_cast<bool*>(p) = true;
  return FALSE;
}
}  // namespace

bool WaitPainted(HWND h, DWORD ms) {
  return WaitFor(
      [h] {
        bool unpainted = GetUpdateRect(h, nullptr, FALSE) != FALSE;
        if (!unpainted) EnumChildWindows(h, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
        return !unpainted;
      },
      ms);
}

void ClickWindow(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  MouseClick(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

VimoProcess::VimoProcess(const std::string& exe) : process_(Start(exe)) {}

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

bool VimoProcess::WaitForHost(DWORD ms) const {
  // The window exists before the form has registered its hot keys and hooks: wait for
  // the message loop to be waiting for input too.
  return WaitFor([this] { return Host() != nullptr; }, ms) && WaitForInputIdle(process_, ms) == 0;
}
bool VimoProcess::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
bool VimoProcess::WaitEnded(DWORD ms) const { return e2e::WaitEnded(process_, ms); }
DWORD VimoProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

void MouseClick(POINT at, DWORD down, DWORD up) {
  // One batch, every event with the same absolute place: under Wine the desktop's launcher
  // applies a stale X11 enter event between a separate move and the press, and the press
  // then lands where the pointer was before.
  int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  int width = std::max(GetSystemMetrics(SM_CXVIRTUALSCREEN), 2), height = std::max(GetSystemMetrics(SM_CYVIRTUALSCREEN), 2);
  INPUT in[3] = {};
  DWORD flags[3] = {0, down, up};
  for (int i = 0; i < 3; ++i) {
    in[i].type = INPUT_MOUSE;
    in[i].mi.dx = MulDiv(at.x - left, 65535, width - 1);
    in[i].mi.dy = MulDiv(at.y - top, 65535, height - 1);
    in[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK | flags[i];
  }
  SendInput(3, in, sizeof(INPUT));
}

static void Key(WORD vk, DWORD flags) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
  in.ki.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}
void KeyDown(WORD vk) { Key(vk, 0); }
void KeyUp(WORD vk) { Key(vk, KEYEVENTF_KEYUP); }
void PressKey(WORD vk) {
  KeyDown(vk);
  KeyUp(vk);
}

void PressCtrlAlt(WORD vk) {
  KeyDown(VK_CONTROL);
  KeyDown(VK_MENU);
  PressKey(vk);
  KeyUp(VK_MENU);
  KeyUp(VK_CONTROL);
}

void MovePointer(int x, int y) {
  SetCursorPos(x, y);
  // While a window of this process is in front the move lands only once its thread
  // has taken the X server's answer: the event must not overtake it.
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const POINT to{std::clamp(x, left, left + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1),
                 std::clamp(y, top, top + GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1)};
  WaitFor(
      [&] {
        POINT p{};
        GetCursorPos(&p);
        return p.x == to.x && p.y == to.y;
      },
      2000);
  NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, GetDesktopWindow(), OBJID_CURSOR, CHILDID_SELF);
}

// The tray face on screen: the first pixel of its colour in the taskbar's right end.
bool FindTrayIcon(COLORREF face, POINT& at) {
  HDC screen = GetDC(nullptr);
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  bool found = false;
  for (int y = h - 30; y < h && !found; ++y)
    for (int x = w - 1; x > w - 300 && !found; --x)
      if (GetPixel(screen, x, y) == face) {
        at = {x - 2, y + 3};  // inside the face, off its outline
        found = true;
      }
  ReleaseDC(nullptr, screen);
  return found;
}

bool PickTrayMenuItem(POINT icon, WORD key, int presses) {
  MouseClick(icon, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  // Wine keeps a closed menu's window, hidden: wait for a shown one.
  if (!WaitFor([] { return IsWindowVisible(FindWindowA("#32768", nullptr)) != FALSE; }, 5000)) return false;
  for (int i = 0; i < presses; ++i) PressKey(key);
  PressKey(VK_RETURN);
  return true;
}

std::string ScreenshotPath(const char* name) {
  char dir[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("VIMO_SCREENSHOTS", dir, sizeof dir)) return {};
  return std::string(dir) + "/" + name;
}


namespace {
struct PopupSearch {
  DWORD pid;
  std::vector<HWND> found;
};
BOOL CALLBACK CollectPopup(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<PopupSearch*>(p);
  char cls[64];
  DWORD owner = 0;
  GetWindowThreadProcessId(h, &owner);
  // Pop-ups are tool windows; the dialogs share the class but not that style.
  if (owner == s->pid && IsWindowVisible(h) && GetClassNameA(h, cls, sizeof cls) && std::string(cls) == "TVimoForm" &&
      (GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
    s->found.push_back(h);
  return TRUE;
}
}  // namespace

std::vector<HWND> VimoProcess::Popups() const {
  PopupSearch search{Id(), {}};
  EnumWindows(CollectPopup, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace vimo::e2e
