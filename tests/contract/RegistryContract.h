#pragma once
// Behaviour the settings store relies on, checked against the in-memory registry
// natively and against both it and the real registry under Wine. Each test works in
// a scratch key below HKEY_CURRENT_USER that the fixture removes again.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "contract/RegistryParam.h"

namespace vimo::test {

class RegistryContract : public ::testing::TestWithParam<RegistryParam> {
 protected:
  static constexpr const char* kScratch = "SOFTWARE\\TramlexVimoContractTest";

  void SetUp() override {
    registry_ = GetParam().make();
    Wipe();
    root_ = registry_->CurrentUser()->Create(kScratch);
    ASSERT_TRUE(root_);
  }
  void TearDown() override {
    root_.reset();
    Wipe();
  }
  void Wipe() {
    auto hkcu = registry_->CurrentUser();
    std::function<void(RegKey&, const std::string&)> del = [&](RegKey& parent, const std::string& name) {
      if (auto k = parent.Open(name)) {
        auto subs = k->SubKeyNames();
        for (auto it = subs.rbegin(); it != subs.rend(); ++it) del(*k, *it);
      }
      parent.DeleteSubKey(name);
    };
    del(*hkcu, kScratch);
  }

  std::unique_ptr<Registry> registry_;
  std::unique_ptr<RegKey> root_;
};

TEST_P(RegistryContract, KeyNamesAreCaseInsensitiveAndKeepTheirSpelling) {
  ASSERT_TRUE(root_->Create("Vimo\\Mouse"));
  EXPECT_TRUE(root_->Open("VIMO\\mouse"));
  EXPECT_FALSE(root_->Open("Vimo\\Keys"));
  auto vimo = root_->Open("vimo");
  ASSERT_TRUE(vimo);
  EXPECT_EQ(vimo->SubKeyNames(), std::vector<std::string>{"Mouse"});
}

TEST_P(RegistryContract, ValuesEnumerateInCreationOrderAndNamesIgnoreCase) {
  auto k = root_->Create("WorldTimes");
  ASSERT_TRUE(k);
  for (const char* n : {"Zulu", "Alpha", "Berlin, Rome", "mike"}) ASSERT_TRUE(k->Set(n, RegValue::String("1")));
  // Setting an existing value again, in another case, keeps its place and spelling.
  ASSERT_TRUE(k->Set("ALPHA", RegValue::String("2")));
  EXPECT_EQ(k->ValueNames(), EnumerationOrder(GetParam(), {"Zulu", "Alpha", "Berlin, Rome", "mike"}));
  ASSERT_TRUE(k->Query("alpha"));
  EXPECT_EQ(k->Query("alpha")->Text(), "2");
  EXPECT_TRUE(k->DeleteValue("ZULU"));
  EXPECT_FALSE(k->DeleteValue("ZULU"));
  EXPECT_EQ(k->ValueNames(), EnumerationOrder(GetParam(), {"Alpha", "Berlin, Rome", "mike"}));
  EXPECT_EQ(k->ValueCount(), 3u);
  EXPECT_EQ(root_->Create("Empty")->ValueCount(), 0u);
}

TEST_P(RegistryContract, ValueTypesAndBytesRoundTrip) {
  auto k = root_->Create("Types");
  ASSERT_TRUE(k);
  RegValue dword{RegType::DWord, std::string("\x2a\0\0\0", 4)};
  RegValue expand{RegType::ExpandSz, std::string("%TEMP%\0", 7)};
  ASSERT_TRUE(k->Set("d", dword));
  ASSERT_TRUE(k->Set("e", expand));
  ASSERT_TRUE(k->Set("s", RegValue::String("line1\r\nline2")));
  ASSERT_TRUE(k->Set("empty", RegValue::String("")));
  EXPECT_EQ(k->Query("d")->type, RegType::DWord);
  EXPECT_EQ(k->Query("d")->data, dword.data);
  EXPECT_TRUE(k->Query("e")->IsString());
  EXPECT_EQ(k->Query("e")->Text(), "%TEMP%");
  EXPECT_EQ(k->Query("s")->Text(), "line1\r\nline2");
  EXPECT_EQ(k->Query("empty")->Text(), "");
  EXPECT_FALSE(k->Query("missing"));
}

TEST_P(RegistryContract, KeyWithSubKeysIsDeletedOnlyDepthFirst) {
  ASSERT_TRUE(root_->Create("Vimo\\Keys\\1"));
  ASSERT_TRUE(root_->Create("Vimo\\Keys\\2"));
  EXPECT_FALSE(root_->DeleteSubKey("Vimo\\Keys"));
  EXPECT_TRUE(root_->Open("Vimo\\Keys\\2"));
  EXPECT_TRUE(root_->DeleteSubKey("Vimo\\Keys\\2"));
  EXPECT_TRUE(root_->DeleteSubKey("Vimo\\Keys\\1"));
  EXPECT_TRUE(root_->DeleteSubKey("Vimo\\Keys"));
  EXPECT_FALSE(root_->Open("Vimo\\Keys"));
  EXPECT_FALSE(root_->DeleteSubKey("Vimo\\Keys"));
}

TEST_P(RegistryContract, SubKeysEnumerateInNameOrder) {
  for (const char* n : {"RightTop", "LeftTop", "leftBottom", "10", "2"}) ASSERT_TRUE(root_->Create(n));
  EXPECT_EQ(root_->SubKeyNames(), (std::vector<std::string>{"10", "2", "leftBottom", "LeftTop", "RightTop"}));
}

TEST_P(RegistryContract, HandleToDeletedKeyNoLongerReadsOrWrites) {
  auto k = root_->Create("Gone");
  ASSERT_TRUE(k->Set("v", RegValue::String("x")));
  ASSERT_TRUE(root_->DeleteSubKey("Gone"));
  EXPECT_FALSE(k->Query("v"));
  EXPECT_FALSE(k->Set("v", RegValue::String("y")));
  EXPECT_FALSE(root_->Open("Gone"));
}

// Names and data are UTF-8 in the program and UTF-16 in the registry: text outside any
// ANSI code page must come back whole, and names ignore the case of every script.
TEST_P(RegistryContract, TextOfEveryScriptRoundTripsInNamesAndData) {
  const std::string text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 "
                           "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
  const std::string lowerGreek = "gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 "
                                 "\xCE\xB5\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
  auto k = root_->Create("Unicode\\" + text);
  ASSERT_TRUE(k);
  const std::string data = text + "\r\n" + text;
  ASSERT_TRUE(k->Set(text, RegValue::String(data)));
  ASSERT_TRUE(k->Query(text));
  EXPECT_EQ(k->Query(text)->Text(), data);
  EXPECT_EQ(k->ValueNames(), std::vector<std::string>{text});
  auto parent = root_->Open("Unicode");
  ASSERT_TRUE(parent);
  EXPECT_EQ(parent->SubKeyNames(), std::vector<std::string>{text});
  EXPECT_TRUE(root_->Open("UNICODE\\" + lowerGreek)) << "key names ignore the case of Greek letters";

  const std::string privet = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";  // "Privet" in Cyrillic
  const std::string PRIVET = "\xD0\x9F\xD0\xA0\xD0\x98\xD0\x92\xD0\x95\xD0\xA2";
  auto names = root_->Create("Names");
  ASSERT_TRUE(names);
  ASSERT_TRUE(names->Set(privet, RegValue::String("1")));
  ASSERT_TRUE(names->Set(PRIVET, RegValue::String("2")));
  EXPECT_EQ(names->ValueNames(), std::vector<std::string>{privet}) << "one value, first spelling kept";
  ASSERT_TRUE(names->Query(PRIVET));
  EXPECT_EQ(names->Query(PRIVET)->Text(), "2");
  // Letters that only look alike stay apart: sharp s is not "ss".
  ASSERT_TRUE(names->Set("Masse", RegValue::String("3")));
  ASSERT_TRUE(names->Set("Ma\xC3\x9F" "e", RegValue::String("4")));
  EXPECT_EQ(names->Query("Masse")->Text(), "3");
  EXPECT_EQ(names->ValueNames().size(), 3u);
}

TEST_P(RegistryContract, NamesLongerThanTheRegistryAllowsAreRefused) {
  // A key name holds at most 255 characters (Wine takes one more), a value name at most
  // 16,383.
  const std::string key255(255, 'k'), value16383(16383, 'v');
  auto k = root_->Create(key255);
  ASSERT_TRUE(k);
  EXPECT_TRUE(root_->Open(key255));
  EXPECT_FALSE(root_->Create(std::string(300, 'k')));
  EXPECT_FALSE(root_->Create("Deeper\\" + std::string(20000, 'k')));
  EXPECT_FALSE(root_->Open("Deeper"));
  EXPECT_TRUE(k->Set(value16383, RegValue::String("x")));
  EXPECT_EQ(k->ValueNames(), std::vector<std::string>{value16383});
  EXPECT_FALSE(k->Set(std::string(16384, 'v'), RegValue::String("x")));
  EXPECT_FALSE(k->Set(std::string(20000, 'v'), RegValue::String("x")));
  EXPECT_EQ(k->ValueNames().size(), 1u);
}

}  // namespace vimo::test
