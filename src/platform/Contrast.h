#pragma once
// Whether a text colour reads on a background, for colours the system's scheme gives.
#include <cstdint>
#include <initializer_list>

namespace vimo {

// The contrast ratio of two colours (0x00BBGGRR, as COLORREF holds them) by their
// relative luminance: 1 for the same colour, 21 for black on white.
double ContrastRatio(std::uint32_t a, std::uint32_t b);

// The first of `colors` with at least 3:1 against `background` (the least for large or
// underlined text), or the one with the most contrast when none has.
std::uint32_t ReadableColor(std::uint32_t background, std::initializer_list<std::uint32_t> colors);

}  // namespace vimo
