#pragma once
// The settings store against a registry: the in-memory one natively, the real one
// (and the fake again, side by side) under Wine.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "FakeSystem.h"
#include "contract/RegistryParam.h"
#include "model/ActionKinds.h"
#include "model/Model.h"
#include "model/SettingsStore.h"
#include "platform/Platform.h"

namespace vimo::test {

class SettingsStoreContract : public ::testing::TestWithParam<RegistryParam> {
 protected:
  void SetUp() override {
    registry_ = GetParam().make();
    saved_ = Platform();
    Platform().registry = registry_.get();
    Platform().system = &system_;
    Platform().keyboard = &keyboard_;
    Wipe();
  }
  void TearDown() override {
    FinalizeModel();
    Wipe();
    Platform() = saved_;
  }

  static void DeleteTree(RegKey& parent, const std::string& name) {
    if (auto k = parent.Open(name)) {
      auto subs = k->SubKeyNames();
      for (auto it = subs.rbegin(); it != subs.rend(); ++it) DeleteTree(*k, *it);
    }
    parent.DeleteSubKey(name);
  }
  void Wipe() {
    auto hkcu = registry_->CurrentUser();
    DeleteTree(*hkcu, kBaseKeyPath);
    if (auto run = hkcu->Open(kRunKeyPath)) run->DeleteValue(kRunValueName);
  }

  std::unique_ptr<RegKey> Key(const std::string& path, bool create = false) {
    std::string full = std::string(kBaseKeyPath) + "\\" + path;
    auto hkcu = registry_->CurrentUser();
    return create ? hkcu->Create(full) : hkcu->Open(full);
  }
  void Put(const std::string& path, const std::string& name, const std::string& text) {
    auto k = Key(path, true);
    ASSERT_TRUE(k);
    ASSERT_TRUE(k->Set(name, RegValue::String(text)));
  }
  void PutRaw(const std::string& path, const std::string& name, const RegValue& v) {
    ASSERT_TRUE(Key(path, true)->Set(name, v));
  }
  std::string Get(const std::string& path, const std::string& name) {
    auto k = Key(path);
    if (!k) return "<no key>";
    auto v = k->Query(name);
    return v ? v->Text() : "<no value>";
  }
  void PutRun(const std::string& text) {
    auto run = registry_->CurrentUser()->Create(kRunKeyPath);
    ASSERT_TRUE(run && run->Set(kRunValueName, RegValue::String(text)));
  }
  std::string RunValue() {
    auto run = registry_->CurrentUser()->Open(kRunKeyPath);
    if (!run) return "<no key>";
    auto v = run->Query(kRunValueName);
    return v ? v->Text() : "<no value>";
  }

  // The world-time list in saved order, as far as this registry keeps the order.
  void ExpectWorldTimes(const TWorldTimeList& expected) {
    std::vector<std::string> names;
    for (const auto& wt : expected) names.push_back(wt.Name);
    names = EnumerationOrder(GetParam(), names);
    TWorldTimeList ordered;
    for (const auto& n : names)
      for (const auto& wt : expected)
        if (wt.Name == n) ordered.push_back(wt);
    EXPECT_EQ(*WorldTimes, ordered);
  }

  std::unique_ptr<Registry> registry_;
  FakeSystemInfo system_;
  FakeKeyboardState keyboard_;

