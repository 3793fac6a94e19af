#include <gtest/gtest.h>

#include "platform/Geometry.h"

namespace vimo {
namespace {

TEST(KeptInside, MovesIntoTheAreaFromEverySideWithoutResizing) {
  const TRect work{0, 30, 1024, 738};  // a taskbar at the top and one at the bottom
  EXPECT_EQ(KeptInside({-223, -421, 0, 0}, work), (TPoint{0, 30})) << "tray click at the top left";
  EXPECT_EQ(KeptInside({900, 700, 1100, 800}, work), (TPoint{824, 638})) << "bottom-right corner of the screen";
  EXPECT_EQ(KeptInside({100, 100, 300, 200}, work), (TPoint{100, 100})) << "inside already";
  EXPECT_EQ(KeptInside({1024, 738, 1224, 838}, work), (TPoint{824, 638}));
  // A second monitor left of the primary one.
  EXPECT_EQ(KeptInside({-100, 10, 100, 110}, {-1280, 0, 0, 1024}), (TPoint{-200, 10}));
}

TEST(KeptInside, AWindowLargerThanTheAreaKeepsItsTopLeftInside) {
  const TRect work{0, 30, 1024, 738};
  EXPECT_EQ(KeptInside({50, 0, 50 + 1100, 800}, work), (TPoint{0, 30}));
}

}  // namespace
}  // namespace vimo
