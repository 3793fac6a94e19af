// Vimo.exe: loads the settings, makes sure it runs once per logon, and runs the
// hidden host form until "Exit".
#include <windows.h>

#include <cstdlib>
#include <exception>

#include "components/win32/ComponentServices.h"
#include "help/win32/ProgramHelp.h"
#include "host/HostTexts.h"
#include "host/win32/HostForm.h"
#include "model/Model.h"
#include "platform/Platform.h"
#include "platform/Utf.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32Input.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Session.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32System.h"
#include "ui/Application.h"

#if defined(__GLIBCXX__)
// The runtime's default end for an uncaught exception prints the demangled type to
// stderr, which a windowed program does not have; the demangler it drags in was a
// sixteenth of the exe. Ending at once is all that handler achieves here.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  vimo::Win32Registry registry;
  vimo::Win32SystemInfo system;
  vimo::Win32KeyboardState keyboard;
  vimo::Win32Shell shell;
  vimo::Win32Session session;
  vimo::Win32KeyInjection keyInjection;
  vimo::Win32CursorScreen cursorScreen;
  vimo::Win32WindowControl windows;
  vimo::Win32MessageBoxes messageBoxes;
  vimo::Win32HotKeys hotKeys;
  auto& platform = vimo::Platform();
  platform.registry = &registry;
  platform.system = &system;
  platform.keyboard = &keyboard;
  platform.shell = &shell;
  platform.session = &session;
  platform.keyInjection = &keyInjection;
  platform.cursorScreen = &cursorScreen;
  platform.windows = &windows;
  platform.messageBoxes = &messageBoxes;
  platform.hotKeys = &hotKeys;
  vimo::EnsureTimeServices();
  vimo::EnsureFileServices();
  vimo::InstallComponentServices(vimo::Application().Window());
  vimo::InstallProgramHelp();

  // Module initialisation: the settings are loaded before anything else.
  try {
    vimo::InitializeModel();
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, vimo::Widen(e.what()).c_str(), vimo::Widen(vimo::kApplicationTitle).c_str(),
                MB_OK | MB_ICONERROR);
    return 1;
  }

  HANDLE mutex = CreateMutexW(nullptr, TRUE, vimo::Widen(vimo::kMutexName).c_str());
  if (!mutex) return 0;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    // Another instance runs for this logon: end silently.
    CloseHandle(mutex);
    vimo::FinalizeModel();
    return 0;
  }

  vimo::TApplication& app = vimo::Application();
  app.Initialize();
  app.SetTitle(vimo::kApplicationTitle);
  try {
    vimo::TfrmVimoHost01 host;
    app.Run();
  } catch (...) {
    app.HandleCurrentException();
  }
  vimo::FinalizeModel();
  CloseHandle(mutex);
  return 0;
}
