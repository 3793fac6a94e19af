#include "time/TimeZoneMath.h"

#include <iterator>

#include "time/CalendarMath.h"

namespace vimo {
namespace {

constexpr std::int64_t kDay = 86400;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// Local seconds of a change of clock in the given year (on the clock the rule reads it on).
std::int64_t ChangeSeconds(const TZoneDate& d, int year) {
  int day = d.Day;
  if (d.Year == 0) {
    int first = WeekdayOf(year, d.Month, 1);
    day = 1 + (d.DayOfWeek - first + 7) % 7 + (d.Day - 1) * 7;
    // Week 5 means the last such weekday of the month.
    while (day > DaysInMonth(d.Month, year)) day -= 7;
  } else {
    year = d.Year;
  }
  // 23:59:59.999 stands for the end of the day.
  int roundUp = d.Milliseconds >= 500 ? 1 : 0;
  return DaysFromCivil(year, d.Month, day) * kDay + d.Hour * 3600 + d.Minute * 60 + d.Second + roundUp;
}

}  // namespace

std::int64_t DaysFromCivil(int year, int month, int day) {
  // Days from 1970-01-01, counting years from March so that the leap day ends a year.
  std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
  std::int64_t era = FloorDiv(y, 400);
  std::int64_t yoe = y - era * 400;
  std::int64_t mp = (month + 9) % 12;
  std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

std::int64_t SecondsOf(const TLocalTime& t) {
  return DaysFromCivil(t.Year, t.Month, t.Day) * kDay + t.Hour * 3600 + t.Minute * 60 + t.Second;
}

TLocalTime TimeFromSeconds(std::int64_t seconds) {
  std::int64_t days = FloorDiv(seconds, kDay);
  std::int64_t rest = seconds - days * kDay;
  std::int64_t z = days + 719468;
  std::int64_t era = FloorDiv(z, 146097);
  std::int64_t doe = z - era * 146097;
  std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  std::int64_t mp = (5 * doy + 2) / 153;
  int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day, static_cast<int>(rest / 3600), static_cast<int>(rest % 3600 / 60),
          static_cast<int>(rest % 60)};
}

TLocalTime AddMinutes(const TLocalTime& t, int minutes) {
  return TimeFromSeconds(SecondsOf(t) + static_cast<std::int64_t>(minutes) * 60);
}

int WeekdayOf(int year, int month, int day) {
  // 1970-01-01 was a Thursday.
  return static_cast<int>(((DaysFromCivil(year, month, day) + 4) % 7 + 7) % 7);
}

int MinutesBetween(const TLocalTime& earlier, const TLocalTime& later) {
  return static_cast<int>(FloorDiv(SecondsOf(later) - SecondsOf(earlier), 60));
}

const TZoneRule& RuleForYear(const TTimeZone& zone, int year) {
  if (zone.Years.empty()) return zone.Rule;
  auto it = zone.Years.upper_bound(year);
  if (it == zone.Years.begin()) return it->second;
  return std::prev(it)->second;
}

bool DaylightAt(const TZoneRule& rule, const TLocalTime& utc) {
  if (rule.DaylightDate.Month == 0 || rule.StandardDate.Month == 0) return false;
  const int standard = rule.Bias + rule.StandardBias;
  const std::int64_t t = SecondsOf(utc);
  const int year = TimeFromSeconds(t - standard * 60).Year;
  const std::int64_t start = ChangeSeconds(rule.DaylightDate, year) + standard * 60;
  const std::int64_t end = ChangeSeconds(rule.StandardDate, year) + (rule.Bias + rule.DaylightBias) * 60;
  // South of the equator daylight time spans the turn of the year.
  if (start < end) return start <= t && t < end;
  return !(end <= t && t < start);
}

static const TZoneRule& RuleAt(const TTimeZone& zone, const TLocalTime& utc) {
  const TZoneRule& guess = RuleForYear(zone, utc.Year);
  int year = AddMinutes(utc, -(guess.Bias + guess.StandardBias)).Year;
  return RuleForYear(zone, year);
}

bool DaylightAt(const TTimeZone& zone, const TLocalTime& utc) { return DaylightAt(RuleAt(zone, utc), utc); }

int BiasAt(const TTimeZone& zone, const TLocalTime& utc) {
  const TZoneRule& rule = RuleAt(zone, utc);
  return rule.Bias + (DaylightAt(rule, utc) ? rule.DaylightBias : rule.StandardBias);
}

TLocalTime ZoneLocalTime(const TTimeZone& zone, const TLocalTime& utc) {
  return AddMinutes(utc, -BiasAt(zone, utc));
}

int DayDifference(const TLocalTime& user, const TLocalTime& place) {
  std::int64_t d = DaysFromCivil(place.Year, place.Month, place.Day) - DaysFromCivil(user.Year, user.Month, user.Day);
  return d < 0 ? -1 : d > 0 ? 1 : 0;
}

}  // namespace vimo
