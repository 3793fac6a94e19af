#pragma once
// Installs the Win32 timer window, tray shell, menu and window-event services into
// Platform(); Vimo.exe calls this once before creating its forms, with the application
// object's window, which the tray shell works through.
#include "platform/TrayShell.h"

namespace vimo {
void InstallComponentServices(ApplicationWindow& application);
}
