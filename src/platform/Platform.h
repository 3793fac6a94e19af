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
  LocaleInfo* locale = nullptr;
  Clock* clock = nullptr;
};

PlatformServices& Platform();

}  // namespace vimo
