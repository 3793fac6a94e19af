#include "FakeLaunchPlatform.h"
#include "contract/HotKeyContract.h"

namespace vimo::test {
namespace {

CallLog gLog;
std::uintptr_t gNextWindow = 0x100;

}  // namespace

INSTANTIATE_TEST_SUITE_P(Fake, HotKeyContract,
                         ::testing::Values(HotKeyParam{"fake", [] { return std::make_unique<FakeHotKeys>(gLog); },
                                                       [] { return reinterpret_cast<void*>(gNextWindow++); },
                                                       [](void*) {}}),
                         [](const auto& info) { return info.param.name; });

}  // namespace vimo::test
