#include "platform/win32/Win32Input.h"

#include <windows.h>

namespace vimo {

std::uint32_t Win32KeyInjection::ScanCodeOf(std::uint32_t virtualKey) { return MapVirtualKeyW(virtualKey, 0); }

void Win32KeyInjection::KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                                   std::uintptr_t extraInfo) {
  keybd_event(virtualKey, scanCode, flags, static_cast<ULONG_PTR>(extraInfo));
}

bool Win32HotKeys::Register(void* window, int id, std::uint32_t modifiers, std::uint32_t virtualKey) {
  return RegisterHotKey(static_cast<HWND>(window), id, modifiers, virtualKey) != FALSE;
}

bool Win32HotKeys::Unregister(void* window, int id) { return UnregisterHotKey(static_cast<HWND>(window), id) != FALSE; }

}  // namespace vimo
