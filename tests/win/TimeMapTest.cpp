#include <gtest/gtest.h>

#include "FakeLocale.h"
#include "PopupSupport.h"
#include "model/Model.h"
#include "platform/Platform.h"
#include "time/TimeHelpers.h"
#include "time/TimeMapMath.h"
#include "time/win32/TimeMap.h"

namespace vimo {
namespace {

class TimeMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Platform();
    // Midsummer noon at Greenwich: the Arctic and the land six hours east are in sunlight.
    clock.now = {2026, 6, 21, 12, 0, 0};
    clock.bias = 0;
    Platform().clock = &clock;
    Platform().locale = &locale;
  }
  void TearDown() override {
    Application().ProcessMessages();
    Platform() = saved_;
  }
  test::FakeClock clock;
  test::FakeLocale locale;

 private:
  PlatformServices saved_;
};

// The first row of a column whose pixel satisfies `want`, or -1.
template <typename F>
int FindRow(const std::uint32_t* bits, int x, F want) {
  for (int y = 0; y < kMapHeight; ++y)
    if (want(bits[y * kMapWidth + x])) return y;
  return -1;
}

std::uint32_t DibOf(TColor c) {
  return static_cast<std::uint32_t>(RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c));
}

TEST_F(TimeMapTest, EachCornerPlacesTheForm) {
  const int sw = TForm::ScreenWidth(), sh = TForm::ScreenHeight();
  for (int corner = 0; corner <= 4; ++corner) {
    auto* form = new TfrmTimeMap(corner);
    auto layout = TimeMapLayout(corner, sw, sh);
    RECT r = test::WindowRect(form->Handle());
    EXPECT_EQ(r.left, layout.Place.Left) << corner;
    EXPECT_EQ(r.top, layout.Place.Top) << corner;
    EXPECT_EQ(r.right - r.left, layout.MainWidth) << corner;
    EXPECT_EQ(r.bottom - r.top, layout.MainHeight) << corner;
    EXPECT_EQ(form->pnlMap->ClientWidth(), kMapWidth) << corner;
    EXPECT_EQ(form->imgMap->ClientHeight(), kMapHeight) << corner;
    POINT close = test::ScreenOrigin(form->sbtClose->Handle());
    EXPECT_EQ(close.x < r.left + 30, corner == 1 || corner == 2) << corner;
    EXPECT_EQ(close.y, corner == 2 || corner == 4 ? r.top + 1 : r.bottom - 25) << corner;
    delete form;
  }
}

TEST_F(TimeMapTest, NoonAtGreenwichPaintsYellowThereAndRedSixHoursEast) {
  auto* form = new TfrmTimeMap(1);
  const std::uint32_t* bits = form->MapBits();
  const TSun sun = SunAt(clock.now);
  auto lit = [&](int x, int y) {
    return DaylightLevel(MapRowLatitude(y, kMapHeight), MapColumnLongitude(x, kMapWidth), sun) == 256;
  };
  auto white = [](std::uint32_t p) { return (p & 0xFFFFFF) == 0xFFFFFF; };
  auto litLand = [&](int x) {
    for (int y = 0; y < kMapHeight; ++y)
      if (lit(x, y) && !white(bits[y * kMapWidth + x])) return y;
    return -1;
  };
  int land180 = litLand(180);
  int land275 = litLand(275);
  int sea180 = FindRow(bits, 180, white);
  ASSERT_GE(land180, 0) << "Greenwich crosses land";
  ASSERT_GE(land275, 0);
  ASSERT_GE(sea180, 0);
  EXPECT_EQ(bits[land180 * kMapWidth + 180] & 0xFFFFFF, 0xFFFF00u);
  EXPECT_EQ(bits[land275 * kMapWidth + 275] & 0xFFFFFF, 0xFF0000u);
  // Where the sun is up, land has exactly its column's tint and the sea stays white.
  for (int x = 0; x < kMapWidth; ++x)
    for (int y = 0; y < kMapHeight; ++y) {
      std::uint32_t p = bits[y * kMapWidth + x] & 0xFFFFFF;
      if (lit(x, y) && p != 0xFFFFFF) ASSERT_EQ(p, DibOf(DayColor(MapColumnMinutes(x, kMapWidth, 0, 720)))) << x << "," << y;
    }
  // What the screen gets is the same picture.
  EXPECT_EQ(test::PrintedPixel(form->imgMap->Handle(), 180, land180), kYellow);
  EXPECT_EQ(test::PrintedPixel(form->imgMap->Handle(), 275, land275), kRed);
  EXPECT_EQ(test::PrintedPixel(form->imgMap->Handle(), 180, sea180), RGB(255, 255, 255));
  delete form;
}

TEST_F(TimeMapTest, ProbingDrawsAGuideLineThatReleasingTakesAway) {
  auto* form = new TfrmTimeMap(3);
  const std::uint32_t* bits = form->MapBits();
  int sea = FindRow(bits, 100, [](std::uint32_t p) { return (p & 0xFFFFFF) == 0xFFFFFF; });
  ASSERT_GE(sea, 0);
  HWND img = form->imgMap->Handle();
  SendMessageA(img, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 10));
  EXPECT_TRUE(form->Probing);
  EXPECT_EQ(bits[sea * kMapWidth + 100] & 0xFFFFFF, 0x3F3F3Fu) << "white XOR silver";
  SendMessageA(img, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(120, 10));
  EXPECT_EQ(bits[sea * kMapWidth + 100] & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(form->ProbeX, 120);
  // A minute passing while probing recolours the map but keeps the guide line.
  clock.now.Minute = 1;
  form->timMainTimer();
  int sea120 = FindRow(bits, 120, [](std::uint32_t p) { return (p & 0xFFFFFF) == 0x3F3F3F; });
  EXPECT_GE(sea120, 0);
  SendMessageA(img, WM_LBUTTONUP, 0, MAKELPARAM(120, 10));
  EXPECT_FALSE(form->Probing);
  for (int y = 0; y < kMapHeight; ++y) ASSERT_NE(bits[y * kMapWidth + 120] & 0xFFFFFF, 0x3F3F3Fu) << y;
  delete form;
}

TEST_F(TimeMapTest, DISABLED_View) {
  auto* form = new TfrmTimeMap(4);
  form->Show();
  test::HoldForViewing(form);
  delete form;
}

}  // namespace
}  // namespace vimo