 private:
  PlatformServices saved_;
};

TEST_P(SettingsStoreContract, FirstStartWritesIdentityAndYieldsDefaults) {
  system_.screenWidth = 1366;
  InitializeModel();
  EXPECT_TRUE(FirstRun);
  EXPECT_EQ(Get("Vimo", "@Name"), "Vimo");
  EXPECT_EQ(Get("Vimo", "@Path"), system_.exePath);
  EXPECT_EQ(Get("Vimo", "@Version"), "2.1");
  EXPECT_EQ(CornerSize, 8);
  EXPECT_EQ(CornerDelay, 20);
  EXPECT_EQ(KeyCorner, 1);
  EXPECT_EQ(HistoryDepth, 20);
  EXPECT_TRUE(ShowInEditor && NumerateItems && TrayIconAnimated && ClearEmptyNotes && AutoHideWindows && AutoRun);
  EXPECT_TRUE(IgnoreFullScreen);
  EXPECT_FALSE(DisableHistory || TrayIconRandom || Suspended);
  EXPECT_EQ(TrayIconColor, 0);
  EXPECT_EQ(ClipHistoryWidth, 341);
  EXPECT_EQ(ClipCollectionWidth, 341);
  EXPECT_EQ(MouseActions[0][0].Action, 1700);  // LeftTop, no modifier: Close CD-ROM
  EXPECT_EQ(MouseActions[0][1].Action, 1600);  // LeftTop + Control: Open CD-ROM
  EXPECT_EQ(MouseActions[1][0].Action, 300);
  EXPECT_EQ(MouseActions[2][0].Action, 1500);
  EXPECT_EQ(MouseActions[3][0].Action, 1400);
  EXPECT_EQ(MouseActions[3][5].Action, 0);
  for (const auto& t : TrayActions) EXPECT_EQ(t, TActionRecord{});
  EXPECT_EQ(HotKeyList->Count(), 0);
  EXPECT_EQ(ClipList->Count(), 0);
  EXPECT_TRUE(ClipHistory->empty());
  ASSERT_EQ(WorldTimes->size(), 29u);
  EXPECT_EQ(WorldTimes->front(), (TWorldTime{"Midway Island, Samoa", -660, "UTC-11"}));
  EXPECT_EQ((*WorldTimes)[20], (TWorldTime{"Kathmandu", 345, "Nepal Standard Time"}));
  EXPECT_EQ(WorldTimes->back(), (TWorldTime{"Auckland, Wellington, Fiji", 720, "New Zealand Standard Time"}));
  EXPECT_EQ((*WorldTimes)[6], (TWorldTime{"Eastern Time", -300, "Eastern Standard Time"}));
  EXPECT_EQ((*WorldTimes)[8], (TWorldTime{"Brasilia, Greenland", -210})) << "no zone has that offset";
  // Loading writes only the identity values.
  EXPECT_FALSE(Key("Vimo\\Mouse"));

  FinalizeModel();
  InitializeModel();
  EXPECT_FALSE(FirstRun);
}

TEST_P(SettingsStoreContract, TextIsParsedOrFallsBackToTheDefault) {
  Put("Vimo\\Mouse", "CornerSize", "abc");
  Put("Vimo\\Mouse", "CornerDelay", "-5");
  Put("Vimo\\Options", "AutoRun", "2");
  Put("Vimo\\Options", "TrayIconAnimated", "0");
  Put("Vimo\\Mouse", "IgnoreFullScreen", "0");
  Put("Vimo\\Options", "KeyCorner", "99999999999");
  Put("Vimo\\Clipboard", "HistoryDepth", "12");
  InitializeModel();
  EXPECT_FALSE(FirstRun);
  EXPECT_EQ(CornerSize, 8);
  EXPECT_EQ(CornerDelay, 0);
  EXPECT_TRUE(AutoRun);
  EXPECT_FALSE(TrayIconAnimated);
  EXPECT_FALSE(IgnoreFullScreen);
  EXPECT_EQ(KeyCorner, 1);
  EXPECT_EQ(HistoryDepth, 12);
}

TEST_P(SettingsStoreContract, OutOfRangeValuesReadAsTheNearestTheDialogOffersAndStayStoredUntilSaved) {
  struct Case {
    const char* section;
    const char* name;
    const char* stored;
    int expected;
    const int* setting;
  };
  const Case low[] = {
      {"Vimo\\Mouse", "CornerSize", "0", 1, &CornerSize},
      {"Vimo\\Mouse", "CornerDelay", "-5", 0, &CornerDelay},
      {"Vimo\\Options", "KeyCorner", "0", 1, &KeyCorner},
      {"Vimo\\Options", "TrayIconColor", "-1", 0, &TrayIconColor},
      {"Vimo\\Clipboard", "HistoryDepth", "0", 5, &HistoryDepth},
  };
  const Case high[] = {
      {"Vimo\\Mouse", "CornerSize", "51", 50, &CornerSize},
      {"Vimo\\Mouse", "CornerDelay", "73", 50, &CornerDelay},
      {"Vimo\\Options", "KeyCorner", "9", 4, &KeyCorner},
      {"Vimo\\Options", "TrayIconColor", "99", 7, &TrayIconColor},
      {"Vimo\\Clipboard", "HistoryDepth", "2147483647", 50, &HistoryDepth},
  };
  const std::string slot = "Vimo\\Mouse\\Actions\\LeftTop\\None";
  for (const auto* cases : {low, high}) {
    Wipe();
    for (int i = 0; i < 5; ++i) Put(cases[i].section, cases[i].name, cases[i].stored);
    bool isLow = cases == low;
    Put(slot, "ExecWindowState", isLow ? "-1" : "3");
    Put(slot, "FolderMode", isLow ? "-7" : "2");
    Put("Vimo\\Tray\\Shift", "ExecWindowState", isLow ? "-2147483648" : "2147483647");
    Put("Vimo\\Keys", "Count", "1");
    Put("Vimo\\Keys\\1", "FolderMode", isLow ? "-1" : "5");
    InitializeModel();
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(*cases[i].setting, cases[i].expected) << cases[i].name << " " << cases[i].stored;
      EXPECT_EQ(Get(cases[i].section, cases[i].name), cases[i].stored) << "changed before the user saved";
    }
    EXPECT_EQ(MouseActions[0][0].ExecWindowState, isLow ? 0 : 2);
    EXPECT_EQ(MouseActions[0][0].FolderMode, isLow ? 0 : 1);
    EXPECT_EQ(TrayActions[3].ExecWindowState, isLow ? 0 : 2);
    EXPECT_EQ(HotKeyList->GetAction(0).FolderMode, isLow ? 0 : 1);

    SaveSettings();
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(Get(cases[i].section, cases[i].name), std::to_string(cases[i].expected)) << cases[i].name;
    EXPECT_EQ(Get(slot, "FolderMode"), isLow ? "0" : "1");
    FinalizeModel();
  }

