// Export of every section of a full configuration to a real file and import back,
// against the real registry. Prints the median of several runs in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "common/FullConfiguration.h"
#include "common/MedianMs.h"
#include "model/ExportImport.h"
#include "model/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"

namespace {

using vimo::bench::MedianMs;

// Answers every question with Yes and remembers the last message.
class TQuietUi final : public vimo::TExportImportUi {
 public:
  std::string file, last;
  bool ExecuteExportDialog(std::string& f) override { return f = file, true; }
  bool ExecuteImportDialog(std::string& f) override { return f = file, true; }
  void ShowMessage(const std::string& text, vimo::TMessageIcon) override { last = text; }
  bool AskYesNo(const std::string&, vimo::TMessageIcon) override { return true; }
  void SettingsReloaded() override {}
};

}  // namespace

int main() {
  vimo::Win32Registry registry;
  vimo::Win32SystemInfo system;
  vimo::Platform().registry = &registry;
  vimo::Platform().system = &system;
  vimo::EnsureFileServices();
  RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Tramlex");
  vimo::InitializeModel();
  vimo::bench::FillFullConfiguration();
  vimo::SaveSettings();
  vimo::SaveHistoryAndState();

  TQuietUi ui;
  ui.file = (std::filesystem::temp_directory_path() / "vimo-bench.tvf").string();
  double exportMs = MedianMs(9, [&] { vimo::ExportSettings(ui, vimo::kAllExportBoxes); });
  std::string exported = ui.last;
  auto bytes = std::filesystem::file_size(ui.file);
  double importMs = MedianMs(9, [&] { vimo::ImportSettings(ui, vimo::kAllExportBoxes); });
  std::printf("real registry and file, full configuration (50 x 1 KB history, 100 clips, 100 hot keys)\n");
  std::printf("file size                               %8llu bytes\n", static_cast<unsigned long long>(bytes));
  std::printf("export, every box ticked                %8.2f ms  (%s)\n", exportMs, exported.c_str());
  std::printf("import + LoadSettings, every box ticked %8.2f ms  (%s)\n", importMs, ui.last.c_str());
  vimo::FinalizeModel();
  std::filesystem::remove(ui.file);
  RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Tramlex");
  return 0;
}
