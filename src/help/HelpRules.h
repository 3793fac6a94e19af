#pragma once
// Small decisions of the help: where a context pop-up goes, and when the old help file
// may still be used.
#include <string_view>

#include "platform/Geometry.h"

namespace vimo {

// The top-left corner of a context pop-up of the given size: under `anchor` (a
// control's rectangle, or a point as an empty rectangle), or above it when there is no
// room below, and always inside `work`, the screen's work area.
TPoint PlaceHelpPopup(const TRect& anchor, int width, int height, const TRect& work);

// The old help file is shown only when it lies beside the program and a help viewer
// is there that can show it: not the stub that later Windows versions ship in the
// viewer's place, which only says that the format is no longer supported.
bool CanUseOldHelp(bool helpFileExists, bool viewerExists, std::string_view viewerDescription);

}  // namespace vimo
