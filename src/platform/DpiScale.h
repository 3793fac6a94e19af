#pragma once
// Sizes designed for 96 pixels per inch, as they are at another DPI.
namespace vimo {

inline constexpr int kDesignDpi = 96;

// `units` at 96 DPI in pixels at `dpi`, to the nearest pixel with halves away from zero
// (as MulDiv rounds), so that a size and its negative scale alike.
constexpr int ScaleForDpi(int units, int dpi) {
  long long product = static_cast<long long>(units) * dpi;
  long long half = kDesignDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi));
}

// The other way: pixels at `dpi` in 96-DPI units.
constexpr int UnscaleForDpi(int pixels, int dpi) {
  long long product = static_cast<long long>(pixels) * kDesignDpi;
  long long half = dpi / 2;
  return dpi <= 0 ? pixels
                  : static_cast<int>(product >= 0 ? (product + half) / dpi : -((-product + half) / dpi));
}

}  // namespace vimo
