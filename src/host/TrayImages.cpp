#include "host/TrayImages.h"

namespace vimo {

const std::array<TRgb, kTrayColorCount> TrayDarkColors = {{
    {0, 128, 0}, {128, 0, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {0, 0, 0},
}};
const std::array<TRgb, kTrayColorCount> TrayBrightColors = {{
    {0, 255, 0}, {255, 0, 0}, {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255}, {128, 128, 128},
}};

TRgb FeatureColor(TRgb fill) {
  // Perceived brightness (ITU-R BT.601 weights).
  int luma = (299 * fill.r + 587 * fill.g + 114 * fill.b) / 1000;
  return luma < 128 ? TRgb{255, 255, 255} : TRgb{0, 0, 0};
}

namespace {

struct Dot {
  int x, y;
};

// Mouths, in face coordinates.
constexpr Dot kSmile[] = {{3, 9}, {12, 9}, {4, 10}, {11, 10}, {5, 11}, {6, 11}, {7, 11}, {8, 11}, {9, 11}, {10, 11}};
constexpr Dot kFrown[] = {{5, 10}, {6, 10}, {7, 10}, {8, 10}, {9, 10}, {10, 10}, {4, 11}, {11, 11}, {3, 12}, {12, 12}};

std::uint32_t Argb(TRgb c) {
  return 0xFF000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
}

bool RoundedCorner(int x, int y) {
  int cx = x < 8 ? x : 15 - x;
  int cy = y < 8 ? y : 15 - y;
  return cx + cy < 2;  // the three pixels at each corner
}

}  // namespace

TTrayPixels TrayImagePixels(int index) {
  int color = ((index % kTrayColorCount) + kTrayColorCount) % kTrayColorCount;
  int row = (index / kTrayColorCount) % 4;
  TRgb fill = (row == trCornerPending || row == trCornerFired) ? TrayBrightColors[color] : TrayDarkColors[color];
  std::uint32_t face = Argb(fill);
  std::uint32_t feature = Argb(FeatureColor(fill));

  TTrayPixels px{};
  auto put = [&](int x, int y, std::uint32_t c) { px[y * kTrayImageSize + x] = c; };
  for (int y = 0; y < kTrayImageSize; ++y)
    for (int x = 0; x < kTrayImageSize; ++x) put(x, y, RoundedCorner(x, y) ? 0u : face);

  for (int y = 4; y < 6; ++y)
    for (int x : {4, 5, 10, 11}) put(x, y, feature);

  if (row == trCornerFired) {
    // A wide open laugh: a filled half disc.
    for (int y = 9; y <= 12; ++y)
      for (int x = 3 + (y - 9); x <= 12 - (y - 9); ++x) put(x, y, feature);
  } else if (row == trSuspended) {
    for (Dot d : kFrown) put(d.x, d.y, feature);
  } else {
    for (Dot d : kSmile) put(d.x, d.y, feature);
  }
  return px;
}

}  // namespace vimo
