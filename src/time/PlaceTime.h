#pragma once
// The time now at a place of the world time list: a fixed offset from UTC, or the local
// time of the zone the place is tied to, daylight time included.
#include <string>
#include <vector>

#include "model/Model.h"
#include "platform/Locale.h"
#include "platform/TimeZones.h"

namespace vimo {

struct TPlaceTime {
  int Minutes = 0;       // minute of the place's day, 0..1439
  int Day = 0;           // -1 the day before the user's date, 1 the day after, else 0
  int Offset = 0;        // minutes east of UTC in effect now
  bool Daylight = false;  // the place's zone is on daylight time
};

// The zone with that key name (compared as the registry compares names), or null.
const TTimeZone* FindZone(const std::vector<TTimeZone>& zones, const std::string& keyName);

// A place whose zone this system does not know keeps its stored offset.
TPlaceTime PlaceTimeNow(const TWorldTime& place, const TClockReading& now, const std::vector<TTimeZone>& zones);

// "yesterday", "tomorrow" or "" for a TPlaceTime's Day.
const char* DayWord(int day);

// The zone's standard offset, minutes east of UTC, as the place list stores it.
int StandardOffset(const TTimeZone& zone);

}  // namespace vimo
