#pragma once
// How a numbered list of the store (entries "1", "2", ... below a key, with a "Count")
// is loaded. The registry may hold anything: a count of two billion, one entry numbered
// two billion, a count that is not a number. Loading is linear in the entries that
// exist, and a damaged count never costs an entry.
#include <optional>
#include <string>
#include <vector>

namespace vimo {

// Empty records kept in place of missing numbers, beyond the number of entries that exist.
inline constexpr int kMaxGapRecords = 1000;

// The number a name stands for: plain decimal without sign or leading zero, 1..INT_MAX.
std::optional<int> EntryNumber(const std::string& name);

// A "Count" as stored: a plain non-negative decimal, or none when it cannot be read.
std::optional<int> StoredCount(const std::optional<std::string>& text);

enum class TSmallCount {
  Trusted,  // entries above a readable count are not part of the list
  Damage,   // entries above a readable count mean the count is damaged
};

// The records to build, in list order: the number of the stored entry each one is read
// from, or 0 for an empty record. `names` are the key's sub-key or value names.
// - A readable count bounds the list; an unreadable one (or, with TSmallCount::Damage,
//   one with entries above it) gives way to the entries that exist.
// - An entry numbered at most the number of entries plus kMaxGapRecords keeps its place,
//   with empty records for the missing numbers before it; higher-numbered entries follow
//   in number order without gaps. A readable count within that reach keeps the empty
//   records up to the count.
std::vector<int> NumberedListSlots(const std::vector<std::string>& names, std::optional<int> count,
                                   TSmallCount smallCount);

}  // namespace vimo
