// The help text the program carries: read from its source file, as the build embeds it.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "help/HelpBook.h"
#include "help/HelpPage.h"
#include "help/HelpTopics.h"

namespace vimo {
namespace {

std::string ReadSource() {
  std::string text;
  if (FILE* f = std::fopen(VIMO_HELP_SOURCE, "rb")) {
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

class HelpSource : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { book_ = new THelpBook(THelpBook::Parse(ReadSource())); }
  static void TearDownTestSuite() { delete book_; }
  static THelpBook* book_;
};
THelpBook* HelpSource::book_ = nullptr;

TEST_F(HelpSource, IsSoundEveryLinkLeadsToATopicAndEveryIdHasText) {
  ASSERT_GE(book_->Topics().size(), 20u) << "the help source was not found or is nearly empty";
  std::string all;
  for (const auto& p : book_->Problems()) all += p + "\n";
  EXPECT_TRUE(book_->Problems().empty()) << all;
  // Checked here as well, through what the window shows.
  for (const auto& topic : book_->Topics())
    for (const auto& link : RenderTopic(*book_, topic).Links)
      EXPECT_NE(book_->FindTopic(link.Target), nullptr) << topic.Name << " links to " << link.Target;
}

TEST_F(HelpSource, HasEveryTopicTheProgramOpensAndStartsWithTheContents) {
  for (const char* name : HelpTopicsTheProgramOpens()) EXPECT_NE(book_->FindTopic(name), nullptr) << name;
  ASSERT_FALSE(book_->Topics().empty());
  EXPECT_EQ(book_->Topics().front().Name, kHelpContents);
}

TEST_F(HelpSource, EveryTopicCanBeReachedFromTheContents) {
  std::set<std::string> reached{kHelpContents};
  std::vector<std::string> open{kHelpContents};
  while (!open.empty()) {
    const THelpTopic* topic = book_->FindTopic(open.back());
    open.pop_back();
    if (!topic) continue;
    for (const auto& link : RenderTopic(*book_, *topic).Links)
      if (reached.insert(link.Target).second) open.push_back(link.Target);
  }
  for (const auto& topic : book_->Topics()) EXPECT_TRUE(reached.count(topic.Name)) << topic.Name << " is not linked";
}

}  // namespace
}  // namespace vimo
