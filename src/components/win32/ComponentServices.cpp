#include "components/win32/ComponentServices.h"

#include "components/win32/Win32Timers.h"
#include "components/win32/Win32TrayShell.h"
#include "components/win32/Win32WinEvents.h"
#include "platform/Platform.h"

namespace vimo {

void InstallComponentServices(ApplicationWindow& application) {
  // Process-wide, like the handlers that use them; never destroyed before exit.
  static Win32TimerService timers;
  static Win32TrayShell shell(application);
  static Win32WinEventService winEvents;
  PlatformServices& platform = Platform();
  platform.timers = &timers;
  platform.trayShell = &shell;
  platform.menus = &shell;
  platform.winEvents = &winEvents;
  shell.TaskbarCreatedMessage();  // registered at start, as the shell expects
}

}  // namespace vimo
