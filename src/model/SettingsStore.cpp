#include "model/SettingsStore.h"

#include <algorithm>
#include <cctype>

#include "actions/ActionKinds.h"
#include "model/Model.h"
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

void ReadActionRecord(TSettingsRegistry& reg, const std::string& section, int defaultKind,
                      TActionRecord& record) {
  record.Comment = reg.ReadString(section, "Comment", "");
  record.Action = reg.ReadInteger(section, "Action", defaultKind);
  record.ExecPath = reg.ReadString(section, "ExecPath", "");
  record.ExecWindowState = reg.ReadInteger(section, "ExecWindowState", 0);
  record.FolderMode = reg.ReadInteger(section, "FolderMode", 0);
  record.ExecParams = reg.ReadString(section, "ExecParams", "");
  record.HotKey = reg.ReadInteger(section, "HotKey", 0);
}

void WriteActionRecord(TSettingsRegistry& reg, const std::string& section, const TActionRecord& record) {
  reg.WriteString(section, "Comment", record.Comment);
  reg.WriteInteger(section, "Action", record.Action);
  reg.WriteInteger(section, "FolderMode", record.FolderMode);
  reg.WriteString(section, "ExecPath", record.ExecPath);
  reg.WriteInteger(section, "ExecWindowState", record.ExecWindowState);
  reg.WriteString(section, "ExecParams", record.ExecParams);
  reg.WriteInteger(section, "HotKey", record.HotKey);
}

