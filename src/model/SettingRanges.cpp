#include "model/SettingRanges.h"

#include <algorithm>

namespace vimo {

const TSettingRange* SettingRange(std::string_view name) {
  for (const auto& r : SettingRanges)
    if (name == r.Name) return &r;
  return nullptr;
}

int ClampToRange(const TSettingRange& range, int value) {
  int v = std::clamp(value, range.Min, range.Max);
  return range.Min + (v - range.Min) / range.Step * range.Step;
}

}  // namespace vimo
