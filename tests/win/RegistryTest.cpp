// The real registry under Wine must pass the same contract as the in-memory one, and
// the settings store must behave the same on both.
#include <windows.h>

#include "FakeRegistry.h"
#include "contract/RegistryContract.h"
#include "contract/SettingsStoreContract.h"
#include "platform/win32/Win32Registry.h"

namespace vimo::test {
namespace {

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

const RegistryParam kReal{"real", [] { return std::make_unique<Win32Registry>(); }, RunningUnderWine()};
const RegistryParam kFake{"fake", [] { return std::make_unique<FakeRegistry>(); }};
auto ParamName = [](const auto& info) { return info.param.name; };

}  // namespace

INSTANTIATE_TEST_SUITE_P(Both, RegistryContract, ::testing::Values(kReal, kFake), ParamName);
INSTANTIATE_TEST_SUITE_P(Both, SettingsStoreContract, ::testing::Values(kReal, kFake), ParamName);

}  // namespace vimo::test
