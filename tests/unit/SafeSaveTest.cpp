// A save cut off after any single write, by a crash or by a write the registry refuses,
// leaves a registry from which the next start loads every list either as it was or as
// it was being saved, whole; and a reader of the registry never sees a list emptied on
// the way.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ModelFixture.h"
#include "model/ActionKinds.h"
#include "model/NumberedList.h"
#include "model/SettingsStore.h"

namespace vimo::test {
namespace {

struct TLists {
  std::vector<TActionRecord> keys;
  std::vector<TClipRecord> clips;
  TStringList history;
  TWorldTimeList worldTimes;
};

TLists InMemory() {
  TLists l;
  for (int i = 0; i < HotKeyList->Count(); ++i) l.keys.push_back(HotKeyList->GetAction(i));
  for (int i = 0; i < ClipList->Count(); ++i) l.clips.push_back(ClipList->GetClip(i));
  l.history = *ClipHistory;
  l.worldTimes = *WorldTimes;
  return l;
}

void SetLists(const TLists& l) {
  HotKeyList->Clear();
  for (const auto& k : l.keys) HotKeyList->Add(k);
  ClipList->Clear();
  for (const auto& c : l.clips) ClipList->Add(c);
  *ClipHistory = l.history;
  *WorldTimes = l.worldTimes;
}

TActionRecord HotKeyAction(const std::string& comment, int hotKey = 0) {
  return TActionRecord{comment, akCalendar, 0, "", "", 0, hotKey, 0};
}

class SafeSave : public ModelFixture {
 protected:
  void TearDown() override {
    registry.writeBudget = -1;
    registry.afterWrite = nullptr;
    ModelFixture::TearDown();
  }

  void Wipe() {
    std::function<void(RegKey&, const std::string&)> del = [&](RegKey& parent, const std::string& name) {
      if (auto k = parent.Open(name)) {
        auto subs = k->SubKeyNames();
        for (auto it = subs.rbegin(); it != subs.rend(); ++it) del(*k, *it);
      }
      parent.DeleteSubKey(name);
    };
    del(*registry.CurrentUser(), "SOFTWARE\\Tramlex");
  }

  TLists StartAgain() {
    FinalizeModel();
    InitializeModel();
    return InMemory();
  }

  // The old lists saved and loaded again, as the running program holds them.
  void StartWith(const TLists& old, const std::function<void()>& save) {
    FinalizeModel();
    Wipe();
    InitializeModel();
    SetLists(old);
    save();
    StartAgain();
  }

  // What a reader sees in the middle of a save: a numbered list never shows "Count" 0
  // (or none) while entries exist, and a world-time list that is not being emptied
  // never shows no entries (which would read as the default list).
  void CheckReader(bool worldTimesStayFilled) {
    for (const char* section : {"Vimo\\Keys", "Vimo\\Clipboard\\Clips", "Vimo\\Clipboard\\History"}) {
      auto key = Key(section);
      if (!key) continue;
      bool entries = false;
      for (const auto& n : key->SubKeyNames()) entries |= EntryNumber(n).has_value();
      for (const auto& n : key->ValueNames()) entries |= EntryNumber(n).has_value();
      auto count = key->Query("Count");
      if (entries) {
        EXPECT_TRUE(count && count->Text() != "0") << section << " shows no count while entries exist";
      }
    }
    if (worldTimesStayFilled) {
      auto key = Key("Vimo\\WorldTimes");
      EXPECT_TRUE(key && !key->ValueNames().empty()) << "the world times read as the default list";
    }
  }

  // Saves `fresh` over `old` with the registry stopping at the first, second, ... write
  // until a save gets through, and starts again after each; a cut during that start's
  // own repair is tried too when `cutTheRepair` is set.
  void CutEveryWrite(const TLists& old, const TLists& fresh, const std::function<void()>& save, bool crash,
                     bool cutTheRepair = false) {
    StartWith(old, save);
    const TLists oldLoaded = InMemory();
    SetLists(fresh);
    save();
    const TLists freshLoaded = StartAgain();

    const bool filled = !old.worldTimes.empty() && !fresh.worldTimes.empty();
    // Runs `step` with the registry letting `budget` writes through; true when cut.
    auto cutAfter = [&](long budget, const std::function<void()>& step) {
      registry.crashOnWrite = crash;
      registry.writeBudget = budget;
      registry.afterWrite = [&] { CheckReader(filled); };
      bool cut = false;
      try {
        step();
      } catch (const FakeRegistry::Crash&) {
        cut = true;
      } catch (const ERegistryError&) {
        cut = true;  // a refused write ends the save with the registry's error
      }
      registry.writeBudget = -1;
      registry.crashOnWrite = true;
      registry.afterWrite = nullptr;
      return cut;
    };
    // `known`: the save follows an earlier save of the running program, which compares
    // with what it wrote then rather than with what it reads.
    auto cutSave = [&](long n, bool known) {
      StartWith(old, save);
      if (known) save();
      SetLists(fresh);
      return cutAfter(n, save);
    };

    long cuts = 0;
    for (long step = 0;; ++step) {
      const long n = step / 2;
      const bool known = step % 2 == 1;
      SCOPED_TRACE("cut at write " + std::to_string(n + 1) + (known ? " after an earlier save" : ""));
      bool cut = cutSave(n, known);
      for (long m = 0; cut && cutTheRepair; ++m) {
        SCOPED_TRACE("repair cut at write " + std::to_string(m + 1));
        if (!cutAfter(m, [&] { StartAgain(); })) break;
        ExpectOldOrNew(StartAgain(), oldLoaded, freshLoaded);
        cutSave(n, known);
      }
      TLists now = StartAgain();
      ExpectOldOrNew(now, oldLoaded, freshLoaded);
      if (!cut) {
        EXPECT_EQ(now.clips, freshLoaded.clips);
        EXPECT_EQ(now.keys, freshLoaded.keys);
        EXPECT_EQ(now.history, freshLoaded.history);
        EXPECT_EQ(now.worldTimes, freshLoaded.worldTimes);
        if (known) break;
        continue;
      }
      ++cuts;
      ASSERT_LT(n, 10000) << "the save never ends";
      if (HasFailure()) break;
    }
    EXPECT_GT(cuts, 0);
  }

