// The clipboard history against other programs that behave as real ones do: one that
// joins the viewer chain and hangs, one that holds the clipboard while it renders, a
// burst of large copies, and being asked to close.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "E2eSupport.h"

namespace vimo::e2e {
namespace {

constexpr int kCtrlAltF5 = 0x4000 + 0x8000 + VK_F5;

// The first `n` characters of a history entry, read whatever its size.
std::string EntryStart(int entry, std::size_t n) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Tramlex\\Vimo\\Clipboard\\History", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return "<none>";
  std::wstring name = std::to_wstring(entry);
  DWORD size = 0;
  std::wstring data;
  LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, &size);
  if (rc == ERROR_SUCCESS) {
    data.resize(size / sizeof(wchar_t) + 1);
    rc = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size);
  }
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return "<none>";
  data.resize(wcsnlen(data.c_str(), data.size()));
  std::string out;
  for (std::size_t i = 0; i < data.size() && i < n; ++i) out += static_cast<char>(data[i]);
  return out;
}

std::string History(int n) { return ReadValue("Vimo\\Clipboard\\History", std::to_string(n)); }

class Clipboard : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteProductKey();
    DeleteRunValue();
    for (const char* corner : {"LeftTop", "LeftBottom", "RightTop", "RightBottom"})
      WriteValue(std::string("Vimo\\Mouse\\Actions\\") + corner + "\\None", "Action", "0");
    if (OpenClipboardSoon()) {
      EmptyClipboard();
      CloseClipboard();
    }
  }
  void TearDown() override {
    if (peer) {
      TerminateProcess(peer, 0);
      WaitForSingleObject(peer, 5000);
      CloseHandle(peer);
    }
    DeleteProductKey();
  }
  HANDLE peer = nullptr;
};

