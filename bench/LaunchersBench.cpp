// One pointer-movement event through the corner step and the auto-hide check, with
// fakes behind the seams: the cost of our own logic per event.
#include <benchmark/benchmark.h>

#include "FakeLaunchPlatform.h"
#include "FakeSystem.h"
#include "components/WinEvent.h"
#include "host/Launchers.h"
#include "model/Model.h"
#include "platform/Platform.h"

namespace vimo::test {
namespace {

class Bench {
 public:
  Bench() : saved_(Platform()) {
    Platform().cursorScreen = &desktop;
    Platform().windows = &desktop;
    Platform().keyboard = &keyboard;
    AutoHideWindows = true;
    PopupOpenedByKey = false;
    Suspended = false;
    popup = popups.CreateCalendar(1);
    ActivePopup = popup;
  }
  ~Bench() {
    ActivePopup = nullptr;
    Platform() = saved_;
  }
  CallLog log;
  FakeDesktop desktop{log};
  FakeKeyboardState keyboard;
  FakePopups popups{log};
  FakeTimer timer;
  TForm* popup = nullptr;
  TLaunchers launchers{timer, popups, {[](int, const TActionRecord&) {}, [](int) {}}};

 private:
  PlatformServices saved_;
};

// The common case: the pointer moves over a pop-up opened from a corner, so every
// check runs to CursorInPopup.
void BM_MoveOverCornerPopup(benchmark::State& state) {
  Bench b;
  int i = 0;
  for (auto _ : state) {
    b.desktop.cursor = {150 + (i++ & 31), 150};
    b.launchers.cmpWinEventObjectLocationChange(kObjIdCursor);
  }
  benchmark::DoNotOptimize(ActivePopup);
}
BENCHMARK(BM_MoveOverCornerPopup);

// The pointer alternates between a corner zone and the middle: every event changes
// the armed corner, the image and the timer.
void BM_MoveInAndOutOfCorner(benchmark::State& state) {
  Bench b;
  ActivePopup = nullptr;
  bool inCorner = false;
  for (auto _ : state) {
    inCorner = !inCorner;
    b.desktop.cursor = inCorner ? TPoint{2, 2} : TPoint{500, 400};
    b.launchers.cmpWinEventObjectLocationChange(kObjIdCursor);
  }
  benchmark::DoNotOptimize(b.launchers.ArmedCorner());
}
BENCHMARK(BM_MoveInAndOutOfCorner);

// Events for other objects than the cursor, the most frequent kind the hook sees.
void BM_OtherObjectEvent(benchmark::State& state) {
  Bench b;
  for (auto _ : state) b.launchers.cmpWinEventObjectLocationChange(0);
}
BENCHMARK(BM_OtherObjectEvent);

}  // namespace
}  // namespace vimo::test
