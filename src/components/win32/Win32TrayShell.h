#pragma once
#include <windows.h>

#include <map>

#include "platform/TrayShell.h"

namespace vimo {

// The notification area, the tray icons' handler window, the owner subclass and the
// application's main-window hook, over Win32.
class Win32TrayShell final : public TrayShell, public MenuService {
 public:
  explicit Win32TrayShell(ApplicationWindow& application) : application_(application) {}
  NativeHandle CreateHandlerWindow(std::function<void(std::uint32_t, std::uint32_t)> onCallback) override;
  void DestroyHandlerWindow(NativeHandle window) override;
  bool NotifyIcon(std::uint32_t message, const NotifyIconData& data) override;
  std::uint32_t TaskbarCreatedMessage() override;
  bool GetCursorPos(TPoint& pos) override;
  std::uint32_t DoubleClickTime() override;
  bool IsKeyDown(int virtualKey) override;
  NativeHandle CopyIcon(NativeHandle icon) override;
  void DestroyIcon(NativeHandle icon) override;
  void ForegroundApplication() override;
  void ProcessMessages() override;
  bool Terminating() override;
  void PostNullMessage(NativeHandle window) override;
  void SetForegroundWindow(NativeHandle window) override;
  int HookMainWindow(std::function<void(const WindowMessage&)> hook) override;
  void UnhookMainWindow(int hookId) override;
  void SubclassOwner(NativeHandle owner, std::function<bool(const WindowMessage&, std::intptr_t&)> proc) override;
  void RestoreOwner(NativeHandle owner) override;
  bool HasMainForm() override { return false; }
  bool MainFormIsMdiParent() override { return false; }
  void SetMainFormVisible(bool) override {}
  void SetShowMainForm(bool) override {}
  void HideApplicationWindow() override;

  int TrackPopup(const std::vector<MenuEntry>& entries, TPoint at) override;

 private:
  static LRESULT CALLBACK HandlerProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK OwnerProc(HWND, UINT, WPARAM, LPARAM);

  ApplicationWindow& application_;
  std::function<void(std::uint32_t, std::uint32_t)> onCallback_;
};

// Common-controls version as major * 65536 + minor; 0 when it cannot be read.
std::uint32_t CommonControlsVersion();
// The same, read from the library file without loading it.
std::uint32_t CommonControlsFileVersion();

}  // namespace vimo
