#include "actions/ActionRunner.h"

#include <vector>

#include "model/ActionKinds.h"
#include "model/Model.h"
#include "model/SettingsRegistry.h"
#include "platform/Platform.h"

namespace vimo {

namespace {

constexpr std::uint32_t kWmClose = 0x10;
constexpr std::uint32_t kWmSysCommand = 0x112;
constexpr std::uintptr_t kScScreenSave = 0xF140;
constexpr std::uint8_t kVkLWin = 0x5B;
constexpr std::uint8_t kVkD = 0x44;

// Frees an item-id list when the scope ends, also when a shell call raised.
class TItemIdListGuard {
 public:
  explicit TItemIdListGuard(void* list) : list_(list) {}
  TItemIdListGuard(const TItemIdListGuard&) = delete;
  TItemIdListGuard& operator=(const TItemIdListGuard&) = delete;
  ~TItemIdListGuard() { FreeItemIdList(list_); }

 private:
  void* list_;
};

// Closes the process token on every path out of the privilege step.
class TTokenGuard {
 public:
  TTokenGuard(SessionControl& session, void* token) : session_(session), token_(token) {}
  TTokenGuard(const TTokenGuard&) = delete;
  TTokenGuard& operator=(const TTokenGuard&) = delete;
  ~TTokenGuard() { session_.CloseToken(token_); }

