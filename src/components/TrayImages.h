#pragma once
// The 32 tray faces: four rows of state (normal, corner pending, corner fired,
// suspended) by eight colours. Drawn by code, 16 x 16.
#include <array>
#include <cstdint>
#include <vector>

namespace vimo {

inline constexpr int kTrayImageSize = 16;
inline constexpr int kTrayColorCount = 8;
enum TTrayRow : int { trNormal = 0, trCornerPending = 1, trCornerFired = 2, trSuspended = 3 };

struct TRgb {
  std::uint8_t r, g, b;
  bool operator==(const TRgb&) const = default;
};

extern const std::array<TRgb, kTrayColorCount> TrayDarkColors;    // rows 0 and 3
extern const std::array<TRgb, kTrayColorCount> TrayBrightColors;  // rows 1 and 2

// Index in the image list for a colour 0..7 and a row.
inline int TrayImageIndex(int color, int row) { return color + kTrayColorCount * row; }
// The resting image: the suspended face while suspended.
inline int RestingTrayImage(int color, bool suspended) {
  return TrayImageIndex(color, suspended ? trSuspended : trNormal);
}

// Pixels row by row, 0xAARRGGBB; alpha 0 where transparent (the rounded corners).
using TTrayPixels = std::array<std::uint32_t, kTrayImageSize * kTrayImageSize>;
TTrayPixels TrayImagePixels(int index);

// The picture at `size` x `size` pixels (the icon size the shell asks for): each pixel
// the average of the part of the 16 x 16 picture it covers, weighted by alpha, so that a
// face keeps its shape and colours at any size and stays pixel-exact at 16, 32, 48...
std::vector<std::uint32_t> ResizePixels(const TTrayPixels& px, int size);

// White or black, whichever stands out from the colour.
TRgb FeatureColor(TRgb fill);

}  // namespace vimo
