#pragma once
// Modal message boxes.
#include <cstdint>
#include <string>

namespace vimo {

inline constexpr std::uint32_t kMbIconError = 0x10;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // MessageBoxW; returns the button pressed.
  virtual int Show(void* owner, const std::string& text, const std::string& caption, std::uint32_t flags) = 0;
};

}  // namespace vimo
