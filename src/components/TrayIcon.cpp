#include "components/TrayIcon.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "components/PopupMenu.h"
#include "platform/Platform.h"
#include "platform/Utf.h"

namespace vimo {
namespace {

// Window messages and notifications the component reacts to (winuser.h, shellapi.h).
constexpr std::uint32_t kWmSize = 0x05;
constexpr std::uint32_t kWmShowWindow = 0x18;
constexpr std::uint32_t kWmWindowPosChanged = 0x47;
constexpr std::uint32_t kWmContextMenu = 0x7B;
constexpr std::uint32_t kWmSysCommand = 0x112;
constexpr std::uint32_t kWmMouseMove = 0x200;
constexpr std::uint32_t kWmLButtonDown = 0x201;
constexpr std::uint32_t kWmLButtonUp = 0x202;
constexpr std::uint32_t kWmLButtonDblClk = 0x203;
constexpr std::uint32_t kWmRButtonDown = 0x204;
constexpr std::uint32_t kWmRButtonUp = 0x205;
constexpr std::uint32_t kWmRButtonDblClk = 0x206;
constexpr std::uint32_t kWmMButtonDown = 0x207;
constexpr std::uint32_t kWmMButtonUp = 0x208;
constexpr std::uint32_t kNinSelect = 0x400;
constexpr std::uint32_t kNinKeySelect = 0x401;
constexpr std::uint32_t kNinBalloonShow = 0x402;
constexpr std::uint32_t kNinBalloonHide = 0x403;
constexpr std::uint32_t kNinBalloonTimeout = 0x404;
constexpr std::uint32_t kNinBalloonUserClick = 0x405;
constexpr std::uintptr_t kSizeMinimized = 1;
constexpr std::uintptr_t kScMinimize = 0xF020;
constexpr std::uintptr_t kScRestore = 0xF120;
constexpr std::int32_t kLeaveCheckInterval = 20;

// Copies the whole characters that fit `maxUnits` UTF-16 units of the wide field and
// always terminates.
template <std::size_t N>
void CopyText(char (&field)[N], const std::string& text, std::size_t maxUnits) {
  std::memset(field, 0, N);
  std::string_view part = Utf16Prefix(text, maxUnits);
  std::memcpy(field, part.data(), std::min(part.size(), N - 1));
}

}  // namespace

TTrayIconHandler* TTrayIconHandler::current_ = nullptr;

TTrayIconHandler::TTrayIconHandler(TrayShell& shell) : shell_(shell) {
  window_ = shell_.CreateHandlerWindow([this](std::uint32_t id, std::uint32_t event) { Callback(id, event); });
}

TTrayIconHandler::~TTrayIconHandler() { shell_.DestroyHandlerWindow(window_); }

TTrayIconHandler& TTrayIconHandler::Acquire() {
  if (!current_) {
    TrayShell* shell = Platform().trayShell;
    if (!shell) throw std::logic_error("No tray shell installed");
    current_ = new TTrayIconHandler(*shell);
  }
  ++current_->refCount_;
  return *current_;
}

void TTrayIconHandler::ReleaseHandler() {
  if (!current_) return;
  if (current_->refCount_ > 0) --current_->refCount_;
  if (current_->refCount_ == 0) {
    delete current_;
    current_ = nullptr;
  }
}

void TTrayIconHandler::Register(TTrayIcon* icon) { icons_[icon->Id()] = icon; }

void TTrayIconHandler::Unregister(TTrayIcon* icon) {
  auto it = icons_.find(icon->Id());
  if (it != icons_.end() && it->second == icon) icons_.erase(it);
}

void TTrayIconHandler::Callback(std::uint32_t id, std::uint32_t event) {
  auto it = icons_.find(id);
  if (it != icons_.end()) it->second->HandleCallback(event);
}

TTrayIcon::TTrayIcon(NativeHandle owner, bool loading)
    : handler_(&TTrayIconHandler::Acquire()), shell_(handler_->Shell()), owner_(owner), loading_(loading) {
  try {
    notifyData_.cbSize = kNotifyIconDataV2Size;
    notifyData_.hWnd = handler_->Window();
    notifyData_.uID = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(this));
    notifyData_.uFlags = kNifMessage | kNifIcon | kNifTip;
    notifyData_.uCallbackMessage = kTrayCallbackMessage;

    cyclingTimer_ = std::make_unique<TLiteTimer>(1000, [this](TLiteTimer&) { CycleStep(); });
    clickWaitTimer_ = std::make_unique<TLiteTimer>(1000, [this](TLiteTimer&) { ClickWaitEnd(); });
    leaveCheckTimer_ = std::make_unique<TLiteTimer>(kLeaveCheckInterval, [this](TLiteTimer&) { LeaveCheck(); });
    cursorOutside_ = true;

    mainWindowHook_ = shell_.HookMainWindow([this](const WindowMessage& m) { MainWindowMessage(m); });
    if (owner_)
      shell_.SubclassOwner(owner_, [this](const WindowMessage& m, std::intptr_t& result) { return OwnerMessage(m, result); });
    handler_->Register(this);
  } catch (...) {
    if (mainWindowHook_) shell_.UnhookMainWindow(mainWindowHook_);
    TTrayIconHandler::ReleaseHandler();
    throw;
  }
}

