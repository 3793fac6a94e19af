#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "ComponentTestSupport.h"
#include "components/LiteTimer.h"
#include "components/WinEvent.h"

namespace vimo {
namespace {

// A cursor move as the test driver raises it (Wine raises none for real moves).
void RaiseCursorMove(int x, int y, LONG childId) {
  SetCursorPos(x, y);
  NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, GetDesktopWindow(), OBJID_CURSOR, childId);
}

struct CursorCounter {
  int calls = 0;
  TCustomWinEvent* sender = nullptr;
  WindowHandle window = 0;
  void Attach(TWinEvent& w, LONG childId) {
    w.OnObjectLocationChange = [this, childId](TCustomWinEvent& s, WindowHandle h, std::int32_t objectId,
                                               std::int32_t child) {
      if (objectId != OBJID_CURSOR || child != childId) return;
      ++calls;
      sender = &s;
      window = h;
    };
  }
};

TEST(WinEventWin, ARealHookReceivesTheCursorLocationChange) {
  test::RealComponentServices services;
  TWinEvent w;
  CursorCounter counter;
  counter.Attach(w, 4201);
  w.SetActive(true);
  ASSERT_NE(w.HookHandle(), 0u);
  RaiseCursorMove(10, 10, 4201);
  EXPECT_TRUE(test::PumpUntil([&] { return counter.calls >= 1; }));
  EXPECT_EQ(counter.sender, &w);
  EXPECT_EQ(counter.window, reinterpret_cast<WindowHandle>(GetDesktopWindow()));
  w.SetActive(false);
  RaiseCursorMove(20, 20, 4201);
  test::PumpPending();
  EXPECT_EQ(counter.calls, 1) << "an inactive instance gets nothing";
}

// Run only as the child of the next test: raises the cursor event from another process,
// as a real cursor move in another program does.
TEST(WinEventWin, DISABLED_RaiseCursorMoveForTheParent) {
  char value[16] = {};
  ASSERT_GT(GetEnvironmentVariableA("VIMO_CURSOR_CHILD_ID", value, sizeof value), 0u);
  RaiseCursorMove(60, 60, std::atoi(value));
}

TEST(WinEventWin, ACursorEventRaisedByAnotherProcessArrives) {
  test::RealComponentServices services;
  TWinEvent w;
  CursorCounter counter;
  counter.Attach(w, 4205);
  w.SetActive(true);
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string command = std::string("\"") + exe +
                        "\" --gtest_also_run_disabled_tests --gtest_filter=WinEventWin.DISABLED_RaiseCursorMoveForTheParent";
  SetEnvironmentVariableA("VIMO_CURSOR_CHILD_ID", "4205");
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi));
  SetEnvironmentVariableA("VIMO_CURSOR_CHILD_ID", nullptr);
  EXPECT_TRUE(test::PumpUntil([&] { return counter.calls >= 1; }));
  WaitForSingleObject(pi.hProcess, 10000);
  DWORD exitCode = 1;
  GetExitCodeProcess(pi.hProcess, &exitCode);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EXPECT_EQ(exitCode, 0u) << "the child test failed";
  EXPECT_EQ(counter.sender, &w);
}

TEST(WinEventWin, TwoInstancesEachGetOnlyTheEventsOfTheirOwnHook) {
  test::RealComponentServices services;
  TWinEvent a, b;
  CursorCounter ca, cb;
  ca.Attach(a, 4202);
  cb.Attach(b, 4202);
  a.SetActive(true);
  b.SetActive(true);
  ASSERT_NE(a.HookHandle(), b.HookHandle());
  RaiseCursorMove(30, 30, 4202);
  ASSERT_TRUE(test::PumpUntil([&] { return ca.calls >= 1 && cb.calls >= 1; }));
  // Both hooks' deliveries of the one event are in; no instance may have taken the other's.
  test::PumpPending();
  EXPECT_EQ(ca.calls, 1);
  EXPECT_EQ(cb.calls, 1);
  EXPECT_EQ(ca.sender, &a);
  EXPECT_EQ(cb.sender, &b);
}

// Wine does not apply WINEVENT_SKIPOWNPROCESS to NotifyWinEvent, so only the re-hooking
// itself is checked here: the instance keeps receiving through its new hook.
TEST(WinEventWin, TogglingASkipFlagRehooksAnActiveInstance) {
  test::RealComponentServices services;
  TWinEvent w;
  CursorCounter counter;
  counter.Attach(w, 4203);
  w.SetActive(true);
  w.SetSkipOwnThread(true);
  w.SetSkipOwnThread(false);
  EXPECT_TRUE(w.Active());
  ASSERT_NE(w.HookHandle(), 0u);
  EXPECT_EQ(ActiveWinEvents(), std::vector<TCustomWinEvent*>{&w});
  RaiseCursorMove(40, 40, 4203);
  EXPECT_TRUE(test::PumpUntil([&] { return counter.calls >= 1; }));
  test::PumpPending();
  EXPECT_EQ(counter.calls, 1) << "the old hook must be gone";
}

TEST(WinEventWin, AMessageBoxIsReadAsItsButtonsTextAndCaption) {
  test::RealComponentServices services;
  TWinEvent w;
  bool read = false;
  TSystemAlert alert = saUnknown;
  std::string caption, text;
  TMsgDlgButtons buttons = 0;
  w.OnSystemAlert = [&](TCustomWinEvent&, TSystemAlert a, WindowHandle box, const std::string& boxCaption,
                        const std::string& messageText, TMsgDlgButtons b) {
    if (boxCaption != "Vimo alert test") return;
    read = true;
    alert = a;
    caption = boxCaption;
    text = messageText;
    buttons = b;
    PostMessageA(reinterpret_cast<HWND>(box), WM_COMMAND, IDCANCEL, 0);
  };
  w.SetActive(true);
  // Runs inside the message box's modal loop: raise the alert for the box once it exists.
  int attempts = 0;
  TLiteTimer driver(20, [&](TLiteTimer& t) {
    HWND box = FindWindowA("#32770", "Vimo alert test");
    if (box) {
      t.SetEnabled(false);
      NotifyWinEvent(EVENT_SYSTEM_ALERT, box, OBJID_ALERT, saQuestion);
    } else if (++attempts > 250) {
      t.SetEnabled(false);
    }
  });
  driver.SetEnabled(true);
  int result = MessageBoxA(nullptr, "Delete the selected clip?", "Vimo alert test", MB_OKCANCEL | MB_ICONQUESTION);
  EXPECT_TRUE(read);
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(alert, saQuestion);
  EXPECT_EQ(caption, "Vimo alert test");
  EXPECT_EQ(text, "Delete the selected clip?");
  EXPECT_EQ(buttons, mbOK | mbCancel);
}

TEST(WinEventWin, AnExceptionInAHookHandlerReachesTheErrorDisplay) {
  test::RealComponentServices services;
  TWinEvent w;
  int calls = 0;
  w.OnObjectLocationChange = [&](TCustomWinEvent&, WindowHandle, std::int32_t objectId, std::int32_t child) {
    if (objectId != OBJID_CURSOR || child != 4204) return;
    ++calls;
    throw std::runtime_error("corner launcher failed");
  };
  w.SetActive(true);
  RaiseCursorMove(50, 50, 4204);
  ASSERT_TRUE(test::PumpUntil([&] { return calls >= 1; }));
  EXPECT_EQ(services.errors, std::vector<std::string>{"corner launcher failed"});
}

}  // namespace
}  // namespace vimo
