#pragma once
// The program's pop-up forms as the action runner and the auto-hide see them. The
// pop-up forms implement it; tests use a recording fake.
#include "model/Model.h"
#include "platform/Geometry.h"

namespace vimo {

class TPopupService {
 public:
  virtual ~TPopupService() = default;
  // Each form places itself near the given corner code (1..4).
  virtual TForm* CreateCalendar(int corner) = 0;
  virtual TForm* CreateWorldTime(int corner) = 0;
  virtual TForm* CreateTimeMap(int corner) = 0;
  // `placement` is the whole placement code; `collection` picks the clip list over the
  // history. `corner` (1..4) says the anchor is that corner of the screen, so the form
  // goes to the same corner of the pointer's monitor; 0 keeps it at the anchor.
  virtual TForm* CreateClipPopup(TPoint anchor, int placement, bool collection, int corner) = 0;
  // The form's window rectangle in screen coordinates.
  virtual TRect Bounds(TForm* form) = 0;
  virtual void MoveTo(TForm* form, int left, int top) = 0;
  // Shows the form, not modally.
  virtual void Show(TForm* form) = 0;
  // SetForegroundWindow on the form.
  virtual void BringToFront(TForm* form) = 0;
  // Takes the form off the screen at once and destroys it after the current message:
  // its close handler does not run, its destruction handler does.
  virtual void Free(TForm* form) = 0;
};

}  // namespace vimo