  static void ExpectOldOrNew(const TLists& now, const TLists& old, const TLists& fresh) {
    EXPECT_TRUE(now.keys == old.keys || now.keys == fresh.keys) << "hot keys mixed";
    EXPECT_TRUE(now.clips == old.clips || now.clips == fresh.clips) << "clips mixed";
    EXPECT_TRUE(now.history == old.history || now.history == fresh.history) << "history mixed";
    EXPECT_TRUE(now.worldTimes == old.worldTimes || now.worldTimes == fresh.worldTimes) << "world times mixed";
  }

  TLists WithClips(std::vector<TClipRecord> clips) {
    TLists l;
    l.clips = std::move(clips);
    l.worldTimes = {{"Home", 60}};
    return l;
  }
};

const TClipRecord A{"a", "alpha"}, B{"", "bravo"}, C{"c", "charlie\r\nline"}, D{"d", ""}, X{"a", "changed"};

TEST_F(SafeSave, ClipCollection) {
  struct Case {
    const char* name;
    std::vector<TClipRecord> old, fresh;
  } const cases[] = {
      {"first deleted", {A, B, C}, {B, C}},
      {"last moved to the top", {A, B, C}, {C, A, B}},
      {"first clips", {}, {A, B}},
      {"all deleted", {A, B}, {}},
      {"two added", {A, B}, {A, B, C, D}},
      {"one text edited", {A, B, C}, {X, B, C}},
      {"equal clips reordered", {A, A, B}, {B, A, A}},
      {"reversed", {A, B, C, D}, {D, C, B, A}},
  };
  for (bool crash : {true, false})
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (crash ? ", crash" : ", refused write"));
      CutEveryWrite(WithClips(c.old), WithClips(c.fresh), SaveSettings, crash);
    }
}

TEST_F(SafeSave, HotKeysAndWorldTimesOfOneSave) {
  TLists old, fresh;
  old.keys = {HotKeyAction("one", 0xC031), HotKeyAction("two"), HotKeyAction("three")};
  old.worldTimes = {{"Kabul", 270}, {"Tehran", 210}, {"Hawaii", -600}};
  old.clips = {A, B};
  fresh.keys = {HotKeyAction("three"), HotKeyAction("one", 0xC032)};
  fresh.worldTimes = {{"Hawaii", -600}, {"Kabul", 300}, {"Fiji", 720}};
  fresh.clips = {B};
  for (bool crash : {true, false}) {
    SCOPED_TRACE(crash ? "crash" : "refused write");
    CutEveryWrite(old, fresh, SaveSettings, crash);
  }
}

