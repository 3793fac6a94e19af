#include "components/TrayImages.h"

#include <algorithm>

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

std::vector<std::uint32_t> ResizePixels(const TTrayPixels& px, int size) {
  constexpr int n = kTrayImageSize;
  std::vector<std::uint32_t> out(static_cast<std::size_t>(size > 0 ? size * size : 0));
  if (size <= 0) return out;
  // In units of 1 / (n * size): target pixel t covers [t * n, (t + 1) * n), source pixel s
  // covers [s * size, (s + 1) * size).
  auto overlap = [size](int t, int s) {
    int lo = std::max(t * n, s * size), hi = std::min((t + 1) * n, (s + 1) * size);
    return std::max(hi - lo, 0);
  };
  for (int ty = 0; ty < size; ++ty)
    for (int tx = 0; tx < size; ++tx) {
      std::int64_t a = 0, r = 0, g = 0, b = 0, area = 0;
      for (int sy = ty * n / size; sy < n && sy * size < (ty + 1) * n; ++sy)
        for (int sx = tx * n / size; sx < n && sx * size < (tx + 1) * n; ++sx) {
          std::int64_t w = std::int64_t{overlap(tx, sx)} * overlap(ty, sy);
          std::uint32_t p = px[static_cast<std::size_t>(sy * n + sx)];
          std::int64_t alpha = p >> 24;
          area += w;
          a += w * alpha;
          r += w * alpha * ((p >> 16) & 0xFF);
          g += w * alpha * ((p >> 8) & 0xFF);
          b += w * alpha * (p & 0xFF);
        }
      std::uint32_t value = 0;
      if (a > 0) {
        auto channel = [a](std::int64_t sum) { return static_cast<std::uint32_t>((sum + a / 2) / a); };
        value = static_cast<std::uint32_t>((a + area / 2) / area) << 24 | channel(r) << 16 | channel(g) << 8 |
                channel(b);
      }
      out[static_cast<std::size_t>(ty * size + tx)] = value;
    }
  return out;
}

}  // namespace vimo