TTrayIcon::~TTrayIcon() {
  if (iconList_) iconList_->RemoveFreeNotification(this);
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  HideIcon();
  handler_->Unregister(this);
  cyclingTimer_.reset();
  clickWaitTimer_.reset();
  leaveCheckTimer_.reset();
  ReplaceIcon(0);
  shell_.UnhookMainWindow(mainWindowHook_);
  if (owner_) shell_.RestoreOwner(owner_);
  TTrayIconHandler::ReleaseHandler();
}

void TTrayIcon::Loaded() {
  loading_ = false;
  if (owner_) Startup();
  ModifyIcon();
  SetIconVisible(iconVisible_);
  SetCycleIcons(cycleIcons_);
  SetWantEnterExitEvents(wantEnterExit_);
  SetShellBehaviour(shellBehaviour_);
}

void TTrayIcon::Startup() {
  bool showMainForm = true;
  if (OnStartup) OnStartup(*this, showMainForm);
  if (!showMainForm) {
    shell_.SetShowMainForm(false);
    HideMainForm();
  }
}

void TTrayIcon::SetShellBehaviour(std::uint8_t value) {
  shellBehaviour_ = value ? 1 : 0;
  NotifyIconData data = notifyData_;
  data.uTimeout = shellBehaviour_ ? 3 : 0;  // uVersion
  shell_.NotifyIcon(kNimSetVersion, data);
}

void TTrayIcon::SetIconList(TImageSource* list) {
  if (iconList_) iconList_->RemoveFreeNotification(this);
  iconList_ = list;
  if (iconList_) iconList_->FreeNotification(this, [this] { SetIconList(nullptr); });
  SetIconIndex(0);
}

void TTrayIcon::SetPopupMenu(TPopupMenu* menu) {
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (popupMenu_) popupMenu_->FreeNotification(this, [this] { popupMenu_ = nullptr; });
}

void TTrayIcon::SetCycleIcons(bool value) {
  cycleIcons_ = value;
  if (loading_) return;
  if (value) {
    SetIconIndex(0);
    cyclingTimer_->SetInterval(static_cast<std::int32_t>(cycleInterval_));
    cyclingTimer_->SetEnabled(true);
  } else {
    cyclingTimer_->SetEnabled(false);
  }
}

void TTrayIcon::SetCycleInterval(std::uint32_t value) {
  cycleInterval_ = value;
  SetCycleIcons(cycleIcons_);
}

void TTrayIcon::SetHint(const std::string& value) {
  hint_ = value;
  ModifyIcon();
}

