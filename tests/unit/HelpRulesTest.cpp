#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "help/HelpRules.h"
#include "help/HelpTopics.h"

namespace vimo {
namespace {

const TRect kWork{0, 0, 1024, 738};  // a screen less its taskbar

TEST(HelpPopupPlace, UnderTheControlAndInsideTheWorkArea) {
  EXPECT_EQ(PlaceHelpPopup({100, 200, 180, 223}, 250, 80, kWork), (TPoint{100, 225}));
  // Near the right edge: moved left so that all of it shows.
  EXPECT_EQ(PlaceHelpPopup({900, 200, 1000, 223}, 250, 80, kWork), (TPoint{774, 225}));
  // No room below: above the control.
  EXPECT_EQ(PlaceHelpPopup({100, 680, 180, 703}, 250, 80, kWork), (TPoint{100, 598}));
  // A click point stands for the control: the pop-up starts at it.
  EXPECT_EQ(PlaceHelpPopup({300, 300, 300, 300}, 250, 80, kWork), (TPoint{300, 302}));
  // A control partly off the screen on the left.
  EXPECT_EQ(PlaceHelpPopup({-40, 10, 20, 30}, 250, 80, kWork), (TPoint{0, 32}));
  // Fits neither below nor above a tall control: inside the work area from its bottom.
  EXPECT_EQ(PlaceHelpPopup({100, 20, 180, 720}, 250, 80, kWork), (TPoint{100, 658}));
  // Larger than the work area: its top-left corner shows.
  EXPECT_EQ(PlaceHelpPopup({100, 100, 180, 120}, 2000, 1000, kWork), (TPoint{0, 0}));
  // A work area that does not start at 0 (a taskbar at the top, a second screen).
  EXPECT_EQ(PlaceHelpPopup({1030, 5, 1100, 25}, 250, 80, {1024, 30, 2048, 768}), (TPoint{1030, 30}));
}

TEST(OldHelp, OnlyWithTheFileBesideTheProgramAndARealViewer) {
  EXPECT_TRUE(CanUseOldHelp(true, true, "Windows Help"));
  EXPECT_TRUE(CanUseOldHelp(true, true, "")) << "a viewer without a description is no stub";
  EXPECT_FALSE(CanUseOldHelp(false, true, "Windows Help"));
  EXPECT_FALSE(CanUseOldHelp(true, false, ""));
  EXPECT_FALSE(CanUseOldHelp(true, true, "Windows Winhlp32 Stub"));
  EXPECT_FALSE(CanUseOldHelp(true, true, "WINHLP32 STUB")) << "whatever the case";
}

TEST(HelpTopics, EveryPageHasATopicOfItsOwn) {
  std::set<std::string> names;
  for (int page = 0; page < 8; ++page) names.insert(SetupPageHelpTopic(page));
  EXPECT_EQ(names.size(), 8u);
  EXPECT_EQ(names.count(kHelpContents), 0u);
  EXPECT_STREQ(SetupPageHelpTopic(-1), kHelpContents);
  EXPECT_STREQ(SetupPageHelpTopic(8), kHelpContents);
  auto opened = HelpTopicsTheProgramOpens();
  for (int page = 0; page < 8; ++page)
    EXPECT_NE(std::find(opened.begin(), opened.end(), std::string_view(SetupPageHelpTopic(page))), opened.end());
  EXPECT_NE(std::find(opened.begin(), opened.end(), std::string_view(kHelpCalendar)), opened.end());
}

}  // namespace
}  // namespace vimo
