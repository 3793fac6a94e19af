#pragma once
// The launchers of the host form: hot keys, mouse corners with the auto-hide of
// pop-ups, and tray clicks. The host form calls these from its handlers of the same
// names; errors from RunAction propagate to the host's callback boundary.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "actions/Popups.h"
#include "model/ActionRecord.h"
#include "platform/Desktop.h"
#include "platform/Geometry.h"
#include "platform/Timer.h"

namespace vimo {

struct TLauncherEvents {
  // RunAction of the action runner: placement code and record.
  std::function<void(int, const TActionRecord&)> runAction;
  // Sets the tray icon's image index.
  std::function<void(int)> setTrayImage;
};

class TLaunchers {
 public:
  // `timCorner` is the host's corner timer; its OnTimer is bound to timCornerTimer here.
  TLaunchers(Timer& timCorner, TPopupService& popups, TLauncherEvents events);
  TLaunchers(const TLaunchers&) = delete;
  TLaunchers& operator=(const TLaunchers&) = delete;

  // Hot keys: ids are list positions + 1.
  void RegisterHotKeys(void* window);
  void UnregisterHotKeys(void* window);
  // After RegisterHotKeys: "N hot keys could not be registered" naming the first, or
  // empty when every combination works.
  std::string FailedHotKeysText() const;
  // Names of keys the fixed table does not know (the keyboard layout's).
  std::function<std::string(int)> KeyName = [](int) { return std::string(); };
  // `messageTime` is the message's time (GetMessageTime), for telling auto-repeats apart.
  void WMHotKey(int id, std::uint32_t messageTime = 0);
  // Polls the key of a fired combination until it is released. Without it every
  // WM_HOTKEY runs its action (the no-repeat flag alone must do).
  void SetHeldKeyTimer(Timer& timer);

  // Mouse corners.
  int CornerUnderCursor(int zone);
  // WM_DISPLAYCHANGE: the monitor layout is read again (else only once).
  void DisplayChanged();
  // Location-change event of the window-event hook: corner step, then auto-hide.
  void cmpWinEventObjectLocationChange(std::int32_t objectId);
  void timCornerTimer();
  int ArmedCorner() const { return armedCorner_; }

  // Auto-hide.
  bool CursorInPopup();

  // Tray clicks.
  void cmpTrayIconClick();

 private:
  void CornerStep();
  bool FullScreenInFront();
  void FireCorner(int corner);
  void AutoHideCheck();
  void SetTrayImage(int index);
  bool IsAutoRepeat(int id, std::uint32_t messageTime);
  void HeldKeyTick();

  Timer& timCorner_;
  TPopupService& popups_;
  TLauncherEvents events_;
  int armedCorner_ = 0;
  std::vector<int> failed_;  // indexes of entries whose combination is not registered
  std::vector<TRect> monitors_;  // read on first use and on a display change
  Timer* heldKeyTimer_ = nullptr;
  int heldId_ = 0;  // the combination fired last while its key is still down
  std::uint32_t heldKey_ = 0;
  std::uint32_t heldTime_ = 0;
};

// RegisterHotKey's modifier flags and key for a shortcut code.
void SplitShortcut(std::int32_t shortcut, std::uint32_t& modifiers, std::uint32_t& virtualKey);
// The corner code 0..4 of a pointer position on a desktop of these monitors: only a
// corner that no other monitor lies beyond (on either side) counts. With one monitor,
// positions beyond its edges count as its sides.
int DesktopCorner(const std::vector<TRect>& monitors, TPoint p, int zone);
// A window in front that covers the whole of a monitor: a full-screen program. A
// maximised window overhangs its monitor only by its borders and keeps its title bar;
// the desktop covers every monitor and is no program.
bool IsFullScreen(const TWindowShape& window, const std::vector<TRect>& monitors);
// Where a pop-up laid out at a corner (1..4; 0 none) of the primary screen opens on the
// monitor that holds that corner: at the same place from the monitor's corner, then
// kept inside its work area.
TPoint AtMonitorCorner(const TRect& laidOut, int corner, const TRect& primary, const TRect& monitor,
                       const TRect& workArea);


}  // namespace vimo
