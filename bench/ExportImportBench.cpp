// Export and import of a full configuration through files in memory, against the
// in-memory registry: what the format and the section walk cost, without the disk.
#include <benchmark/benchmark.h>

#include "FakeAnsiCodePage.h"
#include "FakeFiles.h"
#include "FakeRegistry.h"
#include "FakeSystem.h"
#include "common/FullConfiguration.h"
#include "model/ExportImport.h"
#include "model/SettingsStore.h"
#include "platform/Platform.h"

namespace vimo {
namespace {

struct FullExport {
  test::FakeRegistry registry;
  test::FakeSystemInfo system;
  test::FakeAnsiCodePage ansi;
  std::string file;
  FullExport() {
    Platform().registry = &registry;
    Platform().system = &system;
    InitializeModel();
    bench::FillFullConfiguration();
    SaveSettings();
    SaveHistoryAndState();
    test::TMemoryFile out;
    TExportFileWriter writer(out);
    writer.WriteHeader();
    ExportRecords(registry, ansi, kAllExportBoxes, writer);
    file = out.Bytes();
  }
  ~FullExport() { FinalizeModel(); }
};

void BM_ExportAllSections(benchmark::State& state) {
  FullExport full;
  for (auto _ : state) {
    test::TMemoryFile out;
    TExportFileWriter writer(out);
    writer.WriteHeader();
    ExportRecords(full.registry, full.ansi, kAllExportBoxes, writer);
    benchmark::DoNotOptimize(out.Bytes());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * full.file.size()));
  state.counters["file_bytes"] = static_cast<double>(full.file.size());
}
BENCHMARK(BM_ExportAllSections)->Unit(benchmark::kMicrosecond);

void BM_ImportAllSections(benchmark::State& state) {
  FullExport full;
  for (auto _ : state) {
    test::TMemoryFile in(full.file);
    TExportFileReader reader(in);
    reader.ReadHeader();
    auto result = ImportRecords(full.registry, full.ansi, reader, kAllExportBoxes);
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * full.file.size()));
}
BENCHMARK(BM_ImportAllSections)->Unit(benchmark::kMicrosecond);

void BM_ReadRecords(benchmark::State& state) {
  FullExport full;
  for (auto _ : state) {
    test::TMemoryFile in(full.file);
    TExportFileReader reader(in);
    reader.ReadHeader();
    std::string text;
    while (!reader.AtEnd() && reader.ReadRecord(text)) benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * full.file.size()));
}
BENCHMARK(BM_ReadRecords)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vimo
