#include <gtest/gtest.h>

#include "FakeLocale.h"
#include "PopupSupport.h"
#include "model/Model.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Locale.h"
#include "time/CalendarMath.h"
#include "time/win32/Calendar.h"

namespace vimo {
namespace {

using test::WindowRect;

class CalendarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Platform();
    clock.now = {2026, 12, 8, 10, 30, 0};
    Platform().clock = &clock;
    EnsureTimeServices();
  }
  void TearDown() override {
    Application().ProcessMessages();
    Platform() = saved_;
  }
  test::FakeClock clock;

 private:
  PlatformServices saved_;
};

TEST_F(CalendarTest, EachCornerPlacesTheFormAndTheButtonColumn) {
  const int sw = TForm::ScreenWidth(), sh = TForm::ScreenHeight();
  for (int corner = 0; corner <= 4; ++corner) {
    auto* form = new TfrmCalendar(corner);
    auto layout = CalendarLayout(corner, TForm::PixelsPerInch(), sw, sh);
    RECT r = WindowRect(form->Handle());
    EXPECT_EQ(r.left, layout.Left) << corner;
    EXPECT_EQ(r.top, layout.Top) << corner;
    EXPECT_EQ(r.right - r.left, layout.MainWidth) << corner;
    EXPECT_EQ(r.bottom - r.top, layout.MainHeight) << corner;
    bool atRight = corner != 1 && corner != 2;
    bool atBottom = corner == 0 || corner == 2 || corner == 4;
    EXPECT_EQ(corner == 1 || corner == 3 ? r.top : r.bottom, corner == 1 || corner == 3 ? 0 : sh) << corner;
    POINT toolbar = test::ScreenOrigin(form->pnlToolbar->Handle());
    EXPECT_EQ(toolbar.x == r.left, !atRight) << corner;
    POINT close = test::ScreenOrigin(form->sbtClose->Handle());
    POINT prevYear = test::ScreenOrigin(form->sbtPrevYear->Handle());
    POINT nextYear = test::ScreenOrigin(form->sbtNextYear->Handle());
    bool closeBelow = corner == 1 || corner == 3;
    EXPECT_EQ(close.y > nextYear.y, closeBelow) << corner;
    EXPECT_EQ(close.y < prevYear.y, !closeBelow) << corner;
    // The column is at the end nearest the screen's top or bottom edge.
    if (corner == 2 || corner == 4) {
      EXPECT_GE(nextYear.y + 24, r.bottom - 3) << corner;
    }
    if (corner == 1 || corner == 3) {
      EXPECT_LE(prevYear.y, r.top + 3) << corner;
    }
    (void)atBottom;
    delete form;
  }
}

TEST_F(CalendarTest, NavigationKeysWheelAndLimits) {
  auto* form = new TfrmCalendar(1);
  form->Show();
  EXPECT_FALSE(form->sbtToday->Enabled());
  EXPECT_EQ(form->ShownYear, 2026);
  EXPECT_EQ(form->ShownMonth, 12);

  SendMessageA(form->Handle(), WM_KEYDOWN, VK_PRIOR, 0);
  EXPECT_EQ(form->ShownYear, 2025);
  EXPECT_TRUE(form->sbtToday->Enabled());
  SendMessageA(form->Handle(), WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(form->ShownYear, 2026);
  EXPECT_FALSE(form->sbtToday->Enabled());
  SendMessageA(form->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(form->ShownYear, 2027);
  EXPECT_EQ(form->ShownMonth, 1);
  SendMessageA(form->Handle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(form->ShownMonth, 12);

  // Three notches away from the user: three months back.
  for (int i = 0; i < 3; ++i) SendMessageA(form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(form->ShownMonth, 9);
  SendMessageA(form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(form->ShownMonth, 10);

  form->ShownYear = 1;
  form->ShownMonth = 1;
  form->sbtPrevMonthClick(nullptr);
  form->sbtPrevYearClick(nullptr);
  EXPECT_EQ(form->ShownYear, 1);
  EXPECT_EQ(form->ShownMonth, 1);
  form->ShownYear = 9999;
  form->ShownMonth = 12;
  form->sbtNextMonthClick(nullptr);
  form->sbtNextYearClick(nullptr);
  EXPECT_EQ(form->ShownYear, 9999);
  EXPECT_EQ(form->ShownMonth, 12);
  form->UpdateView();
  UpdateWindow(form->dgdNext->Handle());  // January 10000 draws a caption and no days
  delete form;
}

// Whether the screen shows the cell of `day` in the middle grid in the highlight colour,
// after the paints that are due (a fresh print would always show the clock's day).
bool Marked(TfrmCalendar* form, int day) {
  UpdateWindow(form->dgdCurrent->Handle());
  Application().ProcessMessages();  // Wine copies window surfaces to the screen while idle
  int first = Platform().locale->FirstDayOfWeek();
  int s = WeekdayColumn(1, form->ShownMonth, form->ShownYear, first);
  int index = day - 1 + s - 1;
  RECT cell = form->dgdCurrent->CellRect(index % 7, 2 + index / 7);
  POINT o = test::ScreenOrigin(form->dgdCurrent->Handle());
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, o.x + cell.left + 2, o.y + cell.top + 2);
  ReleaseDC(nullptr, screen);
  return c == GetSysColor(COLOR_HIGHLIGHT);
}

TEST_F(CalendarTest, TheTodayMarkMovesAtMidnightWhileOpen) {
  clock.now = {2026, 12, 8, 23, 59, 58};
  auto* form = new TfrmCalendar(1);
  form->Show();
  EXPECT_TRUE(Marked(form, 8));
  form->timMainTimer();
  EXPECT_TRUE(Marked(form, 8)) << "nothing changes within the day";
  clock.now = {2026, 12, 9, 0, 0, 1};
  form->timMainTimer();
  EXPECT_FALSE(Marked(form, 8));
  EXPECT_TRUE(Marked(form, 9));
  // Into a new month and year: a view of the old today's month follows to the new one.
  clock.now = {2026, 12, 31, 23, 59, 59};
  form->timMainTimer();
  clock.now = {2027, 1, 1, 0, 0, 0};
  form->timMainTimer();
  EXPECT_EQ(form->ShownYear, 2027);
  EXPECT_EQ(form->ShownMonth, 1);
  EXPECT_TRUE(Marked(form, 1));
  EXPECT_FALSE(form->sbtToday->Enabled());
  // A month the user browsed to stays, and "Today" stays offered.
  form->sbtPrevYearClick(nullptr);
  clock.now = {2027, 1, 2, 0, 0, 0};
  form->timMainTimer();
  EXPECT_EQ(form->ShownYear, 2026);
  EXPECT_TRUE(form->sbtToday->Enabled());
  delete form;
}

TEST_F(CalendarTest, EscapeAndTheCloseButtonReleaseThePopup) {
  for (bool escape : {true, false}) {
    auto* form = new TfrmCalendar(4);
    ActivePopup = form;
    form->Show();
    HWND h = form->Handle();
    if (escape)
      SendMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
    else
      form->sbtClose->Click();
    EXPECT_EQ(ActivePopup, nullptr);
    EXPECT_TRUE(IsWindow(h)) << "destroyed during the message instead of after it";
    Application().ProcessMessages();
    EXPECT_FALSE(IsWindow(h));
  }
}

TEST_F(CalendarTest, DISABLED_View) {
  for (int corner : {4, 1}) {
    auto* form = new TfrmCalendar(corner);
    form->Show();
    test::HoldForViewing(form);
    delete form;
  }
}

}  // namespace
}  // namespace vimo