  // The delay is offered in half seconds: what runs is what the dialog shows and saves.
  Wipe();
  Put("Vimo\\Mouse", "CornerDelay", "23");
  InitializeModel();
  EXPECT_EQ(CornerDelay, 20);
}

TEST_P(SettingsStoreContract, WrongTypedValuesReadAsDefaultsAndTheLoadGoesOn) {
  PutRaw("Vimo\\Mouse", "CornerSize", RegValue{RegType::DWord, std::string("\x0c\0\0\0", 4)});
  PutRaw("Vimo\\Keys", "Count", RegValue{RegType::DWord, std::string("\x01\0\0\0", 4)});
  Put("Vimo\\Mouse", "CornerDelay", "35");
  PutRaw("Vimo\\Options", "AutoRun", RegValue{RegType::Binary, "\x00"});
  Put("Vimo\\Clipboard", "HistoryDepth", "7");
  PutRaw("Vimo\\WorldTimes", "Bad", RegValue{RegType::DWord, std::string("\x3c\0\0\0", 4)});
  Put("Vimo\\WorldTimes", "Good", "60");
  InitializeModel();
  EXPECT_EQ(CornerSize, 8);
  EXPECT_EQ(CornerDelay, 35);
  EXPECT_EQ(HotKeyList->Count(), 0);
  EXPECT_TRUE(AutoRun);
  EXPECT_EQ(HistoryDepth, 7);
  ExpectWorldTimes({{"Bad", 0}, {"Good", 60}});

  // Outside the load, a wrong type is an error with the value's name.
  TSettingsRegistry reg(*registry_);
  try {
    reg.ReadInteger("Vimo\\Mouse", "CornerSize", 8);
    FAIL() << "expected an error";
  } catch (const EInvalidDataType& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'CornerSize'");
  }
}

