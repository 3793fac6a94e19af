#include "FakeAnsiCodePage.h"
#include "FakeFiles.h"
#include "FakeRegistry.h"
#include "contract/ExportImportContract.h"

namespace vimo::test {

TContractFiles ContractFiles() {
  static FakeFileSystem files;
  static FakeAnsiCodePage ansi;
  return {&files, &ansi, "C:\\Temp", [](const std::string&) {}};
}

INSTANTIATE_TEST_SUITE_P(Fake, ExportImportContract,
                         ::testing::Values(RegistryParam{"fake", [] { return std::make_unique<FakeRegistry>(); }}),
                         [](const auto& info) { return info.param.name; });

}  // namespace vimo::test
