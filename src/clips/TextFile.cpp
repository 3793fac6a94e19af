#include "clips/TextFile.h"

#include "platform/Utf.h"

namespace vimo {
namespace {

constexpr std::string_view kUtf8Mark{"\xEF\xBB\xBF", 3};
constexpr std::string_view kUtf16LeMark{"\xFF\xFE", 2};
constexpr std::string_view kUtf16BeMark{"\xFE\xFF", 2};

std::string FromUtf16(std::string_view bytes, bool bigEndian) {
  std::wstring wide;
  wide.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
    auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
    wide += static_cast<wchar_t>(hi << 8 | lo);
  }
  return Narrow(wide);
}

}  // namespace

std::string DecodeTextFile(std::string_view bytes, AnsiCodePage& ansi) {
  if (bytes.starts_with(kUtf8Mark)) return Narrow(Widen(bytes.substr(kUtf8Mark.size())));
  if (bytes.starts_with(kUtf16LeMark)) return FromUtf16(bytes.substr(kUtf16LeMark.size()), false);
  if (bytes.starts_with(kUtf16BeMark)) return FromUtf16(bytes.substr(kUtf16BeMark.size()), true);
  return DecodeFileText(bytes, ansi);
}

std::string EncodeTextFile(std::string_view utf8, AnsiCodePage& ansi) {
  TFileText text = EncodeFileText(utf8, ansi);
  return text.utf8 ? std::string(kUtf8Mark) + text.bytes : text.bytes;
}

std::string ReadTextFile(FileSystem& files, AnsiCodePage& ansi, const std::string& fileName) {
  return DecodeTextFile(ReadWholeFile(files, fileName), ansi);
}

void WriteTextFile(FileSystem& files, AnsiCodePage& ansi, const std::string& fileName, const std::string& text) {
  WriteWholeFile(files, fileName, EncodeTextFile(text, ansi));
}

}  // namespace vimo
