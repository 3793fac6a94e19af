#pragma once
// The plain text files the clip editor loads and saves. Files of other programs come
// in UTF-8 or UTF-16 with a byte-order mark, in UTF-8 without one, or in the ANSI
// code page; a saved file keeps Western text in the ANSI code page, as before, and
// any other in UTF-8 with a byte-order mark, which every Windows editor recognises.
#include <string>
#include <string_view>

#include "platform/AnsiText.h"
#include "platform/Files.h"

namespace vimo {

// The text of a file's bytes, as UTF-8.
std::string DecodeTextFile(std::string_view bytes, AnsiCodePage& ansi);
// The bytes of a file holding the text.
std::string EncodeTextFile(std::string_view utf8, AnsiCodePage& ansi);

// Both raise EFileError when the file cannot be read or written.
std::string ReadTextFile(FileSystem& files, AnsiCodePage& ansi, const std::string& fileName);
void WriteTextFile(FileSystem& files, AnsiCodePage& ansi, const std::string& fileName, const std::string& text);

}  // namespace vimo
