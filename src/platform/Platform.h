#pragma once
// The services the program's logic reaches the operating system through. Vimo.exe
// installs the Win32 implementations at start; tests install fakes.
#include "platform/Locale.h"
#include "platform/Registry.h"
#include "platform/System.h"

namespace vimo {

struct PlatformServices {
  Registry* registry = nullptr;
  SystemInfo* system = nullptr;
  KeyboardState* keyboard = nullptr;
  class TimerService* timers = nullptr;        // components/LiteTimer
  class TrayShell* trayShell = nullptr;        // components/TrayIcon
  class MenuService* menus = nullptr;          // components/PopupMenu
  class WinEventService* winEvents = nullptr;  // components/WinEvent
  LocaleInfo* locale = nullptr;
  Clock* clock = nullptr;
};

PlatformServices& Platform();

}  // namespace vimo
