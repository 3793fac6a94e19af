#pragma once
#include "platform/HotKeys.h"
#include "platform/KeyInjection.h"

namespace vimo {

class Win32KeyInjection final : public KeyInjection {
 public:
  std::uint32_t ScanCodeOf(std::uint32_t virtualKey) override;
  void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                  std::uintptr_t extraInfo) override;
};

class Win32HotKeys final : public HotKeyRegistrar {
 public:
  bool Register(void* window, int id, std::uint32_t modifiers, std::uint32_t virtualKey) override;
  bool Unregister(void* window, int id) override;
};

}  // namespace vimo
