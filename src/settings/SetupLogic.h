#pragma once
// What the settings dialog decides, apart from its controls: the working copies and
// their round trip with the settings, texts shown in its grids and labels, row
// dragging, sorting, and the action editor's field masks and returned record.
#include <array>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "model/Model.h"

namespace vimo {

// The values the dialog's simple controls hold while it is open.
struct TSetupControls {
  int trayIconColumn = 0;          // dgdTrayIcon selected column
  bool trayIconRandom = false;     // chbTrayIconRandom
  bool trayIconAnimated = false;   // chbTrayIconAnimated
  bool autoHide = false;           // chbAutoHide
  bool autoRun = false;            // chbAutoRun
  int cornerSizePosition = 1;      // trbMouseCornerSize, 1..50
  int cornerDelayPosition = 0;     // trbMouseCornerDelay, 0..10 (half seconds)
  bool ignoreFullScreen = false;   // chbMouseIgnoreFullScreen
  int hotKeysCornerItem = 0;       // rgrHotKeysCorner, KeyCorner - 1
  bool clipShowInEditor = false;   // chbClipShowInEditor
  bool clipNumerateItems = false;  // chbClipNumerateItems
  bool clipDisableHistory = false; // chbClipDisableHistory
  int historyDepthPosition = 5;    // trbClipHistoryDepth, 5..50
};

// The dialog's working state between FormShow and FormClose.
struct TSetupWork {
  std::array<std::array<TActionRecord, 6>, 4> WorkMouseActions{};
  THotKeyList WorkHotKeys;
  std::array<TActionRecord, 8> WorkTrayActions{};
  TClipList WorkClips;
  TWorldTimeList WorkWorldTimes;
  TSetupControls controls;
  int DragRow = 0;
  bool Dragging = false;
};

void LoadControls(TSetupWork& work);
void StoreControls(const TSetupWork& work);
// True while storing the dialog would change a setting: Apply is enabled only then. The
// in-memory hot-key ids are no setting.
bool DiffersFromSettings(const TSetupWork& work);

// "%d pix" and "%1.1f sec" with the locale's decimal separator.
std::string CornerSizeText(int position);
std::string CornerDelayText(int position, char decimalSeparator);
// -330 -> "-05:30", 345 -> "+05:45", -30 -> "-00:30".
std::string OffsetText(int minutes);

// Key names that the keyboard layout knows (GetKeyNameTextW); empty when none.
using KeyNameFunc = std::function<std::string(int virtualKey)>;
// "Shift+Ctrl+Alt+" then the key's name; empty when the key has no name.
std::string HotKeyText(int shortcut, const KeyNameFunc& layoutName);

// Why a row of the hot-key grid will not fire.
enum class THotKeyRowState { Ok, InUse, NeedsCtrlOrAlt };
// In use: an earlier entry has the same combination, or another program holds it.
THotKeyRowState HotKeyRowState(const THotKeyList& list, int index, const std::set<std::int32_t>& takenElsewhere);
// What the grid adds after the combination: " (in use)", " (needs Ctrl or Alt)" or nothing.
std::string HotKeyRowMark(THotKeyRowState state);
// The index of another entry (not `except`) with the same combination, or -1.
int DuplicateHotKeyOwner(const THotKeyList& list, std::int32_t shortcut, int except);

// Which grid a row drag runs on: the hot-key and world-time grids have a header row.
enum class TDragGrid { HotKeys, WorldTimes, Clips };
// A left press on row `row` of a grid listing `entryCount` entries: a drag starts only
// on a row that shows an entry (never on the header or the "[empty]" row).
void DragStart(TSetupWork& work, TDragGrid grid, int row, int entryCount);
// The pressed pointer is over row `row` (-1 outside the rows): the dragged entry moves
// there across every row in between, by neighbour swaps through `swap(a, b)` (entry
// indexes), so the order depends only on where the drag started and where it is now.
// Over the header the entry goes first. Returns true when the grid must repaint.
bool DragMove(TSetupWork& work, TDragGrid grid, int row, int entryCount, const std::function<void(int, int)>& swap);

// "Sort by name": locale collation, ignoring case.
void SortWorldTimesByName(TWorldTimeList& list, const std::function<int(const std::string&, const std::string&)>& compare);
// "Sort by time": smallest offset first, equal offsets keep their order.
void SortWorldTimesByTime(TWorldTimeList& list);

// History trimmed to the depth when the dialog closes.
void TrimHistory(TStringList& history, int depth);

// Action editor.
inline constexpr int tagPath = 1, tagParameters = 2, tagWindow = 4, tagFolderMode = 8, tagHotKey = 16;
int ActionFieldMask(int kindId);
// Kinds of the editor's list, in table order.
std::vector<int> EditorKinds(bool excludeClipKinds);

struct TActionEditorValues {
  std::string comment;
  int kind = 0;  // id of the selected item; 0 when none
  std::string path;
  std::string parameters;
  int windowItem = 0;
  int folderModeItem = 0;
  int hotKey = 0;
};
// The record the editor returns on OK: only the fields its kind uses.
TActionRecord EditorResult(const TActionEditorValues& values, bool hotKeyEnabled);

}  // namespace vimo
