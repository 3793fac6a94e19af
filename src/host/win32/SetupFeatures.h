#pragma once
// The settings dialog opens the clip and world-time editors and shows each place's time
// without knowing the features: the host links them into the dialog here.
#include "settings/win32/Setup.h"

namespace vimo {

void LinkSetupFeatures(TSetupHostLinks& links);

}  // namespace vimo
