// Picks pasted into Wine's notepad as a user makes them with the hot keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "E2eSupport.h"
#include "platform/Utf.h"

namespace vimo::e2e {
namespace {

constexpr int kCtrlAltF6 = 0x4000 + 0x8000 + VK_F6;

class Paste : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteProductKey();
    DeleteRunValue();
  }
  void TearDown() override {
    if (notepad_) {
      TerminateProcess(notepad_, 0);
      WaitForSingleObject(notepad_, 5000);
      CloseHandle(notepad_);
    }
    DeleteProductKey();
    DeleteRunValue();
  }
  // Notepad in front with the focus in its edit control; the edit control.
  HWND StartNotepad() {
    notepad_ = Start("C:\\windows\\system32\\notepad.exe");
    if (!notepad_) return nullptr;
    HWND main = nullptr;
    if (!WaitFor([&] { return (main = FindOwnWindow(GetProcessId(notepad_), nullptr)) != nullptr; }, 10000))
      return nullptr;
    SetForegroundWindow(main);
    if (!WaitFor([&] { return GetForegroundWindow() == main; }, 3000)) return nullptr;
    return FindWindowExA(main, nullptr, "Edit", nullptr);
  }
  // The keyboard focus is on a control of the window: typed keys reach it.
  static bool FocusInside(HWND window) {
    GUITHREADINFO info{sizeof info};
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus &&
           IsChild(window, info.hwndFocus);
  }
  static std::string TextOf(HWND h) {
    wchar_t text[512] = {};
    SendMessageW(h, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
  }

 // Clip Collection on Ctrl+Alt+F6, holding these clips (no comments).
  static void PutClipCollection(const std::vector<std::string>& clips) {
    WriteValue("Vimo\\Keys\\1", "Action", "90");  // Clip Collection
    WriteValue("Vimo\\Keys\\1", "HotKey", std::to_string(kCtrlAltF6));
    WriteValue("Vimo\\Keys", "Count", "1");
    for (std::size_t i = 0; i < clips.size(); ++i) {
      const std::string key = "Vimo\\Clipboard\\Clips\\" + std::to_string(i + 1);
      WriteValue(key, "Comment", "");
      WriteValue(key, "Text", clips[i]);
    }
    WriteValue("Vimo\\Clipboard\\Clips", "Count", std::to_string(clips.size()));
  }
  // The hot key pressed, until its pop-up is in front with the keyboard focus.
  static bool OpenClipCollection(const VimoProcess& vimo) {
    PressCtrlAlt(VK_F6);
    return WaitFor(
        [&] {
          auto all = vimo.Popups();
          HWND popup = all.empty() ? nullptr : all.front();
          return popup && GetForegroundWindow() == popup && FocusInside(popup);
        },
        5000);
  }

 private:
  HANDLE notepad_ = nullptr;
};

TEST_F(Paste, ASecondHotKeyWhileTheClipPopupIsOpenStillPastesIntoNotepad) {
  PutClipCollection({"first clip", "second clip"});
  VimoProcess vimo;
  ASSERT_TRUE(vimo.WaitForHost());
  HWND edit = StartNotepad();
  ASSERT_NE(edit, nullptr) << "notepad did not start";

  ASSERT_TRUE(OpenClipCollection(vimo)) << "the Clip Collection pop-up did not open in front";
  PressCtrlAlt(VK_F6);
  ASSERT_TRUE(vimo.WaitIdle());
  EXPECT_EQ(vimo.Popups().size(), 1u) << "the second hot key opens no second pop-up";
  PressKey('2');
  std::string text;
  EXPECT_TRUE(WaitFor([&] { return (text = TextOf(edit)) == "second clip"; }, 10000)) << "notepad holds: " << text;
}

// Another program takes the clipboard while the pop-up is open and holds it over the pick.
class PasteWhileHeld : public Paste {
 protected:
  // Notepad in front, the Clip Collection open over it, then the peer holding the
  // clipboard for `ms`; the edit control of notepad, or null.
  HWND PopupOverNotepadWhileHeld(VimoProcess& vimo, int ms, HANDLE& peer) {
    PutClipCollection({"the picked clip"});
    if (!vimo.WaitForHost()) return nullptr;
    HWND edit = StartNotepad();
    if (!edit || !OpenClipCollection(vimo)) return nullptr;
    peer = Start(ClipboardPeerPath(), "hold " + std::to_string(ms) + " \"the holder's text\"");
    if (!peer || !WaitFor([] { return GetOpenClipboardWindow() != nullptr; }, 5000)) return nullptr;
    return edit;
  }
};

TEST_F(PasteWhileHeld, AClipboardHeldForAMomentPastesThePickNotTheHoldersText) {
  VimoProcess vimo;
  HANDLE peer = nullptr;
  HWND edit = PopupOverNotepadWhileHeld(vimo, 400, peer);
  ASSERT_NE(edit, nullptr) << "notepad, the pop-up or the holder did not come up";
  PressKey('1');
  std::string text;
  EXPECT_TRUE(WaitFor([&] { return (text = TextOf(edit)) == "the picked clip"; }, 10000)) << "notepad holds: " << text;
  EXPECT_TRUE(WaitEnded(peer, 10000));
  CloseHandle(peer);
}

}  // namespace
}  // namespace vimo::e2e
