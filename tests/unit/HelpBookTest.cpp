#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "help/HelpBook.h"

namespace vimo {
namespace {

bool HasProblem(const THelpBook& book, const std::string& part) {
  for (const auto& p : book.Problems())
    if (p.find(part) != std::string::npos) return true;
  return false;
}

std::string AllProblems(const THelpBook& book) {
  std::string all;
  for (const auto& p : book.Problems()) all += p + "\n";
  return all;
}

TEST(HelpBook, TopicsBlocksAndParagraphsThatRunOn) {
  // A byte-order mark and CR LF line ends, as an editor on Windows may leave them.
  const std::string source =
      "\xEF\xBB\xBF; the help\r\n"
      "# contents: Tramlex Vimo\r\n"
      "First line\r\n"
      "  runs on.\r\n"
      "; a comment inside a paragraph does not end it\r\n"
      "Still the same paragraph.\r\n"
      "\r\n"
      "## Pop-ups\r\n"
      "- one\r\n"
      "  more of one\r\n"
      "- two\r\n"
      "After the list.\r\n"
      "# calendar: Calendar\r\n"
      "Gr\xC3\xBC\xC3\x9F" "e.\r\n";
  THelpBook book = THelpBook::Parse(source);
  EXPECT_TRUE(book.Problems().empty()) << AllProblems(book);
  ASSERT_EQ(book.Topics().size(), 2u);
  const THelpTopic& first = book.Topics()[0];
  EXPECT_EQ(first.Name, "contents");
  EXPECT_EQ(first.Title, "Tramlex Vimo");
  ASSERT_EQ(first.Blocks.size(), 5u);
  EXPECT_EQ(first.Blocks[0].Kind, THelpBlockKind::Paragraph);
  EXPECT_EQ(first.Blocks[0].Text, "First line runs on. Still the same paragraph.");
  EXPECT_EQ(first.Blocks[1].Kind, THelpBlockKind::Heading);
  EXPECT_EQ(first.Blocks[1].Text, "Pop-ups");
  EXPECT_EQ(first.Blocks[2].Kind, THelpBlockKind::Bullet);
  EXPECT_EQ(first.Blocks[2].Text, "one more of one");
  EXPECT_EQ(first.Blocks[3].Text, "two");
  EXPECT_EQ(first.Blocks[4].Kind, THelpBlockKind::Paragraph) << "text at the margin after a list";
  EXPECT_EQ(first.Blocks[4].Text, "After the list.");
  EXPECT_EQ(book.Topics()[1].Blocks.at(0).Text, "Gr\xC3\xBC\xC3\x9F" "e.");
  EXPECT_EQ(book.TopicIndex("calendar"), 1);
  EXPECT_EQ(book.TopicIndex("Calendar"), -1) << "names are exact";
  EXPECT_EQ(book.FindTopic("missing"), nullptr);
}

TEST(HelpBook, ControlEntriesGiveThePopupTextOfTheirIds) {
  const std::string source =
      "# settings-mouse: Mouse Launcher page\n"
      "Intro.\n"
      "### 2002: Edit...\n"
      "Opens the editor.\n"
      "\n"
      "- on the selected row\n"
      "## Other\n"
      "Not part of the entry.\n"
      "# settings-tray: Tray Icon Launcher page\n"
      "### 2002: Edit...\n"
      "### 2048 ,  77: The list\n"
      "Slots.\n";
  THelpBook book = THelpBook::Parse(source);
  EXPECT_TRUE(book.Problems().empty()) << AllProblems(book);
  const THelpContext* edit = book.FindContext(2002);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->Title, "Edit...");
  EXPECT_EQ(edit->Topic, "settings-mouse") << "the entry with text defines it, not the later reference";
  ASSERT_EQ(edit->Body.size(), 2u);
  EXPECT_EQ(edit->Body[0].Text, "Opens the editor.");
  EXPECT_EQ(edit->Body[1].Kind, THelpBlockKind::Bullet);
  const THelpContext* list = book.FindContext(77);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Title, "The list");
  EXPECT_EQ(book.FindContext(2048)->Body.at(0).Text, "Slots.");
  EXPECT_EQ(book.FindContext(1), nullptr);
  EXPECT_EQ(book.ContextIds(), (std::vector<int>{77, 2002, 2048}));
  const auto& trayBlocks = book.Topics()[1].Blocks;
  ASSERT_EQ(trayBlocks.size(), 3u);
  EXPECT_EQ(trayBlocks[0].Kind, THelpBlockKind::Control);
  EXPECT_EQ(trayBlocks[0].Ids, std::vector<int>{2002});
  EXPECT_EQ(trayBlocks[1].Ids, (std::vector<int>{2048, 77}));
}