TEST_P(SettingsStoreContract, SettingsRoundTrip) {
  InitializeModel();
  CornerSize = 12;
  CornerDelay = 45;
  IgnoreFullScreen = false;
  KeyCorner = 4;
  TrayIconColor = 5;
  TrayIconRandom = true;
  AutoRun = false;
  ShowInEditor = false;
  DisableHistory = true;
  HistoryDepth = 50;
  MouseActions[2][4] = TActionRecord{"Editor", akApplication, 0, "C:\\Windows\\notepad.exe", "a b.txt", 2, 0, 0};
  MouseActions[0][0] = TActionRecord{};
  TrayActions[7] = TActionRecord{"", akFolder, 1, "C:\\", "", 1, 0, 0};
  HotKeyList->Add(TActionRecord{"", akCalendar, 0, "", "", 0, 0xC074, 5});
  HotKeyList->Add(TActionRecord{"Clips", akClipCollection, 0, "", "", 0, 0x4000 + 'V', 6});
  ClipList->Add(TClipRecord{"Sig", "Regards,\r\nMe"});
  ClipList->Add(TClipRecord{"", ""});
  *WorldTimes = {{"Kathmandu", 345, "Nepal Standard Time"}, {"Berlin, Rome", 60}, {"St. John's", -210}};
  SaveSettings();

  FinalizeModel();
  InitializeModel();
  EXPECT_EQ(CornerSize, 12);
  EXPECT_EQ(CornerDelay, 45);
  EXPECT_EQ(Get("Vimo\\Mouse", "IgnoreFullScreen"), "0") << "kept with the other mouse settings";
  EXPECT_FALSE(IgnoreFullScreen);
  EXPECT_EQ(KeyCorner, 4);
  EXPECT_EQ(TrayIconColor, 5);
  EXPECT_TRUE(TrayIconRandom);
  EXPECT_FALSE(AutoRun);
  EXPECT_FALSE(ShowInEditor);
  EXPECT_TRUE(DisableHistory);
  EXPECT_EQ(HistoryDepth, 50);
  EXPECT_EQ(MouseActions[2][4], (TActionRecord{"Editor", akApplication, 0, "C:\\Windows\\notepad.exe", "a b.txt", 2, 0, 0}));
  EXPECT_EQ(MouseActions[0][0], TActionRecord{});  // an empty record is stored, not the default kind
  EXPECT_EQ(MouseActions[0][1].Action, akOpenCdRom);
  EXPECT_EQ(TrayActions[7], (TActionRecord{"", akFolder, 1, "C:\\", "", 1, 0, 0}));
  ASSERT_EQ(HotKeyList->Count(), 2);
  EXPECT_EQ(HotKeyList->GetAction(0).HotKey, 0xC074);
  EXPECT_EQ(HotKeyList->GetAction(0).HotKeyId, 0);  // never stored
  EXPECT_EQ(HotKeyList->GetAction(1).Comment, "Clips");
  ASSERT_EQ(ClipList->Count(), 2);
  EXPECT_EQ(ClipList->GetClip(0), (TClipRecord{"Sig", "Regards,\r\nMe"}));
  EXPECT_EQ(ClipList->GetClip(1), TClipRecord{});
  ExpectWorldTimes({{"Kathmandu", 345, "Nepal Standard Time"}, {"Berlin, Rome", 60}, {"St. John's", -210}});
  // The offsets stay where older versions read them; the zones have a key of their own.
  EXPECT_EQ(Get("Vimo\\WorldTimes", "Kathmandu"), "345");
  EXPECT_EQ(Get("Vimo\\WorldTimeZones", "Kathmandu"), "Nepal Standard Time");
  EXPECT_EQ(Get("Vimo\\WorldTimeZones", "Berlin, Rome"), "<no value>");
  // Written as text.
  EXPECT_EQ(Get("Vimo\\Keys\\1", "HotKey"), "49268");
  EXPECT_EQ(Get("Vimo\\WorldTimes", "St. John's"), "-210");
  EXPECT_EQ(Get("Vimo\\Options", "AutoRun"), "0");
  // SaveSettings leaves history and state alone, but the Run entry follows AutoRun at
  // once: with the history off no copy would ever bring it along.
  EXPECT_EQ(Get("Vimo\\State", "Suspended"), "<no key>");
  EXPECT_TRUE(RunValue() == "<no key>" || RunValue() == "<no value>") << RunValue();
  AutoRun = true;
  SaveSettings();
  EXPECT_EQ(RunValue(), "\"" + system_.exePath + "\"");
}