namespace {

// Highest n for which `names` holds exactly the decimal text of n.
int HighestNumberedName(const std::vector<std::string>& names) {
  int highest = 0;
  for (const auto& name : names) {
    if (name.empty() || name[0] == '0' || name.size() > 10) continue;
    if (!std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    int n = 0;
    if (ParseInteger(name, n)) highest = std::max(highest, n);
  }
  return highest;
}

// "Count" as stored, but never beyond the numbered entries that really exist: a corrupt
// or hand-edited count must not make start-up loop over millions of missing keys.
int BoundedCount(int count, const std::vector<std::string>& numberedNames) {
  return std::min(count, HighestNumberedName(numberedNames));
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

  CornerSize = reg.ReadInteger(secMouse, "CornerSize", 8);
  CornerDelay = reg.ReadInteger(secMouse, "CornerDelay", 20);

  MouseActions = {};
  for (int corner = 1; corner <= kCornerCount; ++corner)
    for (int m = 0; m < kMouseModifierCount; ++m)
      ReadActionRecord(reg, MouseActionSection(corner, m), DefaultMouseAction(corner, m),
                       MouseActions[corner - 1][m]);

  HotKeyList->Clear();
  int keyCount = BoundedCount(reg.ReadInteger(secKeys, "Count", 0), reg.SubKeyNames(secKeys));
  for (int n = 1; n <= keyCount; ++n) {
    auto record = std::make_unique<TActionRecord>();
    ReadActionRecord(reg, std::string(secKeys) + "\\" + std::to_string(n), 0, *record);
    HotKeyList->Add(std::move(record));
  }

  KeyCorner = reg.ReadInteger(secOptions, "KeyCorner", 1);

  for (int m = 0; m < kTrayModifierCount; ++m) ReadActionRecord(reg, TraySection(m), 0, TrayActions[m]);

  ClipHistory->clear();
  int historyCount = BoundedCount(reg.ReadInteger(secHistory, "Count", 0), reg.ValueNames(secHistory));
  for (int n = 1; n <= historyCount; ++n)
    ClipHistory->push_back(reg.ReadString(secHistory, std::to_string(n), ""));

  ClipList->Clear();
  int clipCount = BoundedCount(reg.ReadInteger(secClips, "Count", 0), reg.SubKeyNames(secClips));
  for (int n = 1; n <= clipCount; ++n) {
    std::string section = std::string(secClips) + "\\" + std::to_string(n);
    auto clip = std::make_unique<TClipRecord>();
    clip->Comment = reg.ReadString(section, "Comment", "");
    clip->Text = reg.ReadString(section, "Text", "");
    ClipList->Add(std::move(clip));
  }

  ShowInEditor = reg.ReadBool(secClipboard, "ShowInEditor", true);
  NumerateItems = reg.ReadBool(secClipboard, "NumerateItems", true);
  DisableHistory = reg.ReadBool(secClipboard, "DisableHistory", false);
  HistoryDepth = reg.ReadInteger(secClipboard, "HistoryDepth", 20);

  TrayIconColor = reg.ReadInteger(secOptions, "TrayIconColor", 0);
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

void SaveSettings() {
  TSettingsRegistry reg(*Platform().registry);

  reg.WriteInteger(secMouse, "CornerSize", CornerSize);
  reg.WriteInteger(secMouse, "CornerDelay", CornerDelay);

  for (int corner = 1; corner <= kCornerCount; ++corner)
    for (int m = 0; m < kMouseModifierCount; ++m)
      WriteActionRecord(reg, MouseActionSection(corner, m), MouseActions[corner - 1][m]);

  // The key is not erased first: numbered keys above the new count stay and are not read.
  reg.WriteInteger(secKeys, "Count", HotKeyList->Count());
  for (int i = 0; i < HotKeyList->Count(); ++i)
    WriteActionRecord(reg, std::string(secKeys) + "\\" + std::to_string(i + 1), *HotKeyList->ActionAt(i));

  reg.WriteInteger(secOptions, "KeyCorner", KeyCorner);

  for (int m = 0; m < kTrayModifierCount; ++m) WriteActionRecord(reg, TraySection(m), TrayActions[m]);

  reg.EraseSection(secClips);
  reg.WriteInteger(secClips, "Count", ClipList->Count());
  for (int i = 0; i < ClipList->Count(); ++i) {
    std::string section = std::string(secClips) + "\\" + std::to_string(i + 1);
    const TClipRecord* clip = ClipList->ClipAt(i);
    reg.WriteString(section, "Comment", clip->Comment);
    reg.WriteString(section, "Text", clip->Text);
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

  // Erased and written in list order, so the next load enumerates them in that order.
  reg.EraseSection(secWorldTimes);
  for (const auto& wt : *WorldTimes) reg.WriteInteger(secWorldTimes, wt.Name, wt.Offset);
  // As with the offsets, the last entry of a name decides, also when it has no zone.
  reg.EraseSection(secWorldTimeZones);
  for (const auto& wt : LastOfEachName(*WorldTimes))
    if (!wt.Zone.empty()) reg.WriteString(secWorldTimeZones, wt.Name, wt.Zone);
}

void SaveHistoryAndState() {
  {
    TSettingsRegistry reg(*Platform().registry);
    reg.EraseSection(secHistory);
    reg.WriteInteger(secHistory, "Count", static_cast<int>(ClipHistory->size()));
    for (std::size_t i = 0; i < ClipHistory->size(); ++i)
      reg.WriteString(secHistory, std::to_string(i + 1), (*ClipHistory)[i]);

    reg.WriteInteger(secState, "ClipHistoryWidth", ClipHistoryWidth);
    reg.WriteInteger(secState, "ClipCollectionWidth", ClipCollectionWidth);
    reg.WriteBool(secState, "Suspended", Suspended);
  }

  auto hkcu = Platform().registry->CurrentUser();
  if (AutoRun) {
    auto run = hkcu->Open(kRunKeyPath);
    if (!run) run = hkcu->Create(kRunKeyPath);
    if (!run) throw ERegistryError(std::string("Failed to create key ") + kRunKeyPath);
    if (!run->Set(kRunValueName, RegValue::String(Platform().system->ExePath())))
      throw ERegistryError(std::string("Failed to set data for '") + kRunValueName + "'");
  } else if (auto run = hkcu->Open(kRunKeyPath)) {
    run->DeleteValue(kRunValueName);
  }
}

}  // namespace vimo
