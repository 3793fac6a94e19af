#include "host/win32/PopupService.h"

#include "host/win32/PopupForms.h"

namespace vimo {

TForm* TWin32PopupService::CreateCalendar(int corner) { return CreateCalendarPopup(corner); }
TForm* TWin32PopupService::CreateWorldTime(int corner) { return CreateWorldTimePopup(corner); }
TForm* TWin32PopupService::CreateTimeMap(int corner) { return CreateTimeMapPopup(corner); }
TForm* TWin32PopupService::CreateClipPopup(TPoint anchor, int placement, bool collection, int corner) {
  return vimo::CreateClipPopup(anchor, placement, collection, corner);
}
TRect TWin32PopupService::Bounds(TForm* form) { return PopupBounds(form); }
void TWin32PopupService::MoveTo(TForm* form, int left, int top) { MovePopup(form, left, top); }
void TWin32PopupService::Show(TForm* form) { ShowPopup(form); }
void TWin32PopupService::BringToFront(TForm* form) { BringPopupToFront(form); }
void TWin32PopupService::Free(TForm* form) { FreePopup(form); }

}  // namespace vimo
