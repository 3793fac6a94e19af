#include "help/HelpTopics.h"

namespace vimo {

namespace {
constexpr const char* kSetupPageTopics[] = {"settings-general",   "settings-mouse",     "settings-hotkeys",
                                            "settings-tray",      "settings-clipboard", "settings-worldtime",
                                            "settings-export",    "settings-about"};
constexpr int kSetupPageTopicCount = static_cast<int>(sizeof kSetupPageTopics / sizeof kSetupPageTopics[0]);
}  // namespace

const char* SetupPageHelpTopic(int page) {
  return page >= 0 && page < kSetupPageTopicCount ? kSetupPageTopics[page] : kHelpContents;
}

std::vector<const char*> HelpTopicsTheProgramOpens() {
  std::vector<const char*> names{kHelpContents,     kHelpCalendar,     kHelpWorldTime,       kHelpTimeMap,
                                 kHelpClipPopup,    kHelpActionEditor, kHelpClipEditor,      kHelpWorldTimeEditor,
                                 kHelpUsingHelp};
  for (const char* page : kSetupPageTopics) names.push_back(page);
  return names;
}

}  // namespace vimo
