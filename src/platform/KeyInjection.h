#pragma once
// Synthesised key strokes, as keybd_event makes them.
#include <cstdint>

namespace vimo {

inline constexpr std::uint32_t kKeyEventKeyUp = 2;  // KEYEVENTF_KEYUP

class KeyInjection {
 public:
  virtual ~KeyInjection() = default;
  // MapVirtualKeyW with map type 0: the scan code of a virtual key.
  virtual std::uint32_t ScanCodeOf(std::uint32_t virtualKey) = 0;
  virtual void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags,
                          std::uintptr_t extraInfo) = 0;
};

}  // namespace vimo
