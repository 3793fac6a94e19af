// The real registry under Wine must pass the same contract as the in-memory one, and
// the settings store must behave the same on both.
#include <windows.h>

#include <algorithm>
#include <string>

#include "BothRegistries.h"
#include "contract/RegistryContract.h"
#include "contract/SettingsStoreContract.h"

namespace vimo::test {
namespace {

auto ParamName = [](const auto& info) { return info.param.name; };

}  // namespace

// The earlier version wrote its values through the ANSI functions; the registry keeps
// UTF-16, so they read back as the same text now.
TEST(RegistryWin, ValuesWrittenInTheAnsiCodePageReadBackAsTheirText) {
  if (GetACP() != 1252) GTEST_SKIP() << "needs the Western code page, not " << GetACP();
  const char* path = "SOFTWARE\\TramlexVimoAnsiTest";
  HKEY raw = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr),
            ERROR_SUCCESS);
  const char old[] = "Gr\xFC\xDF" "e \x80 caf\xE9";  // Grüße € café in Windows-1252
  RegSetValueExA(raw, "Caf\xE9", 0, REG_SZ, reinterpret_cast<const BYTE*>(old), sizeof old);
  RegCloseKey(raw);

  Win32Registry registry;
  auto key = registry.CurrentUser()->Open(path);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->ValueNames(), std::vector<std::string>{"Caf\xC3\xA9"});
  auto value = key->Query("Caf\xC3\xA9");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, RegType::Sz);
  EXPECT_EQ(value->Text(), "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC caf\xC3\xA9");
  key.reset();
  RegDeleteKeyA(HKEY_CURRENT_USER, path);
}

INSTANTIATE_TEST_SUITE_P(Both, RegistryContract, ::testing::Values(kReal, kFake), ParamName);
INSTANTIATE_TEST_SUITE_P(Both, SettingsStoreContract, ::testing::Values(kReal, kFake), ParamName);

// Wine takes a key name of 256 characters, one more than Windows: another program can
// put one among the numbered hot keys, and it must not end the listing of the others.
TEST(Win32Registry, AKeyNameLongerThanWindowsAllowsHidesNoOtherKey) {
  Win32Registry registry;
  auto hkcu = registry.CurrentUser();
  const char* scratch = "SOFTWARE\\TramlexVimoLongNameTest";
  RegDeleteTreeA(HKEY_CURRENT_USER, scratch);
  auto root = hkcu->Create(scratch);
  ASSERT_TRUE(root);
  for (const char* n : {"1", "2", "3"}) ASSERT_TRUE(root->Create(n));
  HKEY longKey = nullptr;
  std::wstring longName = L"2" + std::wstring(255, L'x');
  if (RegCreateKeyExW(HKEY_CURRENT_USER, (L"SOFTWARE\\TramlexVimoLongNameTest\\" + longName).c_str(), 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &longKey, nullptr) != ERROR_SUCCESS) {
    RegDeleteTreeA(HKEY_CURRENT_USER, scratch);
    GTEST_SKIP() << "this system refuses key names of 256 characters";
  }
  RegCloseKey(longKey);
  auto names = root->SubKeyNames();
  EXPECT_EQ(names.size(), 4u);
  EXPECT_NE(std::find(names.begin(), names.end(), "3"), names.end()) << "the listing stopped at the long name";
  root.reset();
  RegDeleteTreeA(HKEY_CURRENT_USER, scratch);
}

}  // namespace vimo::test
