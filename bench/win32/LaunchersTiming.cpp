// Under Wine: one pointer-movement event through the corner step and the auto-hide
// check over the real pointer, keyboard, window and screen calls, against the bare
// calls it must make (GetCursorPos and two GetSystemMetrics for the corner,
// GetCursorPos and GetWindowRect for the pop-up test).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "FakeLaunchPlatform.h"
#include "components/WinEvent.h"
#include "host/Launchers.h"
#include "model/Model.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32System.h"

namespace {

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) {
  return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// The pop-up is a real window: Bounds is GetWindowRect on it.
class WindowPopups final : public vimo::TPopupService {
 public:
  explicit WindowPopups(HWND w) : window_(w) {}
  vimo::TForm* CreateCalendar(int) override { return nullptr; }
  vimo::TForm* CreateWorldTime(int) override { return nullptr; }
  vimo::TForm* CreateTimeMap(int) override { return nullptr; }
  vimo::TForm* CreateClipPopup(vimo::TPoint, int, bool, int) override { return nullptr; }
  vimo::TRect Bounds(vimo::TForm*) override {
    RECT r{};
    GetWindowRect(window_, &r);
    return {r.left, r.top, r.right, r.bottom};
  }
  void MoveTo(vimo::TForm*, int, int) override {}
  void Show(vimo::TForm*) override {}
  void BringToFront(vimo::TForm*) override {}
  void Free(vimo::TForm*) override {}

 private:
  HWND window_;
};

}  // namespace

int main() {
  HWND popup = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "popup", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
  SetCursorPos(200, 200);
  vimo::Win32CursorScreen screen;
  vimo::Platform().cursorScreen = &screen;
  // Whatever the event reads besides (mouse buttons, the window in front) is real too.
  vimo::Win32KeyboardState keyboard;
  vimo::Platform().keyboard = &keyboard;
  vimo::Win32WindowControl windows;
  vimo::Platform().windows = &windows;
  vimo::AutoHideWindows = true;
  vimo::PopupOpenedByKey = false;
  vimo::ActivePopup = reinterpret_cast<vimo::TForm*>(popup);
  WindowPopups popups(popup);
  vimo::test::FakeTimer timer;
  vimo::TLaunchers launchers(timer, popups, {[](int, const vimo::TActionRecord&) {}, [](int) {}});

  // Short alternating blocks, so that the load of the shared machine and of the
  // Wine server falls on both sides alike; the median block ratio is reported.
  const int blocks = 60;
  const int n = 300;
  LARGE_INTEGER f, t0, t1, t2;
  QueryPerformanceFrequency(&f);
  std::vector<double> bare, event, ratio;
  volatile long sink = 0;
  for (int block = 0; block < blocks; ++block) {
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < n; ++i) {
      POINT p;
      RECT r;
      GetCursorPos(&p);
      sink = sink + GetSystemMetrics(SM_CXSCREEN) + GetSystemMetrics(SM_CYSCREEN);
      GetCursorPos(&p);
      GetWindowRect(popup, &r);
      sink = sink + p.x + r.left;
    }
    QueryPerformanceCounter(&t1);
    for (int i = 0; i < n; ++i) launchers.cmpWinEventObjectLocationChange(vimo::kObjIdCursor);
    QueryPerformanceCounter(&t2);
    bare.push_back(Seconds(t0, t1, f) / n * 1e6);
    event.push_back(Seconds(t1, t2, f) / n * 1e6);
    ratio.push_back(event.back() / bare.back());
  }
  auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  std::printf("per event, median of %d blocks of %d: bare calls %.2f us, event %.2f us, ratio %.3f\n", blocks, n,
              median(bare), median(event), median(ratio));
  std::printf("pop-up still open: %s\n", vimo::ActivePopup ? "yes" : "no");
  DestroyWindow(popup);
  return 0;
}
