// Text of every script the way a user meets it: copied in an X11 program, kept in the
// registry, listed in the Clip History pop-up and pasted into Wine's notepad; letter
// case of other scripts in the history; and the program run from a Cyrillic folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "E2eSupport.h"
#include "platform/Utf.h"

namespace vimo::e2e {
namespace {

const std::string kWorldText = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 "
                               "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
constexpr int kCtrlAltF7 = 0x4000 + 0x8000 + VK_F7;

class Unicode : public ::testing::Test {
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
  static std::string History(int n) { return ReadValueWide("Vimo\\Clipboard\\History", std::to_string(n)); }
  static std::string Count() { return ReadValueWide("Vimo\\Clipboard\\History", "Count"); }
};

std::string WideText(HWND h) {
  wchar_t text[512] = {};
  SendMessageW(h, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return Narrow(text);
}

HWND NotepadOf(DWORD pid) {
  for (HWND h = FindWindowExA(nullptr, nullptr, "Notepad", nullptr); h; h = FindWindowExA(nullptr, h, "Notepad", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner == pid && IsWindowVisible(h)) return h;
  }
  return nullptr;
}

TEST_F(Unicode, TextOfEveryScriptCopiedInX11IsKeptListedAndPastedWhole) {
  WriteValue("Vimo\\Keys\\1", "Action", "80");  // Clip History
  WriteValue("Vimo\\Keys\\1", "HotKey", std::to_string(kCtrlAltF7));
  WriteValue("Vimo\\Keys", "Count", "1");
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());

  ASSERT_TRUE(CopyWithX11(kWorldText));
  EXPECT_NE(X11ClipboardTargets().find("UTF8_STRING"), std::string::npos) << X11ClipboardTargets();
  EXPECT_TRUE(WaitFor([] { return History(1) == kWorldText; }, 10000)) << "History\\1 holds " << History(1);
  EXPECT_EQ(Count(), "1");

  HANDLE notepad = Start("C:\\windows\\system32\\notepad.exe");
  ASSERT_NE(notepad, nullptr);
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = NotepadOf(GetProcessId(notepad))) != nullptr; }, 10000));
  HWND edit = FindWindowExA(main, nullptr, "Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  SetForegroundWindow(main);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main; }, 3000));

  KeyDown(VK_CONTROL);
  KeyDown(VK_MENU);
  PressKey(VK_F7);
  KeyUp(VK_MENU);
  KeyUp(VK_CONTROL);
  HWND popup = nullptr;
  ASSERT_TRUE(WaitFor(
      [&] {
        auto all = vimo.Popups();
        popup = all.empty() ? nullptr : all.front();
        // Keys typed before its list has the focus are lost.
        GUITHREADINFO info{sizeof info};
        return popup && GetGUIThreadInfo(GetWindowThreadProcessId(popup, nullptr), &info) && info.hwndFocus &&
               IsChild(popup, info.hwndFocus);
      },
      5000))
      << (popup ? "the Clip History pop-up opened without the keyboard focus" : "the Clip History pop-up did not open");
  RECT area{};
  GetWindowRect(popup, &area);
  std::string shot = ScreenshotPath("clip-history-unicode.png");
  if (!shot.empty()) Screenshot(shot, area);
  PressKey('1');
  EXPECT_TRUE(WaitFor([&] { return vimo.Popups().empty(); }, 5000)) << "the label picked nothing";
  std::string text;
  EXPECT_TRUE(WaitFor([&] { return (text = WideText(edit)) == kWorldText; }, 10000)) << "notepad holds: " << text;
  TerminateProcess(notepad, 0);
  CloseHandle(notepad);
}

TEST_F(Unicode, CopiesDifferingOnlyInCyrillicCaseAreOneEntryAndMasseIsNotMasse) {
  const std::string upper = "\xD0\x9F\xD0\xA0\xD0\x98\xD0\x92\xD0\x95\xD0\xA2";  // PRIVET
  const std::string lower = "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";  // privet
  const std::string sharpS = "Ma\xC3\x9F" "e";
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  ASSERT_TRUE(CopyWithX11(upper));
  ASSERT_TRUE(WaitFor([&] { return History(1) == upper; }, 10000)) << History(1);
  ASSERT_TRUE(CopyWithX11("between"));
  ASSERT_TRUE(WaitFor([&] { return History(1) == "between"; }, 10000)) << History(1);
  ASSERT_TRUE(CopyWithX11(lower));
  EXPECT_TRUE(WaitFor([&] { return History(1) == upper; }, 10000))
      << "the same word in small letters moves the entry up, in the case first copied: " << History(1);
  EXPECT_EQ(Count(), "2");

  ASSERT_TRUE(CopyWithX11("Masse"));
  ASSERT_TRUE(WaitFor([&] { return History(1) == "Masse"; }, 10000)) << History(1);
  ASSERT_TRUE(CopyWithX11(sharpS));
  EXPECT_TRUE(WaitFor([&] { return History(1) == sharpS; }, 10000)) << History(1);
  EXPECT_EQ(History(2), "Masse");
  EXPECT_EQ(Count(), "4");
}

TEST_F(Unicode, StartedFromAFolderWithACyrillicNameItWritesItsPathAndRunEntry) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string folder = Narrow(temp) + "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B";
  const std::string exe = folder + "\\Vimo.exe";
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
  ASSERT_TRUE(CopyFileW(Widen(VimoPath()).c_str(), Widen(exe).c_str(), FALSE));
  {
    VimoProcess vimo(exe);
    ASSERT_TRUE(vimo.Started());
    ASSERT_TRUE(vimo.WaitForHost());
    EXPECT_EQ(ReadValueWide("Vimo", "@Path"), exe);
    // The auto-start entry is written with the history, at the next copy.
    ASSERT_TRUE(CopyWithX11("written with the Run entry"));
    EXPECT_TRUE(WaitFor([&] { return RunKeyValueWide() == "\"" + exe + "\""; }, 10000)) << RunKeyValueWide();
  }
  DeleteFileW(Widen(exe).c_str());
  RemoveDirectoryW(Widen(folder).c_str());
}

}  // namespace
}  // namespace vimo::e2e
