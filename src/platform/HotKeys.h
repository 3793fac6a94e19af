#pragma once
// System-wide hot keys registered for a window.
#include <cstdint>

namespace vimo {

// RegisterHotKey modifier flags.
inline constexpr std::uint32_t kModAlt = 1;
inline constexpr std::uint32_t kModControl = 2;
inline constexpr std::uint32_t kModShift = 4;
// MOD_NOREPEAT: a held combination is reported once, not on every auto-repeat.
inline constexpr std::uint32_t kModNoRepeat = 0x4000;

class HotKeyRegistrar {
 public:
  virtual ~HotKeyRegistrar() = default;
  // False when the combination is taken (by another program or an earlier id).
  virtual bool Register(void* window, int id, std::uint32_t modifiers, std::uint32_t virtualKey) = 0;
  virtual bool Unregister(void* window, int id) = 0;
};

}  // namespace vimo
