#pragma once
// Drives Vimo.exe from outside, as a user's system would: starts the process, waits
// for it, and reads what it left in the registry.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vimo::e2e {

// Vimo.exe beside the test program.
std::string VimoPath();
// The clipboard peer beside it: another program that hangs, holds or floods the clipboard.
std::string ClipboardPeerPath();

// Starts a program (a UTF-8 path) and returns its process handle (null on failure).
HANDLE Start(const std::string& exe, const std::string& args = "");
// Waits for a process to end; false when it is still running after `ms`.
bool WaitEnded(HANDLE process, DWORD ms);

// HKEY_CURRENT_USER\SOFTWARE\Tramlex\<path>: value text, or "<none>".
std::string ReadValue(const std::string& path, const std::string& name);
// The same read in the wide form: the text as the registry holds it, as UTF-8.
std::string ReadValueWide(const std::string& path, const std::string& name);
void WriteValue(const std::string& path, const std::string& name, const std::string& text);
void DeleteProductKey();
// The auto-start value under the Run key, or "<none>".
std::string RunKeyValue();
// The same, read in the wide form, as UTF-8.
std::string RunKeyValueWide();
void DeleteRunValue();

// Polls `condition` until it holds or `ms` pass; the last result.
bool WaitFor(const std::function<bool()>& condition, DWORD ms);

// Runs a shell command line on the Linux side (xclip, import, ...) and waits for it.
bool RunUnix(const std::string& command, DWORD timeoutMs = 15000);
// Puts UTF-8 text on the X11 clipboard from outside Wine, as another program would,
// offered as UTF8_STRING.
bool CopyWithX11(const std::string& text);
// The targets the X11 clipboard offers now, one a line.
std::string X11ClipboardTargets();
// OpenClipboard, retried: Wine's clipboard manager holds it briefly after each change.
bool OpenClipboardSoon();
// Screenshot of the whole X display into a PNG file (a Linux path).
bool Screenshot(const std::string& pngPath);
// Only a part of the screen, in screen coordinates.
bool Screenshot(const std::string& pngPath, const RECT& area);

// A visible top-level window of the process with this caption, or null.
HWND FindOwnWindow(DWORD pid, const char* caption);
// A visible window inside `parent` whose text is `text`, or holds it when `part` is set
// (buttons, check boxes, labels).
HWND VisibleChild(HWND parent, const std::string& text, bool part = false);
// Until the window and every visible window inside it have nothing left to paint, within
// `ms`: what a screenshot then takes is the drawn window.
bool WaitPainted(HWND h, DWORD ms = 5000);
// A real left click in the middle of a window.
void ClickWindow(HWND h);

// Real input, as a user's keyboard and mouse make it.
void MouseClick(POINT at, DWORD down, DWORD up);
void KeyDown(WORD vk);
void KeyUp(WORD vk);
void PressKey(WORD vk);
// A key pressed with Ctrl and Alt held.
void PressCtrlAlt(WORD vk);
// Moves the pointer and raises the location change that Wine does not raise itself.
void MovePointer(int x, int y);

// The tray face on screen: a pixel inside it, found by its fill colour.
bool FindTrayIcon(COLORREF face, POINT& at);
// Opens the tray menu with a real right click and picks an item with the keyboard.
bool PickTrayMenuItem(POINT icon, WORD key, int presses);
// Where screenshots go (VIMO_SCREENSHOTS), or empty.
std::string ScreenshotPath(const char* name);

// Vimo.exe running for one test; ended when the object goes.
class VimoProcess {
 public:
  // `exe` is a UTF-8 path.
  explicit VimoProcess(const std::string& exe = VimoPath());
  ~VimoProcess();
  VimoProcess(const VimoProcess&) = delete;
  VimoProcess& operator=(const VimoProcess&) = delete;
  bool Started() const { return process_ != nullptr; }
  // The hidden host window, once it exists (null until then).
  HWND Host() const;
  bool WaitForHost(DWORD ms = 15000) const;
  // Until its message loop waits for input again (the current command is done).
  bool WaitIdle(DWORD ms = 5000) const { return WaitForInputIdle(process_, ms) == 0; }
  bool Running() const;
  bool WaitEnded(DWORD ms) const;
  DWORD ExitCode() const;
  DWORD Id() const { return GetProcessId(process_); }
  HANDLE Handle() const { return process_; }
  // Visible pop-up forms of this process.
  std::vector<HWND> Popups() const;

 private:
  HANDLE process_ = nullptr;
};

}  // namespace vimo::e2e
