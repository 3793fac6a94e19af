#include <gtest/gtest.h>

#include "platform/Contrast.h"

namespace vimo {
namespace {

constexpr std::uint32_t Rgb(int r, int g, int b) { return static_cast<std::uint32_t>(r | g << 8 | b << 16); }

TEST(Contrast, RatiosRunFromOneToTwentyOne) {
  EXPECT_NEAR(ContrastRatio(Rgb(0, 0, 0), Rgb(255, 255, 255)), 21.0, 0.01);
  EXPECT_NEAR(ContrastRatio(Rgb(255, 255, 255), Rgb(0, 0, 0)), 21.0, 0.01);
  EXPECT_NEAR(ContrastRatio(Rgb(0, 102, 204), Rgb(0, 102, 204)), 1.0, 0.001);
  // Green weighs most: pure green on black reads far better than pure blue.
  EXPECT_GT(ContrastRatio(Rgb(0, 255, 0), Rgb(0, 0, 0)), 5 * ContrastRatio(Rgb(0, 0, 255), Rgb(0, 0, 0)) / 2);
}

TEST(Contrast, ThePaleHoverGreyOfALightThemeGivesWayToTheNextColour) {
  const std::uint32_t face = Rgb(240, 240, 240);
  EXPECT_EQ(ReadableColor(face, {Rgb(224, 224, 224), Rgb(48, 150, 250), Rgb(0, 0, 0)}), Rgb(0, 0, 0))
      << "the light blue highlight reads under 3:1 on the face too";
  EXPECT_EQ(ReadableColor(face, {Rgb(0, 102, 204), Rgb(0, 0, 0)}), Rgb(0, 102, 204)) << "Windows' link blue";
  EXPECT_EQ(ReadableColor(Rgb(0, 0, 0), {Rgb(255, 255, 0)}), Rgb(255, 255, 0)) << "high contrast yellow";
  // None reads: the best there is.
  EXPECT_EQ(ReadableColor(face, {Rgb(250, 250, 250), Rgb(200, 200, 200)}), Rgb(200, 200, 200));
}

}  // namespace
}  // namespace vimo