void TTrayIcon::SetShowHint(bool value) {
  showHint_ = value;
  ModifyIcon();
}

void TTrayIcon::ReplaceIcon(NativeHandle owned) {
  if (icon_) shell_.DestroyIcon(icon_);
  icon_ = owned;
}

void TTrayIcon::SetIcon(NativeHandle icon) {
  ReplaceIcon(icon ? shell_.CopyIcon(icon) : 0);
  ModifyIcon();
}

void TTrayIcon::SetIconVisible(bool value) {
  if (loading_) {
    iconVisible_ = value;
    return;
  }
  if (value)
    ShowIcon();
  else
    HideIcon();
}

void TTrayIcon::SetIconIndex(std::int32_t value) {
  if (iconList_) {
    int count = iconList_->Count();
    // A negative index or an empty list would ask the image list for a missing image.
    if (value >= count) value = count - 1;
    if (value < 0) value = 0;
    iconIndex_ = value;
    ReplaceIcon(count > 0 ? iconList_->GetIcon(iconIndex_) : 0);
  } else {
    iconIndex_ = 0;
  }
  ModifyIcon();
}

void TTrayIcon::SetWantEnterExitEvents(bool value) {
  wantEnterExit_ = value;
  if (loading_) return;
  leaveCheckTimer_->SetEnabled(value);
}

NativeHandle TTrayIcon::Handle() const { return handler_->Window(); }

void TTrayIcon::FillIconData() {
  notifyData_.hIcon = icon_;
  if (!hint_.empty() && showHint_)
    CopyText(notifyData_.szTip, hint_, 127);
  else
    std::memset(notifyData_.szTip, 0, sizeof notifyData_.szTip);
}

bool TTrayIcon::ShowIcon() {
  iconVisible_ = true;
  inTray_ = true;
  FillIconData();
  return shell_.NotifyIcon(kNimAdd, notifyData_);
}

bool TTrayIcon::HideIcon() {
  iconVisible_ = false;
  if (!inTray_) return false;  // never added, or gone already
  inTray_ = false;
  return shell_.NotifyIcon(kNimDelete, notifyData_);
}

bool TTrayIcon::ModifyIcon() {
  FillIconData();
  // The shell would refuse it; the change goes out with the next ShowIcon.
  if (!inTray_) return false;
  return shell_.NotifyIcon(kNimModify, notifyData_);
}

bool TTrayIcon::ShowBalloonHint(const std::string& title, const std::string& text, int iconKind, int timeoutSecs) {
  HideBalloonHint();
  notifyData_.uFlags |= kNifInfo;
  CopyText(notifyData_.szInfo, text, 255);
  CopyText(notifyData_.szInfoTitle, title, 63);
  notifyData_.uTimeout = static_cast<std::uint32_t>(std::clamp(timeoutSecs, 0, 255)) * 1000;
  notifyData_.dwInfoFlags = static_cast<std::uint32_t>(std::clamp(iconKind, 0, 3));
  bool result = ModifyIcon();
  notifyData_.uFlags = kNifMessage | kNifIcon | kNifTip;
  return result;
}

bool TTrayIcon::HideBalloonHint() {
  notifyData_.uFlags |= kNifInfo;
  std::memset(notifyData_.szInfo, 0, sizeof notifyData_.szInfo);
  bool result = ModifyIcon();
  // The hide request is sent once; later tip changes must not repeat it.
  notifyData_.uFlags = kNifMessage | kNifIcon | kNifTip;
  return result;
}

TShiftState TTrayIcon::CurrentShiftState() {
  TShiftState shift = 0;
  if (shell_.IsKeyDown(kVkShift)) shift |= ssShift;
  if (shell_.IsKeyDown(kVkMenu)) shift |= ssAlt;
  if (shell_.IsKeyDown(kVkControl)) shift |= ssCtrl;
  return shift;
}

