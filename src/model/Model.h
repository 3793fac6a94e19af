#pragma once
// The process-wide model: containers, settings (named after their registry values)
// and run-time state. Created by InitializeModel before any form exists.
#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/ActionRecord.h"
#include "model/SmartList.h"

namespace vimo {

class TForm;  // a pop-up window of the program

struct TWorldTime {
  std::string Name;
  std::int32_t Offset = 0;  // minutes from UTC, negative west of Greenwich
  // The system time zone's key name when the place follows a zone (its daylight time
  // included); Offset then holds the zone's standard offset. Empty: a fixed offset.
  std::string Zone;

  bool operator==(const TWorldTime&) const = default;
};
using TWorldTimeList = std::vector<TWorldTime>;
using TStringList = std::vector<std::string>;

// Containers. MouseActions is indexed [corner - 1][mouse modifier].
extern std::array<std::array<TActionRecord, 6>, 4> MouseActions;
extern std::array<TActionRecord, 8> TrayActions;
extern std::unique_ptr<TWorldTimeList> WorldTimes;
extern std::unique_ptr<THotKeyList> HotKeyList;
extern std::unique_ptr<TStringList> ClipHistory;
extern std::unique_ptr<TClipList> ClipList;

// Settings.
extern int CornerSize;
extern int CornerDelay;
extern bool IgnoreFullScreen;  // corners do not arm over a full-screen program
extern int KeyCorner;
extern int TrayIconColor;
extern bool TrayIconRandom;
extern bool TrayIconAnimated;
extern bool ClearEmptyNotes;
extern bool AutoHideWindows;
extern bool AutoRun;
extern bool ShowInEditor;
extern bool NumerateItems;
extern bool DisableHistory;
extern int HistoryDepth;
extern int ClipHistoryWidth;
extern int ClipCollectionWidth;

// Run-time state.
extern bool Suspended;
extern TForm* ActivePopup;
extern bool PopupOpenedByKey;
extern void* TargetWindow;  // HWND of the window that had the focus when an action ran
extern bool FirstRun;
// Hot-key combinations that the system refused at the last registration although no
// earlier entry of the list holds them: another program has them.
extern std::set<std::int32_t> HotKeysTakenElsewhere;

// Module start: creates the containers (WorldTimes, HotKeyList, ClipHistory, ClipList)
// and loads every setting. Module end frees them; nothing is saved.
void InitializeModel();
void FinalizeModel();

}  // namespace vimo
