#pragma once
// Installs the Win32 timer window, tray shell, menu and window-event services into
// Platform(); Vimo.exe calls this once before creating its forms.
namespace vimo {
void InstallComponentServices();
}