TEST_P(SettingsStoreContract, ActionRecordValuesAreWrittenInOrder) {
  InitializeModel();
  SaveSettings();
  auto k = Key("Vimo\\Tray\\ControlAltShift");
  ASSERT_TRUE(k);
  EXPECT_EQ(k->ValueNames(), EnumerationOrder(GetParam(), {"Comment", "Action", "FolderMode", "ExecPath",
                                                           "ExecWindowState", "ExecParams", "HotKey"}));
  EXPECT_TRUE(Key("Vimo\\Mouse\\Actions\\RightBottom\\AltShift"));
  EXPECT_TRUE(Key("Vimo\\Mouse\\Actions\\LeftTop\\AltControl"));
}

TEST_P(SettingsStoreContract, FewerHotKeysLeaveNoNumberedKeysBehindAndOldLeftoversStayUnread) {
  InitializeModel();
  for (int i = 0; i < 5; ++i) HotKeyList->Add(TActionRecord{"k" + std::to_string(i), akCalendar});
  SaveSettings();
  HotKeyList->Delete(4);
  HotKeyList->Delete(3);
  SaveSettings();
  EXPECT_EQ(Get("Vimo\\Keys", "Count"), "3");
  EXPECT_EQ(Key("Vimo\\Keys\\4"), nullptr);
  EXPECT_EQ(Key("Vimo\\Keys\\5"), nullptr);
  // Older saves left the keys above the count, and they stay deleted hot keys.
  Put("Vimo\\Keys\\4", "Comment", "k3");
  FinalizeModel();
  InitializeModel();
  ASSERT_EQ(HotKeyList->Count(), 3);
  EXPECT_EQ(HotKeyList->GetAction(2).Comment, "k2");
}

TEST_P(SettingsStoreContract, CountsAreBoundedByTheEntriesThatExist) {
  Put("Vimo\\Keys", "Count", "2000000000");
  Put("Vimo\\Keys\\1", "Comment", "one");
  Put("Vimo\\Keys\\3", "Comment", "three");
  Put("Vimo\\Keys\\03", "Comment", "not a number");
  Put("Vimo\\Clipboard\\Clips", "Count", "2");
  Put("Vimo\\Clipboard\\Clips\\1", "Text", "a");
  Put("Vimo\\Clipboard\\Clips\\2", "Text", "b");
  Put("Vimo\\Clipboard\\History", "Count", "999999");
  Put("Vimo\\Clipboard\\History", "1", "newest");
  Put("Vimo\\Clipboard\\History", "2", "older");
  InitializeModel();
  ASSERT_EQ(HotKeyList->Count(), 3);  // a gap below the highest key reads as an empty record
  EXPECT_EQ(HotKeyList->GetAction(0).Comment, "one");
  EXPECT_EQ(HotKeyList->GetAction(1), TActionRecord{});
  EXPECT_EQ(HotKeyList->GetAction(2).Comment, "three");
  ASSERT_EQ(ClipList->Count(), 2);
  EXPECT_EQ(ClipList->ClipText(1), "b");
  EXPECT_EQ(*ClipHistory, (TStringList{"newest", "older"}));

  // Counts that cannot be read: the entries that exist are the list.
  FinalizeModel();
  Put("Vimo\\Keys", "Count", "-4");
  Put("Vimo\\Clipboard\\Clips", "Count", "x");
  InitializeModel();
  ASSERT_EQ(HotKeyList->Count(), 3);
  EXPECT_EQ(HotKeyList->GetAction(2).Comment, "three");
  EXPECT_EQ(ClipList->Count(), 2);
}

