// Export and import against the in-memory registry: the check-box mapping, the export
// order byte for byte, the dialog-facing flow with its messages, and every damage case.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "FakeExportImportUi.h"
#include "ModelFixture.h"
#include "fuzz/ImportHarness.h"
#include "model/ExportImport.h"
#include "model/SettingsStore.h"
#include "platform/Files.h"

namespace vimo::test {
namespace {

using namespace std::string_literals;

TEST(ExportBoxes, PathsGoToTheFirstBoxWhoseHintIsTheirLeadingSection) {
  const std::pair<const char*, int> cases[] = {
      {"Options\\AutoRun", ebGeneralSettings},
      {"Mouse\\Actions\\LeftTop\\None\\ExecPath", ebMouseActions},
      {"Mouse\\CornerSize", ebMouseActions},
      {"Keys\\2\\HotKey", ebHotKeyActions},
      {"Tray\\ControlAltShift\\Action", ebTrayIconActions},
      {"Clipboard\\History\\1", ebClipboardHistory},
      {"Clipboard\\History\\Count", ebClipboardHistory},
      {"Clipboard\\Clips\\1\\Text", ebClipboardCollection},
      {"WorldTimes\\Kabul", ebWorldTimeSettings},
      {"WorldTimes\\Back\\slash", ebWorldTimeSettings},
      // The places' zones go with the places, named as a section of their own: neither a
      // longer nor a shorter name that merely begins alike belongs to the box.
      {"WorldTimeZones\\Kabul", ebWorldTimeSettings},
      {"WorldTimeZones\\Back\\slash", ebWorldTimeSettings},
      {"WorldTimeZonesX\\Kabul", -1},
      {"WorldTimeZone\\Kabul", -1},
      {"WorldTime\\Kabul", -1},
      {"WorldTimesZones\\Kabul", -1},
      {"WorldTimeZones", -1},
      // The Clipboard key's own values belong to no box, HistoryDepth included.
      {"Clipboard\\ShowInEditor", -1},
      {"Clipboard\\NumerateItems", -1},
      {"Clipboard\\DisableHistory", -1},
      {"Clipboard\\HistoryDepth", -1},
      {"State\\Suspended", -1},
      {"@Name", -1},
      {"options\\AutoRun", -1},  // case-sensitive
      {"OptionsX\\AutoRun", -1},
      {"Options", -1},
      {"", -1},
  };
  for (const auto& [path, box] : cases) EXPECT_EQ(ExportBoxOfPath(path), box) << path;
}

TEST(ExportBoxes, ImportPathsSplitAtTheLastBackslashAndStayBelowTheProductKey) {
  std::string s, n;
  ASSERT_TRUE(SplitImportPath("Mouse\\Actions\\LeftTop\\None\\ExecPath", s, n));
  EXPECT_EQ(s, "Mouse\\Actions\\LeftTop\\None");
  EXPECT_EQ(n, "ExecPath");
  ASSERT_TRUE(SplitImportPath("WorldTimes\\Back\\slash", s, n));
  EXPECT_EQ(s, "WorldTimes\\Back");
  EXPECT_EQ(n, "slash");
  ASSERT_TRUE(SplitImportPath("Options\\", s, n));
  EXPECT_EQ(n, "") << "the key's default value";
  ASSERT_TRUE(SplitImportPath("Options\\..name", s, n)) << "only whole parts are refused";
  for (const char* bad : {"Options", "\\Options", "Options\\\\X", "Options\\..\\X", "Options\\.\\X",
                          "..\\Options\\X", "Options\\..\\..\\X\\Y", "Keys\\1\\\\Comment"})
    EXPECT_FALSE(SplitImportPath(bad, s, n)) << bad;
}

TEST(ExportBoxes, TheFileFilterBecomesNulSeparatedPairs) {
  EXPECT_EQ(DialogFilter(kExportFilter),
            "Tramlex Vimo Files (*.tvf)\0*.tvf\0Any files (*.*)\0*.*\0\0"s);
}

class ExportImport : public ModelFixture {
 protected:
  void SetUp() override {
    ModelFixture::SetUp();
    InitializeModel();
    file = "C:\\Temp\\vimo-unit-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
           ".tvf";
    ui.fileName = file;
  }
  std::string Export(const TExportChoice& ticked) {
    ExportSettings(ui, ticked);
    return files.Contents(file).value_or("<no file>");
  }
  void WriteFile(const std::string& bytes) { files.Put(file, bytes); }
  static std::string Pairs(const std::vector<std::pair<std::string, std::string>>& pairs) {
    std::string bytes(kExportHeader);
    for (const auto& [p, v] : pairs) bytes += EncodeRecord(p) + EncodeRecord(v);
    return bytes;
  }
  static TExportChoice Only(TExportBox box) {
    TExportChoice c{};
    c[box] = true;
    return c;
  }
  std::string Msg(const char* icon, const std::string& text) { return "msg:"s + icon + ":" + text; }
  std::string Ask() { return "ask:warning:"s + msgConfirmImport; }

