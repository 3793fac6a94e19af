#include "host/win32/PopupForms.h"

#include "clips/win32/ClipForm.h"
#include "help/HelpTopics.h"
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
  form->OnPopupClosed = [](TForm* closed) {
    if (ActivePopup == closed) ActivePopup = nullptr;
  };
  return form;
}
}  // namespace

TForm* CreateCalendarPopup(int corner) { return Titled(new TfrmCalendar(corner), "Calendar", kHelpCalendar); }
TForm* CreateWorldTimePopup(int corner) { return Titled(new TfrmWorldTime(corner), "World Time", kHelpWorldTime); }
TForm* CreateTimeMapPopup(int corner) { return Titled(new TfrmTimeMap(corner), "Sun Time Map", kHelpTimeMap); }

TForm* CreateClipPopup(TPoint anchor, int placement, bool collection) {
  return Titled(new TfrmClips(anchor, collection, placement), collection ? "Clip Collection" : "Clip History",
                kHelpClipPopup);
}

TRect PopupBounds(TForm* form) {
  RECT r{};
  GetWindowRect(form->Handle(), &r);
  return {r.left, r.top, r.right, r.bottom};
}

void MovePopup(TForm* form, int left, int top) { form->SetBounds(left, top, form->Width(), form->Height()); }

// The work area (the screen without the taskbar) of the monitor that holds the pointer:
// where the user is looking, whichever corner, tray or hot key opened the pop-up.
static TRect WorkAreaAtPointer() {
  POINT p{};
  GetCursorPos(&p);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), &info))
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

void ShowPopup(TForm* form) {
  const TRect bounds = PopupBounds(form);
  const TPoint inside = KeptInside(bounds, WorkAreaAtPointer());
  if (inside.x != bounds.left || inside.y != bounds.top) MovePopup(form, inside.x, inside.y);
  form->Show();
}

void BringPopupToFront(TForm* form) { SetForegroundWindow(form->Handle()); }

void FreePopup(TForm* form) {
  ShowWindow(form->Handle(), SW_HIDE);
  form->Release();
}

}  // namespace vimo
