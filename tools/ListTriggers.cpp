// VimoTriggers.exe: prints the hot keys, corners and tray clicks that are set for this
// user, so whoever starts the program can try one at once. Reads the settings the way
// Vimo.exe does and writes nothing back.
#include <windows.h>

#include <cstdio>
#include <exception>

#include "host/TriggerList.h"
#include "model/Model.h"
#include "platform/Platform.h"
#include "platform/ReadOnlyRegistry.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "settings/win32/KeyNames.h"

int main() {
  vimo::Win32Registry registry;
  vimo::ReadOnlyRegistry view(registry);
  vimo::Win32SystemInfo system;
  auto& platform = vimo::Platform();
  platform.registry = &view;
  platform.system = &system;
  try {
    vimo::InitializeModel();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "The settings could not be read: %s\n", e.what());
    return 1;
  }
  std::string text = vimo::TriggerList(&vimo::KeyName);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}
