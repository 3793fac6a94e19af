// The settings store as a user's registry meets it: damaged or hostile values, and the
// auto-start entry of a program in a folder with a space in its name.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "E2eSupport.h"

namespace vimo::e2e {
namespace {

class Store : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteProductKey();
    DeleteRunValue();
    if (OpenClipboardSoon()) {
      EmptyClipboard();
      CloseClipboard();
    }
  }
  void TearDown() override {
    DeleteProductKey();
    DeleteRunValue();
  }
};

TEST_F(Store, TheAutoStartEntryOfAFolderWithASpaceIsQuoted) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "Tramlex Vimo Test";
  const std::string exe = dir + "\\Vimo.exe";
  CreateDirectoryA(dir.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(VimoPath().c_str(), exe.c_str(), FALSE)) << exe;
  {
    VimoProcess vimo(exe);
    ASSERT_TRUE(vimo.WaitForHost());
    // The entry is written when the program handles a clipboard change.
    ASSERT_TRUE(CopyWithX11("auto-start from a folder with a space"));
    EXPECT_TRUE(WaitFor([] { return RunKeyValue() != "<none>"; }, 10000));
    EXPECT_EQ(_stricmp(RunKeyValue().c_str(), ("\"" + exe + "\"").c_str()), 0) << RunKeyValue();
  }
  DeleteFileA(exe.c_str());
  RemoveDirectoryA(dir.c_str());
}

}  // namespace
}  // namespace vimo::e2e
