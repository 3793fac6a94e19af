#include "components/win32/Win32WinEvents.h"

#include "components/WinEvent.h"
#include "ui/Application.h"

namespace vimo {
namespace {

constexpr int kTextBuffer = 32768;

// Out of context: the system queues the event to this thread and calls back from its
// message loop, so the handlers run on the user-interface thread.
void CALLBACK WinEventProc(HWINEVENTHOOK hook, DWORD event, HWND window, LONG objectId, LONG childId, DWORD threadId,
                           DWORD eventTime) {
  Guarded([&] {
    TCustomWinEvent::HookCallback(reinterpret_cast<WinEventHookHandle>(hook), event,
                                  reinterpret_cast<WindowHandle>(window), objectId, childId, threadId, eventTime);
  });
}

std::string TextOf(HWND window) {
  std::string buffer(kTextBuffer, '\0');
  int length = GetWindowTextA(window, buffer.data(), kTextBuffer);
  buffer.resize(length > 0 ? length : 0);
  return buffer;
}

}  // namespace

WinEventHookHandle Win32WinEventService::Hook(std::uint32_t flags) {
  HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, &WinEventProc, 0, 0, WINEVENT_OUTOFCONTEXT | flags);
  return reinterpret_cast<WinEventHookHandle>(hook);
}

void Win32WinEventService::Unhook(WinEventHookHandle hook) {
  if (hook) UnhookWinEvent(reinterpret_cast<HWINEVENTHOOK>(hook));
}

std::vector<ChildWindowInfo> Win32WinEventService::ChildWindows(WindowHandle window) {
  std::vector<ChildWindowInfo> children;
  HWND parent = reinterpret_cast<HWND>(window);
  if (!IsWindow(parent)) return children;
  std::string className(kTextBuffer, '\0');
  for (HWND child = FindWindowExA(parent, nullptr, nullptr, nullptr); child;
       child = FindWindowExA(parent, child, nullptr, nullptr)) {
    ChildWindowInfo info;
    int length = GetClassNameA(child, className.data(), kTextBuffer);
    info.className.assign(className.data(), length > 0 ? length : 0);
    info.controlId = static_cast<std::int32_t>(GetWindowLongA(child, GWL_ID));
    info.text = TextOf(child);
    children.push_back(std::move(info));
  }
  return children;
}

std::string Win32WinEventService::WindowText(WindowHandle window) { return TextOf(reinterpret_cast<HWND>(window)); }

}  // namespace vimo
