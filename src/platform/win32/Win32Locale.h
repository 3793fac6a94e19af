#pragma once
// Locale facts from GetLocaleInfoA and the clock from the system time.
#include "platform/Locale.h"

namespace vimo {

class Win32Locale final : public LocaleInfo {
 public:
  int FirstDayOfWeek() override;
  bool TwelveHourClock() override;
  bool YearFirst() override;
  std::string MonthName(int month) override;
  std::string AbbrevDayName(int day) override;
};

class Win32Clock final : public Clock {
 public:
  TLocalTime Now() override;
  int StandardBias() override;
};

// Installs the real locale and clock into the platform unless something is there.
void EnsureTimeServices();

}  // namespace vimo
