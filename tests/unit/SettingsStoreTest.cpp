#include "FakeRegistry.h"
#include "ModelFixture.h"
#include "contract/SettingsStoreContract.h"

namespace vimo::test {

INSTANTIATE_TEST_SUITE_P(Fake, SettingsStoreContract,
                         ::testing::Values(RegistryParam{"fake", [] { return std::make_unique<FakeRegistry>(); }}),
                         [](const auto& info) { return info.param.name; });

using SettingsStoreErrors = ModelFixture;

TEST_F(SettingsStoreErrors, WriteFailuresNameTheKeyOrValue) {
  registry.SetReadOnly(true);
  try {
    InitializeModel();
    FAIL() << "expected an error";
  } catch (const ERegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to create key SOFTWARE\\Tramlex");
  }
  registry.SetReadOnly(false);
  Put("Vimo\\Mouse", "x", "1");
  TSettingsRegistry reg(registry);
  registry.SetReadOnly(true);
  try {
    reg.WriteInteger("Vimo\\Mouse", "CornerSize", 9);
    FAIL() << "expected an error";
  } catch (const ERegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'CornerSize'");
  }
  try {
    reg.WriteInteger("Vimo\\Keys", "Count", 9);
    FAIL() << "expected an error";
  } catch (const ERegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to create key Vimo\\Keys");
  }
}

TEST_F(SettingsStoreErrors, SaveStopsWhereTheErrorHappenedKeepingEarlierValues) {
  InitializeModel();
  CornerSize = 17;
  CornerDelay = 33;
  KeyCorner = 3;
  registry.setBudget = 1;
  try {
    SaveSettings();
    FAIL() << "expected an error";
  } catch (const ERegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'CornerDelay'");
  }
  EXPECT_EQ(Get("Vimo\\Mouse", "CornerSize"), "17");
  EXPECT_EQ(Get("Vimo\\Mouse", "CornerDelay"), "<no value>");
  EXPECT_EQ(Get("Vimo\\Options", "KeyCorner"), "<no key>");
}

TEST(ParseInteger, AcceptsOnlyPlainDecimalText) {
  int v = 0;
  EXPECT_TRUE(ParseInteger("12", v));
  EXPECT_EQ(v, 12);
  EXPECT_TRUE(ParseInteger("-2147483648", v));
  EXPECT_EQ(v, -2147483647 - 1);
  EXPECT_TRUE(ParseInteger("+7", v));
  EXPECT_EQ(v, 7);
  for (const char* bad : {"", "-", "abc", "12a", " 12", "2147483648", "1e3", "0x10"}) {
    v = 42;
    EXPECT_FALSE(ParseInteger(bad, v)) << bad;
    EXPECT_EQ(v, 42) << bad;
  }
}

}  // namespace vimo::test

namespace vimo::test {

TEST_F(SettingsStoreErrors, AMissingSectionIsOpenedOnceAndSeenOnceCreated) {
  TSettingsRegistry reg(registry);
  long before = registry.opens;
  for (int i = 0; i < 7; ++i) EXPECT_EQ(reg.ReadInteger("Vimo\\Mouse", "CornerSize", 8), 8);
  EXPECT_EQ(registry.opens - before, 1) << "every read of a missing section opened it again";
  reg.WriteString("Vimo\\Mouse\\Actions\\LeftTop\\None", "Comment", "x");
  reg.WriteString("Vimo\\Mouse", "CornerSize", "12");
  EXPECT_EQ(reg.ReadInteger("Vimo\\Mouse", "CornerSize", 8), 12);
  EXPECT_TRUE(reg.SectionExists("Vimo\\Mouse\\Actions"));
}

}  // namespace vimo::test
