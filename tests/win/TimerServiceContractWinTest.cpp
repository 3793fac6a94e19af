#include "FakeComponentServices.h"
#include "components/win32/Win32Timers.h"
#include "contract/TimerServiceContract.h"

namespace vimo::test {

INSTANTIATE_TEST_SUITE_P(
    Both, TimerServiceContract,
    ::testing::Values(TimerServiceParam{"real", [] { return std::make_unique<Win32TimerService>(); }},
                      TimerServiceParam{"fake", [] { return std::make_unique<FakeTimerService>(); }}),
    [](const auto& info) { return info.param.name; });

}  // namespace vimo::test
