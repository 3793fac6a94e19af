#pragma once
// What can be tried at once: the hot keys, corners and tray clicks that are set, as
// plain lines for a terminal. Read from the loaded model.
#include <string>

#include "settings/SetupLogic.h"

namespace vimo {

std::string TriggerList(const KeyNameFunc& keyName);

}  // namespace vimo
