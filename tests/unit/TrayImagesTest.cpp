#include <gtest/gtest.h>

#include <set>

#include "components/TrayImages.h"

namespace vimo {
namespace {

std::uint32_t PixelAt(const TTrayPixels& px, int x, int y) { return px[y * kTrayImageSize + x]; }
TRgb RgbOf(std::uint32_t argb) {
  return {static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8), static_cast<std::uint8_t>(argb)};
}

TEST(TrayImages, RowsUseTheDarkOrBrightColourAndContrastingFeatures) {
  for (int color = 0; color < kTrayColorCount; ++color) {
    for (int row = 0; row < 4; ++row) {
      auto px = TrayImagePixels(TrayImageIndex(color, row));
      TRgb expected = (row == 1 || row == 2) ? TrayBrightColors[color] : TrayDarkColors[color];
      SCOPED_TRACE(testing::Message() << "colour " << color << " row " << row);
      EXPECT_EQ(RgbOf(PixelAt(px, 7, 1)), expected);
      EXPECT_EQ(PixelAt(px, 0, 0) >> 24, 0u) << "corners are transparent";
      EXPECT_EQ(PixelAt(px, 15, 15) >> 24, 0u);
      EXPECT_EQ(RgbOf(PixelAt(px, 4, 4)), FeatureColor(expected)) << "eye";
      EXPECT_NE(RgbOf(PixelAt(px, 4, 4)), expected) << "features must stand out";
    }
  }
  EXPECT_EQ(FeatureColor({0, 128, 0}), (TRgb{255, 255, 255}));
  EXPECT_EQ(FeatureColor({0, 255, 0}), (TRgb{0, 0, 0}));
  EXPECT_EQ(FeatureColor({192, 192, 192}), (TRgb{0, 0, 0}));
  EXPECT_EQ(FeatureColor({0, 0, 0}), (TRgb{255, 255, 255}));
}

TEST(TrayImages, MouthsTellTheState) {
  auto mouth = [](int row) {
    auto px = TrayImagePixels(TrayImageIndex(3, row));
    std::set<int> dots;
    for (int y = 8; y < 14; ++y)
      for (int x = 0; x < 16; ++x)
        if (px[y * 16 + x] != px[1 * 16 + 7]) dots.insert(y * 16 + x);
    return dots;
  };
  EXPECT_EQ(mouth(trNormal), mouth(trCornerPending)) << "pending is the smile in the bright colour";
  EXPECT_NE(mouth(trNormal), mouth(trCornerFired));
  EXPECT_NE(mouth(trNormal), mouth(trSuspended));
  EXPECT_GT(mouth(trCornerFired).size(), mouth(trNormal).size()) << "the laugh is wide open";
}

TEST(TrayImages, FacesAtTheShellsIconSizesKeepTheirShapeAndColours) {
  const TTrayPixels face = TrayImagePixels(TrayImageIndex(0, trNormal));
  EXPECT_EQ(ResizePixels(face, 16), std::vector<std::uint32_t>(face.begin(), face.end()));
  // Twice the size: every pixel a block of four.
  auto big = ResizePixels(face, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(big[y * 32 + x], face[(y / 2) * 16 + x / 2]) << x << "," << y;
  // At 150 %: the corners stay see-through, the middle of the face is its fill, the eyes
  // and the mouth are still there in the feature colour.
  auto mid = ResizePixels(face, 24);
  ASSERT_EQ(mid.size(), 24u * 24u);
  EXPECT_EQ(mid[0] >> 24, 0u);
  EXPECT_EQ(mid[23] >> 24, 0u);
  EXPECT_EQ(mid[12 * 24 + 12], face[8 * 16 + 8]);
  const std::uint32_t feature = face[4 * 16 + 4];
  EXPECT_EQ(mid[7 * 24 + 6], feature) << "an eye";
  EXPECT_EQ(mid[17 * 24 + 12], feature) << "the mouth";
  EXPECT_TRUE(ResizePixels(face, 0).empty());
}

TEST(TrayImages, RestingImageFollowsSuspend) {
  EXPECT_EQ(RestingTrayImage(5, false), 5);
  EXPECT_EQ(RestingTrayImage(5, true), 29);
  EXPECT_EQ(TrayImageIndex(7, trCornerFired), 23);
}

}  // namespace
}  // namespace vimo

#include "host/HostTexts.h"

namespace vimo {
namespace {

TEST(HostTexts, MenuCaptionAndHelpFile) {
  EXPECT_STREQ(SuspendCaption(false), "Suspend");
  EXPECT_STREQ(SuspendCaption(true), "Resume");
  EXPECT_EQ(HelpFileFor("C:\\Tools\\Vimo.exe"), "C:\\Tools\\Vimo.hlp");
  EXPECT_EQ(HelpFileFor("C:\\v1.2\\Vimo"), "C:\\v1.2\\Vimo.hlp");
  EXPECT_EQ(HelpFileFor("C:\\Tools\\my.vimo.exe"), "C:\\Tools\\my.vimo.hlp");
}

}  // namespace
}  // namespace vimo
