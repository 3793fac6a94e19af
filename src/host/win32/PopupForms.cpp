#include "host/win32/PopupForms.h"

#include "clips/win32/ClipForm.h"
#include "help/HelpTopics.h"
#include "host/Launchers.h"
#include "time/win32/Calendar.h"
#include "time/win32/TimeMap.h"
#include "time/win32/WorldTime.h"

namespace vimo {

namespace {
// Borderless pop-ups show no caption, but task switchers and screen readers name the
// window by it. F1 in a pop-up opens its help topic.
TForm* Titled(TForm* form, const char* title, const char* helpTopic) {
  form->SetCaption(title);
  form->HelpTopic = helpTopic;
  EmptySlotOnClose(form);
  return form;
}
}  // namespace

void EmptySlotOnClose(TForm* form) {
  form->OnPopupClosed = [](TForm* closed) {
    if (ActivePopup == closed) ActivePopup = nullptr;
  };
}

static TForm* AtCorner(TForm* form, int corner) {
  form->PopupCorner = corner;
  return form;
}

TForm* CreateCalendarPopup(int corner) {
  return AtCorner(Titled(new TfrmCalendar(corner), "Calendar", kHelpCalendar), corner);
}
TForm* CreateWorldTimePopup(int corner) {
  return AtCorner(Titled(new TfrmWorldTime(corner), "World Time", kHelpWorldTime), corner);
}
TForm* CreateTimeMapPopup(int corner) {
  return AtCorner(Titled(new TfrmTimeMap(corner), "Sun Time Map", kHelpTimeMap), corner);
}

TForm* CreateClipPopup(TPoint anchor, int placement, bool collection, int corner) {
  return AtCorner(Titled(new TfrmClips(anchor, collection, placement), collection ? "Clip Collection" : "Clip History",
                         kHelpClipPopup),
                  corner);
}

TRect PopupBounds(TForm* form) {
  RECT r{};
  GetWindowRect(form->Handle(), &r);
  return {r.left, r.top, r.right, r.bottom};
}

void MovePopup(TForm* form, int left, int top) {
  form->PopupCorner = 0;  // placed by the caller (at the pointer): no longer at a corner
  form->SetBounds(left, top, form->Width(), form->Height());
}

// The monitor that holds the pointer: where the user is looking, whichever corner, tray
// or hot key opened the pop-up; a corner pop-up goes to that monitor's corner.
void ShowPopup(TForm* form) {
  const TRect bounds = PopupBounds(form);
  const TRect primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  TRect monitor = primary, work = primary;
  POINT p{};
  GetCursorPos(&p);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &info)) {
    monitor = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    work = {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  }
  const TPoint at = AtMonitorCorner(bounds, form->PopupCorner, primary, monitor, work);
  if (at.x != bounds.left || at.y != bounds.top) MovePopup(form, at.x, at.y);
  form->Show();
}

void BringPopupToFront(TForm* form) { SetForegroundWindow(form->Handle()); }

void FreePopup(TForm* form) {
  ShowWindow(form->Handle(), SW_HIDE);
  form->Release();
}

}  // namespace vimo
