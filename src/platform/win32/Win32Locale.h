#pragma once
// Locale facts from GetLocaleInfoW (names in UTF-8) and the clock from the system time.
#include "platform/Locale.h"

namespace vimo {

class Win32Locale final : public LocaleInfo {
 public:
  // The user's locale unless another is named (tests draw under chosen locales).
  explicit Win32Locale(unsigned long lcid = 0x0400 /* LOCALE_USER_DEFAULT */) : lcid_(lcid) {}
  int FirstDayOfWeek() override;
  bool TwelveHourClock() override;
  bool YearFirst() override;
  std::string MonthName(int month) override;
  std::string AbbrevDayName(int day) override;

 private:
  std::string Text(unsigned long item) const;
  unsigned long lcid_;
};

class Win32Clock final : public Clock {
 public:
  TClockReading Read() override;
};

// Installs the real locale and clock into the platform unless something is there.
void EnsureTimeServices();

}  // namespace vimo
