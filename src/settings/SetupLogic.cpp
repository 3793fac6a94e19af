#include "settings/SetupLogic.h"

#include <algorithm>
#include <cstdio>

#include "model/ActionKinds.h"

namespace vimo {

void LoadControls(TSetupWork& work) {
  TSetupControls& c = work.controls;
  c.trayIconColumn = TrayIconColor;
  c.trayIconRandom = TrayIconRandom;
  c.trayIconAnimated = TrayIconAnimated;
  c.autoHide = AutoHideWindows;
  c.autoRun = AutoRun;
  work.WorkMouseActions = MouseActions;
  c.cornerSizePosition = CornerSize;
  c.cornerDelayPosition = CornerDelay / 5;
  c.ignoreFullScreen = IgnoreFullScreen;
  work.WorkHotKeys.Assign(*HotKeyList);
  c.hotKeysCornerItem = KeyCorner - 1;
  work.WorkTrayActions = TrayActions;
  work.WorkClips.Assign(*ClipList);
  c.clipShowInEditor = ShowInEditor;
  c.clipNumerateItems = NumerateItems;
  c.clipDisableHistory = DisableHistory;
  c.historyDepthPosition = HistoryDepth;
  work.WorkWorldTimes = *WorldTimes;
}

void StoreControls(const TSetupWork& work) {
  const TSetupControls& c = work.controls;
  TrayIconColor = c.trayIconColumn;
  TrayIconRandom = c.trayIconRandom;
  TrayIconAnimated = c.trayIconAnimated;
  AutoHideWindows = c.autoHide;
  AutoRun = c.autoRun;
  MouseActions = work.WorkMouseActions;
  CornerSize = c.cornerSizePosition;
  CornerDelay = c.cornerDelayPosition * 5;
  IgnoreFullScreen = c.ignoreFullScreen;
  HotKeyList->Assign(work.WorkHotKeys);
  KeyCorner = c.hotKeysCornerItem + 1;
  TrayActions = work.WorkTrayActions;
  ClipList->Assign(work.WorkClips);
  ShowInEditor = c.clipShowInEditor;
  NumerateItems = c.clipNumerateItems;
  DisableHistory = c.clipDisableHistory;
  HistoryDepth = c.historyDepthPosition;
  *WorldTimes = work.WorkWorldTimes;
}

namespace {

bool SameAction(const TActionRecord& a, const TActionRecord& b) {
  TActionRecord left = a, right = b;
  left.HotKeyId = right.HotKeyId = 0;
  return left == right;
}

bool SameControls(const TSetupControls& a, const TSetupControls& b) {
  return a.trayIconColumn == b.trayIconColumn && a.trayIconRandom == b.trayIconRandom &&
         a.trayIconAnimated == b.trayIconAnimated && a.autoHide == b.autoHide && a.autoRun == b.autoRun &&
         a.cornerSizePosition == b.cornerSizePosition && a.cornerDelayPosition == b.cornerDelayPosition &&
         a.ignoreFullScreen == b.ignoreFullScreen &&
         a.hotKeysCornerItem == b.hotKeysCornerItem && a.clipShowInEditor == b.clipShowInEditor &&
         a.clipNumerateItems == b.clipNumerateItems && a.clipDisableHistory == b.clipDisableHistory &&
         a.historyDepthPosition == b.historyDepthPosition;
}

}  // namespace

bool DiffersFromSettings(const TSetupWork& work) {
  TSetupWork stored;
  LoadControls(stored);
  if (!SameControls(work.controls, stored.controls) || work.WorkWorldTimes != stored.WorkWorldTimes) return true;
  for (std::size_t c = 0; c < work.WorkMouseActions.size(); ++c)
    for (std::size_t m = 0; m < work.WorkMouseActions[c].size(); ++m)
      if (!SameAction(work.WorkMouseActions[c][m], stored.WorkMouseActions[c][m])) return true;
  for (std::size_t m = 0; m < work.WorkTrayActions.size(); ++m)
    if (!SameAction(work.WorkTrayActions[m], stored.WorkTrayActions[m])) return true;
  if (work.WorkHotKeys.Count() != stored.WorkHotKeys.Count() || work.WorkClips.Count() != stored.WorkClips.Count())
    return true;
  for (int i = 0; i < work.WorkHotKeys.Count(); ++i)
    if (!SameAction(*work.WorkHotKeys.ActionAt(i), *stored.WorkHotKeys.ActionAt(i))) return true;
  for (int i = 0; i < work.WorkClips.Count(); ++i)
    if (!(*work.WorkClips.ClipAt(i) == *stored.WorkClips.ClipAt(i))) return true;
  return false;
}

std::string CornerSizeText(int position) { return std::to_string(position) + " pix"; }

std::string CornerDelayText(int position, char decimalSeparator) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%1.1f sec", position / 2.0);
  std::string text = buf;
  std::replace(text.begin(), text.end(), '.', decimalSeparator);
  return text;
}

std::string OffsetText(int minutes) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%02d:%02d", minutes < 0 ? "-" : "+", std::abs(minutes / 60), std::abs(minutes % 60));
  return buf;
}

