#pragma once
// The names of the help topics the program opens itself (F1 on a page or pop-up).
#include <vector>

namespace vimo {

inline constexpr const char* kHelpContents = "contents";
inline constexpr const char* kHelpCalendar = "calendar";
inline constexpr const char* kHelpWorldTime = "world-time";
inline constexpr const char* kHelpTimeMap = "time-map";
inline constexpr const char* kHelpClipPopup = "clip-popup";
inline constexpr const char* kHelpActionEditor = "action-editor";
inline constexpr const char* kHelpClipEditor = "clip-editor";
inline constexpr const char* kHelpWorldTimeEditor = "worldtime-editor";
inline constexpr const char* kHelpUsingHelp = "using-help";

// The topic of a settings page, by its position in the page list.
const char* SetupPageHelpTopic(int page);

// Every topic the program names, for the check that the help text has them all.
std::vector<const char*> HelpTopicsTheProgramOpens();

}  // namespace vimo
