#pragma once
// The 16 x 16 icons of the settings dialog's page list, one per page in page order.
#include "components/TrayImages.h"

namespace vimo {

inline constexpr int kSetupPageCount = 8;

// Pixels row by row, 0xAARRGGBB; alpha 0 where transparent. An index outside the
// pages gives an empty (fully transparent) icon.
TTrayPixels SetupPageIcon(int page);

}  // namespace vimo
