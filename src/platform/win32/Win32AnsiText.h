#pragma once
#include "platform/AnsiText.h"

namespace vimo {

// The code page GetACP names, through WideCharToMultiByte and MultiByteToWideChar.
class Win32AnsiCodePage final : public AnsiCodePage {
 public:
  bool FromUtf8(std::string_view utf8, std::string& ansi) override;
  std::string ToUtf8(std::string_view ansi) override;
};

}  // namespace vimo
