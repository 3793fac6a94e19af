#pragma once
// What the tray icon component needs from the shell and the window manager.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace vimo {

using NativeHandle = std::uintptr_t;  // HWND, HICON, HMENU as a number

// The fields of the wide NOTIFYICONDATA in its 936-byte layout, as plain data. The
// texts are UTF-8 and hold at most what the wide fields take (127, 255 and 63 UTF-16
// units), which is up to three bytes a unit.
struct NotifyIconData {
  std::uint32_t cbSize = 0;
  NativeHandle hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  NativeHandle hIcon = 0;
  char szTip[3 * 128] = {};
  std::uint32_t dwState = 0;
  std::uint32_t dwStateMask = 0;
  char szInfo[3 * 256] = {};
  std::uint32_t uTimeout = 0;  // also uVersion
  char szInfoTitle[3 * 64] = {};
  std::uint32_t dwInfoFlags = 0;
};

inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;
inline constexpr std::uint32_t kNimSetVersion = 4;
inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;
inline constexpr std::uint32_t kNifInfo = 0x10;

// Window messages as the hooks see them.
struct WindowMessage {
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

// The application object's hidden window and message loop, which the real tray shell
// works through; the widget layer's application object gives it one.
class ApplicationWindow {
 public:
  virtual ~ApplicationWindow() = default;
  // The window, made first if there is none yet.
  virtual NativeHandle MainWindow() = 0;
  // The window, or 0 while there is none.
  virtual NativeHandle ExistingMainWindow() = 0;
  virtual void ProcessMessages() = 0;
  virtual bool Terminated() = 0;
  virtual int HookMainWindow(std::function<void(const WindowMessage&)> hook) = 0;
  virtual void UnhookMainWindow(int hookId) = 0;
};

class TrayShell {
 public:
  virtual ~TrayShell() = default;

  // The hidden top-level window that receives the callbacks of every tray icon:
  // `onCallback(uID, lParam)` for the callback message 0x800.
  virtual NativeHandle CreateHandlerWindow(std::function<void(std::uint32_t id, std::uint32_t event)> onCallback) = 0;
  virtual void DestroyHandlerWindow(NativeHandle window) = 0;

  // Shell_NotifyIconW with the 936-byte record.
  virtual bool NotifyIcon(std::uint32_t message, const NotifyIconData& data) = 0;
  // The registered "TaskbarCreated" message, 0 when the shell is too old for it.
  virtual std::uint32_t TaskbarCreatedMessage() = 0;

  virtual bool GetCursorPos(TPoint& pos) = 0;
  virtual std::uint32_t DoubleClickTime() = 0;
  virtual bool IsKeyDown(int virtualKey) = 0;

  // The icon the component keeps is its own copy.
  virtual NativeHandle CopyIcon(NativeHandle icon) = 0;
  virtual void DestroyIcon(NativeHandle icon) = 0;

  // The application object.
  virtual void ForegroundApplication() = 0;
  virtual void ProcessMessages() = 0;
  virtual bool Terminating() = 0;
  virtual void PostNullMessage(NativeHandle window) = 0;
  virtual void SetForegroundWindow(NativeHandle window) = 0;

  // The application's main window hook: sees its messages first, never consumes them.
  virtual int HookMainWindow(std::function<void(const WindowMessage&)> hook) = 0;
  virtual void UnhookMainWindow(int hookId) = 0;
  // Replaces the owner form's window procedure; `proc` returns true with `result` set
  // to answer a message itself, false to pass it to the old procedure.
  virtual void SubclassOwner(NativeHandle owner, std::function<bool(const WindowMessage&, std::intptr_t& result)> proc) = 0;
  virtual void RestoreOwner(NativeHandle owner) = 0;

  // The application's main form. This program keeps none visible, so the real shell
  // answers false; the hooks still follow the rules when one exists.
  virtual bool HasMainForm() = 0;
  virtual bool MainFormIsMdiParent() = 0;
  virtual void SetMainFormVisible(bool visible) = 0;
  virtual void SetShowMainForm(bool show) = 0;
  virtual void HideApplicationWindow() = 0;  // when it is visible
};

// One pop-up menu entry as the shell draws it.
struct MenuEntry {
  std::string caption;  // "-" is a separator
  bool enabled = true;
  bool checked = false;
  bool isDefault = false;
};

class MenuService {
 public:
  virtual ~MenuService() = default;
  // Shows the menu at a screen point and returns when it closes: the index of the
  // chosen entry, or -1.
  virtual int TrackPopup(const std::vector<MenuEntry>& entries, TPoint at) = 0;
};

}  // namespace vimo
