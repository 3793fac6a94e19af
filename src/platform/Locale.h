#pragma once
// Locale facts and the clock the time tools read.
#include <string>

namespace vimo {

struct TLocalTime {
  int Year = 2000;
  int Month = 1;
  int Day = 1;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
};

class LocaleInfo {
 public:
  virtual ~LocaleInfo() = default;
  // First day of the week: 0 Monday .. 6 Sunday.
  virtual int FirstDayOfWeek() = 0;
  virtual bool TwelveHourClock() = 0;
  // Dates are ordered year-month-day.
  virtual bool YearFirst() = 0;
  virtual std::string MonthName(int month) = 0;     // 1..12
  virtual std::string AbbrevDayName(int day) = 0;   // 0 Monday .. 6 Sunday
};

// One instant on the user's clock and in UTC.
struct TClockReading {
  TLocalTime Local;
  TLocalTime Utc;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual TClockReading Read() = 0;
  TLocalTime Now() { return Read().Local; }
};

}  // namespace vimo
