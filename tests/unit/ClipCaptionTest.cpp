#include <gtest/gtest.h>

#include "model/SmartList.h"

namespace vimo {
namespace {

TEST(ClipCaption, LeadingBlanksGoAndLineBreaksBecomeSpaces) {
  EXPECT_EQ(ClipCaption("  Dear John,\r\n\r\nthanks"), "Dear John,  thanks");
  EXPECT_EQ(ClipCaption("\a\n\r \xC2\xA0x"), "x") << "the no-break space is U+00A0 in UTF-8";
  EXPECT_EQ(ClipCaption("tab\tstays"), "tab\tstays");
  EXPECT_EQ(ClipCaption("last break\n"), "last break ");
}

TEST(ClipCaption, RunsOfSpacesShrinkToTwoExceptAtTheEnd) {
  EXPECT_EQ(ClipCaption("a   b"), "a  b");
  EXPECT_EQ(ClipCaption("a          b"), "a  b");
  EXPECT_EQ(ClipCaption("a  b"), "a  b");
  EXPECT_EQ(ClipCaption("a     "), "a   ");  // the run reaching the last character keeps three
  EXPECT_EQ(ClipCaption("a\r\n\r\n"), "a   ");
}

TEST(ClipCaption, EllipsisOnlyWhenTheTextWasCut) {
  std::string exact(1024, 'x');
  EXPECT_EQ(ClipCaption(exact), exact);
  std::string longer(1025, 'x');
  EXPECT_EQ(ClipCaption(longer), exact + "...");
  // Shrinking inside the first 1024 characters does not count as cutting.
  std::string spaced = "a" + std::string(1000, ' ') + "b";
  EXPECT_EQ(ClipCaption(spaced), "a  b");
}

TEST(ClipCaption, BlankTexts) {
  EXPECT_EQ(ClipCaption(""), "");
  EXPECT_EQ(ClipCaption(std::string(1024, ' ')), "");
  EXPECT_EQ(ClipCaption(std::string(512, '\r') + std::string(512, '\n')), "");
  EXPECT_EQ(ClipCaption(std::string(1025, ' ')), "...");
  EXPECT_EQ(ClipCaption(std::string(3000, '\n')), "...");
}

// Texts are UTF-8: the limit is 1,024 characters, never a cut inside one.
TEST(ClipCaption, CountsAndCutsByCharacters) {
  std::string umlauts;
  for (int i = 0; i < 1024; ++i) umlauts += "\xC3\xBC";  // 2 bytes each
  EXPECT_EQ(ClipCaption(umlauts), umlauts) << "1,024 characters are not cut";
  std::string kanji;
  for (int i = 0; i < 1025; ++i) kanji += "\xE6\x9D\xB1";
  EXPECT_EQ(ClipCaption(kanji), kanji.substr(0, 1024 * 3) + "...");
  std::string emojiAtTheEdge = std::string(1023, 'x') + "\xF0\x9F\x98\x80" + "y";
  EXPECT_EQ(ClipCaption(emojiAtTheEdge), std::string(1023, 'x') + "\xF0\x9F\x98\x80...");
  std::string emojiFits = std::string(1023, 'x') + "\xF0\x9F\x98\x80";
  EXPECT_EQ(ClipCaption(emojiFits), emojiFits);
  // Removed leading characters are counted as characters too.
  std::string led = "\xC2\xA0\xC2\xA0" + std::string(1022, 'x');
  EXPECT_EQ(ClipCaption(led), std::string(1022, 'x'));
  EXPECT_EQ(ClipCaption(led + "z"), std::string(1022, 'x') + "...");
  // A run of spaces around non-ASCII text shrinks as before.
  EXPECT_EQ(ClipCaption("\xC3\xA9   \xC3\xA9\r\n"), "\xC3\xA9  \xC3\xA9  ");
}

}  // namespace
}  // namespace vimo
