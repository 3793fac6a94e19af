#include "platform/win32/Win32Locale.h"

#include <windows.h>

#include "platform/Platform.h"
#include "platform/Utf.h"

namespace vimo {
std::string Win32Locale::Text(unsigned long item) const {
  wchar_t buffer[128] = {};
  int n = GetLocaleInfoW(static_cast<LCID>(lcid_), static_cast<LCTYPE>(item), buffer, sizeof buffer / sizeof buffer[0]);
  return n > 0 ? Narrow(buffer) : std::string();
}

int Win32Locale::FirstDayOfWeek() {
  std::string s = Text(LOCALE_IFIRSTDAYOFWEEK);
  int f = s.empty() ? 0 : s[0] - '0';
  return f >= 0 && f <= 6 ? f : 0;
}

bool Win32Locale::TwelveHourClock() {
  std::string s = Text(LOCALE_ITIME);
  return !s.empty() && s[0] == '0';
}

// The short date order decides: "2" is year-month-day.
bool Win32Locale::YearFirst() {
  std::string s = Text(LOCALE_IDATE);
  return !s.empty() && s[0] == '2';
}

std::string Win32Locale::MonthName(int month) {
  if (month < 1 || month > 12) return {};
  return Text(LOCALE_SMONTHNAME1 + static_cast<LCTYPE>(month - 1));
}

std::string Win32Locale::AbbrevDayName(int day) {
  if (day < 0 || day > 6) return {};
  return Text(LOCALE_SABBREVDAYNAME1 + static_cast<LCTYPE>(day));
}

static TLocalTime FromFileTime(const FILETIME& ft) {
  SYSTEMTIME st{};
  FileTimeToSystemTime(&ft, &st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

// Both from one reading of the system clock, so that they never straddle a minute; the
// conversion applies the bias in effect now, daylight time included.
TClockReading Win32Clock::Read() {
  FILETIME utc{}, local{};
  GetSystemTimeAsFileTime(&utc);
  FileTimeToLocalFileTime(&utc, &local);
  return {FromFileTime(local), FromFileTime(utc)};
}

void EnsureTimeServices() {
  static Win32Locale locale;
  static Win32Clock clock;
  auto& p = Platform();
  if (!p.locale) p.locale = &locale;
  if (!p.clock) p.clock = &clock;
}

}  // namespace vimo
