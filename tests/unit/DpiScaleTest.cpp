#include <gtest/gtest.h>

#include "platform/DpiScale.h"

namespace vimo {
namespace {

TEST(DpiScale, NinetySixIsTheDesignAndOtherDpisRoundHalvesAwayFromZero) {
  for (int v : {-11, 0, 1, 8, 439, 316}) EXPECT_EQ(ScaleForDpi(v, 96), v);
  // The settings dialog's 439 x 316 at 150 %: 658.5 goes up.
  EXPECT_EQ(ScaleForDpi(439, 144), 659);
  EXPECT_EQ(ScaleForDpi(316, 144), 474);
  EXPECT_EQ(ScaleForDpi(-11, 144), -17);
  EXPECT_EQ(ScaleForDpi(26, 120), 33);  // 32.5
  EXPECT_EQ(ScaleForDpi(24, 192), 48);
  EXPECT_EQ(ScaleForDpi(5, 108), 6);    // 5.625
}

TEST(DpiScale, EdgesScaledOneByOneKeepNeighboursApart) {
  // Controls scale by their edges: one that ended where the next began still does, and a
  // gap never closes, at any DPI.
  for (int dpi : {96, 108, 120, 144, 168, 192, 240})
    for (int right = 0; right < 300; ++right) {
      EXPECT_LE(ScaleForDpi(right, dpi), ScaleForDpi(right + 4, dpi) - 4) << dpi << " " << right;
    }
}

TEST(DpiScale, BackToDesignUnits) {
  EXPECT_EQ(UnscaleForDpi(1024, 144), 683);
  EXPECT_EQ(UnscaleForDpi(768, 192), 384);
  EXPECT_EQ(UnscaleForDpi(ScaleForDpi(231, 144), 144), 231);
}

}  // namespace
}  // namespace vimo
