// Tests that save the settings through the real registry also write the auto-start
// entry; none may stay behind in the Run key of the prefix the tests run in.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vimo::test {
namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kRunValue = L"Tramlex Vimo";

std::optional<std::wstring> ReadRunValue() {
  wchar_t data[1024] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(data);
}

void WriteRunValue(const std::optional<std::wstring>& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  if (value)
    RegSetValueExW(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                   static_cast<DWORD>((value->size() + 1) * sizeof(wchar_t)));
  else
    RegDeleteValueW(key, kRunValue);
  RegCloseKey(key);
}

// Puts the entry back as each test found it.
class RunKeyGuard final : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override { before_ = ReadRunValue(); }
  void OnTestEnd(const ::testing::TestInfo&) override {
    if (ReadRunValue() != before_) WriteRunValue(before_);
  }

 private:
  std::optional<std::wstring> before_;
};

const bool kInstalled = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new RunKeyGuard);
  return true;
}();

std::optional<std::wstring> gFoundBefore;

TEST(RunKeyGuard, ATestThatWritesTheAutoStartEntryLeavesNoneBehind) {
  gFoundBefore = ReadRunValue();
  // What the real settings store writes when a test saves with AutoRun on.
  WriteRunValue(L"\"C:\\Program Files\\Tramlex\\Vimo.exe\" written by a test");
  EXPECT_TRUE(ReadRunValue().has_value());
}

TEST(RunKeyGuard, TheEntryIsAsBeforeThePreviousTest) {
  EXPECT_EQ(ReadRunValue(), gFoundBefore) << "the Run key kept what the test wrote";
}

}  // namespace
}  // namespace vimo::test
