#include "components/win32/Win32TrayShell.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "components/TrayIcon.h"
#include "platform/Guarded.h"
#include "platform/Utf.h"

namespace vimo {
namespace {

constexpr const wchar_t* kHandlerClass = L"TTrayIconHandler";

#if !defined(_WIN64)
static_assert(NOTIFYICONDATAW_V2_SIZE == kNotifyIconDataV2Size, "the shell expects the 936-byte record");
#endif

// A UTF-8 text into a fixed wide field, always terminated.
template <std::size_t N>
void CopyWide(wchar_t (&field)[N], const char* utf8) {
  std::wstring wide = Widen(utf8);
  std::size_t n = std::min(wide.size(), N - 1);
  std::copy_n(wide.begin(), n, field);
  field[n] = L'\0';
}

struct OwnerHook {
  WNDPROC savedProc = nullptr;
  std::function<bool(const WindowMessage&, std::intptr_t&)> proc;
};

std::map<HWND, OwnerHook>& OwnerHooks() {
  static std::map<HWND, OwnerHook> hooks;
  return hooks;
}

struct MenuOwner {
  HMENU menu;
  explicit MenuOwner(HMENU m) : menu(m) {}
  ~MenuOwner() {
    if (menu) DestroyMenu(menu);
  }
  MenuOwner(const MenuOwner&) = delete;
  MenuOwner& operator=(const MenuOwner&) = delete;
};

std::uint32_t RegisterTaskbarCreated() {
  // Shells before common controls 4.71 never broadcast it.
  if (CommonControlsVersion() <= 0x40046) return 0;
  return RegisterWindowMessageW(L"TaskbarCreated");
}

}  // namespace

std::uint32_t CommonControlsVersion() {
  // Loaded already (a dialog has used it): the library answers itself.
  if (HMODULE module = GetModuleHandleW(L"comctl32.dll")) {
    auto getVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    if (getVersion && SUCCEEDED(getVersion(&info))) return (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
  }
  return CommonControlsFileVersion();
}

std::uint32_t CommonControlsFileVersion() {
  // Loading the library to ask it runs its start-up, which registers all its window
  // classes: that was a third of ours. Its file's version resource says the same.
  wchar_t path[MAX_PATH];
  UINT n = GetSystemDirectoryW(path, MAX_PATH);
  if (n == 0 || n + 14 >= MAX_PATH) return 0;
  wcscpy(path + n, L"\\comctl32.dll");
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return 0;
  std::unique_ptr<unsigned char[]> data(new unsigned char[size]);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoW(path, 0, size, data.get()) ||
      !VerQueryValueW(data.get(), L"\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof *fixed)
    return 0;
  return fixed->dwFileVersionMS;  // major in the high word, minor in the low
}

NativeHandle Win32TrayShell::CreateHandlerWindow(std::function<void(std::uint32_t, std::uint32_t)> onCallback) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = &Win32TrayShell::HandlerProc;
  wc.hInstance = instance;
  wc.lpszClassName = kHandlerClass;
  RegisterClassW(&wc);
  onCallback_ = std::move(onCallback);
  // Top-level rather than message-only: broadcasts such as "TaskbarCreated" reach only
  // top-level windows.
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kHandlerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                                nullptr);
  if (!window) throw std::runtime_error("Cannot create the tray icon window");
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return reinterpret_cast<NativeHandle>(window);
}

void Win32TrayShell::DestroyHandlerWindow(NativeHandle window) {
  HWND hwnd = reinterpret_cast<HWND>(window);
  if (!hwnd) return;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  DestroyWindow(hwnd);
  onCallback_ = nullptr;
}

bool Win32TrayShell::NotifyIcon(std::uint32_t message, const NotifyIconData& data) {
  // The version-2 size: shells before Vista refuse the longer record.
  NOTIFYICONDATAW nid{};
  nid.cbSize = NOTIFYICONDATAW_V2_SIZE;
  nid.hWnd = reinterpret_cast<HWND>(data.hWnd);
  nid.uID = data.uID;
  nid.uFlags = data.uFlags;
  nid.uCallbackMessage = data.uCallbackMessage;
  nid.hIcon = reinterpret_cast<HICON>(data.hIcon);
  CopyWide(nid.szTip, data.szTip);
  nid.dwState = data.dwState;
  nid.dwStateMask = data.dwStateMask;
  CopyWide(nid.szInfo, data.szInfo);
  nid.uTimeout = data.uTimeout;
  CopyWide(nid.szInfoTitle, data.szInfoTitle);
  nid.dwInfoFlags = data.dwInfoFlags;
  return Shell_NotifyIconW(message, &nid) != FALSE;
}

std::uint32_t Win32TrayShell::TaskbarCreatedMessage() {
  static const std::uint32_t message = RegisterTaskbarCreated();
  return message;
}

bool Win32TrayShell::GetCursorPos(TPoint& pos) {
  POINT p;
  if (!::GetCursorPos(&p)) return false;
  pos = {p.x, p.y};
  return true;
}

std::uint32_t Win32TrayShell::DoubleClickTime() { return GetDoubleClickTime(); }

bool Win32TrayShell::IsKeyDown(int virtualKey) { return GetAsyncKeyState(virtualKey) < 0; }

NativeHandle Win32TrayShell::CopyIcon(NativeHandle icon) {
  return reinterpret_cast<NativeHandle>(::CopyIcon(reinterpret_cast<HICON>(icon)));
}

void Win32TrayShell::DestroyIcon(NativeHandle icon) {
  if (icon) ::DestroyIcon(reinterpret_cast<HICON>(icon));
}

void Win32TrayShell::ForegroundApplication() {
  ::SetForegroundWindow(reinterpret_cast<HWND>(application_.MainWindow()));
}

void Win32TrayShell::ProcessMessages() { application_.ProcessMessages(); }

bool Win32TrayShell::Terminating() { return application_.Terminated(); }

void Win32TrayShell::PostNullMessage(NativeHandle window) {
  PostMessageW(reinterpret_cast<HWND>(window), WM_NULL, 0, 0);
}

void Win32TrayShell::SetForegroundWindow(NativeHandle window) { ::SetForegroundWindow(reinterpret_cast<HWND>(window)); }

int Win32TrayShell::HookMainWindow(std::function<void(const WindowMessage&)> hook) {
  return application_.HookMainWindow(std::move(hook));
}

void Win32TrayShell::UnhookMainWindow(int hookId) { application_.UnhookMainWindow(hookId); }

void Win32TrayShell::SubclassOwner(NativeHandle owner, std::function<bool(const WindowMessage&, std::intptr_t&)> proc) {
  HWND hwnd = reinterpret_cast<HWND>(owner);
  if (!IsWindow(hwnd) || OwnerHooks().count(hwnd)) return;
  OwnerHook& hook = OwnerHooks()[hwnd];
  hook.proc = std::move(proc);
  hook.savedProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32TrayShell::OwnerProc)));
}

