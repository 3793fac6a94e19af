#pragma once
// The system's ANSI code page, in which older programs and files keep their text, and
// the rule by which the program's files choose between it and UTF-8.
#include <string>
#include <string_view>

namespace vimo {

class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  // False when some character of the text has no exact form in the code page (no
  // best-fit look-alikes); `ansi` is then unspecified.
  virtual bool FromUtf8(std::string_view utf8, std::string& ansi) = 0;
  virtual std::string ToUtf8(std::string_view ansi) = 0;
};

struct TFileText {
  std::string bytes;
  bool utf8 = false;  // the text did not fit the ANSI code page
};

// Text as a file keeps it: in the ANSI code page when that holds it exactly and reads
// back as the same text (so ASCII and Western files stay as the earlier version wrote
// them), else in UTF-8.
TFileText EncodeFileText(std::string_view utf8, AnsiCodePage& ansi);
// Bytes of a file's text: valid UTF-8 with a byte outside ASCII is UTF-8, anything
// else is in the ANSI code page.
std::string DecodeFileText(std::string_view bytes, AnsiCodePage& ansi);

}  // namespace vimo
