#include "model/SettingsStore.h"

#include <algorithm>
#include <cctype>

#include "model/ActionKinds.h"
#include "model/Model.h"
#include "model/NumberedList.h"
#include "model/SettingRanges.h"
#include "model/StoredLists.h"
#include "platform/Platform.h"

namespace vimo {

// Each place follows the zone its name means; where the names span zones of different
// daylight rules, the first name's zone, and only a zone whose standard offset is the
// place's (no zone is 3:30 behind for Brasilia and Greenland, so that place stays fixed).
const TDefaultWorldTime DefaultWorldTimes[29] = {
    {"Midway Island, Samoa", -660, "UTC-11"},
    {"Hawaii", -600, "Hawaiian Standard Time"},
    {"Alaska", -540, "Alaskan Standard Time"},
    {"Pacific Time, Tijuana", -480, "Pacific Standard Time"},
    {"Mountain Time", -420, "Mountain Standard Time"},
    {"Central Time", -360, "Central Standard Time"},
    {"Eastern Time", -300, "Eastern Standard Time"},
    {"Atlantic Time", -240, "Atlantic Standard Time"},
    {"Brasilia, Greenland", -210, ""},
    {"Mid-Atlantic", -120, "UTC-02"},
    {"Azores, Cape Verde", -60, "Azores Standard Time"},
    {"Dublin, Lisbon, London", 0, "GMT Standard Time"},
    {"Berlin, Rome, Brussels, Paris", 60, "W. Europe Standard Time"},
    {"Athens, Helsinki, Jerusalem", 120, "GTB Standard Time"},
    {"Moscow, Kuwait, Baghdad", 180, "Russian Standard Time"},
    {"Tehran", 210, "Iran Standard Time"},
    {"Abu Dhabi, Muscat", 240, "Arabian Standard Time"},
    {"Kabul", 270, "Afghanistan Standard Time"},
    {"Islamabad, Karachi, Tashkent", 300, "Pakistan Standard Time"},
    {"Chennai, Mumbai, New Delhi", 330, "India Standard Time"},
    {"Kathmandu", 345, "Nepal Standard Time"},
    {"Almaty, Astana, Dhaka", 360, "Central Asia Standard Time"},
    {"Bangkok, Hanoi, Jakarta", 420, "SE Asia Standard Time"},
    {"Hong Kong, Singapore, Taipei", 480, "China Standard Time"},
    {"Osaka, Sapporo, Tokyo, Seoul", 540, "Tokyo Standard Time"},
    {"Adelaide, Darvin", 570, "Cen. Australia Standard Time"},
    {"Canberra, Melbourne, Sydney", 600, "AUS Eastern Standard Time"},
    {"New Caledonia, Solomon Is.", 660, "Central Pacific Standard Time"},
    {"Auckland, Wellington, Fiji", 720, "New Zealand Standard Time"},
};

// Registry value names compare without regard to case: the entries a save leaves standing.
static TWorldTimeList LastOfEachName(const TWorldTimeList& list) {
  auto fold = [](std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
  };
  TWorldTimeList result;
  for (std::size_t i = 0; i < list.size(); ++i) {
    bool later = false;
    for (std::size_t j = i + 1; j < list.size() && !later; ++j) later = fold(list[j].Name) == fold(list[i].Name);
    if (!later) result.push_back(list[i]);
  }
  return result;
}

int DefaultMouseAction(int corner, int modifier) {
  if (corner == cnLeftTop && modifier == 0) return akCloseCdRom;
  if (corner == cnLeftTop && modifier == 1) return akOpenCdRom;
  if (corner == cnLeftBottom && modifier == 0) return akMyComputer;
  if (corner == cnRightTop && modifier == 0) return akToggleDesktop;
  if (corner == cnRightBottom && modifier == 0) return akScreenSaver;
  return akNone;
}

std::string MouseActionSection(int corner, int modifier) {
  std::string c, m;
  CornerName(corner, c);
  MouseModifierName(modifier, m);
  return std::string(secMouseActions) + "\\" + c + "\\" + m;
}

std::string TraySection(int modifier) {
  std::string m;
  TrayModifierName(modifier, m);
  return std::string(secTray) + "\\" + m;
}

namespace {

// The values of an action record in the order they are written.
const std::vector<const char*> kActionFields = {"Comment", "Action", "FolderMode", "ExecPath",
                                                "ExecWindowState", "ExecParams", "HotKey"};

std::vector<std::string> ActionTexts(const TActionRecord& r) {
  return {r.Comment, std::to_string(r.Action), std::to_string(r.FolderMode), r.ExecPath,
          std::to_string(r.ExecWindowState), r.ExecParams, std::to_string(r.HotKey)};
}

const TNumberedListLayout kHotKeyLayout{secKeys, "Keys", kActionFields};
const TNumberedListLayout kClipLayout{secClips, "Clips", {"Comment", "Text"}};
const TNumberedListLayout kHistoryLayout{secHistory, "History", {}};
// A place's offset and its zone are saved together.
const TNamedListGroup kWorldTimeLists{"WorldTimes", {secWorldTimes, secWorldTimeZones}};

// A setting of the range table, read as the nearest value the dialog offers.
int ReadBounded(TSettingsRegistry& reg, const std::string& section, const char* name, int def) {
  return ClampToRange(*SettingRange(name), reg.ReadInteger(section, name, def));
}

}  // namespace

void ReadActionRecord(TSettingsRegistry& reg, const std::string& section, int defaultKind,
                      TActionRecord& record) {
  record.Comment = reg.ReadString(section, "Comment", "");
  record.Action = reg.ReadInteger(section, "Action", defaultKind);
  record.ExecPath = reg.ReadString(section, "ExecPath", "");
  record.ExecWindowState = ReadBounded(reg, section, "ExecWindowState", 0);
  record.FolderMode = ReadBounded(reg, section, "FolderMode", 0);
  record.ExecParams = reg.ReadString(section, "ExecParams", "");
  record.HotKey = reg.ReadInteger(section, "HotKey", 0);
}

void WriteActionRecord(TSettingsRegistry& reg, const std::string& section, const TActionRecord& record) {
  auto texts = ActionTexts(record);
  for (std::size_t i = 0; i < texts.size(); ++i) reg.WriteString(section, kActionFields[i], texts[i]);
}

void FinishInterruptedSaves(TSettingsRegistry& reg) {
  FinishInterruptedSaves(reg, {&kHotKeyLayout, &kClipLayout, &kHistoryLayout}, {&kWorldTimeLists});
}

namespace {

std::string EntrySection(const char* list, int n) { return std::string(list) + "\\" + std::to_string(n); }

// The records of a numbered list, whatever its count says (see NumberedListSlots).
std::vector<int> LoadSlots(TSettingsRegistry& reg, const char* section, bool entriesAreKeys, TSmallCount smallCount) {
  return NumberedListSlots(entriesAreKeys ? reg.SubKeyNames(section) : reg.ValueNames(section),
                           StoredCount(reg.ReadStoredText(section, "Count")), smallCount);
}

}  // namespace

void LoadSettings(bool restoreDefaults) {
  TSettingsRegistry reg(*Platform().registry);
  // A value someone stored with another type must not stop the program from starting:
  // it reads as its default and the load goes on.
  reg.SetTolerateWrongTypes(true);

  FirstRun = !reg.SectionExists(secVimo);
  if (restoreDefaults) reg.EraseSection(secVimo);

  reg.WriteString(secVimo, "@Name", kProductName);
  reg.WriteString(secVimo, "@Path", Platform().system->ExePath());
  reg.WriteString(secVimo, "@Version", kProductVersion);

  // A save that was cut off is finished before anything is read.
  ForgetStoredLists();
  FinishInterruptedSaves(reg);

  CornerSize = ReadBounded(reg, secMouse, "CornerSize", 8);
  CornerDelay = ReadBounded(reg, secMouse, "CornerDelay", 20);
  IgnoreFullScreen = reg.ReadBool(secMouse, "IgnoreFullScreen", true);

  MouseActions = {};
  for (int corner = 1; corner <= kCornerCount; ++corner)
    for (int m = 0; m < kMouseModifierCount; ++m)
      ReadActionRecord(reg, MouseActionSection(corner, m), DefaultMouseAction(corner, m),
                       MouseActions[corner - 1][m]);

  HotKeyList->Clear();
  // Older saves left deleted hot keys above a smaller count: that count is kept.
  for (int n : LoadSlots(reg, secKeys, true, TSmallCount::Trusted)) {
    auto record = std::make_unique<TActionRecord>();
    if (n > 0) ReadActionRecord(reg, EntrySection(secKeys, n), 0, *record);
    HotKeyList->Add(std::move(record));
  }

  KeyCorner = ReadBounded(reg, secOptions, "KeyCorner", 1);

  for (int m = 0; m < kTrayModifierCount; ++m) ReadActionRecord(reg, TraySection(m), 0, TrayActions[m]);

  // History and clips were always saved whole: entries above their count are not
  // leftovers but a damaged count.
  ClipHistory->clear();
  for (int n : LoadSlots(reg, secHistory, false, TSmallCount::Damage))
    ClipHistory->push_back(n > 0 ? reg.ReadString(secHistory, std::to_string(n), "") : "");

  ClipList->Clear();
  for (int n : LoadSlots(reg, secClips, true, TSmallCount::Damage)) {
    auto clip = std::make_unique<TClipRecord>();
    if (n > 0) {
      std::string section = EntrySection(secClips, n);
      clip->Comment = reg.ReadString(section, "Comment", "");
      clip->Text = reg.ReadString(section, "Text", "");
    }
    ClipList->Add(std::move(clip));
  }

  ShowInEditor = reg.ReadBool(secClipboard, "ShowInEditor", true);
  NumerateItems = reg.ReadBool(secClipboard, "NumerateItems", true);
  DisableHistory = reg.ReadBool(secClipboard, "DisableHistory", false);
  HistoryDepth = ReadBounded(reg, secClipboard, "HistoryDepth", 20);

  TrayIconColor = ReadBounded(reg, secOptions, "TrayIconColor", 0);
  TrayIconRandom = reg.ReadBool(secOptions, "TrayIconRandom", false);
  TrayIconAnimated = reg.ReadBool(secOptions, "TrayIconAnimated", true);
  ClearEmptyNotes = reg.ReadBool(secOptions, "ClearEmptyNotes", true);
  AutoHideWindows = reg.ReadBool(secOptions, "AutoHideWindows", true);
  AutoRun = reg.ReadBool(secOptions, "AutoRun", true);

  WorldTimes->clear();
  for (const auto& name : reg.ValueNames(secWorldTimes))
    WorldTimes->push_back({name, reg.ReadInteger(secWorldTimes, name, 0), reg.ReadString(secWorldTimeZones, name, "")});
  if (WorldTimes->empty())
    for (const auto& d : DefaultWorldTimes) WorldTimes->push_back({d.Name, d.Offset, d.Zone});

  int quarterScreen = Platform().system->ScreenWidth() / 4;
  ClipHistoryWidth = reg.ReadInteger(secState, "ClipHistoryWidth", quarterScreen);
  ClipCollectionWidth = reg.ReadInteger(secState, "ClipCollectionWidth", quarterScreen);
  Suspended = reg.ReadBool(secState, "Suspended", false);
}

// The Run entry follows AutoRun and the executable's place.
static void SaveAutoRunEntry() {
  auto hkcu = Platform().registry->CurrentUser();
  if (AutoRun) {
    auto run = hkcu->Open(kRunKeyPath);
    if (!run) run = hkcu->Create(kRunKeyPath);
    if (!run) throw ERegistryError(std::string("Failed to create key ") + kRunKeyPath);
    const std::string exePath = Platform().system->ExePath();
    auto stored = run->Query(kRunValueName);
    // Ours in another letter case is left alone; ours unquoted is quoted once.
    bool current = stored && stored->IsString() && IsOwnRunCommand(stored->Text(), exePath) &&
                   stored->Text().starts_with('"');
    if (!current && !run->Set(kRunValueName, RegValue::String(RunCommand(exePath))))
      throw ERegistryError(std::string("Failed to set data for '") + kRunValueName + "'");
  } else if (auto run = hkcu->Open(kRunKeyPath)) {
    run->DeleteValue(kRunValueName);
  }
}

void SaveSettings() {
  TSettingsRegistry reg(*Platform().registry);

  reg.WriteInteger(secMouse, "CornerSize", CornerSize);
  reg.WriteInteger(secMouse, "CornerDelay", CornerDelay);
  reg.WriteBool(secMouse, "IgnoreFullScreen", IgnoreFullScreen);

  for (int corner = 1; corner <= kCornerCount; ++corner)
    for (int m = 0; m < kMouseModifierCount; ++m)
      WriteActionRecord(reg, MouseActionSection(corner, m), MouseActions[corner - 1][m]);

  {
    std::vector<std::vector<std::string>> texts;
    for (int i = 0; i < HotKeyList->Count(); ++i) texts.push_back(ActionTexts(*HotKeyList->ActionAt(i)));
    std::vector<TEntryTexts> entries;
    for (const auto& t : texts) entries.emplace_back(t.begin(), t.end());
    SaveNumberedList(reg, kHotKeyLayout, entries);
  }

  reg.WriteInteger(secOptions, "KeyCorner", KeyCorner);

  for (int m = 0; m < kTrayModifierCount; ++m) WriteActionRecord(reg, TraySection(m), TrayActions[m]);

  {
    std::vector<TEntryTexts> entries;
    for (int i = 0; i < ClipList->Count(); ++i)
      entries.push_back({ClipList->ClipAt(i)->Comment, ClipList->ClipAt(i)->Text});
    SaveNumberedList(reg, kClipLayout, entries);
  }

  reg.WriteBool(secClipboard, "ShowInEditor", ShowInEditor);
  reg.WriteBool(secClipboard, "NumerateItems", NumerateItems);
  reg.WriteBool(secClipboard, "DisableHistory", DisableHistory);
  reg.WriteInteger(secClipboard, "HistoryDepth", HistoryDepth);

  reg.WriteInteger(secOptions, "TrayIconColor", TrayIconColor);
  reg.WriteBool(secOptions, "TrayIconRandom", TrayIconRandom);
  reg.WriteBool(secOptions, "TrayIconAnimated", TrayIconAnimated);
  reg.WriteBool(secOptions, "ClearEmptyNotes", ClearEmptyNotes);
  reg.WriteBool(secOptions, "AutoHideWindows", AutoHideWindows);
  reg.WriteBool(secOptions, "AutoRun", AutoRun);

  // Values are created in list order, so the next load enumerates them in that order.
  // As with the offsets, the last entry of a name decides its zone, also when it has none.
  TNamedTexts worldTimes, zones;
  for (const auto& wt : *WorldTimes) worldTimes.emplace_back(wt.Name, std::to_string(wt.Offset));
  for (const auto& wt : LastOfEachName(*WorldTimes))
    if (!wt.Zone.empty()) zones.emplace_back(wt.Name, wt.Zone);
  SaveNamedLists(reg, kWorldTimeLists, {worldTimes, zones});
  // Also here, not only after a copy: with the history off there may never be one.
  SaveAutoRunEntry();
}

std::string RunCommand(const std::string& exePath) { return "\"" + exePath + "\""; }

bool IsOwnRunCommand(const std::string& command, const std::string& exePath) {
  std::string path = command;
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  // Windows paths ignore letter case.
  return path.size() == exePath.size() &&
         std::equal(path.begin(), path.end(), exePath.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

void SaveHistoryAndState() {
  {
    TSettingsRegistry reg(*Platform().registry);
    std::vector<TEntryTexts> entries;
    for (const auto& text : *ClipHistory) entries.push_back({text});
    SaveNumberedList(reg, kHistoryLayout, entries);

    reg.WriteInteger(secState, "ClipHistoryWidth", ClipHistoryWidth);
    reg.WriteInteger(secState, "ClipCollectionWidth", ClipCollectionWidth);
    reg.WriteBool(secState, "Suspended", Suspended);
  }

  SaveAutoRunEntry();
}

}  // namespace vimo
