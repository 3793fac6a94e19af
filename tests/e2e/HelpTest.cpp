// Help as a user meets it in Vimo.exe: "Help" picked in the tray menu with a real right
// click, links clicked, keys pressed, the window resized by its corner, and context
// help in the settings dialog.
#include <windows.h>
#include <richedit.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "E2eSupport.h"

namespace vimo::e2e {
namespace {

constexpr const char* kHelpTitle = "Tramlex Vimo Help";

// When the face was last clicked, as far as this test knows. Two right clicks on the face
// within the double-click time make a double click, which opens no menu: a user's next
// pick comes later than that. The previous test may have clicked just before this one.
DWORD lastClick = 0;

// Opens the tray menu with a real right click and picks an item with the keyboard.
bool PickTrayMenuItem(POINT icon, WORD key, int presses) {
  WaitFor([] { return GetTickCount() - lastClick > GetDoubleClickTime(); }, GetDoubleClickTime() + 100);
  MouseClick(icon, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  lastClick = GetTickCount();
  // Wine keeps a closed menu's window, hidden: wait for a shown one.
  if (!WaitFor([] { return IsWindowVisible(FindWindowA("#32768", nullptr)) != FALSE; }, 5000)) return false;
  for (int i = 0; i < presses; ++i) PressKey(key);
  PressKey(VK_RETURN);
  return true;
}

bool PickHelp(POINT icon) { return PickTrayMenuItem(icon, VK_DOWN, 4); }  // "Exit", "Clear...", "Suspend", "Help"

bool RichEditLoaded(DWORD pid) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, pid);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  MODULEENTRY32 module{};
  module.dwSize = sizeof module;
  bool found = false;
  for (BOOL more = Module32First(snapshot, &module); more && !found; more = Module32Next(snapshot, &module))
    found = _stricmp(module.szModule, "msftedit.dll") == 0 || _stricmp(module.szModule, "riched20.dll") == 0;
  CloseHandle(snapshot);
  return found;
}

// The text of a control in the other process (GetWindowText does not ask it).
std::string ControlText(HWND h) {
  char buffer[8192] = {};
  SendMessageA(h, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::string FirstLine(HWND text) {
  std::string all = ControlText(text);
  return all.substr(0, all.find_first_of("\r\n"));
}

HWND TextPane(HWND help) {
  HWND h = FindWindowExA(help, nullptr, "RICHEDIT50W", nullptr);
  return h ? h : FindWindowExA(help, nullptr, "RichEdit20W", nullptr);
}

RECT Rect(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

RECT Union(const RECT& a, const RECT& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// A pixel of the X screen as a screenshot takes it.
COLORREF XScreenPixel(POINT at) {
  const std::string base = "/tmp/vimo-e2e-pixel-" + std::to_string(GetCurrentProcessId());
  if (!RunUnix("import -window root -crop 1x1+" + std::to_string(at.x) + "+" + std::to_string(at.y) +
               " -format '%[fx:int(255*r+.5)] %[fx:int(255*g+.5)] %[fx:int(255*b+.5)]' info: > " + base + ".txt"))
    return CLR_INVALID;
  std::string dos = "Z:" + base + ".txt";
  for (char& c : dos)
    if (c == '/') c = '\\';
  int r = -1, g = -1, b = -1;
  if (FILE* f = std::fopen(dos.c_str(), "r")) {
    if (std::fscanf(f, "%d %d %d", &r, &g, &b) != 3) r = -1;
    std::fclose(f);
  }
  DeleteFileA(dos.c_str());
  return r < 0 ? CLR_INVALID : RGB(r, g, b);
}

int Scaled(int pixels) {
  HDC dc = GetDC(nullptr);
  int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return MulDiv(pixels, ppi, 96);
}

// Blue enough for a link, whichever blue the rich edit control draws its links in.
bool LinkBlue(COLORREF c) { return GetBValue(c) >= 150 && GetRValue(c) <= 80 && GetGValue(c) <= 130; }

// A point on a link in the text pane: just above a run of underline pixels.
bool FindLink(HWND text, POINT& at) {
  RECT r = Rect(text);
  HDC screen = GetDC(nullptr);
  bool found = false;
  for (int y = r.top + 2; y < r.bottom - 2 && !found; ++y) {
    int run = 0;
    for (int x = r.left + 2; x < r.right - 2 && !found; ++x) {
      run = LinkBlue(GetPixel(screen, x, y)) ? run + 1 : 0;
      if (run == 8) {
        at = {x - 4, y - 4};
        found = true;
      }
    }
  }
  ReleaseDC(nullptr, screen);
  return found;
}

HWND HelpPopup(DWORD pid) {
  for (HWND h = FindWindowExA(nullptr, nullptr, "TVimoHelpPopup", nullptr); h;
       h = FindWindowExA(nullptr, h, "TVimoHelpPopup", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner == pid && IsWindowVisible(h)) return h;
  }
  return nullptr;
}

// The window is in the foreground and holds the keyboard focus, or one of its controls does.
bool HasFocus(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetForegroundWindow() != window || !GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
    return false;
  return info.hwndFocus && (info.hwndFocus == window || IsChild(window, info.hwndFocus));
}

int CountOwnWindows(DWORD pid, const char* caption) {
  int n = 0;
  for (HWND h = FindWindowExA(nullptr, nullptr, nullptr, caption); h; h = FindWindowExA(nullptr, h, nullptr, caption)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    if (owner == pid && IsWindowVisible(h)) ++n;
  }
  return n;
}

// A drag with the left button as a hand makes it: press, a few moves, release.
void Drag(POINT from, POINT to) {
  auto absolute = [](POINT p, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return in;
  };
  INPUT in[6] = {absolute(from, 0), absolute(from, MOUSEEVENTF_LEFTDOWN)};
  for (int step = 1; step <= 3; ++step)
    in[1 + step] = absolute({from.x + (to.x - from.x) * step / 3, from.y + (to.y - from.y) * step / 3}, 0);
  in[5] = absolute(to, MOUSEEVENTF_LEFTUP);
  SendInput(6, in, sizeof(INPUT));
}

class Help : public ::testing::Test {
 protected:
  void SetUp() override {
    lastClick = GetTickCount();
    DeleteProductKey();
    DeleteRunValue();
    MovePointer(512, 384);
    process = std::make_unique<VimoProcess>();
    ASSERT_TRUE(vimo().WaitForHost());
    ASSERT_TRUE(WaitFor([&] { return FindTrayIcon(RGB(0, 128, 0), icon); }, 10000)) << "no face in the tray";
  }
  void TearDown() override {
    process.reset();
    DeleteProductKey();
  }
  VimoProcess& vimo() { return *process; }
  std::unique_ptr<VimoProcess> process;
  POINT icon{};
};

TEST_F(Help, HelpInTheTrayMenuOpensTheHelpWindowOnTheContentsAndItsLinksAndKeysWork) {
  EXPECT_FALSE(RichEditLoaded(vimo().Id())) << "the rich edit control was loaded at start-up";
  ASSERT_TRUE(PickHelp(icon)) << "no tray menu";
  DWORD start = GetTickCount();
  HWND help = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (help = FindOwnWindow(vimo().Id(), kHelpTitle)) != nullptr; }, 2000))
      << "\"Help\" showed no help window within 2 seconds";
  std::printf("help window visible %lu ms after the menu pick\n", GetTickCount() - start);
  HWND list = FindWindowExA(help, nullptr, "ListBox", nullptr);
  HWND text = TextPane(help);
  ASSERT_NE(list, nullptr);
  ASSERT_NE(text, nullptr);
  EXPECT_GE(SendMessageA(list, LB_GETCOUNT, 0, 0), 20);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(FirstLine(text), "Tramlex Vimo") << "not on the contents";
  EXPECT_TRUE(RichEditLoaded(vimo().Id()));
  ASSERT_TRUE(vimo().WaitIdle());
  std::string shot = ScreenshotPath("help-window.png");
  if (!shot.empty()) Screenshot(shot, Rect(help));

  POINT link{};
  ASSERT_TRUE(WaitFor([&] { return FindLink(text, link); }, 2000)) << "no link to be seen in the contents";
  MouseClick(link, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(WaitFor([&] { return FirstLine(text) != "Tramlex Vimo"; }, 3000)) << "the click on a link went nowhere";
  const std::string linked = FirstLine(text);
  EXPECT_NE(SendMessageA(list, LB_GETCURSEL, 0, 0), 0) << "the list does not follow the link";

  // The click left the focus in the text: Tab picks its first link, Enter follows it.
  ASSERT_TRUE(vimo().WaitIdle());
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitFor([&] {
    LRESULT sel = SendMessageA(text, EM_GETSEL, 0, 0);
    return HIWORD(sel) > LOWORD(sel);
  }, 3000)) << "Tab chose no link";
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return FirstLine(text) != linked; }, 3000)) << "Enter did not follow the link";

  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(help); }, 3000)) << "Escape did not close and free the window";
}

