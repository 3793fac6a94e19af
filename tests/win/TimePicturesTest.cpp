// Pictures of the three time pop-ups as a user sees them, saved to VIMO_SCREENSHOTS.
#include <gtest/gtest.h>

#include "FakeLocale.h"
#include "FakeTimeZones.h"
#include "EditorSupport.h"
#include "PopupSupport.h"
#include "model/Model.h"
#include "platform/Platform.h"
#include "time/win32/Calendar.h"
#include "time/win32/TimeMap.h"
#include "time/win32/WorldTime.h"
#include "time/win32/WorldTimeEdit.h"

namespace vimo {
namespace {

class TimePictures : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Platform();
    Platform().clock = &clock;
    Platform().locale = &locale;
    Platform().timeZones = &zones;
    locale.twelveHour = true;
    savedTimes_ = std::move(WorldTimes);
    WorldTimes = std::make_unique<TWorldTimeList>(TWorldTimeList{
        {"Hawaii", -600}, {"New York", -300, "Eastern Standard Time"}, {"Dublin, Lisbon, London", 0},
        {"Berlin, Rome, Brussels, Paris", 60}, {"Chennai, Mumbai, New Delhi", 330, "India Standard Time"},
        {"Kiribati", 840}});
  }
  void TearDown() override {
    Application().ProcessMessages();
    WorldTimes = std::move(savedTimes_);
    Platform() = saved_;
  }
  void Shoot(TForm* form, const std::string& name) {
    form->Show();
    Application().ProcessMessages();
    test::SaveWindowBmp(form->Handle(), name);
    delete form;
  }
  test::FakeClock clock;
  test::FakeLocale locale;
  test::FakeTimeZones zones;

 private:
  PlatformServices saved_;
  std::unique_ptr<TWorldTimeList> savedTimes_;
};

TEST_F(TimePictures, CalendarWorldTimeAndMap) {
  clock.SetUtc({2026, 12, 9, 7, 17, 0}, test::BerlinZone());
  Shoot(new TfrmCalendar(4), "time-calendar");
  Shoot(new TfrmWorldTime(4), "time-worldtime");
  auto places = *WorldTimes;
  for (int i = 0; i < 64; ++i) WorldTimes->push_back({"Place " + std::to_string(i + 1), (i - 24) * 30});
  Shoot(new TfrmWorldTime(4), "time-worldtime-columns");
  *WorldTimes = places;
  Shoot(new TfrmTimeMap(4), "time-map-december");
  clock.SetUtc({2026, 6, 21, 7, 17, 0}, test::BerlinZone());
  Shoot(new TfrmTimeMap(4), "time-map-june");
  TWorldTime item{"New York", -300, "Eastern Standard Time"};
  TfrmWorldTimeEditor editor(item);
  test::WhenShown([&] {
    Application().ProcessMessages();
    test::SaveWindowBmp(editor.Handle(), "time-worldtime-editor");
    test::ClickButton(editor.btnCancel);
  });
  EXPECT_EQ(editor.ShowModal(), mrCancel);
}

// A child's rectangle in its ancestor's client coordinates.
RECT RectIn(TControl* child, TControl* ancestor) {
  RECT r = test::WindowRect(child->Handle());
  MapWindowPoints(nullptr, ancestor->Handle(), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Inside the panel's bevels and border, where its children belong.
void ExpectInsideFrame(TControl* child, TPanel* panel) {
  RECT c = RectIn(child, panel);
  RECT inside = test::ClientRectOf(panel->Handle());
  InflateRect(&inside, -panel->FrameWidth(), -panel->FrameWidth());
  EXPECT_GE(c.left, inside.left);
  EXPECT_GE(c.top, inside.top);
  EXPECT_LE(c.right, inside.right);
  EXPECT_LE(c.bottom, inside.bottom);
}

TEST_F(TimePictures, NoPartCoversABevelOrIsCut) {
  clock.SetUtc({2026, 12, 9, 7, 17, 0}, test::BerlinZone());
  for (int corner : {1, 4}) {
    auto* map = new TfrmTimeMap(corner);
    EXPECT_EQ(map->pntHours->Height(), 24);
    ExpectInsideFrame(map->pntHours, map->pnlTime);
    ExpectInsideFrame(map->pnlMapContainer, map->pnlTime);
    delete map;
    auto* calendar = new TfrmCalendar(corner);
    ExpectInsideFrame(calendar->pnlToolbarCorner, calendar->pnlToolbar);
    RECT buttons = RectIn(calendar->pnlButtons, calendar->pnlToolbarCorner);
    RECT cornerPanel = test::ClientRectOf(calendar->pnlToolbarCorner->Handle());
    EXPECT_GE(buttons.left, cornerPanel.left) << "the buttons fit the corner";
    EXPECT_LE(buttons.right, cornerPanel.right);
    delete calendar;
  }
}

TEST_F(TimePictures, ScaleTicksStopAboveTheHourLabels) {
  auto* form = new TfrmWorldTime(1);
  form->Show();
  TPaintBox* scale = form->pntColors;
  const int w = scale->ClientWidth(), h = scale->ClientHeight();
  // Read from the screen: what the user sees, drawn with the font the label gets.
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  POINT origin = test::ScreenOrigin(scale->Handle());
  HDC screen = GetDC(nullptr);
  struct {
    HDC dc;
    POINT o;
    COLORREF Pixel(int x, int y) const { return GetPixel(dc, o.x + x, o.y + y); }
  } picture{screen, origin};
  for (int x : {w / 8, w * 3 / 8, w * 5 / 8, w * 7 / 8}) {
    int tickEnd = h * 2 / 5;
    while (tickEnd < h && picture.Pixel(x, tickEnd) == RGB(0, 0, 0)) ++tickEnd;
    EXPECT_GT(tickEnd, h * 2 / 5) << "a tick at " << x;
    // The label's first row of ink beside the tick's column.
    int labelTop = h;
    for (int y = h * 2 / 5; y < h && labelTop == h; ++y)
      for (int dx = -12; dx <= 12; ++dx)
        if (dx != 0 && picture.Pixel(x + dx, y) == RGB(0, 0, 0)) labelTop = y;
    EXPECT_LT(tickEnd, labelTop) << "the tick at " << x << " runs into its label";
  }
  ReleaseDC(nullptr, screen);
  delete form;
}

}  // namespace
}  // namespace vimo