TEST(HelpBook, NamesWhatIsWrongWithTheSourceAndKeepsTheRest) {
  const std::string source =
      "Text before any topic.\n"
      "# contents: Contents\n"
      "See [the calendar](calendar), [nothing](nowhere) and **half bold.\n"
      "#nocolon\n"
      "# Bad Name: Title\n"
      "### 12a: Broken ids\n"
      "### 0: Zero\n"
      "Zero is no help id.\n"
      "### 5: No text and no other entry\n"
      "### 7: Given\n"
      "Once.\n"
      "# calendar: Calendar\n"
      "### 7: Given again\n"
      "Twice.\n"
      "# calendar: Calendar again\n"
      "# empty: Nothing in it\n";
  THelpBook book = THelpBook::Parse(source);
  EXPECT_TRUE(HasProblem(book, "line 1:")) << AllProblems(book);
  EXPECT_TRUE(HasProblem(book, "missing topic \"nowhere\"")) << AllProblems(book);
  EXPECT_FALSE(HasProblem(book, "missing topic \"calendar\"")) << "an existing target is fine";
  EXPECT_TRUE(HasProblem(book, "bold")) << AllProblems(book);
  EXPECT_TRUE(HasProblem(book, "line 4:")) << AllProblems(book);
  EXPECT_TRUE(HasProblem(book, "line 5:")) << AllProblems(book);
  EXPECT_TRUE(HasProblem(book, "line 6:")) << AllProblems(book);
  EXPECT_TRUE(HasProblem(book, "line 7:")) << AllProblems(book);
  EXPECT_TRUE(HasProblem(book, "help id 5")) << AllProblems(book);
  EXPECT_TRUE(HasProblem(book, "help id 7")) << AllProblems(book);
  EXPECT_TRUE(HasProblem(book, "topic \"calendar\" is given twice")) << AllProblems(book);
  EXPECT_TRUE(HasProblem(book, "\"empty\"")) << AllProblems(book);
  // What could be read is there.
  EXPECT_EQ(book.TopicIndex("calendar"), 1);
  EXPECT_EQ(book.FindContext(7)->Body.at(0).Text, "Once.");
  EXPECT_EQ(book.FindContext(0), nullptr);
  EXPECT_EQ(book.FindContext(5), nullptr);
}

TEST(HelpBook, EmptyOrHostileSourcesGiveAnEmptyBookWithoutFailing) {
  EXPECT_TRUE(THelpBook::Parse("").Topics().empty());
  // A NUL, a stray byte and a cut-off link in the text are kept as text.
  THelpBook odd = THelpBook::Parse(std::string("# a: A\n\0\xFF[](\n", 13));
  ASSERT_EQ(odd.Topics().size(), 1u);
  EXPECT_EQ(odd.Topics()[0].Blocks.at(0).Text, std::string("\0\xFF[](", 5));
  THelpBook huge = THelpBook::Parse("# a: A\n### 99999999999999999999: Too big\nx\n");
  EXPECT_TRUE(HasProblem(huge, "line 2:")) << AllProblems(huge);
}

TEST(HelpInline, BoldLinksAndEscapes) {
  using S = THelpSpan;
  EXPECT_EQ(ParseInline("Press **Apply** or see [the page](settings-general)."),
            (std::vector<S>{{"Press ", false, ""}, {"Apply", true, ""}, {" or see ", false, ""},
                            {"the page", false, "settings-general"}, {".", false, ""}}));
  EXPECT_EQ(ParseInline("**[bold link](t)** end"), (std::vector<S>{{"bold link", true, "t"}, {" end", false, ""}}));
  EXPECT_EQ(ParseInline("[a ** b](t)"), (std::vector<S>{{"a ** b", false, "t"}})) << "no markup inside a link";
  EXPECT_EQ(ParseInline("\\*\\* and \\[x\\](y) and a\\\\b"),
            (std::vector<S>{{"** and [x](y) and a\\b", false, ""}}));
  EXPECT_EQ(ParseInline("[not a link] [open](no end"), (std::vector<S>{{"[not a link] [open](no end", false, ""}}));
  EXPECT_EQ(ParseInline("[](t)"), (std::vector<S>{{"[](t)", false, ""}})) << "a link needs text to click";
  EXPECT_EQ(ParseInline("x\\"), (std::vector<S>{{"x\\", false, ""}}));
  EXPECT_EQ(ParseInline(""), std::vector<S>{});
  EXPECT_EQ(PlainText("Use **Ctrl** with [corners](corners) \xE2\x80\x93 fine"), "Use Ctrl with corners \xE2\x80\x93 fine");
}

}  // namespace
}  // namespace vimo
