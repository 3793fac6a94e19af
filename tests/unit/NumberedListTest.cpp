#include <gtest/gtest.h>

#include "model/NumberedList.h"

namespace vimo {
namespace {

using Slots = std::vector<int>;

TEST(NumberedList, OnlyPlainDecimalNamesAndCountsAreNumbers) {
  for (const char* bad : {"", "0", "01", "+1", "-1", " 1", "1 ", "2147483648", "99999999999", "Count", "1a"})
    EXPECT_FALSE(EntryNumber(bad)) << bad;
  EXPECT_EQ(EntryNumber("2147483647"), 2147483647);
  for (const char* bad : {"", "2 ", " 2", "+2", "-1", "x", "2147483648"})
    EXPECT_FALSE(StoredCount(std::string(bad))) << bad;
  EXPECT_FALSE(StoredCount(std::nullopt));
  EXPECT_EQ(StoredCount(std::string("0")), 0);
}

TEST(NumberedList, TheCountBoundsTheListUnlessEntriesAboveItMeanDamage) {
  const std::vector<std::string> names = {"3", "1", "Count", "2", "07"};
  EXPECT_EQ(NumberedListSlots(names, 2, TSmallCount::Trusted), (Slots{1, 2}));
  EXPECT_EQ(NumberedListSlots(names, 2, TSmallCount::Damage), (Slots{1, 2, 3}));
  EXPECT_EQ(NumberedListSlots(names, 0, TSmallCount::Trusted), Slots{});
  EXPECT_EQ(NumberedListSlots(names, std::nullopt, TSmallCount::Trusted), (Slots{1, 2, 3}));
  EXPECT_EQ(NumberedListSlots(names, 5, TSmallCount::Damage), (Slots{1, 2, 3, 0, 0}));
  EXPECT_EQ(NumberedListSlots({}, std::nullopt, TSmallCount::Damage), Slots{});
}

TEST(NumberedList, EmptyRecordsStayWithinTheAllowanceEvenAtTheTopOfTheRange) {
  // Two entries: numbers up to 1,002 keep their place.
  EXPECT_EQ(NumberedListSlots({"1", "2147483647"}, 2147483647, TSmallCount::Trusted), (Slots{1, 2147483647}));
  Slots s = NumberedListSlots({"1002", "1003"}, std::nullopt, TSmallCount::Damage);
  ASSERT_EQ(s.size(), 1003u);
  EXPECT_EQ(s[1001], 1002);
  EXPECT_EQ(s[1002], 1003);
  EXPECT_EQ(NumberedListSlots({"5"}, 1002, TSmallCount::Trusted).size(), 5u);  // past the reach: no trailing gap
  EXPECT_EQ(NumberedListSlots({"5"}, 1001, TSmallCount::Trusted).size(), 1001u);
  EXPECT_EQ(NumberedListSlots({"2147483646", "2147483647"}, std::nullopt, TSmallCount::Damage),
            (Slots{2147483646, 2147483647}));
}

}  // namespace
}  // namespace vimo
