// Vimo.exe: module initialisation of the model. The tray host builds on this.
#include <windows.h>

#include <exception>

#include "model/Model.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"

namespace {
constexpr const char* kApplicationTitle = "Tramlex Vimo";
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  vimo::Win32Registry registry;
  vimo::Win32SystemInfo system;
  vimo::Win32KeyboardState keyboard;
  auto& platform = vimo::Platform();
  platform.registry = &registry;
  platform.system = &system;
  platform.keyboard = &keyboard;

  try {
    vimo::InitializeModel();
    vimo::FinalizeModel();
  } catch (const std::exception& e) {
    MessageBoxA(nullptr, e.what(), kApplicationTitle, MB_OK | MB_ICONERROR);
    return 1;
  }
  return 0;
}
