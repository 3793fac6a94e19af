// LoadSettings and SaveSettings + SaveHistoryAndState with a full configuration against
// the real registry. Prints the median of several runs in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/FullConfiguration.h"
#include "common/MedianMs.h"
#include "model/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"

namespace {

using vimo::bench::MedianMs;

}  // namespace

int main() {
  vimo::Win32Registry registry;
  vimo::Win32SystemInfo system;
  vimo::Platform().registry = &registry;
  vimo::Platform().system = &system;
  RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Tramlex");
  vimo::InitializeModel();
  vimo::bench::FillFullConfiguration();
  double save = MedianMs(9, [] {
    vimo::SaveSettings();
    vimo::SaveHistoryAndState();
  });
  double load = MedianMs(9, [] { vimo::LoadSettings(false); });
  std::printf("real registry, full configuration (50 x 1 KB history, 100 clips, 100 hot keys)\n");
  std::printf("LoadSettings                          %8.2f ms\n", load);
  std::printf("SaveSettings + SaveHistoryAndState    %8.2f ms\n", save);
  vimo::FinalizeModel();
  RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Tramlex");
  return 0;
}
