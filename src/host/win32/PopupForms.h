#pragma once
// The four pop-up forms as the action runner and the host handle them: create, move,
// read the bounds, show, bring to the front, free. The host owns the one pop-up slot
// (ActivePopup) and clears it when the pop-up in it closes.
#include "model/Model.h"
#include "platform/Geometry.h"

namespace vimo {

// The one pop-up slot (ActivePopup) empties when `form` closes; every pop-up made here
// does this.
void EmptySlotOnClose(TForm* form);

// Each places itself for the corner code (1..4, or 0).
TForm* CreateCalendarPopup(int corner);
TForm* CreateWorldTimePopup(int corner);
TForm* CreateTimeMapPopup(int corner);
// `placement` is the whole placement code; `collection` picks the clip list over the
// history; a `corner` (1..4) moves it to that corner of the pointer's monitor when shown.
TForm* CreateClipPopup(TPoint anchor, int placement, bool collection, int corner);

// The window rectangle in screen coordinates.
TRect PopupBounds(TForm* form);
void MovePopup(TForm* form, int left, int top);
// Shows the form, not modally, moved inside the work area of the monitor that holds
// the pointer; it brings itself to the foreground.
void ShowPopup(TForm* form);
void BringPopupToFront(TForm* form);
// Hides the form at once and destroys it after the current message (never inside its
// own show): the close handler does not run, the destruction does (the clip pop-up
// stores its width and pastes nothing).
void FreePopup(TForm* form);

}  // namespace vimo