void Win32TrayShell::RestoreOwner(NativeHandle owner) {
  HWND hwnd = reinterpret_cast<HWND>(owner);
  auto it = OwnerHooks().find(hwnd);
  if (it == OwnerHooks().end()) return;
  // Only put the old procedure back while ours is the current one; someone who
  // subclassed after us would otherwise be cut off.
  if (IsWindow(hwnd) &&
      reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &Win32TrayShell::OwnerProc)
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.savedProc));
  OwnerHooks().erase(it);
}

void Win32TrayShell::HideApplicationWindow() {
  HWND app = reinterpret_cast<HWND>(application_.ExistingMainWindow());
  if (app && IsWindowVisible(app)) ShowWindow(app, SW_HIDE);
}

int Win32TrayShell::TrackPopup(const std::vector<MenuEntry>& entries, TPoint at) {
  MenuOwner menu(CreatePopupMenu());
  if (!menu.menu) return -1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const MenuEntry& e = entries[i];
    if (e.caption == "-") {
      AppendMenuW(menu.menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (e.enabled ? 0 : MF_GRAYED) | (e.checked ? MF_CHECKED : 0);
    AppendMenuW(menu.menu, flags, i + 1, Widen(e.caption).c_str());
    if (e.isDefault) SetMenuDefaultItem(menu.menu, static_cast<UINT>(i + 1), FALSE);
  }
  int chosen = TrackPopupMenu(menu.menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0,
                              reinterpret_cast<HWND>(application_.MainWindow()), nullptr);
  return chosen > 0 ? chosen - 1 : -1;
}

LRESULT CALLBACK Win32TrayShell::HandlerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kTrayCallbackMessage: {
      auto* self = reinterpret_cast<Win32TrayShell*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
      if (self && self->onCallback_) {
        auto callback = self->onCallback_;
        Guarded([&] { callback(static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam)); });
      }
      return 0;
    }
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_ENDSESSION:
    case WM_NCDESTROY:
      return 1;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Win32TrayShell::OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto it = OwnerHooks().find(hwnd);
  if (it == OwnerHooks().end()) return DefWindowProcW(hwnd, msg, wParam, lParam);
  WNDPROC saved = it->second.savedProc;
  if (msg == WM_NCDESTROY) {
    // The owner is going away before the component: forget it so that a new window
    // reusing the handle can be subclassed again.
    OwnerHooks().erase(it);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved));
    return CallWindowProcW(saved, hwnd, msg, wParam, lParam);
  }
  auto proc = it->second.proc;
  bool handled = false;
  std::intptr_t result = 0;
  Guarded([&] { handled = proc({msg, static_cast<std::uintptr_t>(wParam), static_cast<std::intptr_t>(lParam)}, result); });
  if (handled) return result;
  return CallWindowProcW(saved, hwnd, msg, wParam, lParam);
}

}  // namespace vimo
