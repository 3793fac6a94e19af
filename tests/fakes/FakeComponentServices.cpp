#include "FakeComponentServices.h"

#include "components/WinEvent.h"

namespace vimo::test {

void FakeWinEventService::Raise(std::uint32_t event, WindowHandle window, std::int32_t objectId,
                                std::int32_t childId, std::uint32_t threadId, std::uint32_t eventTime) {
  auto installed = hooks;
  for (auto& [hook, flags] : installed)
    if (hooks.count(hook)) TCustomWinEvent::HookCallback(hook, event, window, objectId, childId, threadId, eventTime);
}

void FakeWinEventService::RaiseFor(WinEventHookHandle hook, std::uint32_t event, WindowHandle window,
                                   std::int32_t objectId, std::int32_t childId) {
  if (hooks.count(hook)) TCustomWinEvent::HookCallback(hook, event, window, objectId, childId, 7, 1000);
}

}  // namespace vimo::test
