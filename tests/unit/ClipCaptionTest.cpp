#include <gtest/gtest.h>

#include "model/SmartList.h"

namespace vimo {
namespace {

TEST(ClipCaption, LeadingBlanksGoAndLineBreaksBecomeSpaces) {
  EXPECT_EQ(ClipCaption("  Dear John,\r\n\r\nthanks"), "Dear John,  thanks");
  EXPECT_EQ(ClipCaption(std::string("\a\n\r \xA0x")), "x");
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

}  // namespace
}  // namespace vimo
