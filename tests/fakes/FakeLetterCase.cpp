#include "FakeLetterCase.h"

#include "platform/Utf.h"

namespace vimo::test {
namespace {

wchar_t Upper(wchar_t c) {
  auto in = [c](unsigned lo, unsigned hi) { return c >= lo && c <= hi; };
  const bool odd = (c & 1) != 0;
  if (in(0xE0, 0xFE) && c != 0xF7) return static_cast<wchar_t>(c - 0x20);
  if (c == 0xFF) return 0x178;
  // Latin Extended-A: pairs, capital first; two runs start on an odd code point.
  if ((in(0x100, 0x12F) || in(0x132, 0x137) || in(0x14A, 0x177)) && odd) return static_cast<wchar_t>(c - 1);
  if ((in(0x139, 0x148) || in(0x179, 0x17E)) && !odd) return static_cast<wchar_t>(c - 1);
  if (in(0x3B1, 0x3C1) || in(0x3C3, 0x3CB)) return static_cast<wchar_t>(c - 0x20);
  if (c == 0x3C2) return 0x3A3;  // final sigma
  if (c == 0x3AC) return 0x386;
  if (in(0x3AD, 0x3AF)) return static_cast<wchar_t>(c - 0x25);
  if (c == 0x3CC) return 0x38C;
  if (in(0x3CD, 0x3CE)) return static_cast<wchar_t>(c - 0x3F);
  if (in(0x430, 0x44F)) return static_cast<wchar_t>(c - 0x20);
  if (in(0x450, 0x45F)) return static_cast<wchar_t>(c - 0x50);
  if ((in(0x460, 0x481) || in(0x48A, 0x4BF)) && odd) return static_cast<wchar_t>(c - 1);
  return c;
}

}  // namespace

std::string CaseKey(const std::string& utf8) {
  // Most names are ASCII: lowered in place, without a round trip through UTF-16.
  std::string ascii = utf8;
  bool allAscii = true;
  for (char& c : ascii) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      allAscii = false;
      break;
    }
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  if (allAscii) return ascii;
  std::wstring wide = Widen(utf8);
  for (wchar_t& c : wide) {
    if (c >= L'A' && c <= L'Z')
      c = static_cast<wchar_t>(c + 32);
    else if (c >= 0x80)
      c = Upper(c);
  }
  return Narrow(wide);
}

}  // namespace vimo::test
