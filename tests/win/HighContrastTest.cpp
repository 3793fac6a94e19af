#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "FakeLocale.h"
#include "PopupSupport.h"
#include "model/Model.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Locale.h"
#include "time/win32/Calendar.h"
#include "time/win32/TimeMap.h"
#include "time/win32/WorldTime.h"
#include "host/win32/PopupForms.h"
#include "ui/StdControls.h"

namespace vimo {
namespace {

// A high-contrast black scheme for the test's length: light text and lines on black.
class HighContrastTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Platform();
    clock.now = {2026, 12, 9, 10, 30, 0};
    Platform().clock = &clock;
    Platform().locale = &locale;
    savedTimes_ = std::move(WorldTimes);
    WorldTimes = std::make_unique<TWorldTimeList>(TWorldTimeList{{"London", 0}, {"Tokyo", 540}});
    const std::vector<std::pair<int, COLORREF>> scheme = {
        {COLOR_BTNFACE, RGB(0, 0, 0)},         {COLOR_BTNTEXT, RGB(255, 255, 255)},
        {COLOR_WINDOW, RGB(0, 0, 0)},          {COLOR_WINDOWTEXT, RGB(255, 255, 255)},
        {COLOR_HIGHLIGHT, RGB(26, 235, 255)},  {COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0)},
        {COLOR_GRAYTEXT, RGB(63, 242, 63)},    {COLOR_3DLIGHT, RGB(64, 64, 64)},
        {COLOR_BTNSHADOW, RGB(128, 128, 128)}, {COLOR_BTNHIGHLIGHT, RGB(192, 192, 192)},
        {COLOR_HOTLIGHT, RGB(255, 255, 0)}};
    for (auto [element, color] : scheme) {
      elements_.push_back(element);
      old_.push_back(GetSysColor(element));
      colors_.push_back(color);
    }
    ASSERT_TRUE(SetSysColors(static_cast<int>(elements_.size()), elements_.data(), colors_.data()));
  }
  void TearDown() override {
    SetSysColors(static_cast<int>(elements_.size()), elements_.data(), old_.data());
    Application().ProcessMessages();
    WorldTimes = std::move(savedTimes_);
    Platform() = saved_;
  }

  // Pixels of a colour in a part of a window's client area.
  static int CountColor(HWND h, RECT part, COLORREF color) {
    test::PrintedWindow picture(h);
    int n = 0;
    for (int y = part.top; y < part.bottom; ++y)
      for (int x = part.left; x < part.right; ++x)
        if (picture.Pixel(x, y) == color) ++n;
    return n;
  }

  test::FakeClock clock;
  Win32Locale locale{0x0409};

 private:
  PlatformServices saved_;
  std::unique_ptr<TWorldTimeList> savedTimes_;
  std::vector<int> elements_;
  std::vector<COLORREF> old_, colors_;
};

TEST_F(HighContrastTest, TheButtonsGlyphsAndTheScalesLinesShowOnBlack) {
  const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
  auto* calendar = new TfrmCalendar(1);
  calendar->Show();
  for (TSpeedButton* b : {calendar->sbtClose, calendar->sbtPrevYear, calendar->sbtPrevMonth, calendar->sbtNextMonth,
                          calendar->sbtNextYear}) {
    RECT r = test::ClientRectOf(b->Handle());
    EXPECT_GT(CountColor(b->Handle(), r, ink), 6) << "a glyph in the button text colour";
  }
  test::SaveWindowBmp(calendar->Handle(), "high-contrast-calendar");
  delete calendar;

  auto* world = new TfrmWorldTime(1);
  world->Show();
  RECT close = test::ClientRectOf(world->sbtClose->Handle());
  EXPECT_GT(CountColor(world->sbtClose->Handle(), close, ink), 6);
  // The four ticks of the scale: lines in the window text colour, above the labels.
  HWND scale = world->pntColors->Handle();
  RECT r = test::ClientRectOf(scale);
  EXPECT_GE(CountColor(scale, RECT{0, r.bottom * 2 / 5, r.right, r.bottom * 2 / 5 + 2}, GetSysColor(COLOR_WINDOWTEXT)),
            4);
  test::SaveWindowBmp(world->Handle(), "high-contrast-world-time");
  delete world;

  auto* map = new TfrmTimeMap(1);
  map->Show();
  HWND hours = map->pntHours->Handle();
  RECT strip = test::ClientRectOf(hours);
  EXPECT_GE(CountColor(hours, RECT{0, 0, strip.right, 1}, GetSysColor(COLOR_BTNTEXT)), 24)
      << "a tick for every hour on the strip";
  test::SaveWindowBmp(map->Handle(), "high-contrast-time-map");
  delete map;
}

// Light grey on a light face: the link colour of Wine's light theme, meant for hover fills.
TEST(LinkColour, ALinkTooPaleForItsBackgroundTakesAColourThatReads) {
  int elements[] = {COLOR_HOTLIGHT, COLOR_BTNFACE};
  COLORREF pale[] = {RGB(224, 224, 224), RGB(240, 240, 240)};
  COLORREF old[] = {GetSysColor(COLOR_HOTLIGHT), GetSysColor(COLOR_BTNFACE)};
  ASSERT_TRUE(SetSysColors(2, elements, pale));
  {
    TForm form;
    auto* link = new TLinkLabel(&form, "https://www.example.org/");
    link->SetBounds(0, 0, 200, 20);
    form.SetClientSize(200, 20);
    form.Show();
    test::PrintedWindow picture(link->Handle());
    auto luma = [](COLORREF c) { return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000; };
    int darkest = 255;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 200; ++x) darkest = std::min(darkest, luma(picture.Pixel(x, y)));
    EXPECT_LT(darkest, 140) << "the link's text stands out from the face";
  }
  SetSysColors(2, elements, old);
  Application().ProcessMessages();
}

}  // namespace
}  // namespace vimo