TEST_F(Help, ASecondHelpBringsTheSameWindowBackAndItKeepsAMinimumSize) {
  ASSERT_TRUE(PickHelp(icon));
  HWND help = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (help = FindOwnWindow(vimo().Id(), kHelpTitle)) != nullptr; }, 2000));
  // Another program's window in front of it.
  HANDLE notepad = Start("C:\\windows\\system32\\notepad.exe");
  ASSERT_NE(notepad, nullptr);
  struct CloseNotepad {
    HANDLE process;
    ~CloseNotepad() {
      TerminateProcess(process, 0);
      CloseHandle(process);
    }
  } closeNotepad{notepad};
  HWND other = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (other = FindOwnWindow(GetProcessId(notepad), nullptr)) != nullptr; }, 10000));
  SetForegroundWindow(other);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == other; }, 3000));
  ASSERT_TRUE(vimo().WaitIdle());
  ASSERT_TRUE(PickHelp(icon));
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == help; }, 3000)) << "a second Help left the window behind";
  EXPECT_EQ(CountOwnWindows(vimo().Id(), kHelpTitle), 1) << "a second help window";
  EXPECT_EQ(FindOwnWindow(vimo().Id(), kHelpTitle), help);

  // Its bottom-right corner dragged far up and left: no smaller than the minimum.
  ASSERT_TRUE(vimo().WaitIdle());
  RECT r = Rect(help);
  Drag({r.right - 2, r.bottom - 2}, {r.left + 30, r.top + 30});
  EXPECT_TRUE(WaitFor([&] {
    RECT now = Rect(help);
    return now.right - now.left == Scaled(420) && now.bottom - now.top == Scaled(300);
  }, 3000)) << "size after the drag: " << Rect(help).right - Rect(help).left << " x "
            << Rect(help).bottom - Rect(help).top;
  RECT shrunk = Rect(help);
  EXPECT_EQ(shrunk.left, r.left) << "the drag moved the window";
  HWND text = TextPane(help);
  // The frame has its new size before the window's own thread has moved the text pane.
  EXPECT_TRUE(WaitFor([&] { return Rect(text).right < shrunk.right && Rect(text).right > shrunk.right - Scaled(20); },
                      3000))
      << "the text does not follow the size: its right edge at " << Rect(text).right << ", the window's at "
      << shrunk.right;

  PostMessageA(help, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(help); }, 3000));
}

