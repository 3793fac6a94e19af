#include "platform/win32/Win32AnsiText.h"

#include <windows.h>

#include "platform/Utf.h"

namespace vimo {

bool Win32AnsiCodePage::FromUtf8(std::string_view utf8, std::string& ansi) {
  if (!IsValidUtf8(utf8)) return false;
  if (GetACP() == CP_UTF8) {
    ansi.assign(utf8);
    return true;
  }
  ansi.clear();
  if (utf8.empty()) return true;
  const std::wstring wide = Widen(utf8);
  const int units = static_cast<int>(wide.size());
  // No best fit: "Ā" must not quietly become "A".
  BOOL usedDefault = FALSE;
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, nullptr, 0, nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return false;
  ansi.assign(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, ansi.data(), n, nullptr, &usedDefault);
  // Some code pages map a character one way only; only an exact round trip counts.
  return !usedDefault && ToUtf8(ansi) == utf8;
}

std::string Win32AnsiCodePage::ToUtf8(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int bytes = static_cast<int>(ansi.size());
  int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, wide.data(), n);
  return Narrow(wide);
}

}  // namespace vimo
