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

}  // namespace
}  // namespace vimo
