// The real seams behind running actions and the launchers, under Wine. Nothing here
// ends the session or changes the power state: those calls are checked natively.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "ComponentTestSupport.h"
#include "FakeLaunchPlatform.h"
#include "FakeSystem.h"
#include "actions/ActionRunner.h"
#include "contract/HotKeyContract.h"
#include "components/WinEvent.h"
#include "host/Launchers.h"
#include "model/ActionKinds.h"
#include "model/Model.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Input.h"
#include "platform/win32/Win32Session.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Timer.h"

namespace vimo::test {
namespace {

HWND NewHiddenWindow() {
  return CreateWindowExA(0, "STATIC", "vimo hot keys", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Both, HotKeyContract,
    ::testing::Values(HotKeyParam{"real", [] { return std::make_unique<Win32HotKeys>(); },
                                  [] { return static_cast<void*>(NewHiddenWindow()); },
                                  [](void* w) { DestroyWindow(static_cast<HWND>(w)); }},
                      HotKeyParam{"fake",
                                  [] {
                                    static CallLog log;
                                    return std::make_unique<FakeHotKeys>(log);
                                  },
                                  [] {
                                    static std::uintptr_t next = 0x100;
                                    return reinterpret_cast<void*>(next++);
                                  },
                                  [](void*) {}}),
    [](const auto& info) { return info.param.name; });

// A top-level window with an edit control that has the focus.
class EditWindow {
 public:
  EditWindow() {
    frame_ = CreateWindowExA(0, "STATIC", "Vimo seam test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 400, 300,
                             nullptr, nullptr, nullptr, nullptr);
    edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 30, 300, 24, frame_, nullptr,
                           nullptr, nullptr);
    SetForegroundWindow(frame_);
    SetFocus(edit);
    PumpPending();
  }
  ~EditWindow() { DestroyWindow(frame_); }
  std::string Text() const {
    char buf[256] = {};
    GetWindowTextA(edit, buf, sizeof buf);
    return buf;
  }
  HWND frame() const { return frame_; }
  HWND edit = nullptr;

 private:
  HWND frame_ = nullptr;
};

TEST(Win32Desktop, FocusRectFindAndSendReachRealWindows) {
  EditWindow w;
  Win32WindowControl windows;
  ASSERT_EQ(windows.ForegroundWindow(), w.frame());
  EXPECT_EQ(windows.FocusWindow(), w.edit);

  RECT expected{};
  GetWindowRect(w.edit, &expected);
  TRect r;
  ASSERT_TRUE(windows.WindowRect(w.edit, r));
  EXPECT_EQ(r, (TRect{expected.left, expected.top, expected.right, expected.bottom}));
  EXPECT_FALSE(windows.WindowRect(reinterpret_cast<void*>(0x7FFF0), r));

  EXPECT_EQ(windows.FindTopWindow("Static", "Vimo seam test"), w.frame());
  EXPECT_EQ(windows.FindTopWindow("Progman", "No such program manager"), nullptr);
  // The program's windows are Unicode windows: a text message carries UTF-16.
  windows.SendMessageTo(w.edit, WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(L"sent"));
  EXPECT_EQ(w.Text(), "sent");
}

TEST(Win32Desktop, TheMonitorLayoutOfTheTestDisplayIsItsOneScreen) {
  Win32CursorScreen screen;
  const std::vector<TRect> monitors = screen.Monitors();
  ASSERT_EQ(monitors.size(), 1u);
  EXPECT_EQ(monitors[0], (TRect{0, 0, screen.ScreenWidth(), screen.ScreenHeight()}));
}

TEST(Win32Desktop, CornersOfTheRealScreen) {
  Win32CursorScreen screen;
  Win32WindowControl windows;
  PlatformServices saved = Platform();
  Platform().cursorScreen = &screen;
  Platform().windows = &windows;
  const int width = screen.ScreenWidth();
  const int height = screen.ScreenHeight();
  ASSERT_GT(width, 100);
  ASSERT_GT(height, 100);

  FakeTimer timer;
  CallLog log;
  FakePopups popups(log);
  TLaunchers launchers(timer, popups, {});
  const struct {
    POINT p;
    int corner;
  } cases[] = {{{0, 0}, 1}, {{0, height - 1}, 2}, {{width - 1, 0}, 3}, {{width - 1, height - 1}, 4},
               {{width / 2, height / 2}, 0}, {{8, 0}, 0}};
  for (const auto& c : cases) {
    SetCursorPos(c.p.x, c.p.y);
    EXPECT_EQ(screen.CursorPos(), (TPoint{c.p.x, c.p.y}));
    EXPECT_EQ(launchers.CornerUnderCursor(8), c.corner) << c.p.x << "," << c.p.y;
  }
  Platform() = saved;
}

TEST(Win32KeyInjection, InjectedKeysReachTheFocusedControl) {
  EditWindow w;
  Win32KeyInjection keys;
  const std::uint32_t scan = keys.ScanCodeOf('A');
  EXPECT_NE(scan, 0u);
  EXPECT_EQ(keys.ScanCodeOf(VK_LWIN), 0x5Bu);
  keys.KeybdEvent('A', static_cast<std::uint8_t>(scan), 0, 0);
  keys.KeybdEvent('A', static_cast<std::uint8_t>(scan), kKeyEventKeyUp, 0);
  EXPECT_TRUE(PumpUntil([&] { return !w.Text().empty(); }));
  EXPECT_EQ(w.Text(), "a");
}

TEST(Win32Session, ShutdownPrivilegeStepSucceedsAndClosesItsToken) {
  Win32Session session;
  PlatformServices saved = Platform();
  Platform().session = &session;
  DWORD handlesBefore = 0, handlesAfter = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handlesBefore);
  EXPECT_TRUE(EnableShutdownPrivilege());
  EXPECT_TRUE(EnableShutdownPrivilege());
  GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
  EXPECT_EQ(handlesAfter, handlesBefore);
  TLuid luid;
  EXPECT_FALSE(session.LookupPrivilege("SeNoSuchPrivilege", luid));
  Platform() = saved;
}

class Win32ShellTest : public ::testing::Test {
 protected:
  Win32Shell shell;
};

TEST_F(Win32ShellTest, SpecialFoldersResolveAndVirtualOnesHaveNoPath) {
  void* documents = shell.SpecialFolderLocation(nullptr, CSIDL_PERSONAL);
  ASSERT_NE(documents, nullptr);
  std::string path;
  EXPECT_TRUE(shell.PathFromIdList(documents, path));
  EXPECT_TRUE(std::filesystem::is_directory(path)) << path;
  shell.FreeWithShellAllocator(documents);

  void* drives = shell.SpecialFolderLocation(nullptr, CSIDL_DRIVES);
  ASSERT_NE(drives, nullptr);
  std::string kept = "C:\\kept";
  EXPECT_FALSE(shell.PathFromIdList(drives, kept));
  EXPECT_EQ(kept, "C:\\kept");
  shell.FreeWithShellAllocator(drives);

  EXPECT_EQ(shell.SpecialFolderLocation(nullptr, 0x7F), nullptr);
}

TEST_F(Win32ShellTest, FailedExecuteExLeavesTheSystemErrorText) {
  TShellExecuteInfo info;
  info.fMask = SEE_MASK_FLAG_NO_UI;  // the shell's own error box would wait for a click
  info.verb = "open";
  info.file = "C:\\no\\such\\folder\\anywhere";
  info.nShow = SW_SHOWDEFAULT;
  EXPECT_FALSE(shell.ExecuteEx(info));
  EXPECT_FALSE(shell.LastErrorText().empty());
  // The code is kept from the call itself: later calls may clear the thread's error.
  SetLastError(0);
  EXPECT_NE(shell.LastExecuteError(), 0u);
  EXPECT_NE(shell.ErrorText(shell.LastExecuteError()), shell.ErrorText(0));
  EXPECT_FALSE(shell.Execute(nullptr, "open", "C:\\no\\such\\program.exe", "", SW_SHOWDEFAULT));
}

TEST_F(Win32ShellTest, ShellDialogsByOrdinalAreExported) {
  for (int ordinal : {61, 90, 91}) EXPECT_NE(ShellOrdinalProc(ordinal), nullptr) << ordinal;
}

TEST_F(Win32ShellTest, AShellDialogTheShellLacksDoesNothing) {
  // Wine exports Find Computer as a stub that raises when called; an ordinal no shell
  // exports gives no function at all.
  shell.OrdinalDialog(91, nullptr);
  shell.OrdinalDialog(91, nullptr);  // the guard holds again after a stub
  shell.OrdinalDialog(65000, nullptr);
  // Errors after it are still handled where they are caught.
  EXPECT_THROW(throw std::runtime_error("after"), std::runtime_error);
  EXPECT_EQ(IsBadReadPtr(nullptr, 1), TRUE);
}

// RunAction of an Application action over the real shell starts a real program.
TEST(Win32RunAction, ApplicationKindStartsAProgram) {
  Win32Shell shell;
  Win32WindowControl windows;
  Win32CursorScreen screen;
  PlatformServices saved = Platform();
  Platform().shell = &shell;
  Platform().windows = &windows;
  Platform().cursorScreen = &screen;

  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string marker = std::string(temp) + "vimo-run-action-" + std::to_string(GetCurrentProcessId()) + ".txt";
  DeleteFileA(marker.c_str());

  CallLog log;
  FakePopups popups(log);
  TActionRunner runner(popups, {[] { return nullptr; }, [] { return nullptr; }});
  TActionRecord a;
  a.Action = akApplication;
  a.ExecPath = "cmd.exe";
  a.ExecParams = "/c echo started>\"" + marker + "\"";
  a.ExecWindowState = 1;
  runner.RunAction(cnLeftTop, a);
  EXPECT_EQ(TargetWindow, GetForegroundWindow());

  // The started program is another process: wait for what it writes.
  const bool written = PumpUntil([&] {
    std::ifstream in(marker);
    std::string line;
    return std::getline(in, line) && line.rfind("started", 0) == 0;
  }, 20000);
  EXPECT_TRUE(written);
  DeleteFileA(marker.c_str());
  TargetWindow = nullptr;
  Platform() = saved;
}

TEST(Win32Timer, TicksInTheMessageLoopAndKeepsItsCountdown) {
  Win32Timer timer;
  int ticks = 0;
  timer.OnTimer = [&] {
    ++ticks;
    timer.SetEnabled(false);  // one-shot, as the corner timer is used
  };
  timer.SetInterval(0);
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Enabled());  // enabled, but no countdown runs with interval 0
  timer.SetInterval(20);
  EXPECT_TRUE(PumpUntil([&] { return ticks == 1; }));
  EXPECT_FALSE(timer.Enabled());
}

