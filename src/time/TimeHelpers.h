#pragma once
// The time helpers the world time pop-up and the sun time map share.
#include <cstdint>
#include <string>

namespace vimo {

// Same layout as COLORREF: 0x00BBGGRR.
using TColor = std::uint32_t;

constexpr TColor Rgb(int r, int g, int b) {
  return static_cast<TColor>(r & 0xFF) | (static_cast<TColor>(g & 0xFF) << 8) |
         (static_cast<TColor>(b & 0xFF) << 16);
}
constexpr int RedOf(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }

inline constexpr TColor kNavy = Rgb(0, 0, 128);
inline constexpr TColor kGreen = Rgb(0, 255, 0);
inline constexpr TColor kYellow = Rgb(255, 255, 0);
inline constexpr TColor kRed = Rgb(255, 0, 0);

inline constexpr int kMinutesPerDay = 1440;

// Channel-wise a*(n-p) div n + b*p div n. A length of 0 gives A.
TColor BlendColor(TColor a, TColor b, int p, int n);
// Time-of-day colour for minutes since midnight (any value; wrapped into 0..1440).
TColor DayColor(int minutes);

// The bias in effect now, daylight time included (UTC = local + bias), from one reading
// of the platform clock.
int LocalBias();
// Scale labels: "12am", "6pm" on a 12-hour clock, "0:00", "18:00" otherwise.
std::string HourLabel(int hour, bool twelveHour);
std::string HourLabel(int hour);
// "6:05pm" or "18:05"; minutes are first brought into 0..1439.
std::string TimeOfDayText(int minutes, bool twelveHour);
std::string TimeOfDayText(int minutes);

// Local minutes moved by an entry's offset: home rows show the local clock unchanged,
// other rows local + bias + offset, wrapped once into 0..1439.
int TimeRowMinutes(bool home, int bias, int localMinutes, int offset);

}  // namespace vimo
