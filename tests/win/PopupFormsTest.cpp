#include <gtest/gtest.h>

#include "PopupSupport.h"
#include "clips/win32/ClipForm.h"
#include "time/win32/Calendar.h"
#include "time/win32/TimeMap.h"
#include "time/win32/WorldTime.h"
#include "model/Model.h"
#include "host/win32/PopupForms.h"

namespace vimo {
namespace {

TEST(PopupForms, TheRunnerCanPlaceAtTheCursorShowAndFreeEachPopup) {
  auto savedHistory = std::move(ClipHistory);
  ClipHistory = std::make_unique<TStringList>(TStringList{"one"});
  ClipHistoryWidth = 200;
  TForm* forms[] = {CreateCalendarPopup(0), CreateWorldTimePopup(0), CreateTimeMapPopup(0),
                    CreateClipPopup({50, 60}, 0x100, false, 0)};
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
    default: return CreateClipPopup({50, 60}, 0x100, false, 0);
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

// Closed by the user (Escape, the close button, losing the focus): the one pop-up slot is
// free again, so the next hot key opens a new pop-up instead of looking for this one.
TEST(PopupForms, ClosingThePopupInTheSlotEmptiesTheSlotAndAnotherLeavesIt) {
  auto savedHistory = std::move(ClipHistory);
  ClipHistory = std::make_unique<TStringList>(TStringList{"one"});
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    TForm* form = CreateEach(i);
    TForm* other = CreateEach(i);
    HWND h = form->Handle();
    ActivePopup = form;
    ShowPopup(form);
    other->Close();
    EXPECT_EQ(ActivePopup, form) << "another pop-up's close emptied the slot";
    form->Close();
    EXPECT_EQ(ActivePopup, nullptr);
    Application().ProcessMessages();
    EXPECT_FALSE(IsWindow(h)) << "closed but not released";
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
  TForm* clip = CreateClipPopup({sw, sh}, 0x104, false, 4);
  ShowPopup(clip);
  RECT r = test::WindowRect(clip->Handle());
  EXPECT_LE(r.bottom, mi.rcWork.bottom);
  EXPECT_LE(r.right, mi.rcWork.right);
  delete clip;
  SetCursorPos(saved.x, saved.y);
  ClipHistory = std::move(savedHistory);
}

TEST(PopupForms, ACornerPopupOpensWithItsCloseButtonAwayFromTheResidentPointer) {
  auto savedHistory = std::move(ClipHistory);
  ClipHistory = std::make_unique<TStringList>(TStringList{"one", "two", "three", "four", "five"});
  ClipHistoryWidth = 200;
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  for (int corner = 1; corner <= 4; ++corner) {
    const bool right = corner == 3 || corner == 4, bottom = corner == 2 || corner == 4;
    const POINT pointer{right ? sw - 1 : 0, bottom ? sh - 1 : 0};
    const TPoint anchor{right ? sw : 0, bottom ? sh : 0};
    TForm* forms[] = {CreateCalendarPopup(corner), CreateWorldTimePopup(corner), CreateTimeMapPopup(corner),
                      CreateClipPopup(anchor, corner, false, corner)};
    for (TForm* form : forms) {
      HWND close = nullptr;
      if (auto* f = dynamic_cast<TfrmCalendar*>(form)) close = f->sbtClose->Handle();
      if (auto* f = dynamic_cast<TfrmWorldTime*>(form)) close = f->sbtClose->Handle();
      if (auto* f = dynamic_cast<TfrmTimeMap*>(form)) close = f->sbtClose->Handle();
      if (auto* f = dynamic_cast<TfrmClips*>(form)) close = f->sbtClose->Handle();
      ASSERT_NE(close, nullptr);
      RECT b = test::WindowRect(close);
      // How far the pointer resting in the corner has to travel to reach the button.
      const int dx = pointer.x < b.left ? b.left - pointer.x : pointer.x >= b.right ? pointer.x - b.right + 1 : 0;
      const int dy = pointer.y < b.top ? b.top - pointer.y : pointer.y >= b.bottom ? pointer.y - b.bottom + 1 : 0;
      char name[64] = {};
      GetWindowTextA(form->Handle(), name, sizeof name);
      EXPECT_GE(dx > dy ? dx : dy, 40) << name << " at corner " << corner;
      EXPECT_EQ(form->PopupCorner, corner) << name << " would not go to the corner of the pointer's monitor";
      form->Show();
      std::string shot = std::string("corner-") + std::to_string(corner) + "-" + name;
      for (char& c : shot)
        if (c == ' ') c = '-';
      test::SaveWindowBmp(form->Handle(), shot);
      delete form;
    }
  }
  ClipHistory = std::move(savedHistory);
}

}  // namespace
}  // namespace vimo
