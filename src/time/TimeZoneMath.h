#pragma once
// Calendar arithmetic on clock readings and the daylight rules of time zones.
#include <cstdint>
#include <string>

#include "platform/Locale.h"
#include "platform/TimeZones.h"

namespace vimo {

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(int year, int month, int day);
// Seconds since 1970-01-01 00:00 of a reading (taken as it stands, in no zone).
std::int64_t SecondsOf(const TLocalTime& t);
TLocalTime TimeFromSeconds(std::int64_t seconds);
TLocalTime AddMinutes(const TLocalTime& t, int minutes);
// 0 Sunday .. 6 Saturday.
int WeekdayOf(int year, int month, int day);

// The minutes that `later` is ahead of `earlier`, rounded down to whole minutes.
int MinutesBetween(const TLocalTime& earlier, const TLocalTime& later);

// The rule in force in a year: the zone's own rule for that year when it has years.
const TZoneRule& RuleForYear(const TTimeZone& zone, int year);

// Whether daylight time is on at the UTC instant, and the bias in effect then.
bool DaylightAt(const TZoneRule& rule, const TLocalTime& utc);
bool DaylightAt(const TTimeZone& zone, const TLocalTime& utc);
int BiasAt(const TTimeZone& zone, const TLocalTime& utc);
TLocalTime ZoneLocalTime(const TTimeZone& zone, const TLocalTime& utc);

// -1 when the place's date is the day before the user's, 1 the day after, else 0.
int DayDifference(const TLocalTime& user, const TLocalTime& place);

}  // namespace vimo
