#pragma once
// Export from a registry to a file and import back: the in-memory registry, files and
// Windows-1252 natively; the real registry (and the fake again), the real files and
// the system's ANSI code page under Wine.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <map>

#include "FakeExportImportUi.h"
#include "FakeSystem.h"
#include "contract/RegistryParam.h"
#include "model/ExportImport.h"
#include "model/Model.h"
#include "model/SettingsStore.h"
#include "platform/Platform.h"

namespace vimo::test {

// What the contract writes its files with: defined once by each test program.
struct TContractFiles {
  FileSystem* files;
  AnsiCodePage* ansi;
  std::string folder;  // where the export file goes, without a trailing backslash
  std::function<void(const std::string&)> remove;
};

// A file of the tests' sources, read as the test program sees it.
inline std::string TestSourceFile(const std::string& name) {
  std::string path = std::string(VIMO_TEST_SOURCES) + "/" + name;
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
TContractFiles ContractFiles();

class ExportImportContract : public ::testing::TestWithParam<RegistryParam> {
 protected:
  using TTree = std::map<std::string, std::string>;

  void SetUp() override {
    registry_ = GetParam().make();
    saved_ = Platform();
    Platform().registry = registry_.get();
    Platform().system = &system_;
    Platform().keyboard = &keyboard_;
    TContractFiles files = ContractFiles();
    Platform().files = files.files;
    Platform().ansi = files.ansi;
    Wipe();
    InitializeModel();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->name()) + "-" + GetParam().name + ".tvf";
    for (char& c : name)
      if (c == '/') c = '-';
    file_ = files.folder + "\\vimo-" + name;
    ui.fileName = file_;
  }
  void TearDown() override {
    FinalizeModel();
    Wipe();
    ContractFiles().remove(file_);
    Platform() = saved_;
  }

  static void DeleteTree(RegKey& parent, const std::string& name) {
    if (auto k = parent.Open(name)) {
      auto subs = k->SubKeyNames();
      for (auto it = subs.rbegin(); it != subs.rend(); ++it) DeleteTree(*k, *it);
    }
    parent.DeleteSubKey(name);
  }
  void Wipe() { DeleteTree(*registry_->CurrentUser(), kBaseKeyPath); }

  void Put(const std::string& path, const std::string& name, const std::string& text) {
    auto k = registry_->CurrentUser()->Create(std::string(kBaseKeyPath) + "\\" + path);
    ASSERT_TRUE(k);
    ASSERT_TRUE(k->Set(name, RegValue::String(text)));
  }

  static void Collect(RegKey& key, const std::string& prefix, TTree& tree) {
    for (const auto& n : key.ValueNames()) {
      auto v = key.Query(n);
      tree[prefix + n] = v ? v->Text() : "<unreadable>";
    }
    for (const auto& sub : key.SubKeyNames())
      if (auto k = key.Open(sub)) Collect(*k, prefix + sub + "\\", tree);
  }
  // Every value below SOFTWARE\Tramlex, as "Vimo\Section\Name" -> text.
  TTree Tree() {
    TTree tree;
    if (auto base = registry_->CurrentUser()->Open(kBaseKeyPath)) Collect(*base, "", tree);
    return tree;
  }

  void WriteFile(const std::string& bytes) { WriteWholeFile(*Platform().files, file_, bytes); }
  std::string ReadFile() { return ReadWholeFile(*Platform().files, file_); }
  // The records of the file as bytes; fails the test on a damaged one.
  std::vector<std::string> Records() {
    auto in = Platform().files->OpenForReading(file_);
    if (!in) {
      ADD_FAILURE() << "no file " << file_;
      return {};
    }
    TExportFileReader reader(*in);
    std::vector<std::string> records;
    EXPECT_TRUE(reader.ReadHeader());
    std::string text;
    while (!reader.AtEnd()) {
      if (!reader.ReadRecord(text)) {
        ADD_FAILURE() << "damaged record at " << reader.Position();
        break;
      }
      records.push_back(text);
    }
    return records;
  }
  static std::string Pairs(const std::vector<std::pair<std::string, std::string>>& pairs) {
    std::string bytes(kExportHeader);
    for (const auto& [p, v] : pairs) bytes += EncodeRecord(p) + EncodeRecord(v);
    return bytes;
  }

  // Some of every section, written the way the program writes them.
  void FillSettings() {
    CornerSize = 13;
    IgnoreFullScreen = false;
    MouseActions[0][0].Comment = "eject";
    MouseActions[3][5].ExecPath = "C:\\Tools\\x.exe";
    auto key = std::make_unique<TActionRecord>();
    key->Comment = "calc";
    key->Action = 100;
    key->HotKey = scCtrl | 'K';
    HotKeyList->Add(std::move(key));
    KeyCorner = 4;
    TrayIconColor = 5;
    TrayActions[2].Action = 300;
    auto clip = std::make_unique<TClipRecord>();
    clip->Comment = "";
    clip->Text = "line 1\r\nline 2\n\tend";
    ClipList->Add(std::move(clip));
    HistoryDepth = 7;
    ShowInEditor = false;
    *ClipHistory = {"newest", "two\r\nlines"};
    *WorldTimes = {{"Kabul", 270, "Afghanistan Standard Time"}, {"Far, West", -600}};
    ClipHistoryWidth = 333;
    SaveSettings();
    SaveHistoryAndState();
  }

  std::unique_ptr<Registry> registry_;
  FakeSystemInfo system_;
  FakeKeyboardState keyboard_;
  FakeExportImportUi ui;
  std::string file_;

 private:
  PlatformServices saved_;
};

TEST_P(ExportImportContract, RoundTripRestoresTheTickedSectionsInRegistryAndMemory) {
  FillSettings();
  TTree before = Tree();
  ExportSettings(ui, kAllExportBoxes);
  ASSERT_EQ(ui.events.back(), std::string("msg:info:") + msgExported);
  EXPECT_NE(ReadFile().find(EncodeRecord("Mouse\\IgnoreFullScreen") + EncodeRecord("0")), std::string::npos);

  Wipe();
  LoadSettings(false);
  EXPECT_TRUE(IgnoreFullScreen);
  ui.events.clear();
  ImportSettings(ui, kAllExportBoxes);
  ASSERT_EQ(ui.events.size(), 4u);
  EXPECT_EQ(ui.events[1], std::string("ask:warning:") + msgConfirmImport);
  EXPECT_EQ(ui.events[2], "reload");
  // The Clipboard key's own four values belong to no box: not counted as skipped.
  EXPECT_EQ(ui.events[3].rfind(std::string("msg:info:") + msgImported + "\r", 0), 0u) << ui.events[3];
  EXPECT_TRUE(ui.events[3].ends_with(" settings imported, 0 skipped.")) << ui.events[3];

  // State is never exported and the Clipboard key's own values are never imported;
  // everything else comes back as it was.
  TTree expected = before;
  for (auto it = expected.begin(); it != expected.end();) {
    bool clipboardOwn = it->first.rfind("Vimo\\Clipboard\\", 0) == 0 &&
                        it->first.find('\\', std::string("Vimo\\Clipboard\\").size()) == std::string::npos;
    if (it->first.rfind("Vimo\\State\\", 0) == 0 || clipboardOwn || it->first.rfind("SOFTWARE", 0) == 0)
      it = expected.erase(it);
    else
      ++it;
  }
  EXPECT_EQ(Tree(), expected);

  EXPECT_EQ(CornerSize, 13);
  EXPECT_FALSE(IgnoreFullScreen) << "comes back with the mouse actions";
  EXPECT_EQ(MouseActions[0][0].Comment, "eject");
  ASSERT_EQ(HotKeyList->Count(), 1);
  EXPECT_EQ(HotKeyList->ActionAt(0)->HotKey, scCtrl | 'K');
  ASSERT_EQ(ClipList->Count(), 1);
  EXPECT_EQ(ClipList->ClipAt(0)->Text, "line 1\r\nline 2\n\tend");
  EXPECT_EQ(*ClipHistory, (TStringList{"newest", "two\r\nlines"}));
  EXPECT_EQ(TrayActions[2].Action, 300);
  EXPECT_EQ(HistoryDepth, 20) << "Clipboard values are not imported";
  EXPECT_TRUE(ShowInEditor);
  EXPECT_EQ(ClipHistoryWidth, system_.screenWidth / 4);
  EXPECT_EQ(WorldTimes->size(), 2u);
}

// A clip, a history entry and a place named in every script, exported, the registry
// wiped, imported: the same texts, Western ones stored in the ANSI code page.
TEST_P(ExportImportContract, TextOfEveryScriptSurvivesTheRoundTrip) {
  const std::string world = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 "
                            "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
  const std::string moscow = "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0";
  ClipList->Add(TClipRecord{"Caf\xC3\xA9", world + "\r\n" + world});
  *ClipHistory = {world, "na\xC3\xAFve"};
  *WorldTimes = {{moscow, 180}, {"Z\xC3\xBCrich", 60}};
  SaveSettings();
  SaveHistoryAndState();
  TTree before = Tree();
  ExportSettings(ui, kAllExportBoxes);
  ASSERT_EQ(ui.events.back(), std::string("msg:info:") + msgExported);
  std::string bytes = ReadFile();
  EXPECT_NE(bytes.find(EncodeRecord("Caf\xE9")), std::string::npos) << "a Western text is ANSI in the file";
  EXPECT_NE(bytes.find(EncodeRecord("WorldTimes\\Z\xFCrich")), std::string::npos);
  EXPECT_NE(bytes.find(EncodeRecord(world + "\r\n" + world)), std::string::npos) << "any other is UTF-8";

  Wipe();
  LoadSettings(false);
  ImportSettings(ui, kAllExportBoxes);
  ASSERT_EQ(ui.events.back().rfind(std::string("msg:info:") + msgImported + "\r", 0), 0u) << ui.events.back();
  EXPECT_NE(ui.events.back().find(", 0 skipped."), std::string::npos) << ui.events.back();
  ASSERT_EQ(ClipList->Count(), 1);
  EXPECT_EQ(*ClipList->ClipAt(0), (TClipRecord{"Caf\xC3\xA9", world + "\r\n" + world}));
  EXPECT_EQ(*ClipHistory, (TStringList{world, "na\xC3\xAFve"}));
  ASSERT_EQ(WorldTimes->size(), 2u);
  std::vector<std::string> names = {(*WorldTimes)[0].Name, (*WorldTimes)[1].Name};
  EXPECT_EQ(names, EnumerationOrder(GetParam(), {moscow, "Z\xC3\xBCrich"}));
  TTree after = Tree();
  for (const auto& [path, value] : before)
    if (path.find("\\Clips\\") != std::string::npos || path.find("\\History\\") != std::string::npos ||
        path.find("WorldTimes") != std::string::npos)
      EXPECT_EQ(after[path], value) << path;
}

// A file as the earlier version wrote it, one setting or more of every box, Western
// text in Windows-1252, and the settings it was written from (in the order they were
// created, as UTF-8, below Tramlex\Vimo).
const std::vector<std::pair<std::string, std::string>> kEarlierExportSettings = {
    {"Options\\KeyCorner", "3"},
    {"Options\\TrayIconColor", "5"},
    {"Mouse\\CornerSize", "13"},
    {"Mouse\\Actions\\LeftTop\\None\\Comment", "\xC3\xA9jecter le CD"},
    {"Mouse\\Actions\\LeftTop\\None\\Action", "1700"},
    {"Keys\\Count", "1"},
    {"Keys\\1\\Comment", "Notepad"},
    {"Keys\\1\\HotKey", "16459"},
    {"Keys\\1\\ExecPath", "C:\\Windows\\notepad.exe"},
    {"Tray\\ControlAltShift\\Action", "300"},
    {"Clipboard\\HistoryDepth", "7"},
    {"Clipboard\\ShowInEditor", "0"},
    {"Clipboard\\Clips\\Count", "1"},
    {"Clipboard\\Clips\\1\\Comment", "Caf\xC3\xA9"},
    {"Clipboard\\Clips\\1\\Text", "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC\r\nna\xC3\xAFve\tend"},
    {"Clipboard\\History\\Count", "2"},
    {"Clipboard\\History\\1", "newest"},
    {"Clipboard\\History\\2", "two\r\nlines"},
    {"WorldTimes\\Z\xC3\xBCrich", "60"},
    {"WorldTimes\\Kabul", "270"},
    {"WorldTimeZones\\Z\xC3\xBCrich", "W. Europe Standard Time"},
};

TEST_P(ExportImportContract, AnEarlierExportImportsAsTheSettingsItWasWrittenFrom) {
  WriteFile(TestSourceFile("fixtures/every-box.tvf"));
  ImportSettings(ui, kAllExportBoxes);
  // The Clipboard key's own values are never imported; the clips and the history come
  // twice in the file and count twice.
  EXPECT_EQ(ui.events.back(), std::string("msg:info:") + msgImported + "\r25 settings imported, 0 skipped.");
  TTree t = Tree();
  for (const auto& [path, value] : kEarlierExportSettings) {
    bool clipboardOwn = path.rfind("Clipboard\\", 0) == 0 && path.find('\\', 10) == std::string::npos;
    EXPECT_EQ(t.count("Vimo\\" + path) ? t["Vimo\\" + path] : "<none>", clipboardOwn ? "<none>" : value) << path;
  }
  ASSERT_EQ(ClipList->Count(), 1);
  EXPECT_EQ(ClipList->ClipAt(0)->Comment, "Caf\xC3\xA9");
  EXPECT_EQ(*ClipHistory, (TStringList{"newest", "two\r\nlines"}));
  EXPECT_EQ(CornerSize, 13);
}

TEST_P(ExportImportContract, TheSettingsOfAnEarlierExportAreWrittenAgainByteForByte) {
  // The order of the file is the order the values were created in, which Wine's
  // registry does not keep.
  if (GetParam().valuesInNameOrder) GTEST_SKIP() << "values enumerate in name order";
  for (const auto& [path, value] : kEarlierExportSettings) {
    auto last = path.rfind('\\');
    Put("Vimo\\" + path.substr(0, last), path.substr(last + 1), value);
  }
  ExportSettings(ui, kAllExportBoxes);
  ASSERT_EQ(ui.events.back(), std::string("msg:info:") + msgExported);
  std::string fixture = TestSourceFile("fixtures/every-box.tvf"), written = ReadFile();
  ASSERT_GT(fixture.size(), kExportHeader.size());
  EXPECT_EQ(written.size(), fixture.size());
  auto diff = std::mismatch(written.begin(), written.end(), fixture.begin(), fixture.end()).first;
  EXPECT_TRUE(written == fixture) << "first difference at byte " << (diff - written.begin());
}

TEST_P(ExportImportContract, ImportMergesAndKeepsWhatTheFileDoesNotName) {
  Put("Vimo\\WorldTimes", "Stays", "60");
  Put("Vimo\\WorldTimes", "Kabul", "0");
  Put("Vimo\\Keys", "Count", "3");
  Put("Vimo\\Keys\\3", "Comment", "third");
  WriteFile(Pairs({{"WorldTimes\\Kabul", "270"}, {"WorldTimes\\New", "-60"}, {"Keys\\Count", "1"}}));
  ImportSettings(ui, kAllExportBoxes);

  TTree t = Tree();
  EXPECT_EQ(t["Vimo\\WorldTimes\\Stays"], "60");
  EXPECT_EQ(t["Vimo\\WorldTimes\\Kabul"], "270");
  EXPECT_EQ(t["Vimo\\WorldTimes\\New"], "-60");
  EXPECT_EQ(t["Vimo\\Keys\\3\\Comment"], "third") << "import deletes nothing";
  EXPECT_EQ(HotKeyList->Count(), 1) << "a smaller count leaves the higher keys unread";
  EXPECT_EQ(WorldTimes->size(), 3u);
}

TEST_P(ExportImportContract, OnlyTheTickedSectionsAreExportedAndImported) {
  FillSettings();
  TExportChoice worldOnly{};
  worldOnly[ebWorldTimeSettings] = true;
  ExportSettings(ui, worldOnly);
  auto records = Records();
  ASSERT_EQ(records.size(), 6u);
  EXPECT_EQ(records[0].rfind("WorldTimes\\", 0), 0u) << records[0];
  EXPECT_EQ(records[2].rfind("WorldTimes\\", 0), 0u) << records[2];
  EXPECT_EQ(records[4], "WorldTimeZones\\Kabul");
  EXPECT_EQ(records[5], "Afghanistan Standard Time");

  // A file with everything, imported with one box ticked, changes only that section.
  ExportSettings(ui, kAllExportBoxes);
  Put("Vimo\\Options", "KeyCorner", "2");
  Put("Vimo\\Mouse", "CornerSize", "40");
  Put("Vimo\\Clipboard\\Clips\\1", "Text", "changed");
  Put("Vimo\\WorldTimes", "Kabul", "1");
  ImportSettings(ui, worldOnly);
  TTree t = Tree();
  EXPECT_EQ(t["Vimo\\Options\\KeyCorner"], "2");
  EXPECT_EQ(t["Vimo\\Mouse\\CornerSize"], "40");
  EXPECT_EQ(t["Vimo\\Clipboard\\Clips\\1\\Text"], "changed");
  EXPECT_EQ(t["Vimo\\WorldTimes\\Kabul"], "270");
  EXPECT_EQ(t["Vimo\\WorldTimeZones\\Kabul"], "Afghanistan Standard Time");

  // Clips written by "Clipboard History" come back only with "Clipboard Collection".
  TExportChoice historyOnly{};
  historyOnly[ebClipboardHistory] = true;
  ExportSettings(ui, historyOnly);
  Put("Vimo\\Clipboard\\History", "1", "edited");
  Put("Vimo\\Clipboard\\Clips\\1", "Text", "edited");
  ImportSettings(ui, historyOnly);
  t = Tree();
  EXPECT_EQ(t["Vimo\\Clipboard\\History\\1"], "newest");
  EXPECT_EQ(t["Vimo\\Clipboard\\Clips\\1\\Text"], "edited");
  TExportChoice collection{};
  collection[ebClipboardCollection] = true;
  ImportSettings(ui, collection);
  EXPECT_EQ(Tree()["Vimo\\Clipboard\\Clips\\1\\Text"], "changed");
}

TEST_P(ExportImportContract, PathsInTheFileNeverReachOutsideTheProductKey) {
  auto software = registry_->CurrentUser()->Open("SOFTWARE");
  ASSERT_TRUE(software);
  auto softwareKeysBefore = software->SubKeyNames();
  WriteFile(Pairs({
      {"Options\\..\\..\\Escaped\\Value", "x"},
      {"Options\\..\\Escaped", "x"},
      {"Keys\\.\\Count", "9"},
      {"Keys\\\\Count", "9"},
      {"WorldTimes\\\\SOFTWARE\\Escaped\\Value", "x"},
      {"Options\\", "default value"},
      {"\\Options\\KeyCorner", "4"},
      {"..\\Options\\KeyCorner", "4"},
      {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Escaped", "x"},
      {"Options\\KeyCorner", "3"},
  }));
  ImportSettings(ui, kAllExportBoxes);
  // The last three belong to no check box: not chosen, so not counted as skipped.
  EXPECT_EQ(ui.events.back(), "msg:info:Selected settings are imported.\r2 settings imported, 5 skipped.");

  TTree t = Tree();
  for (const auto& [path, value] : t) {
    EXPECT_EQ(path.rfind("Vimo\\", 0), 0u) << path;
    EXPECT_EQ(path.find(".."), std::string::npos) << path;
    EXPECT_NE(value, "x") << path;
    EXPECT_NE(value, "9") << path;
  }
  EXPECT_EQ(t["Vimo\\Options\\KeyCorner"], "3");
  EXPECT_EQ(t["Vimo\\Options\\"], "default value");
  EXPECT_EQ(KeyCorner, 3);
  EXPECT_EQ(software->SubKeyNames(), softwareKeysBefore);
}

TEST_P(ExportImportContract, NamesLongerThanTheRegistryAllowsAreSkippedAndTheImportGoesOn) {
  const std::string longKey(20000, 'k'), keyPart(300, 'p'), valueName(16384, 'v');
  WriteFile(Pairs({
      {"Options\\KeyCorner", "3"},
      {"Keys\\" + longKey + "\\Comment", "a 20,000-character key name"},
      {"WorldTimes\\" + valueName, "60"},
      {"WorldTimes\\" + keyPart + "\\Kabul", "270"},
      {"WorldTimes\\" + std::string(16383, 'w'), "-60"},
      {"Options\\TrayIconColor", "5"},
  }));
  ImportSettings(ui, kAllExportBoxes);
  ASSERT_FALSE(ui.events.empty());
  EXPECT_EQ(ui.events.back(), "msg:info:Selected settings are imported.\r3 settings imported, 3 skipped.");
  EXPECT_EQ(KeyCorner, 3);
  EXPECT_EQ(TrayIconColor, 5) << "the import went on after the long names";
  TTree t = Tree();
  EXPECT_EQ(t["Vimo\\WorldTimes\\" + std::string(16383, 'w')], "-60") << "the longest name allowed";
  for (const auto& [path, value] : t) EXPECT_LT(path.size(), 17000u) << path.substr(0, 40);

  WriteFile(Pairs({{"Keys\\" + longKey + "\\Comment", "x"}}));
  ImportSettings(ui, kAllExportBoxes);
  EXPECT_EQ(ui.events.back(), "msg:info:Selected settings are imported.\r0 settings imported, 1 skipped.");
  WriteFile(Pairs({{"Options\\KeyCorner", "2"}}));
  ImportSettings(ui, kAllExportBoxes);
  EXPECT_EQ(ui.events.back(), "msg:info:Selected settings are imported.\r1 setting imported, 0 skipped.");
}

}  // namespace vimo::test
