#include <gtest/gtest.h>

#include "PopupSupport.h"
#include "model/Model.h"
#include "ui/PopupForms.h"

namespace vimo {
namespace {

TEST(PopupForms, TheRunnerCanPlaceAtTheCursorShowAndFreeEachPopup) {
  auto savedHistory = std::move(ClipHistory);
  ClipHistory = std::make_unique<TStringList>(TStringList{"one"});
  ClipHistoryWidth = 200;
  TForm* forms[] = {CreateCalendarPopup(0), CreateWorldTimePopup(0), CreateTimeMapPopup(0),
                    CreateClipPopup({50, 60}, 0x100, false)};
  for (TForm* form : forms) {
    TRect b = PopupBounds(form);
    // Tray click: the bottom-right corner goes to the cursor at (500, 400).
    MovePopup(form, 500 - b.Width(), 400 - b.Height());
    TRect moved = PopupBounds(form);
    EXPECT_EQ(moved.right, 500);
    EXPECT_EQ(moved.bottom, 400);
    EXPECT_EQ(moved.Width(), b.Width());
    ShowPopup(form);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    BringPopupToFront(form);
    HWND h = form->Handle();
    FreePopup(form);
    EXPECT_FALSE(IsWindowVisible(h)) << "gone from the screen at once";
    Application().ProcessMessages();
    EXPECT_FALSE(IsWindow(h)) << "and destroyed after the current message";
  }
  EXPECT_EQ(ClipHistoryWidth, 200) << "freed clip pop-up stores its width";
  ClipHistory = std::move(savedHistory);
}

TForm* CreateEach(int i) {
  switch (i) {
    case 0: return CreateCalendarPopup(0);
    case 1: return CreateWorldTimePopup(0);
    case 2: return CreateTimeMapPopup(0);
    default: return CreateClipPopup({50, 60}, 0x100, false);
  }
}

TEST(PopupForms, APopupFreedWhileItIsBeingShownGoesOnlyAfterItsShow) {
  auto savedHistory = std::move(ClipHistory);
  ClipHistory = std::make_unique<TStringList>(TStringList{"one"});
  for (int i = 0; i < 4; ++i) {
    TForm* form = CreateEach(i);
    ActivePopup = form;
    HWND h = form->Handle();
    bool freed = false;
    // Showing lets pending messages run: the deactivation or the auto-hide frees it there.
    Application().PostDeferred([&] {
      freed = true;
      ActivePopup = nullptr;
      FreePopup(form);
    });
    ShowPopup(form);
    EXPECT_TRUE(freed) << i;
    EXPECT_TRUE(IsWindow(h)) << i << ": freed inside its own show";
    Application().ProcessMessages();
    EXPECT_FALSE(IsWindow(h)) << i;
  }
  ClipHistory = std::move(savedHistory);
}

TEST(PopupForms, EveryPopupStaysInsideTheWorkAreaOfThePointersMonitor) {
  auto savedHistory = std::move(ClipHistory);
  ClipHistory = std::make_unique<TStringList>(TStringList{"one", "two"});
  ClipHistoryWidth = 200;
  POINT saved{};
  GetCursorPos(&saved);
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  for (POINT pointer : {POINT{0, 0}, POINT{sw - 1, sh - 1}}) {
    SetCursorPos(pointer.x, pointer.y);
    MONITORINFO mi{sizeof mi};
    GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &mi);
    const RECT work = mi.rcWork;
    for (int i = 0; i < 4; ++i) {
      TForm* form = CreateEach(i);
      TRect b = PopupBounds(form);
      // A tray click with the pointer at the top left puts the bottom-right corner there.
      if (pointer.x == 0) MovePopup(form, pointer.x - b.Width(), pointer.y - b.Height());
      else MovePopup(form, sw - b.Width() / 2, sh - b.Height() / 2);
      ShowPopup(form);
      RECT r = test::WindowRect(form->Handle());
      EXPECT_GE(r.left, work.left) << i << " at " << pointer.x;
      EXPECT_GE(r.top, work.top) << i << " at " << pointer.x;
      EXPECT_LE(r.right, work.right) << i << " at " << pointer.x;
      EXPECT_LE(r.bottom, work.bottom) << i << " at " << pointer.x;
      EXPECT_EQ(r.right - r.left, b.Width()) << "moved, not resized";
      delete form;
    }
  }
  // The clip pop-up at the bottom-right corner of the screen, as a hot key's corner puts it.
  SetCursorPos(sw / 2, sh / 2);
  MONITORINFO mi{sizeof mi};
  GetMonitorInfoW(MonitorFromPoint(POINT{sw / 2, sh / 2}, MONITOR_DEFAULTTONEAREST), &mi);
  TForm* clip = CreateClipPopup({sw, sh}, 0x104, false);
  ShowPopup(clip);
  RECT r = test::WindowRect(clip->Handle());
  EXPECT_LE(r.bottom, mi.rcWork.bottom);
  EXPECT_LE(r.right, mi.rcWork.right);
  delete clip;
  SetCursorPos(saved.x, saved.y);
  ClipHistory = std::move(savedHistory);
}

}  // namespace
}  // namespace vimo