std::string HotKeyText(int shortcut, const KeyNameFunc& layoutName) {
  int vk = shortcut & 0xFF;
  std::string name;
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) {
    name = std::string(1, static_cast<char>(vk));
  } else if (vk >= 0x60 && vk <= 0x69) {  // number pad digits
    name = std::string(1, static_cast<char>('0' + vk - 0x60));
  } else if (vk >= 0x70 && vk <= 0x87) {
    name = "F" + std::to_string(vk - 0x70 + 1);
  } else {
    switch (vk) {
      case 0x08: name = "BkSp"; break;
      case 0x09: name = "Tab"; break;
      case 0x0D: name = "Enter"; break;
      case 0x1B: name = "Esc"; break;
      case 0x20: name = "Space"; break;
      case 0x21: name = "PgUp"; break;
      case 0x22: name = "PgDn"; break;
      case 0x23: name = "End"; break;
      case 0x24: name = "Home"; break;
      case 0x25: name = "Left"; break;
      case 0x26: name = "Up"; break;
      case 0x27: name = "Right"; break;
      case 0x28: name = "Down"; break;
      case 0x2D: name = "Ins"; break;
      case 0x2E: name = "Del"; break;
      default: name = vk ? layoutName(vk) : std::string(); break;
    }
  }
  if (name.empty()) return {};
  std::string prefix;
  if (shortcut & scShift) prefix += "Shift+";
  if (shortcut & scCtrl) prefix += "Ctrl+";
  if (shortcut & scAlt) prefix += "Alt+";
  return prefix + name;
}

THotKeyRowState HotKeyRowState(const THotKeyList& list, int index, const std::set<std::int32_t>& takenElsewhere) {
  const TActionRecord* entry = list.ActionAt(index);
  if (!entry) return THotKeyRowState::Ok;
  const std::int32_t code = entry->HotKey & 0xFFFF;
  if (code == 0) return THotKeyRowState::Ok;
  if (!MayRegisterShortcut(code)) return THotKeyRowState::NeedsCtrlOrAlt;
  const int owner = DuplicateHotKeyOwner(list, code, index);
  if ((owner >= 0 && owner < index) || takenElsewhere.count(code)) return THotKeyRowState::InUse;
  return THotKeyRowState::Ok;
}

std::string HotKeyRowMark(THotKeyRowState state) {
  switch (state) {
    case THotKeyRowState::InUse:
      return " (in use)";
    case THotKeyRowState::NeedsCtrlOrAlt:
      return " (needs Ctrl or Alt)";
    default:
      return "";
  }
}

int DuplicateHotKeyOwner(const THotKeyList& list, std::int32_t shortcut, int except) {
  const std::int32_t code = shortcut & 0xFFFF;
  if (code == 0) return -1;
  for (int i = 0; i < list.Count(); ++i)
    if (i != except && (list.ActionAt(i)->HotKey & 0xFFFF) == code) return i;
  return -1;
}

namespace {
int HeaderRows(TDragGrid grid) { return grid == TDragGrid::Clips ? 0 : 1; }
}  // namespace

void DragStart(TSetupWork& work, TDragGrid grid, int row, int entryCount) {
  int entry = row - HeaderRows(grid);
  work.Dragging = row >= 0 && entry >= 0 && entry < entryCount;
  work.DragRow = row;
}

bool DragMove(TSetupWork& work, TDragGrid grid, int row, int entryCount, const std::function<void(int, int)>& swap) {
  if (!work.Dragging || row < 0 || entryCount <= 0) return false;
  int header = HeaderRows(grid);
  int from = work.DragRow - header;
  int to = std::clamp(row - header, 0, entryCount - 1);
  if (from < 0 || from >= entryCount || from == to) return false;
  for (int i = from; i < to; ++i) swap(i, i + 1);
  for (int i = from; i > to; --i) swap(i, i - 1);
  work.DragRow = to + header;
  return true;
}

void SortWorldTimesByName(TWorldTimeList& list,
                          const std::function<int(const std::string&, const std::string&)>& compare) {
  std::sort(list.begin(), list.end(),
            [&](const TWorldTime& a, const TWorldTime& b) { return compare(a.Name, b.Name) < 0; });
}

void SortWorldTimesByTime(TWorldTimeList& list) {
  for (std::size_t i = 1; i < list.size(); ++i) {
    TWorldTime item = list[i];
    std::size_t j = i;
    for (; j > 0 && list[j - 1].Offset > item.Offset; --j) list[j] = list[j - 1];
    list[j] = item;
  }
}

void TrimHistory(TStringList& history, int depth) {
  while (static_cast<int>(history.size()) > depth && !history.empty()) history.pop_back();
}

int ActionFieldMask(int kindId) {
  if (kindId == akApplication) return tagPath | tagParameters | tagWindow;
  if (kindId == akFolder) return tagPath | tagWindow | tagFolderMode;
  if (kindId >= akMyComputer && kindId <= akPrintersAndFaxes && kindId % 100 == 0) return tagWindow | tagFolderMode;
  return 0;
}

std::vector<int> EditorKinds(bool excludeClipKinds) {
  std::vector<int> ids;
  for (const auto& k : ActionKinds)
    if (!excludeClipKinds || k.ForTray) ids.push_back(k.Id);
  return ids;
}

TActionRecord EditorResult(const TActionEditorValues& v, bool hotKeyEnabled) {
  TActionRecord r;
  r.Comment = v.comment;
  r.Action = v.kind;
  if (hotKeyEnabled) r.HotKey = v.hotKey;
  int mask = ActionFieldMask(v.kind);
  if (mask & tagWindow) r.ExecWindowState = v.windowItem;
  if (mask & tagPath) r.ExecPath = v.path;
  if (mask & tagParameters) r.ExecParams = v.parameters;
  if (mask & tagFolderMode) r.FolderMode = v.folderModeItem;
  return r;
}

}  // namespace vimo
