#pragma once
#include "platform/System.h"

namespace vimo {

class Win32SystemInfo final : public SystemInfo {
 public:
  int ScreenWidth() override;
  std::string ExePath() override;
};

class Win32KeyboardState final : public KeyboardState {
 public:
  bool IsKeyDown(int virtualKey) override;
};

}  // namespace vimo
