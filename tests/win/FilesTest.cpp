// The real files and ANSI code page under Wine, against the same contract as the
// in-memory ones, and the Windows-1252 fake against the real conversion byte by byte.
#include <windows.h>

#include <gtest/gtest.h>

#include "FakeAnsiCodePage.h"
#include "FakeFiles.h"
#include "contract/FileSystemContract.h"
#include "platform/Utf.h"
#include "platform/win32/Win32AnsiText.h"
#include "platform/win32/Win32Files.h"

namespace vimo::test {
namespace {

const FileSystemParam kRealFiles{
    "real", [] { return std::make_unique<Win32FileSystem>(); },
    [](FileSystem&, const std::string& name) {
      wchar_t temp[MAX_PATH] = {};
      DWORD n = GetTempPathW(MAX_PATH, temp);
      std::string folder = Narrow(std::wstring_view(temp, n)) + name;
      CreateDirectoryW(Widen(folder).c_str(), nullptr);
      return folder;
    },
    [](const std::string& path) {
      if (!DeleteFileW(Widen(path).c_str())) RemoveDirectoryW(Widen(path).c_str());
    }};
const FileSystemParam kFakeFiles{"fake", [] { return std::make_unique<FakeFileSystem>(); },
                                 [](FileSystem& files, const std::string& name) {
                                   std::string folder = "C:\\Temp\\" + name;
                                   static_cast<FakeFileSystem&>(files).AddFolder(folder);
                                   return folder;
                                 },
                                 [](const std::string&) {}};

INSTANTIATE_TEST_SUITE_P(Both, FileSystemContract, ::testing::Values(kRealFiles, kFakeFiles),
                         [](const auto& info) { return info.param.name; });

class AnsiCodePageWin : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the Western code page, not " << GetACP();
  }
  Win32AnsiCodePage real;
  FakeAnsiCodePage fake;
};

TEST_F(AnsiCodePageWin, WesternTextConvertsExactlyAndNothingElseDoes) {
  for (AnsiCodePage* page : {static_cast<AnsiCodePage*>(&real), static_cast<AnsiCodePage*>(&fake)}) {
    std::string ansi;
    ASSERT_TRUE(page->FromUtf8("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC caf\xC3\xA9", ansi));
    EXPECT_EQ(ansi, "Gr\xFC\xDF" "e \x80 caf\xE9");
    EXPECT_TRUE(page->FromUtf8("", ansi));
    EXPECT_EQ(ansi, "");
    EXPECT_FALSE(page->FromUtf8("\xC4\x80", ansi)) << "A with macron has only a look-alike, \"A\"";
    EXPECT_FALSE(page->FromUtf8("\xE6\x9D\xB1\xE4\xBA\xAC", ansi));
    EXPECT_FALSE(page->FromUtf8("\xF0\x9F\x98\x80", ansi));
    EXPECT_FALSE(page->FromUtf8("Gr\xFC\xDF" "e", ansi)) << "bytes that are no UTF-8 have no ANSI form either";
    EXPECT_EQ(page->ToUtf8("Gr\xFC\xDF" "e \x80"), "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");
  }
}

TEST_F(AnsiCodePageWin, TheFakeConvertsEveryByteAsTheSystemDoes) {
  for (int b = 1; b < 256; ++b) {
    std::string byte(1, static_cast<char>(b));
    std::string viaReal = real.ToUtf8(byte);
    EXPECT_EQ(fake.ToUtf8(byte), viaReal) << "byte " << b;
    std::string back;
    EXPECT_TRUE(real.FromUtf8(viaReal, back)) << "byte " << b;
    EXPECT_EQ(back, byte) << "byte " << b;
  }
}

}  // namespace
}  // namespace vimo::test
