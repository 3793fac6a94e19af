#include "platform/AnsiText.h"

#include <algorithm>

#include "platform/Utf.h"

namespace vimo {
namespace {

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool ReadsAsUtf8(std::string_view bytes) { return !IsAscii(bytes) && IsValidUtf8(bytes); }

}  // namespace

TFileText EncodeFileText(std::string_view utf8, AnsiCodePage& ansi) {
  TFileText text;
  // ASCII is the same in every ANSI code page: most records (paths, numbers) need no
  // conversion.
  if (IsAscii(utf8)) {
    text.bytes.assign(utf8);
    return text;
  }
  // ANSI bytes that happen to form valid UTF-8 ("Ã©" in Windows-1252 is the UTF-8 of
  // "é") would be read back as UTF-8: such a text is written in UTF-8 itself.
  if (ansi.FromUtf8(utf8, text.bytes) && !ReadsAsUtf8(text.bytes)) return text;
  text.bytes.assign(utf8);
  text.utf8 = true;
  return text;
}

std::string DecodeFileText(std::string_view bytes, AnsiCodePage& ansi) {
  if (IsAscii(bytes) || ReadsAsUtf8(bytes)) return std::string(bytes);
  return ansi.ToUtf8(bytes);
}

}  // namespace vimo
