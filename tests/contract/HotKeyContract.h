#pragma once
// What the launchers rely on from RegisterHotKey, run against the fake natively and
// against the real registrar under Wine.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "platform/HotKeys.h"

namespace vimo::test {

struct HotKeyParam {
  std::string name;
  std::function<std::unique_ptr<HotKeyRegistrar>()> make;
  std::function<void*()> newWindow;
  std::function<void(void*)> destroyWindow;
};
inline std::ostream& operator<<(std::ostream& os, const HotKeyParam& p) { return os << p.name; }

class HotKeyContract : public ::testing::TestWithParam<HotKeyParam> {
 protected:
  void SetUp() override {
    hotKeys = GetParam().make();
    first = GetParam().newWindow();
    second = GetParam().newWindow();
  }
  void TearDown() override {
    for (int id = 1; id <= 3; ++id) {
      hotKeys->Unregister(first, id);
      hotKeys->Unregister(second, id);
    }
    GetParam().destroyWindow(first);
    GetParam().destroyWindow(second);
  }
  // Combinations nobody else on the test desktop uses.
  static constexpr std::uint32_t kAll = kModControl | kModAlt | kModShift;
  static constexpr std::uint32_t kF9 = 0x78;

  std::unique_ptr<HotKeyRegistrar> hotKeys;
  void* first = nullptr;
  void* second = nullptr;
};

TEST_P(HotKeyContract, ACombinationHasOneOwnerUntilItIsReleased) {
  EXPECT_TRUE(hotKeys->Register(first, 1, kAll, kF9));
  EXPECT_FALSE(hotKeys->Register(first, 2, kAll, kF9));   // a later record of the list
  EXPECT_FALSE(hotKeys->Register(second, 1, kAll, kF9));  // another window
  EXPECT_TRUE(hotKeys->Unregister(first, 1));
  EXPECT_FALSE(hotKeys->Unregister(first, 1));
  EXPECT_TRUE(hotKeys->Register(first, 2, kAll, kF9));
}

TEST_P(HotKeyContract, ModifiersMakeDifferentCombinations) {
  EXPECT_TRUE(hotKeys->Register(first, 1, kAll, kF9));
  EXPECT_TRUE(hotKeys->Register(first, 2, kModControl | kModAlt, kF9));
  EXPECT_TRUE(hotKeys->Register(first, 3, kAll, kF9 + 1));
  EXPECT_FALSE(hotKeys->Unregister(second, 1));  // ids belong to their window
  EXPECT_TRUE(hotKeys->Unregister(first, 2));
}

TEST_P(HotKeyContract, TheNoRepeatFlagIsAcceptedAndIsNoPartOfTheCombination) {
  EXPECT_TRUE(hotKeys->Register(first, 1, kAll | kModNoRepeat, kF9));
  EXPECT_FALSE(hotKeys->Register(second, 1, kAll, kF9));
  EXPECT_FALSE(hotKeys->Register(second, 2, kAll | kModNoRepeat, kF9));
  EXPECT_TRUE(hotKeys->Unregister(first, 1));
  EXPECT_TRUE(hotKeys->Register(second, 1, kAll, kF9));
}

}  // namespace vimo::test
