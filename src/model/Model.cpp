#include "model/Model.h"

#include "model/SettingsStore.h"

namespace vimo {

std::array<std::array<TActionRecord, 6>, 4> MouseActions;
std::array<TActionRecord, 8> TrayActions;
std::unique_ptr<TWorldTimeList> WorldTimes;
std::unique_ptr<THotKeyList> HotKeyList;
std::unique_ptr<TStringList> ClipHistory;
std::unique_ptr<TClipList> ClipList;

int CornerSize = 8;
int CornerDelay = 20;
bool IgnoreFullScreen = true;
int KeyCorner = 1;
int TrayIconColor = 0;
bool TrayIconRandom = false;
bool TrayIconAnimated = true;
bool ClearEmptyNotes = true;
bool AutoHideWindows = true;
bool AutoRun = true;
bool ShowInEditor = true;
bool NumerateItems = true;
bool DisableHistory = false;
int HistoryDepth = 20;
int ClipHistoryWidth = 0;
int ClipCollectionWidth = 0;

bool Suspended = false;
TForm* ActivePopup = nullptr;
bool PopupOpenedByKey = false;
void* TargetWindow = nullptr;
bool FirstRun = false;
std::set<std::int32_t> HotKeysTakenElsewhere;

void InitializeModel() {
  WorldTimes = std::make_unique<TWorldTimeList>();
  HotKeyList = std::make_unique<THotKeyList>();
  ClipHistory = std::make_unique<TStringList>();
  ClipList = std::make_unique<TClipList>();
  LoadSettings(false);
}

void FinalizeModel() {
  ClipList.reset();
  ClipHistory.reset();
  HotKeyList.reset();
  WorldTimes.reset();
  MouseActions = {};
  TrayActions = {};
}

}  // namespace vimo
