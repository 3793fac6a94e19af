#pragma once
// UTF-8 <-> UTF-16 at the platform seam. Strings inside the program are UTF-8; the
// wide Win32 calls take UTF-16. Each wchar_t holds one UTF-16 code unit, also where
// wchar_t is wider (the native test build), so both builds convert alike.
#include <string>
#include <string_view>

namespace vimo {

// Malformed input (old data in another code page, truncated sequences, overlong
// forms, encoded surrogates) becomes U+FFFD per bad byte rather than being dropped,
// so nothing silently vanishes and the result is always valid.
std::wstring Widen(std::string_view utf8);
// A lone surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view utf16);

bool IsValidUtf8(std::string_view text);

// Characters of UTF-8 text, counted as Widen decodes them: a malformed byte is one.
std::size_t CodePointCount(std::string_view utf8);
// The first `count` characters (all of the text when it is shorter); never ends inside
// a character.
std::string_view CodePointPrefix(std::string_view utf8, std::size_t count);
// The longest run of whole characters from the start that takes at most `units` UTF-16
// code units: what fits a fixed wide field.
std::string_view Utf16Prefix(std::string_view utf8, std::size_t units);

}  // namespace vimo
