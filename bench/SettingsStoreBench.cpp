// LoadSettings and the two saves with a full configuration, against the in-memory registry.
#include <benchmark/benchmark.h>

#include "FakeRegistry.h"
#include "FakeSystem.h"
#include "common/FullConfiguration.h"
#include "model/SettingsStore.h"
#include "platform/Platform.h"

#include <string>

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

// A registry with counts of two billion and one entry numbered two billion in each list:
// the load must stay linear in what exists.
void BM_LoadSettingsWithHugeCounts(benchmark::State& state) {
  test::FakeRegistry registry;
  test::FakeSystemInfo system;
  Platform().registry = &registry;
  Platform().system = &system;
  auto put = [&](const std::string& path, const std::string& name, const std::string& text) {
    registry.CurrentUser()->Create("SOFTWARE\\Tramlex\\Vimo\\" + path)->Set(name, RegValue::String(text));
  };
  for (const char* list : {"Keys", "Clipboard\\Clips", "Clipboard\\History"}) put(list, "Count", "2000000000");
  put("Keys\\2000000000", "Comment", "far");
  put("Clipboard\\Clips\\2000000000", "Text", "far");
  put("Clipboard\\History", "2000000000", "far");
  InitializeModel();
  for (auto _ : state) LoadSettings(false);
  state.counters["records"] = HotKeyList->Count() + ClipList->Count() + static_cast<int>(ClipHistory->size());
  FinalizeModel();
}
BENCHMARK(BM_LoadSettingsWithHugeCounts)->Unit(benchmark::kMicrosecond);

// One clipboard change's save with 20 history entries of 1 MB: a new text at the top
// moves every entry down by one.
void BM_SaveHistoryOf20LargeEntriesAfterACopy(benchmark::State& state) {
  test::FakeRegistry registry;
  test::FakeSystemInfo system;
  Platform().registry = &registry;
  Platform().system = &system;
  InitializeModel();
  for (int i = 0; i < 20; ++i) ClipHistory->push_back(std::string(1 << 20, static_cast<char>('a' + i)));
  SaveHistoryAndState();
  long writes = registry.writes;
  int n = 0;
  for (auto _ : state) {
    ClipHistory->insert(ClipHistory->begin(), std::string(1 << 20, static_cast<char>('A' + n++ % 26)));
    ClipHistory->pop_back();
    SaveHistoryAndState();
  }
  state.counters["writes"] = benchmark::Counter(static_cast<double>(registry.writes - writes),
                                                benchmark::Counter::kAvgIterations);
  FinalizeModel();
}
BENCHMARK(BM_SaveHistoryOf20LargeEntriesAfterACopy)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vimo
