#pragma once
// The pointer, the primary screen and the windows of the desktop as the launchers
// and the action runner see them.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace vimo {

class CursorScreen {
 public:
  virtual ~CursorScreen() = default;
  virtual TPoint CursorPos() = 0;  // GetCursorPos
  virtual int ScreenWidth() = 0;   // SM_CXSCREEN
  virtual int ScreenHeight() = 0;  // SM_CYSCREEN
  // Every monitor's rectangle on the virtual screen (EnumDisplayMonitors).
  virtual std::vector<TRect> Monitors() { return {{0, 0, ScreenWidth(), ScreenHeight()}}; }
};

// What tells a full-screen program from other windows in front.
struct TWindowShape {
  TRect rect;              // GetWindowRect
  bool captioned = false;  // has a title bar (WS_CAPTION)
  bool desktop = false;    // the desktop or the shell's desktop window
};

class WindowControl {
 public:
  virtual ~WindowControl() = default;
  virtual void* ForegroundWindow() = 0;
  virtual bool SetForegroundWindow(void* window) = 0;
  // The focus window of the foreground thread (GetGUIThreadInfo for thread 0); null if none.
  virtual void* FocusWindow() = 0;
  // GetWindowRect in screen coordinates; false when the window does not exist.
  virtual bool WindowRect(void* window, TRect& rect) = 0;
  // False when the window does not exist.
  virtual bool WindowShape(void* window, TWindowShape& shape) = 0;
  virtual void* FindTopWindow(const std::string& className, const std::string& title) = 0;
  virtual std::intptr_t SendMessageTo(void* window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) = 0;
  // Sleep; 0 gives up the rest of the thread's time slice.
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace vimo