TEST_F(Clipboard, AHungProgramInTheViewerChainStopsNothing) {
  WriteValue("Vimo\\Keys\\1", "Action", "40");
  WriteValue("Vimo\\Keys\\1", "HotKey", std::to_string(kCtrlAltF5));
  WriteValue("Vimo\\Keys", "Count", "1");
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  // It joins after Vimo started, so it heads the chain, and stops answering.
  peer = Start(ClipboardPeerPath(), "hang-viewer");
  ASSERT_TRUE(peer);
  ASSERT_TRUE(WaitFor(
      [&] {
        DWORD pid = 0;
        GetWindowThreadProcessId(GetClipboardViewer(), &pid);
        return pid == GetProcessId(peer);
      },
      10000));

  ASSERT_TRUE(CopyWithX11("copied with a hung viewer"));
  EXPECT_TRUE(WaitFor([] { return History(1) == "copied with a hung viewer"; }, 15000)) << History(1);
  // Past the ten seconds after which the old probe went to rejoin the chain.
  ASSERT_TRUE(CopyWithX11("and the next copy"));
  EXPECT_TRUE(WaitFor([] { return History(1) == "and the next copy"; }, 15000)) << History(1);

  KeyDown(VK_CONTROL);
  KeyDown(VK_MENU);
  PressKey(VK_F5);
  KeyUp(VK_MENU);
  KeyUp(VK_CONTROL);
  EXPECT_TRUE(WaitFor([&] { return !vimo.Popups().empty(); }, 5000)) << "the hot key opened nothing";
  PressKey(VK_ESCAPE);

  POINT icon{};
  ASSERT_TRUE(WaitFor([&] { return FindTrayIcon(RGB(0, 128, 0), icon); }, 10000));
  MouseClick(icon, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(WaitFor([] { return IsWindowVisible(FindWindowA("#32768", nullptr)) != FALSE; }, 5000))
      << "the tray menu did not open";
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(vimo.Running());
}

TEST_F(Clipboard, ACopyWhoseClipboardIsHeldForASecondIsStillRecorded) {
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  ASSERT_TRUE(WaitFor([] { return ReadValue("Vimo\\Clipboard\\History", "Count") != "<none>"; }, 10000));
  HANDLE holder = Start(ClipboardPeerPath(), "hold 1000 \"held for a second\"");
  ASSERT_TRUE(holder);
  EXPECT_TRUE(WaitEnded(holder, 10000));
  CloseHandle(holder);
  EXPECT_TRUE(WaitFor([] { return History(1) == "held for a second"; }, 10000)) << History(1);
}

TEST_F(Clipboard, ABurstOfLargeCopiesKeepsTheNewestAndNeverAnEmptyCount) {
  for (int n = 1; n <= 3; ++n) WriteValue("Vimo\\Clipboard\\History", std::to_string(n), "old " + std::to_string(n));
  WriteValue("Vimo\\Clipboard\\History", "Count", "3");
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  ASSERT_TRUE(WaitFor([] { return History(1) == "old 1" && ReadValue("Vimo\\State", "Suspended") != "<none>"; },
                      10000));
  HANDLE burst = Start(ClipboardPeerPath(), "copies 25 1048576 30");
  ASSERT_TRUE(burst);
  bool emptyCount = false;
  // Watched while the burst runs and while it is saved.
  WaitFor(
      [&] {
        std::string count = ReadValue("Vimo\\Clipboard\\History", "Count");
        if (count == "0" || count == "<none>") emptyCount = true;
        return WaitForSingleObject(burst, 0) == WAIT_OBJECT_0 && count == "20" &&
               EntryStart(1, 8) == "copy 25 ";
      },
      60000);
  DWORD code = 1;
  GetExitCodeProcess(burst, &code);
  CloseHandle(burst);
  EXPECT_EQ(code, 0u) << "the burst could not copy";
  EXPECT_FALSE(emptyCount) << "a reader saw an empty history";
  EXPECT_EQ(ReadValue("Vimo\\Clipboard\\History", "Count"), "20");
  for (int n = 1; n <= 20; ++n) {
    std::string expected = "copy " + std::to_string(26 - n) + " ";
    EXPECT_EQ(EntryStart(n, expected.size()), expected) << "entry " << n;
  }
  EXPECT_TRUE(vimo.Running());
}

TEST_F(Clipboard, BeingAskedToCloseEndsTheProgramWithTheLastCopyStored) {
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  ASSERT_TRUE(WaitFor([] { return ReadValue("Vimo\\State", "Suspended") != "<none>"; }, 10000));
  HANDLE copier = Start(ClipboardPeerPath(), "hold 0 \"the last copy\"");
  ASSERT_TRUE(copier);
  ASSERT_TRUE(WaitEnded(copier, 10000));
  CloseHandle(copier);
  // As Task Manager's End task does, right after the copy: before the save was due.
  PostMessageA(vimo.Host(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(vimo.WaitEnded(10000)) << "WM_CLOSE did not end the program";
  EXPECT_EQ(vimo.ExitCode(), 0u);
  EXPECT_EQ(History(1), "the last copy");
}

TEST_F(Clipboard, AMessagePostedWithAMadeUpPointerDoesNoHarm) {
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  HWND app = GetWindow(vimo.Host(), GW_OWNER);
  ASSERT_TRUE(app);
  for (LPARAM l : {LPARAM(0x41414141), LPARAM(1), LPARAM(0x7FFF0000), LPARAM(GetTickCount())})
    PostMessageA(app, WM_APP + 0x101, 0, l);
  ASSERT_TRUE(CopyWithX11("still working"));
  EXPECT_TRUE(WaitFor([] { return History(1) == "still working"; }, 10000)) << History(1);
  EXPECT_TRUE(vimo.Running());
}

TEST_F(Clipboard, ClearingTheHistoryFromTheTrayMenuAsksFirstAndEmptiesMemoryAndRegistry) {
  for (int n = 1; n <= 3; ++n) WriteValue("Vimo\\Clipboard\\History", std::to_string(n), "old " + std::to_string(n));
  WriteValue("Vimo\\Clipboard\\History", "Count", "3");
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  POINT icon{};
  ASSERT_TRUE(WaitFor([&] { return FindTrayIcon(RGB(0, 128, 0), icon); }, 10000));
  HWND question = nullptr;
  auto ask = [&] {
    ASSERT_TRUE(vimo.WaitIdle());
    ASSERT_TRUE(PickTrayMenuItem(icon, VK_DOWN, 2));  // "Exit", then "Clear clipboard history"
    ASSERT_TRUE(WaitFor([&] { return (question = FindOwnWindow(vimo.Id(), "Tramlex Vimo")) != nullptr; }, 5000))
        << "no question before clearing";
    EXPECT_TRUE(VisibleChild(question, "The clipboard history will be cleared.", true));
  };

  ask();
  PressKey('N');
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(question) || !IsWindowVisible(question); }, 5000));
  ASSERT_TRUE(vimo.WaitIdle());
  EXPECT_EQ(History(1), "old 1") << "No cleared the history";
  EXPECT_EQ(ReadValue("Vimo\\Clipboard\\History", "Count"), "3");

  ask();
  PressKey('Y');
  EXPECT_TRUE(WaitFor([] { return ReadValue("Vimo\\Clipboard\\History", "Count") == "0"; }, 5000))
      << ReadValue("Vimo\\Clipboard\\History", "Count");
  EXPECT_EQ(History(1), "<none>");
  // Cleared in memory too: the next copy is saved alone.
  ASSERT_TRUE(CopyWithX11("after clearing"));
  EXPECT_TRUE(WaitFor([] { return History(1) == "after clearing"; }, 10000)) << History(1);
  EXPECT_EQ(History(2), "<none>");
  EXPECT_EQ(ReadValue("Vimo\\Clipboard\\History", "Count"), "1");
}

}  // namespace
}  // namespace vimo::e2e
