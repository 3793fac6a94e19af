// Cursor moves reach the window-event dispatcher for every mouse movement, and the
// tray's leave check ticks every 20 ms: both paths must stay far below a millisecond.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "FakeComponentServices.h"
#include "components/LiteTimer.h"
#include "components/WinEvent.h"

namespace vimo {
namespace {

void BM_CursorMoveDispatch(benchmark::State& state) {
  test::ComponentServicesFixture services;
  std::vector<std::unique_ptr<TWinEvent>> instances;
  for (int i = 0; i < state.range(0); ++i) {
    instances.push_back(std::make_unique<TWinEvent>());
    instances.back()->SetActive(true);
  }
  int moves = 0;
  instances.back()->OnObjectLocationChange = [&](TCustomWinEvent&, WindowHandle, std::int32_t objectId,
                                                 std::int32_t) { moves += objectId == kObjIdCursor; };
  WinEventHookHandle hook = instances.back()->HookHandle();
  for (auto _ : state) TCustomWinEvent::HookCallback(hook, 0x800B, 0x10010, kObjIdCursor, 0, 1, 2);
  benchmark::DoNotOptimize(moves);
}
BENCHMARK(BM_CursorMoveDispatch)->Arg(1)->Arg(8);

void BM_TimerTick(benchmark::State& state) {
  test::ComponentServicesFixture services;
  std::vector<std::unique_ptr<TLiteTimer>> timers;
  int ticks = 0;
  for (int i = 0; i < state.range(0); ++i)
    timers.push_back(std::make_unique<TLiteTimer>(20, [&](TLiteTimer&) { ++ticks; }));
  for (auto& t : timers) t->SetEnabled(true);
  std::uintptr_t id = timers.front()->TimerId();
  for (auto _ : state) services.timers.Fire(id);
  benchmark::DoNotOptimize(ticks);
}
BENCHMARK(BM_TimerTick)->Arg(3)->Arg(64);

}  // namespace
}  // namespace vimo