TEST_P(SettingsStoreContract, AHugeCountLoadsOnlyTheEntriesThatExist) {
  Put("Vimo\\Keys", "Count", "2000000000");
  Put("Vimo\\Keys\\2000000000", "Comment", "far");
  Put("Vimo\\Clipboard\\Clips", "Count", "2000000000");
  Put("Vimo\\Clipboard\\Clips\\1", "Text", "first");
  Put("Vimo\\Clipboard\\Clips\\2000000000", "Text", "far");
  Put("Vimo\\Clipboard\\History", "Count", "2147483647");
  Put("Vimo\\Clipboard\\History", "2147483647", "far");
  InitializeModel();
  ASSERT_EQ(HotKeyList->Count(), 1);
  EXPECT_EQ(HotKeyList->GetAction(0).Comment, "far");
  ASSERT_EQ(ClipList->Count(), 2);
  EXPECT_EQ(ClipList->ClipText(0), "first");
  EXPECT_EQ(ClipList->ClipText(1), "far");
  EXPECT_EQ(*ClipHistory, TStringList{"far"});

  // Saved back, the lists are numbered from 1 without gaps and nothing far stays behind.
  SaveSettings();
  SaveHistoryAndState();
  EXPECT_EQ(Get("Vimo\\Keys", "Count"), "1");
  EXPECT_EQ(Get("Vimo\\Keys\\1", "Comment"), "far");
  EXPECT_EQ(Key("Vimo\\Keys\\2000000000"), nullptr);
  EXPECT_EQ(Get("Vimo\\Clipboard\\Clips\\2", "Text"), "far");
  EXPECT_EQ(Key("Vimo\\Clipboard\\Clips\\2000000000"), nullptr);
  EXPECT_EQ(Get("Vimo\\Clipboard\\History", "1"), "far");
  EXPECT_EQ(Get("Vimo\\Clipboard\\History", "2147483647"), "<no value>");
}

TEST_P(SettingsStoreContract, SmallGapsKeepTheirPlaceAndLargeOnesClose) {
  // Three entries: numbers up to 1,003 keep their place, higher ones follow without a gap.
  Put("Vimo\\Keys", "Count", "5000");
  Put("Vimo\\Keys\\1", "Comment", "a");
  Put("Vimo\\Keys\\1003", "Comment", "b");
  Put("Vimo\\Keys\\4000", "Comment", "c");
  Put("Vimo\\Clipboard\\History", "Count", "6");
  Put("Vimo\\Clipboard\\History", "2", "second");
  Put("Vimo\\Clipboard\\History", "4", "fourth");
  InitializeModel();
  ASSERT_EQ(HotKeyList->Count(), 1004);
  EXPECT_EQ(HotKeyList->GetAction(0).Comment, "a");
  EXPECT_EQ(HotKeyList->GetAction(1), TActionRecord{});
  EXPECT_EQ(HotKeyList->GetAction(1002).Comment, "b");
  EXPECT_EQ(HotKeyList->GetAction(1003).Comment, "c");
  // A readable count within reach keeps its empty records up to the count.
  EXPECT_EQ(*ClipHistory, (TStringList{"", "second", "", "fourth", "", ""}));
}

