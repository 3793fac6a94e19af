#pragma once
// The tray icon component: one icon in the notification area, with the shell's
// notifications turned into events. All instances share one hidden handler window.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "components/FreeNotifier.h"
#include "components/LiteTimer.h"
#include "platform/MouseButton.h"
#include "platform/TrayShell.h"

namespace vimo {

class TPopupMenu;
class TTrayIcon;

using TShiftState = std::uint32_t;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;
inline constexpr TShiftState ssLeft = 8;
inline constexpr TShiftState ssRight = 0x10;
inline constexpr TShiftState ssMiddle = 0x20;
inline constexpr TShiftState ssDouble = 0x40;

// An image list as the component reads it.
class TImageSource : public TFreeNotifier {
 public:
  virtual int Count() const = 0;
  // A new icon of the image; the caller owns it. 0 when it cannot be made.
  virtual NativeHandle GetIcon(int index) const = 0;
};

// The callback message of every tray icon.
inline constexpr std::uint32_t kTrayCallbackMessage = 0x800;
inline constexpr std::uint32_t kNotifyIconDataV2Size = 936;  // the wide record old shells know

class TTrayIconHandler {
 public:
  TTrayIconHandler(const TTrayIconHandler&) = delete;
  TTrayIconHandler& operator=(const TTrayIconHandler&) = delete;

  static TTrayIconHandler* Current() { return current_; }
  static TTrayIconHandler& Acquire();
  static void ReleaseHandler();
  int RefCount() const { return refCount_; }
  NativeHandle Window() const { return window_; }
  TrayShell& Shell() const { return shell_; }

  void Register(TTrayIcon* icon);
  void Unregister(TTrayIcon* icon);
  // The callback message: wParam names the instance, lParam the notification.
  void Callback(std::uint32_t id, std::uint32_t event);

 private:
  explicit TTrayIconHandler(TrayShell& shell);
  ~TTrayIconHandler();

  static TTrayIconHandler* current_;
  TrayShell& shell_;
  NativeHandle window_ = 0;
  int refCount_ = 0;
  // Looked up rather than cast: a notification may still be queued for an icon
  // destroyed since, and a 64-bit address does not fit the record's 32-bit uID.
  std::map<std::uint32_t, TTrayIcon*> icons_;
};

class TTrayIcon {
 public:
  using TNotifyEvent = std::function<void(TTrayIcon& sender)>;
  using TMouseEvent = std::function<void(TTrayIcon& sender, TMouseButton button, TShiftState shift, int x, int y)>;
  using TMouseMoveEvent = std::function<void(TTrayIcon& sender, TShiftState shift, int x, int y)>;
  using TCycleEvent = std::function<void(TTrayIcon& sender, int nextIndex)>;
  using TStartupEvent = std::function<void(TTrayIcon& sender, bool& showMainForm)>;

  // `owner` is the owner form's window (0 when the owner is not a windowed control).
  // With `loading`, IconVisible, CycleIcons and WantEnterExitEvents are only stored
  // until Loaded() applies them, as when a form resource is read.
  explicit TTrayIcon(NativeHandle owner = 0, bool loading = false);
  virtual ~TTrayIcon();
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

  // The framework's "loaded" step, after the owner's resource has been read.
  void Loaded();

  // Published properties.
  bool DesignPreview = false;
  TImageSource* IconList() const { return iconList_; }
  void SetIconList(TImageSource* list);
  bool CycleIcons() const { return cycleIcons_; }
  void SetCycleIcons(bool value);
  std::uint32_t CycleInterval() const { return cycleInterval_; }
  void SetCycleInterval(std::uint32_t value);
  bool Enabled = true;
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  NativeHandle Icon() const { return icon_; }
  // Copies the given icon into the component's own icon.
  void SetIcon(NativeHandle icon);
  bool IconVisible() const { return iconVisible_; }
  void SetIconVisible(bool value);
  std::int32_t IconIndex() const { return iconIndex_; }
  void SetIconIndex(std::int32_t value);
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);
  bool LeftPopup = false;
  bool WantEnterExitEvents() const { return wantEnterExit_; }
  void SetWantEnterExitEvents(bool value);
  bool MinimizeToTray = false;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;
  TCycleEvent OnCycle;
  TNotifyEvent OnBalloonHintShow;
  TNotifyEvent OnBalloonHintHide;
  TNotifyEvent OnBalloonHintTimeout;
  TNotifyEvent OnBalloonHintClick;
  TNotifyEvent OnMinimizeToTray;
  TStartupEvent OnStartup;

  // Not published: 0 is the old notification protocol, 1 the version 3 one.
  std::uint8_t ShellBehaviour() const { return shellBehaviour_; }
  void SetShellBehaviour(std::uint8_t value);

  virtual bool ShowIcon();
  virtual bool HideIcon();
  virtual bool ModifyIcon();
  // IconKind 0..3 (none, info, warning, error), TimeoutSecs 0..255.
  bool ShowBalloonHint(const std::string& title, const std::string& text, int iconKind, int timeoutSecs);
  bool HideBalloonHint();

  // The handler's window: owner for shell dialogs.
  NativeHandle Handle() const;
  const NotifyIconData& NotifyData() const { return notifyData_; }
  std::uint32_t Id() const { return notifyData_.uID; }

  // Entry points of the handler window and the hooks.
  void HandleCallback(std::uint32_t event);
  void MainWindowMessage(const WindowMessage& msg);
  bool OwnerMessage(const WindowMessage& msg, std::intptr_t& result);

 protected:
  virtual void Click();
  virtual void DblClick();
  virtual void Cycle(int nextIndex);
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseEnter();
  virtual void MouseExit();
  virtual void DoMinimizeToTray();

 private:
  void FillIconData();
  TShiftState CurrentShiftState();
  TPoint CursorPos();
  void PopupAtCursor();
  void CycleStep();
  void ClickWaitEnd();
  void LeaveCheck();
  void HideMainForm();
  void ReplaceIcon(NativeHandle owned);
  void Startup();

  TTrayIconHandler* handler_;
  TrayShell& shell_;
  NativeHandle owner_;
  bool loading_;

  TImageSource* iconList_ = nullptr;
  TPopupMenu* popupMenu_ = nullptr;
  bool cycleIcons_ = false;
  std::uint32_t cycleInterval_ = 0;
  std::string hint_;
  bool showHint_ = true;
  NativeHandle icon_ = 0;
  bool iconVisible_ = false;
  bool inTray_ = false;  // since the last ShowIcon, until HideIcon
  std::int32_t iconIndex_ = 0;
  bool wantEnterExit_ = false;

  NotifyIconData notifyData_;
  std::unique_ptr<TLiteTimer> cyclingTimer_;
  std::unique_ptr<TLiteTimer> clickWaitTimer_;
  std::unique_ptr<TLiteTimer> leaveCheckTimer_;
  bool leftButtonDown_ = false;
  bool clickPending_ = false;
  bool doubleClickSeen_ = false;
  bool cursorOutside_ = true;
  TPoint lastMovePos_;
  std::uint8_t shellBehaviour_ = 0;
  bool startupPending_ = true;
  int mainWindowHook_ = 0;
};

}  // namespace vimo
