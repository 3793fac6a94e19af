#pragma once
// Texts and small decisions of the tray host.
#include <string>

#include "model/SettingsRegistry.h"

namespace vimo {

inline constexpr const char* kMutexName = "Tramlex Vimo Mutex";
inline constexpr const char* kHostCaption = "Tramlex Vimo";
inline constexpr const char* kFirstRunBalloonTitle = "Tramlex Vimo";
inline constexpr const char* kFirstRunBalloonText =
    "Tramlex Vimo is a nice tray-based utility pack, which contains several sections in one small tray-based "
    "program: calendar, world time with sun time map, unique launchers, text clipboard utilities and many more!";
inline constexpr int kFirstRunBalloonSeconds = 10;
inline constexpr int kPasteBalloonSeconds = 10;

inline constexpr const char* kClearHistoryCaption = "Clear clipboard history";
inline constexpr const char* kClearHistoryQuestion = "The clipboard history will be cleared.\rContinue?";

inline const char* SuspendCaption(bool suspended) { return suspended ? "Resume" : "Suspend"; }

// The help file: the executable's path with its extension replaced by ".hlp".
std::string HelpFileFor(const std::string& exePath);

}  // namespace vimo
