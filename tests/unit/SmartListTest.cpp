#include <gtest/gtest.h>

#include "model/SmartList.h"

namespace vimo {
namespace {

TActionRecord Act(const std::string& comment, int kind, int hotKeyId = 0) {
  TActionRecord r;
  r.Comment = comment;
  r.Action = kind;
  r.HotKeyId = hotKeyId;
  return r;
}

TEST(HotKeyList, AssignMakesAnIndependentDeepCopy) {
  THotKeyList source, copy;
  source.Add(Act("one", 40));
  source.Add(Act("two", 60));
  copy.Add(Act("stale", 1400));
  copy.Assign(source);
  ASSERT_EQ(copy.Count(), 2);
  source.ActionAt(0)->Comment = "changed";
  source.Delete(1);
  EXPECT_EQ(copy.GetAction(0).Comment, "one");
  EXPECT_EQ(copy.GetAction(1).Action, 60);

  THotKeyList empty;
  copy.Assign(empty);
  EXPECT_EQ(copy.Count(), 0);

  source.Assign(source);
  EXPECT_EQ(source.Count(), 1);
  EXPECT_EQ(source.GetAction(0).Comment, "changed");
}

TEST(HotKeyList, ReadsOutOfRangeAreTotal) {
  THotKeyList list;
  list.Add(Act("a", 40));
  EXPECT_EQ(list.GetAction(-1), TActionRecord{});
  EXPECT_EQ(list.GetAction(1), TActionRecord{});
  EXPECT_EQ(list.ActionAt(1), nullptr);
  EXPECT_EQ(list.ActionAt(-1), nullptr);
  EXPECT_NE(list.ActionAt(0), nullptr);
}

TEST(HotKeyList, FindByHotKeyIdReturnsACopyOfTheFirstMatch) {
  THotKeyList list;
  list.Add(Act("first", 40, 7));
  list.Add(Act("second", 60, 7));
  list.Add(Act("third", 70, 3));
  EXPECT_EQ(list.FindByHotKeyId(7).Comment, "first");
  EXPECT_EQ(list.FindByHotKeyId(3).Action, 70);
  EXPECT_EQ(list.FindByHotKeyId(99), TActionRecord{});
  list.FindByHotKeyId(7).Comment = "not stored";
  EXPECT_EQ(list.GetAction(0).Comment, "first");
}

TEST(HotKeyList, DeleteOutOfRangeRaisesAndChangesNothing) {
  THotKeyList list;
  list.Add(Act("a", 40));
  list.Add(Act("b", 60));
  list.Add(Act("c", 70));
  EXPECT_THROW(list.Delete(3), EListError);
  EXPECT_THROW(list.Delete(-1), EListError);
  ASSERT_EQ(list.Count(), 3);
  list.Delete(1);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.GetAction(1).Comment, "c");
  try {
    list.Delete(5);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (5)");
  }
}

TEST(HotKeyList, ExchangeSwapsRecordsForRowDraggingAndChecksBothIndexes) {
  THotKeyList list;
  list.Add(Act("a", 40));
  list.Add(Act("b", 60));
  list.Add(Act("c", 70));
  list.Exchange(0, 2);
  EXPECT_EQ(list.GetAction(0).Comment, "c");
  EXPECT_EQ(list.GetAction(2).Comment, "a");
  EXPECT_THROW(list.Exchange(1, 3), EListError);
  EXPECT_THROW(list.Exchange(-1, 0), EListError);
  EXPECT_EQ(list.GetAction(1).Comment, "b");
}

TEST(ClipList, TitlesTextsAndComments) {
  TClipList list;
  list.Add(TClipRecord{"", "  first line\r\nsecond"});
  list.Add(TClipRecord{"Greeting", "Dear John"});
  EXPECT_EQ(list.ClipTitle(0), "  first line\r\nsecond");  // the full text, not a caption
  EXPECT_EQ(list.ClipTitle(1), "Greeting");
  EXPECT_FALSE(list.HasComment(0));
  EXPECT_TRUE(list.HasComment(1));
  EXPECT_FALSE(list.HasComment(2));
  EXPECT_EQ(list.ClipText(1), "Dear John");
  EXPECT_EQ(list.ClipText(2), "");
  EXPECT_EQ(list.ClipTitle(-1), "");
  EXPECT_EQ(list.GetClip(9), TClipRecord{});
  EXPECT_EQ(list.ClipAt(2), nullptr);

  std::vector<std::string> texts{"old"};
  list.GetTexts(texts);
  EXPECT_EQ(texts, (std::vector<std::string>{"  first line\r\nsecond", "Dear John"}));

  TClipList copy;
  copy.Assign(list);
  list.ClipAt(1)->Text = "changed";
  EXPECT_EQ(copy.ClipText(1), "Dear John");
}

}  // namespace
}  // namespace vimo
