#include "FakeRegistry.h"
#include "contract/RegistryContract.h"

namespace vimo::test {

INSTANTIATE_TEST_SUITE_P(Fake, RegistryContract,
                         ::testing::Values(RegistryParam{"fake", [] { return std::make_unique<FakeRegistry>(); }}),
                         [](const auto& info) { return info.param.name; });

}  // namespace vimo::test
