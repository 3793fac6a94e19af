// Text of every script through the system seams: programs and documents started in
// folders of any name with parameters of any script, windows found by such titles,
// and the names the locale gives.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/Utf.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32Shell.h"

namespace vimo {
namespace {

const std::string kFolderName = "\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0 \xE6\x9D\xB1\xE4\xBA\xAC";  // "Papka" in Cyrillic, Tokyo
const std::string kParameter = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";      // Greek

std::string TempFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return Narrow(temp);
}

bool Exists(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WaitForFile(const std::string& path) {
  for (int i = 0; i < 400; ++i) {
    if (Exists(path)) return true;
    Sleep(50);
  }
  return false;
}

TEST(SystemText, ProgramsStartWithPathsAndParametersOfEveryScript) {
  const std::string folder = TempFolder() + kFolderName;
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
  ASSERT_TRUE(Exists(folder));
  const std::string marker = folder + "\\" + kParameter + ".txt";
  DeleteFileW(Widen(marker).c_str());

  Win32Shell shell;
  EXPECT_TRUE(shell.Execute(nullptr, "open", "cmd.exe", "/c echo started>\"" + marker + "\"", SW_HIDE));
  EXPECT_TRUE(WaitForFile(marker)) << "the parameters did not reach the program whole";
  DeleteFileW(Widen(marker).c_str());

  // A document in that folder, opened by its path.
  const std::string script = folder + "\\" + kParameter + ".bat";
  HANDLE f = CreateFileW(Widen(script).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  const std::string body = "echo started>\"%~dp0done.txt\"\r\n";
  DWORD written = 0;
  WriteFile(f, body.data(), static_cast<DWORD>(body.size()), &written, nullptr);
  CloseHandle(f);
  TShellExecuteInfo info;
  info.fMask = SEE_MASK_FLAG_NO_UI;  // a failure must not wait on the shell's message box
  info.verb = "open";
  info.file = script;
  info.nShow = SW_HIDE;
  EXPECT_TRUE(shell.ExecuteEx(info));
  EXPECT_TRUE(WaitForFile(folder + "\\done.txt")) << "the document's path did not reach the shell whole";

  DeleteFileW(Widen(folder + "\\done.txt").c_str());
  DeleteFileW(Widen(script).c_str());
  RemoveDirectoryW(Widen(folder).c_str());
}

TEST(SystemText, WindowsAreFoundByTitlesOfEveryScript) {
  const std::string title = "Vimo " + kFolderName;
  HWND w = CreateWindowExW(0, L"STATIC", Widen(title).c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                           nullptr);
  ASSERT_TRUE(w);
  Win32WindowControl windows;
  EXPECT_EQ(windows.FindTopWindow("Static", title), w);
  DestroyWindow(w);
}

TEST(SystemText, LocaleNamesOfOtherScriptsComeWhole) {
  Win32Locale russian(0x0419);
  EXPECT_EQ(russian.MonthName(1), "\xD1\x8F\xD0\xBD\xD0\xB2\xD0\xB0\xD1\x80\xD1\x8C");  // January
  EXPECT_EQ(russian.AbbrevDayName(0), "\xD0\xBF\xD0\xBD");                             // Monday
}

}  // namespace
}  // namespace vimo
