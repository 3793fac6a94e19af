#pragma once
// Small facts about the running system that the model asks for.
#include <string>

namespace vimo {

// Virtual-key codes the portable code needs (same numbers as winuser.h).
inline constexpr int kVkShift = 0x10;
inline constexpr int kVkControl = 0x11;
inline constexpr int kVkMenu = 0x12;  // Alt

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  virtual int ScreenWidth() = 0;        // primary screen, pixels
  virtual std::string ExePath() = 0;    // full path of the running executable
};

class KeyboardState {
 public:
  virtual ~KeyboardState() = default;
  // True while the key is held down at the moment of the call (GetAsyncKeyState < 0).
  virtual bool IsKeyDown(int virtualKey) = 0;
};

}  // namespace vimo
