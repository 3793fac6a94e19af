#pragma once
// The services the program's logic reaches the operating system through. Vimo.exe
// installs the Win32 implementations at start; tests install fakes.
#include "platform/AnsiText.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/HotKeys.h"
#include "platform/KeyInjection.h"
#include "platform/Locale.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"
#include "platform/Session.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/TimeZones.h"

namespace vimo {

struct PlatformServices {
  Registry* registry = nullptr;
  SystemInfo* system = nullptr;
  KeyboardState* keyboard = nullptr;
  Shell* shell = nullptr;
  SessionControl* session = nullptr;
  KeyInjection* keyInjection = nullptr;
  CursorScreen* cursorScreen = nullptr;
  WindowControl* windows = nullptr;
  MessageBoxes* messageBoxes = nullptr;
  HotKeyRegistrar* hotKeys = nullptr;
  class TimerService* timers = nullptr;        // components/LiteTimer
  class TrayShell* trayShell = nullptr;        // components/TrayIcon
  class MenuService* menus = nullptr;          // components/PopupMenu
  class WinEventService* winEvents = nullptr;  // components/WinEvent
  LocaleInfo* locale = nullptr;
  Clock* clock = nullptr;
  TimeZoneSource* timeZones = nullptr;
  FileSystem* files = nullptr;
  AnsiCodePage* ansi = nullptr;
};

PlatformServices& Platform();

}  // namespace vimo
