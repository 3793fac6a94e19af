#include "time/PlaceTime.h"

#include <cctype>

#include "time/TimeZoneMath.h"

namespace vimo {

static bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

const TTimeZone* FindZone(const std::vector<TTimeZone>& zones, const std::string& keyName) {
  if (keyName.empty()) return nullptr;
  for (const auto& z : zones)
    if (SameName(z.KeyName, keyName)) return &z;
  return nullptr;
}

TPlaceTime PlaceTimeNow(const TWorldTime& place, const TClockReading& now, const std::vector<TTimeZone>& zones) {
  TPlaceTime t;
  t.Offset = place.Offset;
  if (const TTimeZone* zone = FindZone(zones, place.Zone)) {
    t.Offset = -BiasAt(*zone, now.Utc);
    t.Daylight = DaylightAt(*zone, now.Utc);
  }
  TLocalTime there = AddMinutes(now.Utc, t.Offset);
  t.Minutes = there.Hour * 60 + there.Minute;
  t.Day = DayDifference(now.Local, there);
  return t;
}

const char* DayWord(int day) { return day < 0 ? "yesterday" : day > 0 ? "tomorrow" : ""; }

int StandardOffset(const TTimeZone& zone) { return -(zone.Rule.Bias + zone.Rule.StandardBias); }

}  // namespace vimo