TEST_F(Help, TheSettingsDialogShowsAControlsTextBesideItAndF1AgainTheWholeTopic) {
  ASSERT_TRUE(PickTrayMenuItem(icon, VK_UP, 1));  // "Settings..."
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindOwnWindow(vimo().Id(), "Tramlex Vimo Settings")) != nullptr; }, 5000));
  HWND autoRun = VisibleChild(dialog, "Run at Windows startup");
  ASSERT_NE(autoRun, nullptr);
  // Keys go where the focus is: the dialog must have it before they are pressed.
  ASSERT_TRUE(WaitFor([&] { return HasFocus(dialog); }, 5000)) << "the dialog did not take the focus";
  ASSERT_TRUE(vimo().WaitIdle());
  LRESULT before = SendMessageA(autoRun, BM_GETCHECK, 0, 0);

  // Shift+F1, the keys of the title bar's help button, then a click on the check box.
  KeyDown(VK_SHIFT);
  PressKey(VK_F1);
  KeyUp(VK_SHIFT);
  ClickWindow(autoRun);
  HWND popup = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (popup = HelpPopup(vimo().Id())) != nullptr; }, 2000)) << "no pop-up";
  char caption[512] = {};
  GetWindowTextA(popup, caption, sizeof caption);
  EXPECT_EQ(std::string(caption).rfind("Run at Windows startup: Starts Vimo", 0), 0u) << caption;
  RECT box = Rect(autoRun), shown = Rect(popup);
  EXPECT_GE(shown.top, box.top);
  EXPECT_LE(shown.top, box.bottom + 4) << "the pop-up is not next to the check box";
  ASSERT_TRUE(vimo().WaitIdle());
  // What the X screen shows, not what Wine thinks it shows: a window that Wine does not
  // raise there lies under the dialog although Wine's own order has it on top.
  EXPECT_EQ(XScreenPixel({shown.left + 3, shown.top + 3}), GetSysColor(COLOR_INFOBK))
      << "the pop-up lies under the dialog";
  std::string shot = ScreenshotPath("help-popup.png");
  if (!shot.empty()) Screenshot(shot, Union(Rect(dialog), shown));
  PressKey(VK_SPACE);
  EXPECT_TRUE(WaitFor([&] { return HelpPopup(vimo().Id()) == nullptr; }, 2000)) << "a key left the pop-up open";
  ASSERT_TRUE(vimo().WaitIdle());
  EXPECT_EQ(SendMessageA(autoRun, BM_GETCHECK, 0, 0), before) << "the click or the key reached the check box";

  // F1 on the focused control, the page list; F1 again: the page's topic.
  PressKey(VK_F1);
  ASSERT_TRUE(WaitFor([&] { return HelpPopup(vimo().Id()) != nullptr; }, 2000)) << "F1 showed no pop-up";
  PressKey(VK_F1);
  HWND help = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (help = FindOwnWindow(vimo().Id(), kHelpTitle)) != nullptr; }, 2000))
      << "F1 again opened no help window";
  HWND text = TextPane(help);
  EXPECT_TRUE(WaitFor([&] { return FirstLine(text) == "General page"; }, 2000)) << FirstLine(text);
  EXPECT_EQ(HelpPopup(vimo().Id()), nullptr);
}

}  // namespace
}  // namespace vimo::e2e
