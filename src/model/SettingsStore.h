#pragma once
// Moves every setting between the registry and the process-wide model.
#include <string>

#include "model/ActionRecord.h"
#include "model/SettingsRegistry.h"

namespace vimo {

inline constexpr const char* kProductName = "Vimo";
inline constexpr const char* kProductVersion = "2.1";

inline constexpr const char* secVimo = "Vimo";
inline constexpr const char* secMouse = "Vimo\\Mouse";
inline constexpr const char* secMouseActions = "Vimo\\Mouse\\Actions";
inline constexpr const char* secKeys = "Vimo\\Keys";
inline constexpr const char* secOptions = "Vimo\\Options";
inline constexpr const char* secTray = "Vimo\\Tray";
inline constexpr const char* secClipboard = "Vimo\\Clipboard";
inline constexpr const char* secClips = "Vimo\\Clipboard\\Clips";
inline constexpr const char* secHistory = "Vimo\\Clipboard\\History";
inline constexpr const char* secWorldTimes = "Vimo\\WorldTimes";
// Name -> zone key name, for the places tied to a time zone.
inline constexpr const char* secWorldTimeZones = "Vimo\\WorldTimeZones";
inline constexpr const char* secState = "Vimo\\State";

struct TDefaultWorldTime {
  const char* Name;
  int Offset;
  const char* Zone;  // "" where no zone has the place's offset
};
extern const TDefaultWorldTime DefaultWorldTimes[29];

// Default kind of a mouse slot (corner 1..4, modifier 0..5).
int DefaultMouseAction(int corner, int modifier);

void LoadSettings(bool restoreDefaults);
// Finishes the saves of lists that were cut off (see StoredLists.h); LoadSettings and
// every list save do it first, and so must anything else that writes a list.
void SaveSettings();
void SaveHistoryAndState();
void FinishInterruptedSaves(TSettingsRegistry& reg);

// The auto-start command: the executable's path in quotes, so that a path with spaces
// cannot start "C:\Program.exe" instead.
std::string RunCommand(const std::string& exePath);
// A stored command names this executable, quoted or (as older versions wrote it) not.
bool IsOwnRunCommand(const std::string& command, const std::string& exePath);

void ReadActionRecord(TSettingsRegistry& reg, const std::string& section, int defaultKind,
                      TActionRecord& record);
void WriteActionRecord(TSettingsRegistry& reg, const std::string& section, const TActionRecord& record);

// Key path of a mouse slot, "Vimo\Mouse\Actions\<corner>\<modifier>", and of a tray slot.
std::string MouseActionSection(int corner, int modifier);
std::string TraySection(int modifier);

}  // namespace vimo