TPoint TTrayIcon::CursorPos() {
  TPoint p;
  shell_.GetCursorPos(p);
  return p;
}

void TTrayIcon::HandleCallback(std::uint32_t event) {
  switch (event) {
    case kNinBalloonShow:
      if (OnBalloonHintShow) OnBalloonHintShow(*this);
      return;
    case kNinBalloonHide:
      if (OnBalloonHintHide) OnBalloonHintHide(*this);
      return;
    case kNinBalloonTimeout:
      if (OnBalloonHintTimeout) OnBalloonHintTimeout(*this);
      return;
    case kNinBalloonUserClick:
      if (OnBalloonHintClick) OnBalloonHintClick(*this);
      return;
  }
  if (!Enabled) return;
  switch (event) {
    case kWmMouseMove: {
      if (wantEnterExit_ && cursorOutside_) {
        MouseEnter();
        cursorOutside_ = false;
      }
      TPoint p = CursorPos();
      MouseMove(CurrentShiftState(), p.x, p.y);
      lastMovePos_ = p;
      break;
    }
    case kWmLButtonDown: {
      if (OnDblClick) {
        clickWaitTimer_->SetInterval(static_cast<std::int32_t>(shell_.DoubleClickTime()));
        clickWaitTimer_->SetEnabled(true);
      }
      TPoint p = CursorPos();
      MouseDown(mbLeft, CurrentShiftState() | ssLeft, p.x, p.y);
      leftButtonDown_ = true;
      if (LeftPopup) PopupAtCursor();
      break;
    }
    case kWmLButtonUp: {
      if (leftButtonDown_) {
        clickPending_ = true;
        if (!clickWaitTimer_->Enabled()) {
          leftButtonDown_ = false;
          clickPending_ = false;
          Click();
        }
      }
      leftButtonDown_ = false;
      TPoint p = CursorPos();
      MouseUp(mbLeft, CurrentShiftState() | ssLeft, p.x, p.y);
      break;
    }
    case kWmLButtonDblClk:
      clickPending_ = false;
      doubleClickSeen_ = true;
      DblClick();
      if (popupMenu_ && popupMenu_->AutoPopup && !LeftPopup) popupMenu_->ClickDefault();
      break;
    // A second press soon after the first comes as a double click: it is a press all the
    // same, or the menu would not open again for someone who closed it and pressed again.
    case kWmRButtonDown:
    case kWmRButtonDblClk: {
      TPoint p = CursorPos();
      MouseDown(mbRight, CurrentShiftState() | ssRight, p.x, p.y);
      PopupAtCursor();
      break;
    }
    case kWmRButtonUp:
      if (shellBehaviour_ == 0) {
        TPoint p = CursorPos();
        MouseUp(mbRight, CurrentShiftState() | ssRight, p.x, p.y);
      }
      break;
    case kWmContextMenu:
    case kNinSelect:
    case kNinKeySelect:
      if (shellBehaviour_ == 1) {
        TPoint p = CursorPos();
        MouseUp(mbRight, CurrentShiftState() | ssRight, p.x, p.y);
      }
      break;
    case kWmMButtonDown: {
      TPoint p = CursorPos();
      MouseDown(mbMiddle, CurrentShiftState() | ssMiddle, p.x, p.y);
      break;
    }
    case kWmMButtonUp: {
      TPoint p = CursorPos();
      MouseUp(mbMiddle, CurrentShiftState() | ssMiddle, p.x, p.y);
      break;
    }
  }
}

void TTrayIcon::PopupAtCursor() {
  if (!popupMenu_ || !popupMenu_->AutoPopup) return;
  TPoint p;
  if (!shell_.GetCursorPos(p)) return;
  // The menu only closes on a click elsewhere when our window is in the foreground.
  shell_.ForegroundApplication();
  shell_.ProcessMessages();
  popupMenu_->PopupComponent = this;
  popupMenu_->Popup(p);
  // Lets the shell finish the menu's closing (the documented tray menu quirk).
  if (owner_) shell_.PostNullMessage(owner_);
}

