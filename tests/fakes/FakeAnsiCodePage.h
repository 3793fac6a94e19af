#pragma once
// Windows-1252, the ANSI code page of Western systems, as the system converts it: the
// five bytes the code page leaves open stand for U+0081, U+008D, U+008F, U+0090 and
// U+009D, and nothing else has a best-fit look-alike.
#include "platform/AnsiText.h"
#include "platform/Utf.h"

namespace vimo::test {

class FakeAnsiCodePage final : public AnsiCodePage {
 public:
  bool FromUtf8(std::string_view utf8, std::string& ansi) override {
    if (!IsValidUtf8(utf8)) return false;
    ansi.clear();
    for (wchar_t c : Widen(utf8)) {
      int byte = ByteOf(c);
      if (byte < 0) return false;
      ansi.push_back(static_cast<char>(byte));
    }
    return true;
  }
  std::string ToUtf8(std::string_view ansi) override {
    std::wstring wide;
    for (char c : ansi) wide.push_back(CharOf(static_cast<unsigned char>(c)));
    return Narrow(wide);
  }

  static wchar_t CharOf(unsigned char b) {
    static const wchar_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return b >= 0x80 && b < 0xA0 ? high[b - 0x80] : static_cast<wchar_t>(b);
  }
  static int ByteOf(wchar_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int b = 0x80; b < 0xA0; ++b)
      if (CharOf(static_cast<unsigned char>(b)) == c) return b;
    return -1;
  }
};

}  // namespace vimo::test
