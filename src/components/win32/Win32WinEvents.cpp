#include "components/win32/Win32WinEvents.h"

#include "components/WinEvent.h"
#include "platform/Utf.h"
#include "platform/Guarded.h"

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
  std::wstring buffer(kTextBuffer, L'\0');
  int length = GetWindowTextW(window, buffer.data(), kTextBuffer);
  buffer.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return Narrow(buffer);
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
  for (HWND child = FindWindowExW(parent, nullptr, nullptr, nullptr); child;
       child = FindWindowExW(parent, child, nullptr, nullptr)) {
    ChildWindowInfo info;
    // Class names have at most 256 characters; Wine refuses GetClassNameW a buffer
    // of 32,768 (its byte count no longer fits 16 bits).
    wchar_t className[257] = {};
    int length = GetClassNameW(child, className, 257);
    info.className = Narrow(std::wstring_view(className, length > 0 ? static_cast<std::size_t>(length) : 0));
    info.controlId = static_cast<std::int32_t>(GetWindowLongPtrW(child, GWL_ID));
    info.text = TextOf(child);
    children.push_back(std::move(info));
  }
  return children;
}

std::string Win32WinEventService::WindowText(WindowHandle window) { return TextOf(reinterpret_cast<HWND>(window)); }

}  // namespace vimo