void TTrayIcon::ClickWaitEnd() {
  clickWaitTimer_->SetEnabled(false);
  bool fire = clickPending_ && !doubleClickSeen_;
  // Cleared here so that a later press without a release cannot fire this click again.
  clickPending_ = false;
  doubleClickSeen_ = false;
  if (fire) Click();
}

void TTrayIcon::LeaveCheck() {
  if (cursorOutside_) return;
  TPoint p;
  if (!shell_.GetCursorPos(p)) return;
  if (p.x != lastMovePos_.x || p.y != lastMovePos_.y) {
    cursorOutside_ = true;
    MouseExit();
  }
}

void TTrayIcon::CycleStep() {
  if (!iconList_) return;
  int count = iconList_->Count();
  ReplaceIcon(count > 0 ? iconList_->GetIcon(iconIndex_) : 0);
  ModifyIcon();
  int next = iconIndex_ < count - 1 ? iconIndex_ + 1 : 0;
  Cycle(next);
  SetIconIndex(next);
}

void TTrayIcon::HideMainForm() {
  if (!owner_ || !shell_.HasMainForm()) return;
  shell_.SetMainFormVisible(false);
  shell_.HideApplicationWindow();
}

void TTrayIcon::DoMinimizeToTray() {
  if (OnMinimizeToTray) OnMinimizeToTray(*this);
  HideMainForm();
  ShowIcon();
}

void TTrayIcon::MainWindowMessage(const WindowMessage& msg) {
  if (msg.message == kWmSize && msg.wParam == kSizeMinimized && MinimizeToTray) {
    HideMainForm();
    ShowIcon();
  } else if (msg.message == kWmWindowPosChanged && startupPending_ && shell_.HasMainForm()) {
    if (shell_.MainFormIsMdiParent()) {
      bool showMainForm = true;
      if (OnStartup) OnStartup(*this, showMainForm);
      if (!showMainForm) shell_.HideApplicationWindow();
    }
    startupPending_ = false;
  } else if (msg.message == kWmSysCommand && (msg.wParam & 0xFFF0) == kScRestore) {
    if (shell_.HasMainForm()) shell_.SetMainFormVisible(true);
  }
  std::uint32_t taskbarCreated = shell_.TaskbarCreatedMessage();
  // Explorer restarted: the shell forgot our icon, so add it again.
  if (taskbarCreated != 0 && msg.message == taskbarCreated && iconVisible_) ShowIcon();
}

bool TTrayIcon::OwnerMessage(const WindowMessage& msg, std::intptr_t& result) {
  if (msg.message == kWmShowWindow && msg.wParam == 1 && msg.lParam == 0) {
    shell_.ForegroundApplication();
    shell_.SetForegroundWindow(owner_);
    return false;
  }
  bool parentClosing = msg.message == kWmShowWindow && msg.wParam == 0 && msg.lParam == 1 && !shell_.Terminating();
  bool minimize = msg.message == kWmSysCommand && (msg.wParam & 0xFFF0) == kScMinimize;
  if ((parentClosing || minimize) && MinimizeToTray && OnMinimizeToTray) {
    DoMinimizeToTray();
    result = 1;
    return true;
  }
  return false;
}

void TTrayIcon::Click() {
  if (OnClick) OnClick(*this);
}
void TTrayIcon::DblClick() {
  if (OnDblClick) OnDblClick(*this);
}
void TTrayIcon::Cycle(int nextIndex) {
  if (OnCycle) OnCycle(*this, nextIndex);
}
void TTrayIcon::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}
void TTrayIcon::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}
void TTrayIcon::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}
void TTrayIcon::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(*this);
}
void TTrayIcon::MouseExit() {
  if (OnMouseExit) OnMouseExit(*this);
}

}  // namespace vimo
