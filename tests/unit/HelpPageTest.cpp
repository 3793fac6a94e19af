#include <gtest/gtest.h>

#include <string>

#include "help/HelpBook.h"
#include "help/HelpPage.h"
#include "platform/Utf.h"

namespace vimo {
namespace {

// The part of the page's text a paragraph, run or link covers, as the text control counts.
std::string Covered(const THelpPage& page, int start, int length) {
  std::wstring wide = Widen(page.Text);
  return Narrow(wide.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)));
}

const char* kSource =
    "# settings-mouse: Mouse Launcher page\n"
    "Pick a **corner** and see [actions](actions).\n"
    "### 2002: Edit...\n"
    "Opens the [editor](action-editor).\n"
    "- a bullet\n"
    "# settings-tray: Tray Icon Launcher page\n"
    "## Buttons\n"
    "### 2002: Edit...\n"
    "# actions: Actions\nx\n# action-editor: Action editor\ny\n";

TEST(HelpPage, ParagraphsRunsAndLinksCountUtf16Units) {
  THelpBook book = THelpBook::Parse(kSource);
  ASSERT_TRUE(book.Problems().empty());
  THelpPage page = RenderTopic(book, *book.FindTopic("settings-mouse"));
  EXPECT_EQ(page.Text,
            "Mouse Launcher page\rPick a corner and see actions.\rEdit...\rOpens the editor.\r"
            "\xE2\x80\xA2\ta bullet\r");
  ASSERT_EQ(page.Paragraphs.size(), 5u);
  EXPECT_EQ(page.Paragraphs[0].Style, THelpParagraphStyle::Title);
  EXPECT_EQ(page.Paragraphs[2].Style, THelpParagraphStyle::Control);
  EXPECT_EQ(page.Paragraphs[4].Style, THelpParagraphStyle::Bullet);
  EXPECT_EQ(Covered(page, page.Paragraphs[1].Start, page.Paragraphs[1].Length), "Pick a corner and see actions.");
  EXPECT_EQ(Covered(page, page.Paragraphs[4].Start, page.Paragraphs[4].Length), "\xE2\x80\xA2\ta bullet");
  ASSERT_EQ(page.Runs.size(), 3u);
  EXPECT_TRUE(page.Runs[0].Bold);
  EXPECT_EQ(Covered(page, page.Runs[0].Start, page.Runs[0].Length), "corner");
  ASSERT_EQ(page.Links.size(), 2u);
  EXPECT_EQ(page.Links[1].Target, "action-editor");
  EXPECT_EQ(Covered(page, page.Links[1].Start, page.Links[1].Length), "editor");

  // An entry without text of its own shows the text given for its id.
  THelpPage tray = RenderTopic(book, *book.FindTopic("settings-tray"));
  EXPECT_EQ(tray.Text,
            "Tray Icon Launcher page\rButtons\rEdit...\rOpens the editor.\r\xE2\x80\xA2\ta bullet\r");
  EXPECT_EQ(tray.Paragraphs.at(1).Style, THelpParagraphStyle::Heading);
  EXPECT_EQ(tray.Paragraphs.at(2).Style, THelpParagraphStyle::Control);
  ASSERT_EQ(tray.Links.size(), 1u);
  EXPECT_EQ(Covered(tray, tray.Links[0].Start, tray.Links[0].Length), "editor");
}

TEST(HelpPage, LinksAfterCharactersBeyondTheFirstPlane) {
  THelpBook book = THelpBook::Parse(
      "# a: A\nCaf\xC3\xA9 \xF0\x9F\x98\x80 [back](b) \xE2\x80\x93 [again](b)\n# b: B\nz\n");
  THelpPage page = RenderTopic(book, book.Topics()[0]);
  ASSERT_EQ(page.Links.size(), 2u);
  // "A\r" then "Café " (5 units), the emoji (2), " ".
  EXPECT_EQ(page.Links[0].Start, 2 + 5 + 2 + 1);
  EXPECT_EQ(Covered(page, page.Links[0].Start, page.Links[0].Length), "back");
  EXPECT_EQ(Covered(page, page.Links[1].Start, page.Links[1].Length), "again");
}

TEST(HelpPage, TheLinkUnderAPositionAndTabOrder) {
  THelpBook book = THelpBook::Parse("# a: A\n[one](b) and [two](b), [three](b)\n# b: B\nz\n");
  THelpPage page = RenderTopic(book, book.Topics()[0]);
  ASSERT_EQ(page.Links.size(), 3u);
  const THelpLink& one = page.Links[0];
  const THelpLink& two = page.Links[1];
  EXPECT_EQ(page.LinkAt(one.Start), &one);
  EXPECT_EQ(page.LinkAt(one.Start + one.Length - 1), &one);
  EXPECT_EQ(page.LinkAt(one.Start + one.Length), nullptr) << "the end is outside";
  EXPECT_EQ(page.LinkAt(0), nullptr);
  EXPECT_EQ(page.LinkAt(-1), nullptr);

  EXPECT_EQ(page.NextLink(0, 0, true), 0) << "from the top, the first link";
  EXPECT_EQ(page.NextLink(one.Start, one.Start + one.Length, true), 1);
  EXPECT_EQ(page.NextLink(two.Start + 1, two.Start + 1, true), 2) << "a caret inside a link goes on to the next";
  EXPECT_EQ(page.NextLink(page.Links[2].Start, page.Links[2].Start + page.Links[2].Length, true), -1);
  EXPECT_EQ(page.NextLink(two.Start, two.Start + two.Length, false), 0);
  EXPECT_EQ(page.NextLink(one.Start, one.Start + one.Length, false), -1);
  EXPECT_EQ(page.NextLink(9999, 9999, false), 2) << "from the end, the last link";

  THelpPage none = RenderTopic(book, book.Topics()[1]);
  EXPECT_EQ(none.NextLink(0, 0, true), -1);
  EXPECT_EQ(none.NextLink(0, 0, false), -1);
}

TEST(HelpPage, ThePopupTextIsPlain) {
  THelpBook book = THelpBook::Parse(
      "# a: A\n### 79: Random color\nA **new** colour at each [start](b).\n\n- one\n- two\n  more\nLast.\n# b: B\nz\n");
  EXPECT_EQ(ContextPopupText(*book.FindContext(79)),
            "A new colour at each start.\n\n\xE2\x80\xA2 one\n\xE2\x80\xA2 two more\n\nLast.");
}

}  // namespace
}  // namespace vimo