TEST_P(SettingsStoreContract, ADamagedCountNeverCostsTheEntriesThatExist) {
  struct Damage {
    const char* name;
    std::optional<RegValue> count;  // none: no count at all
  };
  const Damage damages[] = {
      {"trailing space", RegValue::String("2 ")},
      {"not a number", RegValue::String("x")},
      {"negative", RegValue::String("-1")},
      {"empty", RegValue::String("")},
      {"dword", RegValue{RegType::DWord, std::string("\x03\0\0\0", 4)}},
      {"missing", std::nullopt},
      {"too small", RegValue::String("1")},
  };
  for (const auto& d : damages) {
    SCOPED_TRACE(d.name);
    Wipe();
    for (const char* section : {"Vimo\\Clipboard\\Clips", "Vimo\\Clipboard\\History", "Vimo\\Keys"})
      if (d.count) PutRaw(section, "Count", *d.count);
    for (int n = 1; n <= 3; ++n) {
      std::string number = std::to_string(n);
      Put("Vimo\\Clipboard\\Clips\\" + number, "Text", "clip " + number);
      Put("Vimo\\Clipboard\\History", number, "copy " + number);
      Put("Vimo\\Keys\\" + number, "Comment", "key " + number);
    }
    InitializeModel();
    EXPECT_EQ(ClipList->Count(), 3);
    EXPECT_EQ(ClipList->ClipText(2), "clip 3");
    EXPECT_EQ(*ClipHistory, (TStringList{"copy 1", "copy 2", "copy 3"}));
    // Older saves left deleted hot keys above a smaller count on purpose: a readable
    // hot-key count is kept.
    EXPECT_EQ(HotKeyList->Count(), std::string(d.name) == "too small" ? 1 : 3);

    // OK in the settings dialog and the next copy write the lists back whole.
    SaveSettings();
    SaveHistoryAndState();
    EXPECT_EQ(Get("Vimo\\Clipboard\\Clips", "Count"), "3");
    EXPECT_EQ(Get("Vimo\\Clipboard\\Clips\\3", "Text"), "clip 3");
    EXPECT_EQ(Get("Vimo\\Clipboard\\History", "Count"), "3");
    EXPECT_EQ(Get("Vimo\\Clipboard\\History", "3"), "copy 3");
    FinalizeModel();
  }
}

TEST_P(SettingsStoreContract, EmptyWorldTimeListRestoresTheDefaults) {
  InitializeModel();
  WorldTimes->clear();
  SaveSettings();
  EXPECT_EQ(Key("Vimo\\WorldTimes"), nullptr);
  FinalizeModel();
  InitializeModel();
  EXPECT_EQ(WorldTimes->size(), 29u);

  WorldTimes->assign({{"Same", 60}, {"Other", 0}, {"same", 120}});
  SaveSettings();
  FinalizeModel();
  InitializeModel();
  ExpectWorldTimes({{"Same", 120}, {"Other", 0}});
}

TEST_P(SettingsStoreContract, ZonesAreSavedWithThePlacesAndGoWithThem) {
  InitializeModel();
  WorldTimes->assign({{"New York", -300, "Eastern Standard Time"}, {"Delhi", 330, "India Standard Time"}});
  SaveSettings();
  // Saving again without the zones leaves none behind, and an untied later duplicate
  // unties the name as its offset replaces the earlier one.
  WorldTimes->assign({{"New York", -300, "Eastern Standard Time"}, {"Delhi", 330}, {"new york", -240}});
  SaveSettings();
  EXPECT_EQ(Key("Vimo\\WorldTimeZones"), nullptr) << "no place is tied any more";
  FinalizeModel();
  InitializeModel();
  ExpectWorldTimes({{"New York", -240}, {"Delhi", 330}});

  WorldTimes->clear();
  SaveSettings();
  EXPECT_EQ(Key("Vimo\\WorldTimeZones"), nullptr);
  // A zone whose place is gone is not read; a place missing from the zones has none.
  Put("Vimo\\WorldTimes", "Kabul", "270");
  Put("Vimo\\WorldTimeZones", "Gone", "Tokyo Standard Time");
  Put("Vimo\\WorldTimes", "Tokyo", "540");
  Put("Vimo\\WorldTimeZones", "tokyo", "Tokyo Standard Time");
  FinalizeModel();
  InitializeModel();
  ExpectWorldTimes({{"Kabul", 270}, {"Tokyo", 540, "Tokyo Standard Time"}});
}

