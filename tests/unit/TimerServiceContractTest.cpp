#include "FakeComponentServices.h"
#include "contract/TimerServiceContract.h"

namespace vimo::test {

INSTANTIATE_TEST_SUITE_P(Fake, TimerServiceContract,
                         ::testing::Values(TimerServiceParam{"fake", [] { return std::make_unique<FakeTimerService>(); }}),
                         [](const auto& info) { return info.param.name; });

}  // namespace vimo::test