TEST(Win32Timer, ErrorsOfTheHandlerStayInTheTimer) {
  Win32Timer timer;
  std::string error;
  timer.OnTimer = [&] {
    timer.SetEnabled(false);
    throw std::runtime_error("tick failed");
  };
  timer.OnError = [&](const std::exception& e) { error = e.what(); };
  timer.SetInterval(10);
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return !error.empty(); }));
  EXPECT_EQ(error, "tick failed");
}

// A corner held with the real pointer, screen and timer runs its action once.
TEST(Win32Launchers, CornerFiresThroughTheRealTimer) {
  Win32CursorScreen screen;
  Win32WindowControl windows;
  FakeKeyboardState keyboard;
  PlatformServices saved = Platform();
  Platform().cursorScreen = &screen;
  Platform().windows = &windows;
  Platform().keyboard = &keyboard;
  const int savedDelay = CornerDelay;
  CornerDelay = 1;  // 100 ms
  MouseActions[3][0].Comment = "rb";

  Win32Timer timCorner;
  CallLog log;
  FakePopups popups(log);
  std::vector<int> placements;
  TLaunchers launchers(timCorner, popups, {[&](int p, const TActionRecord& a) {
                                              if (a.Comment == "rb") placements.push_back(p);
                                            },
                                            {}});
  SetCursorPos(screen.ScreenWidth() - 1, screen.ScreenHeight() - 1);
  launchers.cmpWinEventObjectLocationChange(kObjIdCursor);
  EXPECT_TRUE(timCorner.Enabled());
  EXPECT_TRUE(PumpUntil([&] { return !placements.empty(); }));
  EXPECT_EQ(placements, std::vector<int>{4});
  EXPECT_FALSE(timCorner.Enabled());

  SetCursorPos(300, 300);
  launchers.cmpWinEventObjectLocationChange(kObjIdCursor);
  EXPECT_EQ(launchers.ArmedCorner(), 0);

  MouseActions = {};
  CornerDelay = savedDelay;
  Platform() = saved;
}

}  // namespace
}  // namespace vimo::test
