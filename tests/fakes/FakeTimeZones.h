#pragma once
// A time-zone database of two zones, as the system lists them: one with daylight time
// (United States rules since 2007), one without and half an hour off the hour.
#include "platform/TimeZones.h"

namespace vimo::test {

// Second Sunday of March 2:00 to first Sunday of November 2:00, one hour ahead.
inline TTimeZone EasternZone() {
  TTimeZone z;
  z.KeyName = "Eastern Standard Time";
  z.Display = "(UTC-05:00) Eastern Time (US & Canada)";
  z.Rule.Bias = 300;
  z.Rule.DaylightBias = -60;
  z.Rule.StandardDate = {0, 11, 0, 1, 2, 0, 0, 0};
  z.Rule.DaylightDate = {0, 3, 0, 2, 2, 0, 0, 0};
  // Before 2007 the change came on the first Sunday of April and the last of October.
  TZoneRule old = z.Rule;
  old.StandardDate = {0, 10, 0, 5, 2, 0, 0, 0};
  old.DaylightDate = {0, 4, 0, 1, 2, 0, 0, 0};
  z.Years[2006] = old;
  z.Years[2007] = z.Rule;
  return z;
}

inline TTimeZone IndiaZone() {
  TTimeZone z;
  z.KeyName = "India Standard Time";
  z.Display = "(UTC+05:30) Chennai, Kolkata, Mumbai, New Delhi";
  z.Rule.Bias = -330;
  return z;
}

// Central Europe: last Sunday of March 2:00 to last Sunday of October 3:00.
inline TTimeZone BerlinZone() {
  TTimeZone z;
  z.KeyName = "W. Europe Standard Time";
  z.Display = "(UTC+01:00) Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna";
  z.Rule.Bias = -60;
  z.Rule.DaylightBias = -60;
  z.Rule.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
  z.Rule.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
  return z;
}

// Sydney: daylight time from the first Sunday of October to the first Sunday of April.
inline TTimeZone SydneyZone() {
  TTimeZone z;
  z.KeyName = "AUS Eastern Standard Time";
  z.Display = "(UTC+10:00) Canberra, Melbourne, Sydney";
  z.Rule.Bias = -600;
  z.Rule.DaylightBias = -60;
  z.Rule.StandardDate = {0, 4, 0, 1, 3, 0, 0, 0};
  z.Rule.DaylightDate = {0, 10, 0, 1, 2, 0, 0, 0};
  return z;
}

class FakeTimeZones final : public TimeZoneSource {
 public:
  std::vector<TTimeZone> zones{EasternZone(), IndiaZone()};
  std::vector<TTimeZone> TimeZones() override { return zones; }
};

}  // namespace vimo::test
