#include "host/Launchers.h"

#include "actions/ActionRunner.h"
#include "components/TrayImages.h"
#include "components/WinEvent.h"
#include "model/ActionKinds.h"
#include "model/Model.h"
#include "platform/Platform.h"
#include "settings/SetupLogic.h"

namespace vimo {

void SplitShortcut(std::int32_t shortcut, std::uint32_t& modifiers, std::uint32_t& virtualKey) {
  const std::uint32_t code = static_cast<std::uint32_t>(shortcut) & 0xFFFF;
  modifiers = 0;
  if (code & scCtrl) modifiers |= kModControl;
  if (code & scShift) modifiers |= kModShift;
  if (code & scAlt) modifiers |= kModAlt;
  virtualKey = code & ~static_cast<std::uint32_t>(scShift | scCtrl | scAlt);
}

namespace {
int CornerCode(bool left, bool right, bool top, bool bottom) {
  if (left && top) return cnLeftTop;
  if (left && bottom) return cnLeftBottom;
  if (right && top) return cnRightTop;
  if (right && bottom) return cnRightBottom;
  return cnNone;
}

bool OnSomeMonitor(const std::vector<TRect>& monitors, TPoint p) {
  for (const TRect& m : monitors)
    if (m.Contains(p)) return true;
  return false;
}
}  // namespace

int DesktopCorner(const std::vector<TRect>& monitors, TPoint p, int zone) {
  if (monitors.empty()) return cnNone;
  if (monitors.size() == 1) {
    // No outer bound: beyond the screen still counts as its side.
    const TRect& m = monitors.front();
    const bool left = p.x < m.left + zone;
    const bool right = !left && p.x > m.right - 1 - zone;
    const bool top = p.y < m.top + zone;
    const bool bottom = !top && p.y > m.bottom - 1 - zone;
    return CornerCode(left, right, top, bottom);
  }
  for (const TRect& m : monitors) {
    if (!m.Contains(p)) continue;
    const bool left = p.x < m.left + zone;
    const bool right = !left && p.x > m.right - 1 - zone;
    const bool top = p.y < m.top + zone;
    const bool bottom = !top && p.y > m.bottom - 1 - zone;
    const int corner = CornerCode(left, right, top, bottom);
    if (corner == cnNone) return cnNone;
    // The corner pixel, and the pixels just beyond it sideways and up or down.
    const int x = left ? m.left : m.right - 1;
    const int y = top ? m.top : m.bottom - 1;
    const int outX = left ? x - 1 : x + 1;
    const int outY = top ? y - 1 : y + 1;
    if (OnSomeMonitor(monitors, {outX, y}) || OnSomeMonitor(monitors, {x, outY})) return cnNone;
    return corner;
  }
  return cnNone;
}

bool IsFullScreen(const TWindowShape& window, const std::vector<TRect>& monitors) {
  if (window.desktop) return false;
  const TRect& w = window.rect;
  for (const TRect& m : monitors) {
    if (w == m) return true;
    const bool covers = w.left <= m.left && w.top <= m.top && w.right >= m.right && w.bottom >= m.bottom;
    if (covers && !window.captioned) return true;
  }
  return false;
}

TPoint AtMonitorCorner(const TRect& laidOut, int corner, const TRect& primary, const TRect& monitor,
                       const TRect& workArea) {
  TRect r = laidOut;
  if (corner >= cnLeftTop && corner <= cnRightBottom) {
    const bool right = corner == cnRightTop || corner == cnRightBottom;
    const bool bottom = corner == cnLeftBottom || corner == cnRightBottom;
    const int dx = right ? monitor.right - primary.right : monitor.left - primary.left;
    const int dy = bottom ? monitor.bottom - primary.bottom : monitor.top - primary.top;
    r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
  }
  return KeptInside(r, workArea);
}

TLaunchers::TLaunchers(Timer& timCorner, TPopupService& popups, TLauncherEvents events)
    : timCorner_(timCorner), popups_(popups), events_(std::move(events)) {
  timCorner_.OnTimer = [this] { timCornerTimer(); };
}

void TLaunchers::SetTrayImage(int index) {
  if (events_.setTrayImage) events_.setTrayImage(index);
}

void TLaunchers::RegisterHotKeys(void* window) {
  HotKeyRegistrar& hotKeys = *Platform().hotKeys;
  failed_.clear();
  HotKeysTakenElsewhere.clear();
  for (int i = 0; i < HotKeyList->Count(); ++i) {
    TActionRecord* record = HotKeyList->ActionAt(i);
    std::uint32_t modifiers, key;
    SplitShortcut(record->HotKey, modifiers, key);
    const std::int32_t code = record->HotKey & 0xFFFF;
    if (!MayRegisterShortcut(record->HotKey)) {
      record->HotKeyId = 0;
      failed_.push_back(i);
      continue;
    }
    record->HotKeyId = hotKeys.Register(window, i + 1, modifiers | kModNoRepeat, key) ? i + 1 : 0;
    if (record->HotKeyId != 0 || code == 0) continue;
    failed_.push_back(i);
    bool earlier = false;
    for (int j = 0; j < i && !earlier; ++j)
      earlier = HotKeyList->ActionAt(j)->HotKeyId != 0 && (HotKeyList->ActionAt(j)->HotKey & 0xFFFF) == code;
    if (!earlier) HotKeysTakenElsewhere.insert(code);
  }
}

std::string TLaunchers::FailedHotKeysText() const {
  if (failed_.empty()) return {};
  const TActionRecord* first = HotKeyList->ActionAt(failed_.front());
  if (!first) return {};
  const std::string name = HotKeyText(first->HotKey & 0xFFFF, KeyName) + " (" + ActionCaption(*first) + ")";
  const std::size_t n = failed_.size();
  if (n == 1) return "1 hot key could not be registered: " + name + ".";
  return std::to_string(n) + " hot keys could not be registered; the first is " + name + ".";
}

void TLaunchers::UnregisterHotKeys(void* window) {
  HotKeyRegistrar& hotKeys = *Platform().hotKeys;
  for (int i = 0; i < HotKeyList->Count(); ++i) {
    const TActionRecord* record = HotKeyList->ActionAt(i);
    if (record->HotKeyId > 0) hotKeys.Unregister(window, record->HotKeyId);
  }
}

namespace {
// Auto-repeats follow each other far closer than this; the first comes after the
// keyboard delay (at most 1 s).
constexpr std::uint32_t kRepeatGapMs = 1100;
constexpr std::uint32_t kHeldKeyPollMs = 25;
}  // namespace

void TLaunchers::SetHeldKeyTimer(Timer& timer) {
  heldKeyTimer_ = &timer;
  timer.OnTimer = [this] { HeldKeyTick(); };
}

// Wine (and any system that ignores the no-repeat flag) reports a held combination on
// every auto-repeat: a WM_HOTKEY of the same id soon after the last one, with the key
// not seen released in between, is such a repeat.
bool TLaunchers::IsAutoRepeat(int id, std::uint32_t messageTime) {
  if (!heldKeyTimer_) return false;
  if (heldId_ != 0 && id == heldId_ && messageTime - heldTime_ < kRepeatGapMs) {
    heldTime_ = messageTime;
    return true;
  }
  heldId_ = id;
  heldTime_ = messageTime;
  std::uint32_t modifiers = 0;
  heldKey_ = 0;
  if (const TActionRecord* record = HotKeyList->ActionAt(id - 1)) SplitShortcut(record->HotKey, modifiers, heldKey_);
  heldKeyTimer_->SetInterval(kHeldKeyPollMs);
  heldKeyTimer_->SetEnabled(true);
  return false;
}

void TLaunchers::HeldKeyTick() {
  if (heldId_ != 0 && heldKey_ != 0 && Platform().keyboard->IsKeyDown(static_cast<int>(heldKey_))) return;
  heldId_ = 0;
  heldKeyTimer_->SetEnabled(false);
}

void TLaunchers::WMHotKey(int id, std::uint32_t messageTime) {
  if (Suspended) return;
  if (IsAutoRepeat(id, messageTime)) return;
  PopupOpenedByKey = true;
  const TActionRecord action = HotKeyList->FindByHotKeyId(id);
  events_.runAction(KeyCorner + plHotKey, action);
}

int TLaunchers::CornerUnderCursor(int zone) {
  CursorScreen& screen = *Platform().cursorScreen;
  // Never per pointer event: reading the layout costs more than the whole event.
  if (monitors_.empty()) monitors_ = screen.Monitors();
  return DesktopCorner(monitors_, screen.CursorPos(), zone);
}

void TLaunchers::DisplayChanged() { monitors_ = Platform().cursorScreen->Monitors(); }

void TLaunchers::cmpWinEventObjectLocationChange(std::int32_t objectId) {
  if (Suspended || objectId != kObjIdCursor) return;
  CornerStep();
  AutoHideCheck();
}

namespace {
// A drag (of a file, a window, a selection) that passes a corner must not run it.
bool MouseButtonHeld() {
  KeyboardState* keyboard = Platform().keyboard;
  if (!keyboard) return false;
  for (int vk : {0x01, 0x02, 0x04})  // VK_LBUTTON, VK_RBUTTON, VK_MBUTTON
    if (keyboard->IsKeyDown(vk)) return true;
  return false;
}
}  // namespace

bool TLaunchers::FullScreenInFront() {
  if (!IgnoreFullScreen) return false;
  WindowControl& windows = *Platform().windows;
  void* front = windows.ForegroundWindow();
  TWindowShape shape;
  return front && windows.WindowShape(front, shape) && IsFullScreen(shape, monitors_);
}

void TLaunchers::CornerStep() {
  int c = CornerUnderCursor(CornerSize);
  // Asked only in a zone: the buttons and the window in front are no concern of the
  // pointer path elsewhere.
  if (c != cnNone && c != armedCorner_ && (MouseButtonHeld() || FullScreenInFront())) c = cnNone;
  if (c == armedCorner_) return;
  armedCorner_ = c;
  if (c != cnNone) {
    if (TrayIconAnimated) SetTrayImage(TrayImageIndex(TrayIconColor, trCornerPending));
    if (CornerDelay <= 0) {
      // No delay: the system timer would never run, so the corner fires at once.
      timCorner_.SetEnabled(false);
      FireCorner(c);
      return;
    }
    timCorner_.SetInterval(static_cast<std::uint32_t>(CornerDelay) * 100);
    timCorner_.SetEnabled(true);
  } else {
    SetTrayImage(TrayImageIndex(TrayIconColor, trNormal));
    timCorner_.SetEnabled(false);
  }
}

void TLaunchers::timCornerTimer() {
  timCorner_.SetEnabled(false);
  // A tick that was pending when the program got suspended runs nothing and keeps
  // the suspended image.
  if (Suspended) return;
  const int c = CornerUnderCursor(CornerSize);
  if (c != armedCorner_ || c == cnNone) {
    SetTrayImage(TrayImageIndex(TrayIconColor, trNormal));
    return;
  }
  if (MouseButtonHeld() || FullScreenInFront()) {
    // Disarmed: the next movement in the zone after the drop (or once the program in
    // front has gone) arms it again.
    armedCorner_ = cnNone;
    SetTrayImage(TrayImageIndex(TrayIconColor, trNormal));
    return;
  }
  FireCorner(c);
}

void TLaunchers::FireCorner(int corner) {
  if (TrayIconAnimated) SetTrayImage(TrayImageIndex(TrayIconColor, trCornerFired));
  PopupOpenedByKey = false;
  const std::optional<int> m = MouseModifier();
  if (!m) return;  // Alt alone selects nothing
  const TActionRecord action = MouseActions[corner - 1][*m];
  events_.runAction(corner, action);
}

bool TLaunchers::CursorInPopup() {
  if (!ActivePopup) return false;
  const TPoint p = Platform().cursorScreen->CursorPos();
  return popups_.Bounds(ActivePopup).Contains(p);
}

void TLaunchers::AutoHideCheck() {
  if (armedCorner_ != cnNone || !AutoHideWindows || PopupOpenedByKey || !ActivePopup || CursorInPopup()) return;
  // Clear the slot first: nothing may reach the form while it is being destroyed.
  TForm* popup = ActivePopup;
  ActivePopup = nullptr;
  popups_.Free(popup);
}

void TLaunchers::cmpTrayIconClick() {
  Platform().windows->Sleep(0);
  if (Suspended) return;
  PopupOpenedByKey = true;
  CursorScreen& screen = *Platform().cursorScreen;
  const TPoint p = screen.CursorPos();
  const bool left = p.x < screen.ScreenWidth() / 2;
  const bool top = p.y < screen.ScreenHeight() / 2;
  const int corner = left ? (top ? cnLeftTop : cnLeftBottom) : (top ? cnRightTop : cnRightBottom);
  const int m = TrayModifier();
  const TActionRecord action = TrayActions[m];
  events_.runAction(corner + plTrayClick, action);
}

}  // namespace vimo
