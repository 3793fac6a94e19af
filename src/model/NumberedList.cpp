#include "model/NumberedList.h"

#include <algorithm>

#include "model/SettingsRegistry.h"

namespace vimo {

std::optional<int> EntryNumber(const std::string& name) {
  if (name.empty() || name.size() > 10 || name[0] < '1' || name[0] > '9') return std::nullopt;
  if (!std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
  int n = 0;
  if (!ParseInteger(name, n)) return std::nullopt;
  return n;
}

std::optional<int> StoredCount(const std::optional<std::string>& text) {
  if (!text || text->empty()) return std::nullopt;
  if (!std::all_of(text->begin(), text->end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
  int n = 0;
  if (!ParseInteger(*text, n)) return std::nullopt;
  return n;
}

std::vector<int> NumberedListSlots(const std::vector<std::string>& names, std::optional<int> count,
                                   TSmallCount smallCount) {
  std::vector<int> numbers;
  for (const auto& name : names)
    if (auto n = EntryNumber(name)) numbers.push_back(*n);
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());

  if (count && smallCount == TSmallCount::Damage && !numbers.empty() && numbers.back() > *count) count.reset();
  if (count) numbers.erase(std::upper_bound(numbers.begin(), numbers.end(), *count), numbers.end());

  // 64-bit: entries plus the allowance may pass INT_MAX.
  const long long reach = static_cast<long long>(numbers.size()) + kMaxGapRecords;
  std::vector<int> slots;
  if (count && *count <= reach) {
    slots.assign(static_cast<std::size_t>(*count), 0);
    for (int n : numbers) slots[static_cast<std::size_t>(n - 1)] = n;
    return slots;
  }
  auto far = std::upper_bound(numbers.begin(), numbers.end(), reach);
  if (far != numbers.begin()) {
    slots.assign(static_cast<std::size_t>(*(far - 1)), 0);
    for (auto it = numbers.begin(); it != far; ++it) slots[static_cast<std::size_t>(*it - 1)] = *it;
  }
  slots.insert(slots.end(), far, numbers.end());
  return slots;
}

}  // namespace vimo
