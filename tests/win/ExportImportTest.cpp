// Export from the real registry to a real file and import back, as the settings
// dialog does, with the in-memory registry run beside it as a check on the fake; the
// records' text goes through the system's ANSI code page.
#include <windows.h>

#include "BothRegistries.h"
#include "contract/ExportImportContract.h"
#include "platform/Utf.h"
#include "platform/win32/Win32AnsiText.h"
#include "platform/win32/Win32Files.h"

namespace vimo::test {
namespace {

}  // namespace

TContractFiles ContractFiles() {
  static Win32FileSystem files;
  static Win32AnsiCodePage ansi;
  wchar_t temp[MAX_PATH] = {};
  DWORD n = GetTempPathW(MAX_PATH, temp);
  std::string folder = Narrow(std::wstring_view(temp, n > 0 ? n - 1 : 0));  // without its trailing backslash
  return {&files, &ansi, folder, [](const std::string& name) { DeleteFileW(Widen(name).c_str()); }};
}

INSTANTIATE_TEST_SUITE_P(Both, ExportImportContract, ::testing::Values(kReal, kFake),
                         [](const auto& info) { return info.param.name; });

}  // namespace vimo::test
