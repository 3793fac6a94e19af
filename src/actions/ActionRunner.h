#pragma once
// RunAction: the one dispatcher every launcher ends in, and its helpers.
#include <cstdint>
#include <functional>
#include <string>

#include "actions/Popups.h"
#include "model/ActionRecord.h"

namespace vimo {

// Placement code: the corner in bits 0..3, plus a flag for the trigger.
inline constexpr int plCornerMask = 0xF;
inline constexpr int plTrayClick = 0x10;
inline constexpr int plHotKey = 0x100;

// Shell folder ids (CSIDL_*).
enum : int {
  csidlControls = 3,
  csidlPrinters = 4,
  csidlPersonal = 5,
  csidlFavorites = 6,
  csidlBitBucket = 0x0A,
  csidlDrives = 0x11,
  csidlNetwork = 0x12,
};

// ExitWindowsEx flags.
enum : std::uint32_t { ewxLogOff = 0, ewxShutdown = 1, ewxReboot = 2, ewxPowerOff = 8 };

inline constexpr std::uint32_t kSeeMaskIdListClassName = 5;  // SEE_MASK_IDLIST | SEE_MASK_CLASSNAME
inline constexpr std::uint32_t kSeeMaskFlagNoUi = 0x400;     // SEE_MASK_FLAG_NO_UI
// dwExtraInfo of the key events the program sends itself.
inline constexpr std::uintptr_t kInjectedKeyMark = 0x56494D4F;
inline constexpr std::uint32_t kTokenAdjustPrivilegesQuery = 0x28;
inline constexpr std::uint32_t kSePrivilegeEnabled = 2;
inline constexpr std::uint32_t kBifReturnOnlyFsDirsAndAncestors = 9;

// The show command for a stored window state. States outside 0..2 (an edited
// registry) open normally, like state 0.
int ShowCommandFor(int execWindowState);

// Enables SeShutdownPrivilege for this process; the token is closed on every path.
bool EnableShutdownPrivilege();
// Frees an item-id list from the shell unless it is null or -1; errors are swallowed.
void FreeItemIdList(void* idList);
// The shell's folder browser; on a choice sets `path` and returns true.
bool BrowseForFolder(void* owner, std::string& path);

// The windows that shell calls name. Functions because they come to exist after the
// runner (the application window, the tray icon's message window).
struct TActionWindows {
  std::function<void*()> application;
  std::function<void*()> trayMessageWindow;
};

class TActionRunner {
 public:
  TActionRunner(TPopupService& popups, TActionWindows windows);

  // Runs a copy of `action`; sets TargetWindow first for every kind.
  void RunAction(int placement, const TActionRecord& action);

  void OpenShellFolder(int folderId, int showCommand, bool explore);
  void OpenFolderPath(const std::string& path, int showCommand, bool explore);
  void ShowClipPopup(int placement, int kind);
  void PlaceAtCursor(TForm* form);
  void ExitSession(std::uint32_t flags);
  void SuspendMachine(bool hibernate);
  // One box: what could not be opened, then the reason the shell call reported.
  void ShowExecuteError(const std::string& what);

  // Where the clip pop-up goes for this placement; `corner` is the screen corner the
  // anchor is, 0 when it is the pointer or the focused control.
  TPoint ClipPopupAnchor(int placement, int& corner);

 private:
  void OpenPopup(int placement, std::int32_t kind);
  // Stores a new pop-up in ActivePopup and shows it; a failure frees it and clears the slot.
  void ShowNewPopup(TForm* form, const std::function<void(TForm*)>& beforeShow);
  void ToggleDesktop();
  void* ApplicationWindow() const;

  TPopupService& popups_;
  TActionWindows windows_;
};

}  // namespace vimo
