#include "ui/PopupForms.h"

#include "clips/win32/ClipForm.h"
#include "time/win32/Calendar.h"
#include "time/win32/TimeMap.h"
#include "time/win32/WorldTime.h"

namespace vimo {

TForm* CreateCalendarPopup(int corner) { return new TfrmCalendar(corner); }
TForm* CreateWorldTimePopup(int corner) { return new TfrmWorldTime(corner); }
TForm* CreateTimeMapPopup(int corner) { return new TfrmTimeMap(corner); }

TForm* CreateClipPopup(TPoint anchor, int placement, bool collection) {
  return new TfrmClips(anchor, collection, placement);
}

TRect PopupBounds(TForm* form) {
  RECT r{};
  GetWindowRect(form->Handle(), &r);
  return {r.left, r.top, r.right, r.bottom};
}

void MovePopup(TForm* form, int left, int top) { form->SetBounds(left, top, form->Width(), form->Height()); }

void ShowPopup(TForm* form) { form->Show(); }

void BringPopupToFront(TForm* form) { SetForegroundWindow(form->Handle()); }

void FreePopup(TForm* form) { delete form; }

}  // namespace vimo