 private:
  SessionControl& session_;
  void* token_;
};

const char* VerbFor(bool explore) { return explore ? "explore" : "open"; }

// The name the user knows a shell place by, for an error box.
std::string PlaceName(int folderId) {
  const std::pair<int, std::int32_t> kinds[] = {{csidlDrives, akMyComputer},       {csidlNetwork, akMyNetworkPlaces},
                                                {csidlPersonal, akMyDocuments},    {csidlFavorites, akFavorites},
                                                {csidlBitBucket, akRecycleBin},    {csidlControls, akControlPanel},
                                                {csidlPrinters, akPrintersAndFaxes}};
  for (auto [id, kind] : kinds)
    if (id == folderId)
      if (const TActionKind* k = FindActionKind(kind)) return k->Name;
  return {};
}

bool IsPopupKind(std::int32_t kind) {
  return kind == akCalendar || kind == akWorldTime || kind == akSunTimeMap || kind == akClipHistory ||
         kind == akClipCollection;
}

}  // namespace

int ShowCommandFor(int execWindowState) {
  if (execWindowState < 0 || execWindowState >= static_cast<int>(ShowCommands.size())) return ShowCommands[0];
  return ShowCommands[execWindowState];
}

bool EnableShutdownPrivilege() {
  SessionControl& session = *Platform().session;
  void* token = session.OpenProcessToken(kTokenAdjustPrivilegesQuery);
  if (!token) return false;
  TTokenGuard guard(session, token);
  TLuid luid;
  session.LookupPrivilege("SeShutdownPrivilege", luid);  // a failed lookup fails the adjustment
  return session.AdjustTokenPrivilege(token, luid, kSePrivilegeEnabled);
}

void FreeItemIdList(void* idList) {
  if (!idList || idList == reinterpret_cast<void*>(static_cast<std::intptr_t>(-1))) return;
  try {
    Platform().shell->FreeWithShellAllocator(idList);
  } catch (...) {
    // Freeing runs on error paths too; a second error there must not replace the first.
  }
}

bool BrowseForFolder(void* owner, std::string& path) {
  Shell& shell = *Platform().shell;
  TBrowseInfo info;
  info.owner = owner;
  info.title = "Choose folder";
  info.flags = kBifReturnOnlyFsDirsAndAncestors;
  info.initialPath = path;
  void* list = shell.BrowseForFolder(info);
  if (!list) return false;
  TItemIdListGuard guard(list);
  // A choice without a file-system path is no choice: the caller keeps its path.
  return shell.PathFromIdList(list, path);
}

TActionRunner::TActionRunner(TPopupService& popups, TActionWindows windows)
    : popups_(popups), windows_(std::move(windows)) {}

void* TActionRunner::ApplicationWindow() const {
  return windows_.application ? windows_.application() : nullptr;
}

void TActionRunner::RunAction(int placement, const TActionRecord& action) {
  const TActionRecord a = action;
  // While a pop-up of ours is open the window in front is ours: a pop-up action then
  // only brings it forward, and its pick must still go where the pop-up came from.
  if (!(ActivePopup && IsPopupKind(a.Action))) TargetWindow = Platform().windows->ForegroundWindow();
  const int show = ShowCommandFor(a.ExecWindowState);
  const bool explore = a.FolderMode == 1;
  switch (a.Action) {
    case akCalendar:
    case akWorldTime:
    case akSunTimeMap:
      OpenPopup(placement, a.Action);
      break;
    case akClipHistory:
    case akClipCollection:
      ShowClipPopup(placement, a.Action);
      break;
    case akApplication:
      Platform().shell->Execute(ApplicationWindow(), "open", a.ExecPath, a.ExecParams, show);  // failure is silent
      break;
    case akFolder:
      OpenFolderPath(a.ExecPath, show, explore);
      break;
    case akMyComputer:
      OpenShellFolder(csidlDrives, show, explore);
      break;
    case akMyNetworkPlaces:
      OpenShellFolder(csidlNetwork, show, explore);
      break;
    case akMyDocuments:
      OpenShellFolder(csidlPersonal, show, explore);
      break;
    case akFavorites:
      OpenShellFolder(csidlFavorites, show, explore);
      break;
    case akRecycleBin:
      OpenShellFolder(csidlBitBucket, show, explore);
      break;
    case akControlPanel:
      OpenShellFolder(csidlControls, show, explore);
      break;
    case akPrintersAndFaxes:
      OpenShellFolder(csidlPrinters, show, explore);
      break;
    case akRunDialog:
      Platform().shell->OrdinalDialog(61, windows_.trayMessageWindow ? windows_.trayMessageWindow() : nullptr);
      break;
    case akFindFiles:
      Platform().shell->OrdinalDialog(90, nullptr);
      break;
    case akFindComputer:
      Platform().shell->OrdinalDialog(91, nullptr);
      break;
    case akScreenSaver:
      Platform().windows->SendMessageTo(ApplicationWindow(), kWmSysCommand, kScScreenSave, 0);
      break;
    case akToggleDesktop:
      ToggleDesktop();
      break;
    case akLogOff:
      ExitSession(ewxLogOff);
      break;
    case akSleep:
      SuspendMachine(false);
      break;
    case akHibernate:
      SuspendMachine(true);
      break;
    case akReboot:
      ExitSession(ewxReboot);
      break;
    case akShutdown:
      ExitSession(ewxShutdown);
      break;
    case akPowerOff:
      ExitSession(ewxPowerOff);
      break;
    case akTurnOffDialog: {
      // Closing the program manager window makes the shell offer to turn the computer off.
      void* progman = Platform().windows->FindTopWindow("Progman", "Program Manager");
      if (progman) Platform().windows->SendMessageTo(progman, kWmClose, 0, 0);
      break;
    }
    case akOpenCdRom:
      Platform().shell->MciSendString("Set cdaudio door open wait");
      break;
    case akCloseCdRom:
      Platform().shell->MciSendString("Set cdaudio door closed wait");
      break;
    default:
      break;
  }
}

void TActionRunner::OpenPopup(int placement, std::int32_t kind) {
  if (ActivePopup) {
    popups_.BringToFront(ActivePopup);
    return;
  }
  const int corner = placement & plCornerMask;
  TForm* form = kind == akCalendar    ? popups_.CreateCalendar(corner)
                : kind == akWorldTime ? popups_.CreateWorldTime(corner)
                                      : popups_.CreateTimeMap(corner);
  ShowNewPopup(form, [&](TForm* f) {
    if (placement & plTrayClick) PlaceAtCursor(f);
  });
}

void TActionRunner::ShowNewPopup(TForm* form, const std::function<void(TForm*)>& beforeShow) {
  if (!form) return;
  ActivePopup = form;
  try {
    beforeShow(form);
    popups_.Show(form);
  } catch (...) {
    // A pop-up that could not be shown must not hold the slot: every later pop-up
    // action would only try to bring it to the front.
    if (ActivePopup == form) ActivePopup = nullptr;
    try {
      popups_.Free(form);
    } catch (...) {
    }
    throw;
  }
}

void TActionRunner::PlaceAtCursor(TForm* form) {
  const TPoint cursor = Platform().cursorScreen->CursorPos();
  const TRect r = popups_.Bounds(form);
  popups_.MoveTo(form, cursor.x - r.Width(), cursor.y - r.Height());
}

TPoint TActionRunner::ClipPopupAnchor(int placement, int& corner) {
  corner = 0;
  if ((placement & plHotKey) && ShowInEditor) {
    WindowControl& windows = *Platform().windows;
    TRect r;
    if (void* focus = windows.FocusWindow(); focus && windows.WindowRect(focus, r)) return {r.left, r.top};
    // No focused control in the foreground application: the hot keys' corner.
  }
  CursorScreen& screen = *Platform().cursorScreen;
  const int at = placement & plCornerMask;
  if (at >= cnLeftTop && at <= cnRightBottom) corner = at;
  switch (at) {
    case cnLeftTop:
      return {0, 0};
    case cnLeftBottom:
      return {0, screen.ScreenHeight()};
    case cnRightTop:
      return {screen.ScreenWidth(), 0};
    case cnRightBottom:
      return {screen.ScreenWidth(), screen.ScreenHeight()};
    default:
      // No corner to go to: open where the user is looking, at the pointer.
      return screen.CursorPos();
  }
}

void TActionRunner::ShowClipPopup(int placement, int kind) {
  if (kind == akClipHistory && DisableHistory) return;
  if (ActivePopup) {
    popups_.BringToFront(ActivePopup);
    return;
  }
  TargetWindow = Platform().windows->ForegroundWindow();
  int corner = 0;
  const TPoint anchor = ClipPopupAnchor(placement, corner);
  TForm* form = popups_.CreateClipPopup(anchor, placement, kind == akClipCollection, corner);
  ShowNewPopup(form, [](TForm*) {});
}

void TActionRunner::OpenShellFolder(int folderId, int showCommand, bool explore) {
  Shell& shell = *Platform().shell;
  void* app = ApplicationWindow();
  void* list = shell.SpecialFolderLocation(app, folderId);
  if (!list) return;
  TItemIdListGuard guard(list);
  TShellExecuteInfo info;
  info.fMask = kSeeMaskIdListClassName | kSeeMaskFlagNoUi;
  info.hwnd = app;
  info.verb = VerbFor(explore);
  info.idList = list;
  info.className = "folder";
  info.nShow = showCommand;
  if (!shell.ExecuteEx(info)) ShowExecuteError(PlaceName(folderId));
}

void TActionRunner::OpenFolderPath(const std::string& path, int showCommand, bool explore) {
  TShellExecuteInfo info;
  info.fMask = kSeeMaskFlagNoUi;
  info.hwnd = ApplicationWindow();
  info.verb = VerbFor(explore);
  info.file = path;
  info.nShow = showCommand;
  if (!Platform().shell->ExecuteEx(info)) ShowExecuteError(path);
}

void TActionRunner::ShowExecuteError(const std::string& what) {
  Shell& shell = *Platform().shell;
  const std::string reason = shell.ErrorText(shell.LastExecuteError());
  Platform().messageBoxes->Show(ApplicationWindow(), what + "\r" + reason, kApplicationTitle, kMbIconError);
}

void TActionRunner::ToggleDesktop() {
  KeyInjection& keys = *Platform().keyInjection;
  auto send = [&](std::uint8_t key, std::uint32_t flags) {
    keys.KeybdEvent(key, static_cast<std::uint8_t>(keys.ScanCodeOf(key)), flags, kInjectedKeyMark);
  };
  // Ctrl, Alt or Shift still held from the trigger would turn Win+D into another
  // combination: lift them first and put them back after, as they were.
  std::vector<std::uint8_t> held;
  for (int vk : {kVkControl, kVkMenu, kVkShift})
    if (Platform().keyboard && Platform().keyboard->IsKeyDown(vk)) held.push_back(static_cast<std::uint8_t>(vk));
  for (std::uint8_t vk : held) send(vk, kKeyEventKeyUp);
  send(kVkLWin, 0);
  send(kVkD, 0);
  send(kVkD, kKeyEventKeyUp);
  send(kVkLWin, kKeyEventKeyUp);
  for (std::uint8_t vk : held) send(vk, 0);
}

void TActionRunner::ExitSession(std::uint32_t flags) {
  if (EnableShutdownPrivilege()) Platform().session->ExitWindowsEx(flags);
}

void TActionRunner::SuspendMachine(bool hibernate) {
  if (!EnableShutdownPrivilege()) return;
  SessionControl& session = *Platform().session;
  // Current systems may refuse the old call; powrprof's call then does the same job.
  if (!session.SetSystemPowerState(!hibernate, false)) session.SetSuspendState(hibernate, false, false);
}

}  // namespace vimo
