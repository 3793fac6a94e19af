#pragma once
// The system's time zones as the world time list ties places to them: the rules of
// each zone, read from the system's time-zone database (real implementation in
// win32/, a fake for tests in tests/fakes/).
#include <map>
#include <string>
#include <vector>

namespace vimo {

// When a change of clock happens, as the system stores it (the SYSTEMTIME of a TZI).
// Year 0: recurring, on the Day-th (1..5, 5 = last) DayOfWeek (0 Sunday) of Month.
// Otherwise: once, on that date. Month 0: the zone has no daylight time.
struct TZoneDate {
  int Year = 0;
  int Month = 0;
  int DayOfWeek = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Milliseconds = 0;
  bool operator==(const TZoneDate&) const = default;
};

// One year's rule: UTC = local + Bias + StandardBias (or + DaylightBias while
// daylight time is on). DaylightDate is read on the standard clock, StandardDate on the
// daylight clock, as the system does.
struct TZoneRule {
  int Bias = 0;
  int StandardBias = 0;
  int DaylightBias = 0;
  TZoneDate StandardDate;
  TZoneDate DaylightDate;
  bool operator==(const TZoneRule&) const = default;
};

struct TTimeZone {
  std::string KeyName;  // "AUS Eastern Standard Time": what the settings store
  std::string Display;  // "(UTC+10:00) Canberra, Melbourne, Sydney"
  TZoneRule Rule;       // the rule of years without a rule of their own
  // Rules of single years ("Dynamic DST"); years before the first take the first,
  // years after the last take the last.
  std::map<int, TZoneRule> Years;
};

// A zone from its raw REG_TZI_FORMAT bytes (44 bytes: three LONGs, two SYSTEMTIMEs).
bool ParseTzi(const std::string& bytes, TZoneRule& rule);

class TimeZoneSource {
 public:
  virtual ~TimeZoneSource() = default;
  // Every zone the system knows, sorted as the system lists them for people (by offset,
  // then by display name). Empty when the database cannot be read.
  virtual std::vector<TTimeZone> TimeZones() = 0;
};

}  // namespace vimo
