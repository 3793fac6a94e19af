#include "platform/Contrast.h"

#include <algorithm>
#include <cmath>

namespace vimo {
namespace {

double Channel(std::uint32_t c) {
  double v = static_cast<double>(c & 0xFF) / 255.0;
  return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double Luminance(std::uint32_t c) {
  return 0.2126 * Channel(c) + 0.7152 * Channel(c >> 8) + 0.0722 * Channel(c >> 16);
}

}  // namespace

double ContrastRatio(std::uint32_t a, std::uint32_t b) {
  double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::uint32_t ReadableColor(std::uint32_t background, std::initializer_list<std::uint32_t> colors) {
  std::uint32_t best = 0;
  double most = -1;
  for (std::uint32_t c : colors) {
    double ratio = ContrastRatio(c, background);
    if (ratio >= 3.0) return c;
    if (ratio > most) {
      most = ratio;
      best = c;
    }
  }
  return best;
}

}  // namespace vimo
