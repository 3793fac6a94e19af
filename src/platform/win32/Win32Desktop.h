#pragma once
#include "platform/Desktop.h"
#include "platform/MessageBoxes.h"

namespace vimo {

class Win32CursorScreen final : public CursorScreen {
 public:
  TPoint CursorPos() override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  std::vector<TRect> Monitors() override;
};

class Win32WindowControl final : public WindowControl {
 public:
  void* ForegroundWindow() override;
  bool SetForegroundWindow(void* window) override;
  void* FocusWindow() override;
  bool WindowRect(void* window, TRect& rect) override;
  bool WindowShape(void* window, TWindowShape& shape) override;
  void* FindTopWindow(const std::string& className, const std::string& title) override;
  std::intptr_t SendMessageTo(void* window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override;
  void Sleep(std::uint32_t milliseconds) override;
};

class Win32MessageBoxes final : public MessageBoxes {
 public:
  int Show(void* owner, const std::string& text, const std::string& caption, std::uint32_t flags) override;
};

}  // namespace vimo
