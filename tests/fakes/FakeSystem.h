#pragma once
#include <set>
#include <string>

#include "platform/System.h"

namespace vimo::test {

class FakeSystemInfo final : public SystemInfo {
 public:
  int screenWidth = 1024;
  std::string exePath = "C:\\Program Files\\Tramlex\\Vimo.exe";
  int ScreenWidth() override { return screenWidth; }
  std::string ExePath() override { return exePath; }
};

class FakeKeyboardState final : public KeyboardState {
 public:
  std::set<int> held;
  bool IsKeyDown(int vk) override { return held.count(vk) != 0; }
};

}  // namespace vimo::test