TEST_P(SettingsStoreContract, RestoringDefaultsErasesEverything) {
  InitializeModel();
  HotKeyList->Add(TActionRecord{"k", akCalendar});
  ClipList->Add(TClipRecord{"c", "t"});
  ClipHistory->push_back("h");
  CornerSize = 30;
  WorldTimes->assign({{"Only", 1}});
  SaveSettings();
  SaveHistoryAndState();
  Put("Vimo\\Unknown\\Deep\\Deeper", "x", "1");

  LoadSettings(true);
  EXPECT_FALSE(FirstRun);
  EXPECT_EQ(HotKeyList->Count(), 0);
  EXPECT_EQ(ClipList->Count(), 0);
  EXPECT_TRUE(ClipHistory->empty());
  EXPECT_EQ(CornerSize, 8);
  EXPECT_EQ(WorldTimes->size(), 29u);
  EXPECT_EQ(Get("Vimo", "@Version"), "2.1");
  EXPECT_EQ(Key("Vimo\\Unknown"), nullptr);
  EXPECT_EQ(Key("Vimo\\Keys"), nullptr);
  auto vimo = Key("Vimo");
  ASSERT_TRUE(vimo);
  EXPECT_TRUE(vimo->SubKeyNames().empty());
}

TEST_P(SettingsStoreContract, HistoryStateAndAutoStart) {
  InitializeModel();
  *ClipHistory = {"third", "second", "first"};
  ClipHistoryWidth = 300;
  ClipCollectionWidth = 280;
  Suspended = true;
  Put("Vimo\\Clipboard\\History", "4", "stale");
  SaveHistoryAndState();
  EXPECT_EQ(Get("Vimo\\Clipboard\\History", "Count"), "3");
  EXPECT_EQ(Get("Vimo\\Clipboard\\History", "1"), "third");
  EXPECT_EQ(Get("Vimo\\Clipboard\\History", "4"), "<no value>");
  EXPECT_EQ(Get("Vimo\\State", "ClipHistoryWidth"), "300");
  EXPECT_EQ(Get("Vimo\\State", "Suspended"), "1");
  // Quoted: unquoted, a path with spaces lets "C:\Program.exe" start at logon instead.
  EXPECT_EQ(RunValue(), "\"" + system_.exePath + "\"");

  system_.exePath = "D:\\Moved\\Vimo.exe";  // the entry follows a moved executable
  SaveHistoryAndState();
  EXPECT_EQ(RunValue(), "\"D:\\Moved\\Vimo.exe\"");
  PutRun("D:\\Moved\\Vimo.exe");  // as older versions wrote it
  SaveHistoryAndState();
  EXPECT_EQ(RunValue(), "\"D:\\Moved\\Vimo.exe\"");

  AutoRun = false;
  SaveHistoryAndState();
  EXPECT_EQ(RunValue(), "<no value>");
  SaveHistoryAndState();  // already gone: no error
  EXPECT_EQ(RunValue(), "<no value>");

  FinalizeModel();
  InitializeModel();
  EXPECT_EQ(*ClipHistory, (TStringList{"third", "second", "first"}));
  EXPECT_EQ(ClipHistoryWidth, 300);
  EXPECT_EQ(ClipCollectionWidth, 280);
  EXPECT_TRUE(Suspended);
}

}  // namespace vimo::test
