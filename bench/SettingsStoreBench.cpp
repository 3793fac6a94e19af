// LoadSettings and the two saves with a full configuration, against the in-memory registry.
#include <benchmark/benchmark.h>

#include "FakeRegistry.h"
#include "FakeSystem.h"
#include "common/FullConfiguration.h"
#include "model/SettingsStore.h"
#include "platform/Platform.h"

namespace vimo {
namespace {

struct FullStore {
  test::FakeRegistry registry;
  test::FakeSystemInfo system;
  FullStore() {
    Platform().registry = &registry;
    Platform().system = &system;
    InitializeModel();
    bench::FillFullConfiguration();
    SaveSettings();
    SaveHistoryAndState();
  }
  ~FullStore() { FinalizeModel(); }
};

void BM_LoadSettings(benchmark::State& state) {
  FullStore store;
  for (auto _ : state) LoadSettings(false);
  state.counters["hotkeys"] = HotKeyList->Count();
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMicrosecond);

void BM_SaveSettingsAndHistory(benchmark::State& state) {
  FullStore store;
  for (auto _ : state) {
    SaveSettings();
    SaveHistoryAndState();
  }
}
BENCHMARK(BM_SaveSettingsAndHistory)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vimo