  FakeExportImportUi ui;
  std::string file;
};

TEST_F(ExportImport, ExportWritesValuesBeforeSubKeysDepthFirstFromTheRegistry) {
  Put("Vimo\\Keys", "Count", "1");
  Put("Vimo\\Keys\\1", "Comment", "a");
  Put("Vimo\\Keys\\2", "Comment", "above count");  // exported although not read
  Put("Vimo\\Keys\\1\\Deeper", "X", "y");
  Put("Vimo\\Keys", "Zed", "after Count");
  Put("Vimo\\State", "Suspended", "1");
  Put("Vimo\\Options", "KeyCorner", "3");
  KeyCorner = 2;  // unsaved: export reads the registry

  EXPECT_EQ(Export(Only(ebHotKeyActions)), Pairs({{"Keys\\Count", "1"},
                                                  {"Keys\\Zed", "after Count"},
                                                  {"Keys\\1\\Comment", "a"},
                                                  {"Keys\\1\\Deeper\\X", "y"},
                                                  {"Keys\\2\\Comment", "above count"}}));
  EXPECT_EQ(ui.events, (std::vector<std::string>{"dialog", Msg("info", msgExported)}));

  std::string all = Export(kAllExportBoxes);
  EXPECT_NE(all.find(EncodeRecord("Options\\KeyCorner") + EncodeRecord("3")), std::string::npos);
  EXPECT_EQ(all.find("State\\"), std::string::npos);
  EXPECT_EQ(all.find("@Name"), std::string::npos);
  EXPECT_EQ(all.find("@Path"), std::string::npos);
}

TEST_F(ExportImport, ClipboardHistoryExportsTheWholeClipboardKeyThenTheHistoryAgain) {
  ClipHistory->push_back("copied");
  SaveHistoryAndState();
  auto clip = std::make_unique<TClipRecord>();
  clip->Text = "a\r\nb";
  ClipList->Add(std::move(clip));
  SaveSettings();
  std::string history = EncodeRecord("Clipboard\\History\\Count") + EncodeRecord("1") +
                        EncodeRecord("Clipboard\\History\\1") + EncodeRecord("copied");
  EXPECT_EQ(Export(Only(ebClipboardHistory)),
            Pairs({{"Clipboard\\ShowInEditor", "1"},
                   {"Clipboard\\NumerateItems", "1"},
                   {"Clipboard\\DisableHistory", "0"},
                   {"Clipboard\\HistoryDepth", "20"},
                   {"Clipboard\\Clips\\Count", "1"},
                   {"Clipboard\\Clips\\1\\Comment", ""},
                   {"Clipboard\\Clips\\1\\Text", "a\r\nb"}}) +
                history + history);
}

TEST_F(ExportImport, NothingTickedWritesTheHeaderAloneAndImportingItOnlyReloads) {
  SaveSettings();
  EXPECT_EQ(Export({}), "TVDF01\r\n");
  auto before = registry.sets;
  KeyCorner = 4;  // in memory only: the reload must bring back the stored value
  ui.events.clear();
  ImportSettings(ui, kAllExportBoxes);
  EXPECT_EQ(ui.events, (std::vector<std::string>{"dialog", Ask(), "reload",
                                                 Msg("info", "Selected settings are imported.\r0 settings imported, 0 skipped.")}));
  EXPECT_EQ(KeyCorner, 1);
  EXPECT_EQ(registry.sets - before, 0) << "the reload writes nothing that is stored already";
}

TEST_F(ExportImport, ImportRefusesOtherFilesAndStopsOnCancelOrNo) {
  Put("Vimo\\Options", "KeyCorner", "2");
  std::string body = EncodeRecord("Options\\KeyCorner") + EncodeRecord("4");
  for (const std::string& header : {"TVDF01\n\r"s, "TVDF02\r\n"s, "TVDF01\r"s, ""s}) {
    WriteFile(header + body);
    ui.events.clear();
    ImportSettings(ui, kAllExportBoxes);
    EXPECT_EQ(ui.events, (std::vector<std::string>{"dialog", Msg("error", msgIncompatible)})) << header;
  }
  WriteFile(std::string(kExportHeader) + body);
  ui.answerYes = false;
  ui.events.clear();
  ImportSettings(ui, kAllExportBoxes);
  EXPECT_EQ(ui.events, (std::vector<std::string>{"dialog", Ask()}));
  ui.cancelDialog = true;
  ui.events.clear();
  ImportSettings(ui, kAllExportBoxes);
  ExportSettings(ui, kAllExportBoxes);
  EXPECT_EQ(ui.events, (std::vector<std::string>{"dialog", "dialog"}));
  EXPECT_EQ(Get("Vimo\\Options", "KeyCorner"), "2");

  ui.cancelDialog = false;
  ui.fileName = file + ".missing";
  ui.events.clear();
  ImportSettings(ui, kAllExportBoxes);
  EXPECT_EQ(ui.events, (std::vector<std::string>{"dialog", Msg("error", msgCannotRead)}));
}

TEST_F(ExportImport, ExportFailuresSayTheFileCannotBeWrittenAndLeaveThePartWritten) {
  ui.fileName = "C:\\Temp\\vimo-no-such-folder\\x.tvf";
  ExportSettings(ui, kAllExportBoxes);
  EXPECT_EQ(ui.events.back(), Msg("error", msgCannotWrite));

  files.spaceLeft = 20;
  ui.fileName = file;
  Put("Vimo\\Options", "AutoRun", "1");
  ExportSettings(ui, kAllExportBoxes);
  EXPECT_EQ(ui.events.back(), Msg("error", msgCannotWrite)) << "a full disk is not a success";
  EXPECT_EQ(files.Contents(file), std::string(kExportHeader) + EncodeRecord("Options\\AutoRun").substr(0, 12))
      << "what fitted stays on disk";
  files.spaceLeft = -1;

  Put("Vimo\\Options", "AutoRun", "1");
  ASSERT_TRUE(Key("Vimo\\Options")->Set("Typed", RegValue{RegType::DWord, "\x01\0\0\0"s}));
  Put("Vimo\\Options", "After", "x");
  EXPECT_EQ(Export(kAllExportBoxes), Pairs({{"Options\\AutoRun", "1"}}));
  EXPECT_EQ(ui.events.back(), Msg("error", msgCannotWrite));
}

// Records keep Western text in the ANSI code page, so that files of ASCII and Western
// text stay byte for byte what the earlier version wrote and read; other text is UTF-8.
TEST_F(ExportImport, RecordsAreAnsiWhereTheTextFitsItAndUtf8Elsewhere) {
  const std::string world = "\xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80";
  Put("Vimo\\WorldTimes", "Z\xC3\xBCrich", "60");
  Put("Vimo\\WorldTimes", world, "540");
  Put("Vimo\\WorldTimes", "Plain", "0");
  EXPECT_EQ(Export(Only(ebWorldTimeSettings)), Pairs({{"WorldTimes\\Z\xFCrich", "60"},
                                                      {"WorldTimes\\" + world, "540"},
                                                      {"WorldTimes\\Plain", "0"}}));
}

TEST_F(ExportImport, AFileOfTheEarlierVersionWithWesternLettersImportsAsItsText) {
  WriteFile(Pairs({{"WorldTimes\\Z\xFCrich", "60"},
                   {"Clipboard\\Clips\\Count", "1"},
                   {"Clipboard\\Clips\\1\\Comment", "Caf\xE9"},
                   {"Clipboard\\Clips\\1\\Text", "Gr\xFC\xDF" "e \x80\r\nna\xEFve"},
                   {"Clipboard\\History\\Count", "1"},
                   {"Clipboard\\History\\1", "\xE6\x9D\xB1\xE4\xBA\xAC"}}));  // a newer file's UTF-8
  ImportSettings(ui, kAllExportBoxes);
  EXPECT_EQ(Get("Vimo\\WorldTimes", "Z\xC3\xBCrich"), "60");
  ASSERT_EQ(ClipList->Count(), 1);
  EXPECT_EQ(ClipList->ClipAt(0)->Comment, "Caf\xC3\xA9");
  EXPECT_EQ(ClipList->ClipAt(0)->Text, "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC\r\nna\xC3\xAFve");
  EXPECT_EQ(*ClipHistory, TStringList{"\xE6\x9D\xB1\xE4\xBA\xAC"});
}

TEST_F(ExportImport, ClipboardValuesAndStateAreNeverImported) {
  WriteFile(Pairs({{"Clipboard\\ShowInEditor", "0"},
                   {"Clipboard\\HistoryDepth", "5"},
                   {"State\\Suspended", "1"},
                   {"@Path", "C:\\evil.exe"},
                   {"Clipboard\\History\\Count", "1"},
                   {"Clipboard\\History\\1", "kept"}}));
  ImportSettings(ui, kAllExportBoxes);
  EXPECT_EQ(Get("Vimo\\Clipboard", "ShowInEditor"), "<no value>");
  EXPECT_EQ(Get("Vimo\\Clipboard", "HistoryDepth"), "<no value>");
  EXPECT_EQ(Get("Vimo\\State", "Suspended"), "<no key>");
  EXPECT_EQ(Get("Vimo", "@Path"), system.exePath);
  EXPECT_EQ(HistoryDepth, 20);
  EXPECT_EQ(*ClipHistory, TStringList{"kept"});
}

TEST_F(ExportImport, AWorldTimeNameWithABackslashGoesDeeperAndLeavesTheList) {
  *WorldTimes = {{"Back\\slash", 60}, {"Plain", 120}};
  SaveSettings();
  Export(kAllExportBoxes);
  FinalizeModel();
  registry = FakeRegistry();
  InitializeModel();
  ImportSettings(ui, Only(ebWorldTimeSettings));
  EXPECT_EQ(Get("Vimo\\WorldTimes\\Back", "slash"), "60");
  EXPECT_EQ(*WorldTimes, (TWorldTimeList{{"Plain", 120}}));
}

TEST_F(ExportImport, AStrayLastByteImportsLikeTheFileWithoutIt) {
  WriteFile(Pairs({{"Options\\KeyCorner", "3"}}) + "\x7f");
  ImportSettings(ui, kAllExportBoxes);
  EXPECT_EQ(ui.events.back(), Msg("info", "Selected settings are imported.\r1 setting imported, 0 skipped."));
  EXPECT_EQ(KeyCorner, 3);
}

TEST_F(ExportImport, EveryKindOfDamageKeepsTheEarlierPairsReloadsAndSaysSo) {
  const std::string before = Pairs({{"Options\\KeyCorner", "3"}, {"Keys\\Count", "2"}});
  auto le = [](std::uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  // A path without its value can only be told at the end of the file; the others are
  // followed by a sound pair that must not be imported.
  const std::string after = Pairs({{"Options\\AutoRun", "0"}}).substr(kExportHeader.size());
  const std::pair<const char*, std::string> damage[] = {
      {"path without value", EncodeRecord("Options\\TrayIconColor")},
      {"path without value and a stray byte", EncodeRecord("Options\\TrayIconColor") + "x"},
      {"negative path length", le(0xFFFFFFF0) + "Options\\TrayIconColor\r\n" + after},
      {"negative value length", EncodeRecord("Options\\TrayIconColor") + le(0x80000000) + "5\r\n" + after},
      {"value past the end", EncodeRecord("Options\\TrayIconColor") + le(100) + "5\r\n" + after},
      {"path past the end", le(0x7FFFFFFF) + "Options" + after},
      {"truncated length", "\x03\0"s},
      {"value without CR LF", EncodeRecord("Options\\TrayIconColor") + le(3) + "5\n\n" + after},
      {"NUL in a path", le(5) + "a\0b\r\n"s + after},
  };
  for (const auto& [what, tail] : damage) {
    registry = FakeRegistry();
    LoadSettings(false);
    KeyCorner = 1;
    WriteFile(before + tail);
    ui.events.clear();
    ImportSettings(ui, kAllExportBoxes);
    EXPECT_EQ(ui.events, (std::vector<std::string>{"dialog", Ask(), "reload",
                                                   Msg("error", std::string(msgDamaged) + "\r2 settings imported, 0 skipped.")}))
        << what;
    EXPECT_EQ(KeyCorner, 3) << what << ": pairs before the damage are imported and reloaded";
    EXPECT_EQ(Get("Vimo\\Keys", "Count"), "2") << what;
    EXPECT_EQ(Get("Vimo\\Options", "TrayIconColor"), "<no value>") << what;
    EXPECT_EQ(Get("Vimo\\Options", "AutoRun"), "<no value>") << what << ": nothing after the damage";
  }
}

// The in-memory registry, refusing to set the given value names.
class RefusingRegistry final : public Registry {
 public:
  RefusingRegistry(Registry& inner, std::set<std::string> refused) : inner_(inner), refused_(std::move(refused)) {}
  std::unique_ptr<RegKey> CurrentUser() override { return Wrap(inner_.CurrentUser()); }

 private:
  class Key final : public RegKey {
   public:
    Key(RefusingRegistry& owner, std::unique_ptr<RegKey> inner) : owner_(owner), inner_(std::move(inner)) {}
    std::unique_ptr<RegKey> Open(const std::string& p) override { return owner_.Wrap(inner_->Open(p)); }
    std::unique_ptr<RegKey> Create(const std::string& p) override { return owner_.Wrap(inner_->Create(p)); }
    std::optional<RegValue> Query(const std::string& n) override { return inner_->Query(n); }
    bool Set(const std::string& n, const RegValue& v) override { return !owner_.refused_.count(n) && inner_->Set(n, v); }
    bool DeleteValue(const std::string& n) override { return inner_->DeleteValue(n); }
    bool DeleteSubKey(const std::string& n) override { return inner_->DeleteSubKey(n); }
    std::vector<std::string> ValueNames() override { return inner_->ValueNames(); }
    std::vector<std::string> SubKeyNames() override { return inner_->SubKeyNames(); }

   private:
    RefusingRegistry& owner_;
    std::unique_ptr<RegKey> inner_;
  };
  std::unique_ptr<RegKey> Wrap(std::unique_ptr<RegKey> k) {
    return k ? std::make_unique<Key>(*this, std::move(k)) : nullptr;
  }
  Registry& inner_;
  std::set<std::string> refused_;
};

TEST_F(ExportImport, ARegistryFailureMidImportReloadsWhatWasWrittenThenRaises) {
  WriteFile(Pairs({{"Options\\KeyCorner", "3"}, {"Options\\TrayIconColor", "6"}, {"Options\\AutoRun", "0"}}));
  RefusingRegistry refusing(registry, {"TrayIconColor"});
  Platform().registry = &refusing;
  try {
    ImportSettings(ui, kAllExportBoxes);
    FAIL() << "expected the registry error";
  } catch (const ERegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'TrayIconColor'");
  }
  EXPECT_EQ(ui.events, (std::vector<std::string>{"dialog", Ask(), "reload"}));
  EXPECT_EQ(KeyCorner, 3);
  EXPECT_TRUE(AutoRun);

  // When the reload fails too, the import's own error is the one raised.
  RefusingRegistry refusingMore(registry, {"TrayIconColor", "@Path"});
  Platform().registry = &refusingMore;
  try {
    ImportSettings(ui, kAllExportBoxes);
    FAIL() << "expected the registry error";
  } catch (const ERegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'TrayIconColor'");
  }
  Platform().registry = &registry;
}

// The seed files of the fuzz target hold the text's cases and hostile ones; each must
// keep every property the fuzz target checks.
TEST(ImportSeeds, EverySeedKeepsTheImportProperties) {
  // Named by the build: __FILE__ can be relative to where the compiler ran.
  auto seeds = std::filesystem::path(VIMO_FUZZ_SEEDS);
  ASSERT_TRUE(std::filesystem::is_directory(seeds)) << seeds;
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(seeds)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(CheckImportOf(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "")
        << entry.path().filename();
    ++count;
  }
  EXPECT_GE(count, 8);
}

}  // namespace
}  // namespace vimo::test

namespace vimo::test {
namespace {

TEST(ExportSuggestion, TheDialogOpensInTheFolderLastUsedElseInDocuments) {
  EXPECT_EQ(ExportStartFolder("", "C:\\Users\\anna\\Documents"), "C:\\Users\\anna\\Documents");
  EXPECT_EQ(ExportStartFolder("D:\\backup", "C:\\Users\\anna\\Documents"), "D:\\backup");
  EXPECT_EQ(ExportStartFolder("", ""), "");
  EXPECT_EQ(FolderOfFile("D:\\backup\\mine.tvf"), "D:\\backup");
  EXPECT_EQ(FolderOfFile("D:\\mine.tvf"), "D:\\") << "the root, not the drive's current folder";
  EXPECT_EQ(FolderOfFile("\\\\server\\share\\mine.tvf"), "\\\\server\\share");
  EXPECT_EQ(FolderOfFile("mine.tvf"), "");
}

}  // namespace
}  // namespace vimo::test
