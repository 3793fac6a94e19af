// LoadSettings and SaveSettings + SaveHistoryAndState with a full configuration against
// the real registry. Prints the median of several runs in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
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
  // One clipboard change with 20 history entries of 1 MB: every entry moves down by one.
  vimo::ClipHistory->clear();
  for (int i = 0; i < 20; ++i) vimo::ClipHistory->push_back(std::string(1 << 20, static_cast<char>('a' + i)));
  vimo::SaveHistoryAndState();
  int copies = 0;
  double largeCopy = MedianMs(9, [&] {
    vimo::ClipHistory->insert(vimo::ClipHistory->begin(), std::string(1 << 20, static_cast<char>('A' + copies++)));
    vimo::ClipHistory->pop_back();
    vimo::SaveHistoryAndState();
  });
  std::printf("real registry, full configuration (50 x 1 KB history, 100 clips, 100 hot keys)\n");
  std::printf("LoadSettings                          %8.2f ms\n", load);
  std::printf("SaveSettings + SaveHistoryAndState    %8.2f ms\n", save);
  std::printf("SaveHistoryAndState, 20 x 1 MB, a copy %7.2f ms\n", largeCopy);
  vimo::FinalizeModel();
  RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Tramlex");
  return 0;
}
