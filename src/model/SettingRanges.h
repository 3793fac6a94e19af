#pragma once
// The values the settings dialog and the action editor offer for each bounded setting.
// A stored value outside them (an edited registry, an old export) is read as the nearest
// offered value; the registry keeps what it holds until the user saves.
#include <string_view>

namespace vimo {

struct TSettingRange {
  const char* Name;  // registry value name
  int Min;
  int Max;
  int Step;  // offered values are Min, Min + Step, ... up to Max
};

// CornerSize: trbMouseCornerSize 1..50. CornerDelay: trbMouseCornerDelay 0..10 half
// seconds, stored in tenths. KeyCorner: the four items of rgrHotKeysCorner.
// TrayIconColor: the eight columns of dgdTrayIcon. HistoryDepth: trbClipHistoryDepth.
// ExecWindowState: the three items of cmbWindow. FolderMode: the two of rgrFolderMode.
inline constexpr TSettingRange SettingRanges[] = {
    {"CornerSize", 1, 50, 1},      {"CornerDelay", 0, 50, 5},    {"KeyCorner", 1, 4, 1},
    {"TrayIconColor", 0, 7, 1},    {"HistoryDepth", 5, 50, 1},   {"ExecWindowState", 0, 2, 1},
    {"FolderMode", 0, 1, 1},
};

// The range of a value name; null for a value without one.
const TSettingRange* SettingRange(std::string_view name);

// The nearest offered value: clamped into the range, then down to a step.
int ClampToRange(const TSettingRange& range, int value);

}  // namespace vimo
