// Timing of the components against the real system under Wine: a cursor event from
// NotifyWinEvent to the typed event, and a tray icon change through Shell_NotifyIconA.
#include <windows.h>

#include <cstdio>

#include "components/TrayIcon.h"
#include "components/WinEvent.h"
#include "components/win32/ComponentServices.h"
#include "ui/Application.h"

using namespace vimo;

namespace {

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

}  // namespace

int main() {
  InstallComponentServices(Application().Window());
  Application().Initialize();

  TWinEvent w;
  int seen = 0;
  w.OnObjectLocationChange = [&](TCustomWinEvent&, WindowHandle, std::int32_t objectId, std::int32_t) {
    seen += objectId == OBJID_CURSOR;
  };
  w.SetActive(true);
  const int rounds = 2000;
  double start = Now();
  for (int i = 0; i < rounds; ++i) {
    int before = seen;
    NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, GetDesktopWindow(), OBJID_CURSOR, CHILDID_SELF);
    DWORD bound = GetTickCount() + 2000;
    while (seen == before && GetTickCount() < bound) {
      Pump();
      if (seen == before) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  double perEvent = (Now() - start) / rounds * 1e6;
  std::printf("cursor event round trip: %.1f us per event (%d of %d delivered)\n", perEvent, seen, rounds);

  TTrayIcon tray;
  tray.SetHint("Tramlex Vimo");
  bool shown = tray.ShowIcon();
  const int modifies = 200;
  start = Now();
  int ok = 0;
  for (int i = 0; i < modifies; ++i) {
    tray.SetHint(i % 2 ? "Tramlex Vimo" : "Tramlex Vimo (suspended)");
    ok += tray.ModifyIcon();
  }
  double perModify = (Now() - start) / (2 * modifies) * 1e6;
  std::printf("tray icon change: %.1f us per Shell_NotifyIconA NIM_MODIFY (shown %d, %d of %d ok)\n", perModify,
              shown ? 1 : 0, ok, modifies);
  return 0;
}
