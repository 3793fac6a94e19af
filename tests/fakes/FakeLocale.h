#pragma once
#include <string>

#include "platform/Locale.h"
#include "time/TimeZoneMath.h"

namespace vimo::test {

// Locale facts as a test sets them; names are built so that tests can tell them apart.
class FakeLocale final : public LocaleInfo {
 public:
  int firstDay = 0;
  bool twelveHour = false;
  bool yearFirst = false;
  int FirstDayOfWeek() override { return firstDay; }
  bool TwelveHourClock() override { return twelveHour; }
  bool YearFirst() override { return yearFirst; }
  std::string MonthName(int month) override { return "M" + std::to_string(month); }
  std::string AbbrevDayName(int day) override { return "D" + std::to_string(day); }
};

class FakeClock final : public Clock {
 public:
  TLocalTime now;  // the user's clock
  int bias = 0;    // in effect at `now`: UTC = now + bias
  // The clock of a machine in `zone` at the UTC instant, as the system reports it.
  void SetUtc(const TLocalTime& utc, const TTimeZone& zone) {
    bias = BiasAt(zone, utc);
    now = AddMinutes(utc, -bias);
  }
  TClockReading Read() override { return {now, AddMinutes(now, bias)}; }
};

}  // namespace vimo::test
