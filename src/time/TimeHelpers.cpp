#include "time/TimeHelpers.h"

#include "platform/Platform.h"
#include "time/TimeZoneMath.h"

namespace vimo {

TColor BlendColor(TColor a, TColor b, int p, int n) {
  if (n <= 0) return a;
  auto mix = [&](int ca, int cb) { return ca * (n - p) / n + cb * p / n; };
  return Rgb(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)), mix(BlueOf(a), BlueOf(b)));
}

TColor DayColor(int t) {
  // Bring far-off values close first so that huge offsets do not loop for long.
  t %= kMinutesPerDay * 16;
  while (t < 0) t += kMinutesPerDay;
  while (t > kMinutesPerDay) t -= kMinutesPerDay;
  if (t < 360) return BlendColor(kNavy, kGreen, t, 360);
  if (t < 720) return BlendColor(kGreen, kYellow, t - 360, 360);
  if (t < 1080) return BlendColor(kYellow, kRed, t - 720, 360);
  return BlendColor(kRed, kNavy, t - 1080, 360);
}

int LocalBias() {
  Clock* clock = Platform().clock;
  if (!clock) return 0;
  TClockReading now = clock->Read();
  return MinutesBetween(now.Local, now.Utc);
}

static bool TwelveHour() {
  LocaleInfo* locale = Platform().locale;
  return locale && locale->TwelveHourClock();
}

std::string HourLabel(int hour, bool twelveHour) {
  if (!twelveHour) return std::to_string(hour) + ":00";
  int h = hour % 12 == 0 ? 12 : hour % 12;
  return std::to_string(h) + (hour < 12 ? "am" : "pm");
}

std::string HourLabel(int hour) { return HourLabel(hour, TwelveHour()); }

std::string TimeOfDayText(int minutes, bool twelveHour) {
  minutes %= kMinutesPerDay;
  if (minutes < 0) minutes += kMinutesPerDay;
  int hour = minutes / 60;
  int minute = minutes % 60;
  std::string mm = (minute < 10 ? "0" : "") + std::to_string(minute);
  if (!twelveHour) return std::to_string(hour) + ":" + mm;
  int h = hour % 12 == 0 ? 12 : hour % 12;
  return std::to_string(h) + ":" + mm + (hour < 12 ? "am" : "pm");
}

std::string TimeOfDayText(int minutes) { return TimeOfDayText(minutes, TwelveHour()); }

int TimeRowMinutes(bool home, int bias, int localMinutes, int offset) {
  int t = (home ? 0 : bias) + localMinutes + offset;
  if (t < 0) t += kMinutesPerDay;
  if (t >= kMinutesPerDay) t -= kMinutesPerDay;
  return t;
}

}  // namespace vimo
