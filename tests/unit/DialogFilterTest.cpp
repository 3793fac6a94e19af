#include <gtest/gtest.h>

#include <string>

#include "platform/Files.h"

namespace vimo {
namespace {

TEST(DialogFilter, PairsEndWithTwoNuls) {
  using namespace std::string_literals;
  EXPECT_EQ(DialogFilter("Programs|*.exe;*.bat;*.com;*.lnk|All files|*.*"),
            "Programs\0*.exe;*.bat;*.com;*.lnk\0All files\0*.*\0\0"s);
  EXPECT_EQ(DialogFilter("Text files (*.txt)|*.txt|Any files (*.*)|*.*"),
            "Text files (*.txt)\0*.txt\0Any files (*.*)\0*.*\0\0"s);
  EXPECT_EQ(DialogFilter(""), "\0\0"s);
  // A description without its pattern would shift every later pair.
  EXPECT_EQ(DialogFilter("Text|*.txt|Orphan"), "Text\0*.txt\0\0"s);
  EXPECT_EQ(DialogFilter("Orphan"), "\0\0"s);
}

}  // namespace
}  // namespace vimo
