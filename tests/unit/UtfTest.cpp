#include <gtest/gtest.h>

#include "platform/Utf.h"

namespace vimo {
namespace {

const std::wstring kFffd(1, static_cast<wchar_t>(0xFFFD));

TEST(Utf, RoundTripsEveryPlaneAndLineBreaks) {
  const std::string text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80\r\n\t\xCE\x95";
  std::wstring wide = Widen(text);
  ASSERT_EQ(wide.size(), 17u);
  EXPECT_EQ(wide[2], static_cast<wchar_t>(0xFC));
  EXPECT_EQ(wide[11], static_cast<wchar_t>(0xD83D)) << "the emoji is a surrogate pair";
  EXPECT_EQ(wide[12], static_cast<wchar_t>(0xDE00));
  EXPECT_EQ(wide[13], L'\r');
  EXPECT_EQ(Narrow(wide), text);
  EXPECT_TRUE(IsValidUtf8(text));
  EXPECT_EQ(Widen(""), L"");
  EXPECT_EQ(Narrow(L""), "");
}

TEST(Utf, MalformedBytesBecomeOneReplacementEachAndTheRestSurvives) {
  // A Latin-1 "Grüße" from an old registry value, a truncated sequence at the end,
  // an overlong slash, an encoded surrogate and a stray continuation byte.
  EXPECT_EQ(Widen("Gr\xFC\xDF" "e"), L"Gr" + kFffd + kFffd + L"e");
  EXPECT_EQ(Widen("ab\xE6\x9D"), L"ab" + kFffd + kFffd);
  EXPECT_EQ(Widen("\xC0\xAF"), kFffd + kFffd);
  EXPECT_EQ(Widen("\xED\xA0\x80"), kFffd + kFffd + kFffd);
  EXPECT_EQ(Widen("\x80x"), kFffd + L"x");
  EXPECT_EQ(Widen("\xF4\x90\x80\x80"), kFffd + kFffd + kFffd + kFffd) << "above U+10FFFF";
  for (const char* bad : {"Gr\xFC\xDF" "e", "ab\xE6\x9D", "\xC0\xAF", "\xED\xA0\x80", "\x80", "\xF8\x88\x80\x80\x80"})
    EXPECT_FALSE(IsValidUtf8(bad)) << bad;
  EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD")) << "a real U+FFFD is valid text";
  EXPECT_TRUE(IsValidUtf8(Narrow(Widen("Gr\xFC\xDF" "e"))));
}

TEST(Utf, LoneSurrogatesBecomeReplacements) {
  std::wstring high{static_cast<wchar_t>(0xD83D), L'a'};
  std::wstring low{L'a', static_cast<wchar_t>(0xDE00)};
  std::wstring endsHigh{L'a', static_cast<wchar_t>(0xD83D)};
  EXPECT_EQ(Narrow(high), "\xEF\xBF\xBD" "a");
  EXPECT_EQ(Narrow(low), "a\xEF\xBF\xBD");
  EXPECT_EQ(Narrow(endsHigh), "a\xEF\xBF\xBD");
}

TEST(Utf, EmbeddedNulsAreKept) {
  std::string text("a\0b", 3);
  EXPECT_EQ(Widen(text).size(), 3u);
  EXPECT_EQ(Narrow(Widen(text)), text);
}

TEST(Utf, CodePointsAreCountedAndCutWhole) {
  const std::string text = "a\xC3\xBC\xE6\x9D\xB1\xF0\x9F\x98\x80z";  // a, u-umlaut, a kanji, an emoji, z
  EXPECT_EQ(CodePointCount(text), 5u);
  EXPECT_EQ(CodePointCount(""), 0u);
  EXPECT_EQ(CodePointCount("Gr\xFC\xDF" "e"), 5u) << "a malformed byte counts as one, as Widen makes it one";
  EXPECT_EQ(CodePointPrefix(text, 0), "");
  EXPECT_EQ(CodePointPrefix(text, 2), "a\xC3\xBC");
  EXPECT_EQ(CodePointPrefix(text, 4), "a\xC3\xBC\xE6\x9D\xB1\xF0\x9F\x98\x80");
  EXPECT_EQ(CodePointPrefix(text, 99), text);
  EXPECT_EQ(CodePointPrefix("ab\xE6\x9D", 3), "ab\xE6") << "a truncated sequence is cut byte by byte";
}

TEST(Utf, Utf16PrefixFitsAWideFieldWithoutSplittingAPair) {
  const std::string text = "ab\xF0\x9F\x98\x80" "c";  // the emoji takes two UTF-16 units
  EXPECT_EQ(Utf16Prefix(text, 2), "ab");
  EXPECT_EQ(Utf16Prefix(text, 3), "ab") << "half a surrogate pair is left out";
  EXPECT_EQ(Utf16Prefix(text, 4), "ab\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16Prefix(text, 5), text);
  EXPECT_EQ(Utf16Prefix(std::string(300, 'x'), 127), std::string(127, 'x'));
  for (std::size_t n = 0; n <= 6; ++n) EXPECT_LE(Widen(Utf16Prefix(text, n)).size(), n);
}

}  // namespace
}  // namespace vimo
