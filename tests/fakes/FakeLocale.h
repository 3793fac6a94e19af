#pragma once
#include <string>

#include "platform/Locale.h"

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
  TLocalTime now;
  int bias = 0;
  TLocalTime Now() override { return now; }
  int StandardBias() override { return bias; }
};

}  // namespace vimo::test
