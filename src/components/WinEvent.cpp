#include "components/WinEvent.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Platform.h"

namespace vimo {
namespace {

constexpr std::int32_t kObjIdWindow = 0;
constexpr std::int32_t kObjIdSysMenu = -1;
constexpr std::int32_t kObjIdMenu = -3;
constexpr std::int32_t kObjIdVScroll = -5;

bool IsActive(TCustomWinEvent* instance) {
  auto& list = ActiveWinEvents();
  return std::find(list.begin(), list.end(), instance) != list.end();
}

}  // namespace

TMenuType MenuTypeFromObjectId(std::int32_t objectId) {
  switch (objectId) {
    case kObjIdWindow:
      return mtContext;
    case kObjIdSysMenu:
      return mtSystem;
    case kObjIdMenu:
      return mtWindow;
  }
  return mtUnknown;
}

TScrollingType ScrollingTypeFromObjectId(std::int32_t objectId) {
  return objectId == kObjIdVScroll ? stVertical : stHorizontal;
}

TMsgDlgButtons ButtonFromControlId(std::int32_t id) {
  switch (id) {
    case 1:
      return mbOK;
    case 2:
      return mbCancel;
    case 3:
      return mbAbort;
    case 4:
      return mbRetry;
    case 5:
      return mbIgnore;
    case 6:
      return mbYes;
    case 7:
      return mbNo;
    case 9:
      return mbHelp;
  }
  return 0;
}

std::vector<TCustomWinEvent*>& ActiveWinEvents() {
  static std::vector<TCustomWinEvent*> list;
  return list;
}

WinEventService& TCustomWinEvent::Service() {
  WinEventService* service = Platform().winEvents;
  if (!service) throw std::logic_error("No window-event service installed");
  return *service;
}

TCustomWinEvent::~TCustomWinEvent() {
  try {
    SetActive(false);
  } catch (...) {
    // Destruction must go on; an instance still listed would be a dangling pointer.
    auto& list = ActiveWinEvents();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
}

std::uint32_t TCustomWinEvent::HookFlags() const {
  if (skipOwnProcess_) return kWinEventSkipOwnProcess;
  if (skipOwnThread_) return kWinEventSkipOwnThread;
  return 0;
}

void TCustomWinEvent::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  auto& list = ActiveWinEvents();
  if (value) {
    hook_ = Service().Hook(HookFlags());
    list.push_back(this);
  } else {
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    WinEventHookHandle hook = hook_;
    hook_ = 0;
    if (hook) Service().Unhook(hook);
  }
}

void TCustomWinEvent::Rehook(bool& field, bool value) {
  if (field == value) return;
  bool wasActive = active_;
  SetActive(false);
  field = value;
  SetActive(wasActive);
}

void TCustomWinEvent::SetSkipOwnProcess(bool value) { Rehook(skipOwnProcess_, value); }
void TCustomWinEvent::SetSkipOwnThread(bool value) { Rehook(skipOwnThread_, value); }

void TCustomWinEvent::HookCallback(WinEventHookHandle hook, std::uint32_t event, WindowHandle window,
                                   std::int32_t objectId, std::int32_t childId, std::uint32_t threadId,
                                   std::uint32_t eventTime) {
  // A handler may deactivate or free instances: walk a copy and skip those gone since.
  std::vector<TCustomWinEvent*> snapshot = ActiveWinEvents();
  for (TCustomWinEvent* instance : snapshot)
    if (IsActive(instance) && instance->hook_ == hook && hook != 0)
      instance->Dispatch(event, window, objectId, childId, threadId, eventTime);
}

void TCustomWinEvent::Dispatch(std::uint32_t event, WindowHandle window, std::int32_t objectId, std::int32_t childId,
                               std::uint32_t threadId, std::uint32_t eventTime) {
  bool enable = true;
  if (OnWinEvent) OnWinEvent(*this, event, window, objectId, childId, threadId, eventTime, enable);
  if (!enable) return;
  switch (event) {
    case 0x02: SystemAlert(childId, window); break;
    case 0x03: WindowEvent(OnForegroundWindow, window); break;
    case 0x04: MenuEvent(OnMenuStart, window, objectId); break;
    case 0x05: MenuEvent(OnMenuEnd, window, objectId); break;
    case 0x06: MenuPopupEvent(OnMenuPopupStart, window); break;
    case 0x07: MenuPopupEvent(OnMenuPopupEnd, window); break;
    case 0x08: WindowEvent(OnCaptureStart, window); break;
    case 0x09: WindowEvent(OnCaptureEnd, window); break;
    case 0x0A: WindowEvent(OnMoveSizeStart, window); break;
    case 0x0B: WindowEvent(OnMoveSizeEnd, window); break;
    case 0x0C: WindowEvent(OnContextHelpStart, window); break;
    case 0x0D: WindowEvent(OnContextHelpEnd, window); break;
    case 0x12: ScrollingEvent(OnScrollingStart, window, objectId); break;
    case 0x13: ScrollingEvent(OnScrollingEnd, window, objectId); break;
    case 0x14: WindowEvent(OnSwitchStart, window); break;
    case 0x15: WindowEvent(OnSwitchEnd, window); break;
    case 0x16: WindowEvent(OnMinimizeStart, window); break;
    case 0x17: WindowEvent(OnMinimizeEnd, window); break;
    case 0x8000: ObjectEvent(OnObjectCreate, window, objectId, childId); break;
    case 0x8001: ObjectEvent(OnObjectDestroy, window, objectId, childId); break;
    case 0x8002: ObjectEvent(OnObjectShow, window, objectId, childId); break;
    case 0x8003: ObjectEvent(OnObjectHide, window, objectId, childId); break;
    case 0x8004: ObjectEvent(OnObjectReorder, window, objectId, childId); break;
    case 0x8005: ObjectEvent(OnObjectFocus, window, objectId, childId); break;
    case 0x8006: ObjectEvent(OnObjectSelection, window, objectId, childId); break;
    case 0x8007: ObjectEvent(OnObjectSelectionAdd, window, objectId, childId); break;
    case 0x8008: ObjectEvent(OnObjectSelectionRemove, window, objectId, childId); break;
    case 0x8009: ObjectEvent(OnObjectSelectionWithin, window, objectId, childId); break;
    case 0x800A: ObjectEvent(OnObjectStateChange, window, objectId, childId); break;
    case 0x800B: ObjectEvent(OnObjectLocationChange, window, objectId, childId); break;
    case 0x800C: ObjectEvent(OnObjectNameChange, window, objectId, childId); break;
    case 0x800E: ObjectEvent(OnObjectValueChange, window, objectId, childId); break;
    default: break;
  }
}

void TCustomWinEvent::SystemAlert(std::int32_t childId, WindowHandle window) {
  if (!OnSystemAlert) return;
  TSystemAlert alert = static_cast<TSystemAlert>(childId & 0xFF);
  // A low byte past saSystem is no alert kind the component knows.
  if (alert > saSystem) alert = saUnknown;
  TMsgDlgButtons buttons = 0;
  std::string messageText;
  for (const ChildWindowInfo& child : Service().ChildWindows(window)) {
    if (child.className == "Button")
      buttons |= ButtonFromControlId(child.controlId);
    else if (child.className == "Static" && messageText.empty() && !child.text.empty())
      messageText = child.text;
  }
  std::string caption = Service().WindowText(window);
  OnSystemAlert(*this, alert, window, caption, messageText, buttons);
}

void TCustomWinEvent::WindowEvent(const TWindowEvent& event, WindowHandle window) {
  if (event) event(*this, window);
}

void TCustomWinEvent::MenuEvent(const TMenuEvent& event, WindowHandle window, std::int32_t objectId) {
  if (event) event(*this, window, MenuTypeFromObjectId(objectId));
}

void TCustomWinEvent::MenuPopupEvent(const TMenuPopupEvent& event, WindowHandle menu) {
  if (event) event(*this, menu);
}

void TCustomWinEvent::ScrollingEvent(const TScrollingEvent& event, WindowHandle window, std::int32_t objectId) {
  if (event) event(*this, window, ScrollingTypeFromObjectId(objectId));
}

void TCustomWinEvent::ObjectEvent(const TObjectEvent& event, WindowHandle window, std::int32_t objectId,
                                  std::int32_t childId) {
  if (event) event(*this, window, objectId, childId);
}

}  // namespace vimo
