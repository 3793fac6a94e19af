#include "help/HelpRules.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace vimo {

namespace {
constexpr int kGap = 2;  // between the control and its pop-up
}  // namespace

TPoint PlaceHelpPopup(const TRect& anchor, int width, int height, const TRect& work) {
  int x = anchor.left;
  if (x + width > work.right) x = work.right - width;
  x = std::max(x, work.left);
  int y = anchor.bottom + kGap;
  if (y + height > work.bottom) {
    y = anchor.top - kGap - height;
    if (y < work.top) y = work.bottom - height;
  }
  y = std::max(y, work.top);
  return {x, y};
}

bool CanUseOldHelp(bool helpFileExists, bool viewerExists, std::string_view viewerDescription) {
  if (!helpFileExists || !viewerExists) return false;
  std::string lower(viewerDescription);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower.find("stub") == std::string::npos;
}

}  // namespace vimo
