#pragma once
// The window-event hook component: a system-wide accessibility event hook while
// Active, with each reported event turned into a typed component event.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/WinEvents.h"

namespace vimo {

enum TSystemAlert { saUnknown, saInformation, saWarning, saError, saQuestion, saCritical, saSystem };
enum TMenuType { mtUnknown, mtSystem, mtWindow, mtContext };
enum TScrollingType { stVertical, stHorizontal };

using TMsgDlgButtons = std::uint32_t;
inline constexpr TMsgDlgButtons mbYes = 1;
inline constexpr TMsgDlgButtons mbNo = 2;
inline constexpr TMsgDlgButtons mbOK = 4;
inline constexpr TMsgDlgButtons mbCancel = 8;
inline constexpr TMsgDlgButtons mbAbort = 0x10;
inline constexpr TMsgDlgButtons mbRetry = 0x20;
inline constexpr TMsgDlgButtons mbIgnore = 0x40;
inline constexpr TMsgDlgButtons mbAll = 0x80;
inline constexpr TMsgDlgButtons mbNoToAll = 0x100;
inline constexpr TMsgDlgButtons mbYesToAll = 0x200;
inline constexpr TMsgDlgButtons mbHelp = 0x400;

inline constexpr std::uint32_t kWinEventSkipOwnThread = 1;
inline constexpr std::uint32_t kWinEventSkipOwnProcess = 2;
inline constexpr std::int32_t kObjIdCursor = -9;

TMenuType MenuTypeFromObjectId(std::int32_t objectId);
TScrollingType ScrollingTypeFromObjectId(std::int32_t objectId);
// The button a message box's control id stands for; 0 for other ids.
TMsgDlgButtons ButtonFromControlId(std::int32_t id);

class TCustomWinEvent;

// Every instance whose Active is true, in the order they became active.
std::vector<TCustomWinEvent*>& ActiveWinEvents();

class TCustomWinEvent {
 public:
  using TWinEventHookEvent = std::function<void(TCustomWinEvent& sender, std::uint32_t event, WindowHandle window,
                                                std::int32_t objectId, std::int32_t childId, std::uint32_t threadId,
                                                std::uint32_t eventTime, bool& enable)>;
  using TSystemAlertEvent = std::function<void(TCustomWinEvent& sender, TSystemAlert alert, WindowHandle mbHandle,
                                               const std::string& boxCaption, const std::string& messageText,
                                               TMsgDlgButtons buttons)>;
  using TWindowEvent = std::function<void(TCustomWinEvent& sender, WindowHandle windowHandle)>;
  using TMenuEvent = std::function<void(TCustomWinEvent& sender, WindowHandle windowHandle, TMenuType menuType)>;
  using TMenuPopupEvent = std::function<void(TCustomWinEvent& sender, WindowHandle menuHandle)>;
  using TScrollingEvent =
      std::function<void(TCustomWinEvent& sender, WindowHandle windowHandle, TScrollingType scrollingType)>;
  using TObjectEvent = std::function<void(TCustomWinEvent& sender, WindowHandle objectHandle, std::int32_t objectId,
                                          std::int32_t childId)>;

  TCustomWinEvent() = default;
  virtual ~TCustomWinEvent();
  TCustomWinEvent(const TCustomWinEvent&) = delete;
  TCustomWinEvent& operator=(const TCustomWinEvent&) = delete;

  bool Active() const { return active_; }
  void SetActive(bool value);
  bool SkipOwnProcess() const { return skipOwnProcess_; }
  void SetSkipOwnProcess(bool value);
  bool SkipOwnThread() const { return skipOwnThread_; }
  void SetSkipOwnThread(bool value);
  WinEventHookHandle HookHandle() const { return hook_; }

  // The system's callback: every active instance with this hook gets the event.
  static void HookCallback(WinEventHookHandle hook, std::uint32_t event, WindowHandle window, std::int32_t objectId,
                           std::int32_t childId, std::uint32_t threadId, std::uint32_t eventTime);

  virtual void Dispatch(std::uint32_t event, WindowHandle window, std::int32_t objectId, std::int32_t childId,
                        std::uint32_t threadId, std::uint32_t eventTime);

  TWinEventHookEvent OnWinEvent;
  TSystemAlertEvent OnSystemAlert;
  TWindowEvent OnForegroundWindow;
  TMenuEvent OnMenuStart;
  TMenuEvent OnMenuEnd;
  TMenuPopupEvent OnMenuPopupStart;
  TMenuPopupEvent OnMenuPopupEnd;
  TWindowEvent OnCaptureStart;
  TWindowEvent OnCaptureEnd;
  TWindowEvent OnMoveSizeStart;
  TWindowEvent OnMoveSizeEnd;
  TWindowEvent OnContextHelpStart;
  TWindowEvent OnContextHelpEnd;
  TScrollingEvent OnScrollingStart;
  TScrollingEvent OnScrollingEnd;
  TWindowEvent OnSwitchStart;
  TWindowEvent OnSwitchEnd;
  TWindowEvent OnMinimizeStart;
  TWindowEvent OnMinimizeEnd;
  TObjectEvent OnObjectCreate;
  TObjectEvent OnObjectDestroy;
  TObjectEvent OnObjectShow;
  TObjectEvent OnObjectHide;
  TObjectEvent OnObjectReorder;
  TObjectEvent OnObjectFocus;
  TObjectEvent OnObjectSelection;
  TObjectEvent OnObjectSelectionAdd;
  TObjectEvent OnObjectSelectionRemove;
  TObjectEvent OnObjectSelectionWithin;
  TObjectEvent OnObjectStateChange;
  TObjectEvent OnObjectLocationChange;
  TObjectEvent OnObjectNameChange;
  TObjectEvent OnObjectValueChange;

 protected:
  virtual void SystemAlert(std::int32_t childId, WindowHandle window);
  void WindowEvent(const TWindowEvent& event, WindowHandle window);
  void MenuEvent(const TMenuEvent& event, WindowHandle window, std::int32_t objectId);
  void MenuPopupEvent(const TMenuPopupEvent& event, WindowHandle menu);
  void ScrollingEvent(const TScrollingEvent& event, WindowHandle window, std::int32_t objectId);
  void ObjectEvent(const TObjectEvent& event, WindowHandle window, std::int32_t objectId, std::int32_t childId);

 private:
  static WinEventService& Service();
  std::uint32_t HookFlags() const;
  void Rehook(bool& field, bool value);

  bool active_ = false;
  bool skipOwnProcess_ = false;
  bool skipOwnThread_ = false;
  WinEventHookHandle hook_ = 0;
};

// The published form; the behaviour is all in TCustomWinEvent.
class TWinEvent : public TCustomWinEvent {};

}  // namespace vimo
