// Export from the real registry to a real file and import back, as the settings
// dialog does, with the in-memory registry run beside it as a check on the fake.
#include <windows.h>

#include "FakeRegistry.h"
#include "contract/ExportImportContract.h"
#include "platform/win32/Win32Registry.h"

namespace vimo::test {
namespace {

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

const RegistryParam kReal{"real", [] { return std::make_unique<Win32Registry>(); }, RunningUnderWine()};
const RegistryParam kFake{"fake", [] { return std::make_unique<FakeRegistry>(); }};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Both, ExportImportContract, ::testing::Values(kReal, kFake),
                         [](const auto& info) { return info.param.name; });

}  // namespace vimo::test