TEST_F(SafeSave, WorldTimes) {
  using L = TWorldTimeList;
  struct Case {
    const char* name;
    L old, fresh;
  } const cases[] = {
      {"renamed", {{"Berlin", 60}}, {{"Paris", 60}}},
      {"renamed in another case", {{"berlin", 60}, {"Kabul", 270}}, {{"Berlin", 60}, {"Kabul", 270}}},
      {"offset changed", {{"Berlin", 60}, {"Kabul", 270}}, {{"Berlin", 120}, {"Kabul", 270}}},
      {"first two swapped", {{"A", 1}, {"B", 2}, {"C", 3}}, {{"B", 2}, {"A", 1}, {"C", 3}}},
      {"emptied", {{"A", 1}, {"B", 2}}, {}},
      {"from the defaults", {}, {{"Only", 5}}},
      {"the same name twice", {{"A", 1}}, {{"B", 2}, {"a", 3}, {"A", 4}}},
      // A place's zone is stored beside the offsets: both change together or not at all.
      {"zones swapped", {{"Berlin", 60, "W. Europe Standard Time"}, {"London", 0, ""}},
       {{"London", 0, "GMT Standard Time"}, {"Berlin", 60, ""}}},
      {"a zone given", {{"Berlin", 60, ""}, {"Kabul", 270, ""}},
       {{"Berlin", 60, "W. Europe Standard Time"}, {"Kabul", 270, ""}}},
      {"a tied place renamed", {{"Berlin", 60, "W. Europe Standard Time"}}, {{"Paris", 60, "Romance Standard Time"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TLists old, fresh;
    old.worldTimes = c.old;
    fresh.worldTimes = c.fresh;
    CutEveryWrite(old, fresh, SaveSettings, true);
  }
}

TEST_F(SafeSave, ClipHistory) {
  TStringList five = {"e", "d", "c", "b", "a"};
  struct Case {
    const char* name;
    TStringList old, fresh;
  } const cases[] = {
      {"a copy at full depth", five, {"new", "e", "d", "c", "b"}},
      {"an older entry copied again", five, {"c", "e", "d", "b", "a"}},
      {"the first copy", {}, {"first"}},
      {"cleared", five, {}},
      {"trimmed", five, {"e", "d"}},
  };
  for (bool crash : {true, false})
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (crash ? ", crash" : ", refused write"));
      TLists old, fresh;
      old.history = c.old;
      fresh.history = c.fresh;
      CutEveryWrite(old, fresh, SaveHistoryAndState, crash);
    }
}

TEST_F(SafeSave, ACutDuringTheRepairAtTheNextStartIsRepairedAtTheOneAfter) {
  TLists old, fresh;
  old.history = {"c", "b", "a"};
  fresh.history = {"a", "c", "b"};
  CutEveryWrite(old, fresh, SaveHistoryAndState, true, true);
  old = WithClips({A, B, C});
  fresh = WithClips({C, B});
  old.worldTimes = {{"A", 1}, {"B", 2}};
  fresh.worldTimes = {{"B", 2}, {"C", 3}};
  CutEveryWrite(old, fresh, SaveSettings, true, true);
}

TEST_F(SafeSave, OnlyWhatChangedIsWritten) {
  InitializeModel();
  SetLists(WithClips({A, B, C}));
  ClipList->Add(TClipRecord{"big", std::string(100000, 'x')});
  *ClipHistory = {"h3", "h2", "h1"};
  HotKeyList->Add(HotKeyAction("k"));
  SaveSettings();
  SaveHistoryAndState();
  long before = registry.writes;
  SaveSettings();
  SaveHistoryAndState();
  EXPECT_EQ(registry.writes, before) << "a save of what is stored wrote again";

  ClipList->ClipAt(1)->Text = "edited";
  SaveSettings();
  EXPECT_EQ(registry.writes, before + 1) << "one changed text is one write";

  // The auto-start entry in another letter case, or unquoted by an older version.
  auto run = registry.CurrentUser()->Open(kRunKeyPath);
  ASSERT_TRUE(run);
  ASSERT_TRUE(run->Set(kRunValueName, RegValue::String("\"c:\\program files\\tramlex\\VIMO.EXE\"")));
  before = registry.writes;
  SaveHistoryAndState();
  EXPECT_EQ(registry.writes, before) << "our own entry was written again";
  ASSERT_TRUE(run->Set(kRunValueName, RegValue::String(system.exePath)));
  SaveHistoryAndState();
  EXPECT_EQ(run->Query(kRunValueName)->Text(), "\"" + system.exePath + "\"");
  before = registry.writes;
  SaveHistoryAndState();
  EXPECT_EQ(registry.writes, before);
}

TEST_F(SafeSave, EntriesAnotherProgramAddedBetweenTwoSavesAreSeen) {
  InitializeModel();
  *ClipHistory = {"c", "b", "a"};
  ClipList->Add(A);
  SaveHistoryAndState();
  SaveSettings();
  Put("Vimo\\Clipboard\\History", "4", "stale");
  Put("Vimo\\Clipboard\\Clips\\2", "Text", "stale");
  SaveHistoryAndState();
  SaveSettings();
  EXPECT_EQ(Get("Vimo\\Clipboard\\History", "4"), "<no value>");
  EXPECT_EQ(Key("Vimo\\Clipboard\\Clips\\2"), nullptr);
  // A changed text under the same numbers is read again once the settings are loaded again.
  Put("Vimo\\Clipboard\\History", "2", "edited");
  LoadSettings(false);
  EXPECT_EQ(*ClipHistory, (TStringList{"c", "edited", "a"}));
  *ClipHistory = {"c", "b", "a"};
  SaveHistoryAndState();
  EXPECT_EQ(Get("Vimo\\Clipboard\\History", "2"), "b");
}

}  // namespace
}  // namespace vimo::test
