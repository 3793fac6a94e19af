#pragma once
// The store's lists written so that a save cut off anywhere (the program ends, or the
// registry refuses a write) leaves each list as it was or as it was being saved, whole,
// in the layout every reader knows.
//
// A save compares the list with what is stored and writes only what differs. When that
// takes more than one write, it first records its plan in a journal below
// "Vimo\Pending" (the entries to write, or for an entry that moved, the number it moves
// from, and the new "Count") and marks the journal complete; then it writes the entries,
// "Count", and deletes the entries left over; then it removes the journal. Entries are
// written in an order in which none is overwritten before every entry moving from it is
// written. The next start, the next save of the list and an import finish a complete
// journal first (and drop one that was cut off before it was complete, when the list
// itself is still untouched).
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/SettingsRegistry.h"

namespace vimo {

inline constexpr const char* secPending = "Vimo\\Pending";

// A numbered list: entries "1".."Count" below `Section`, either sub-keys holding
// `Fields`, or (no fields) string values named by their number.
struct TNumberedListLayout {
  const char* Section;
  const char* Journal;  // name of its journal below "Vimo\Pending"
  std::vector<const char*> Fields;
};

// The texts of one entry in field order; one text for a value entry. Views into the
// caller's list, so a history of large texts is not copied.
using TEntryTexts = std::vector<std::string_view>;

void SaveNumberedList(TSettingsRegistry& reg, const TNumberedListLayout& layout,
                      const std::vector<TEntryTexts>& entries);

// A list stored as one value per entry, name -> text, in enumeration order. Names are
// case-insensitive: an entry whose name comes again takes the first one's place and the
// last one's text. An empty list erases the key. Lists of one group are saved together:
// a cut leaves all of them as they were or all as they were being saved.
struct TNamedListGroup {
  const char* Journal;  // name of their journal below "Vimo\Pending"
  std::vector<const char*> Sections;
};
using TNamedTexts = std::vector<std::pair<std::string, std::string>>;

// `entries` holds one list per section of the group, in the group's order.
void SaveNamedLists(TSettingsRegistry& reg, const TNamedListGroup& group, const std::vector<TNamedTexts>& entries);

// A save compares with what this process last read or wrote of the list, as long as the
// entry numbers and the count in the registry still match it; the load forgets it all,
// so that whatever else wrote the registry (an import, an editor) is read again.
void ForgetStoredLists();

// Finishes (or drops) the journal of each of these lists.
void FinishInterruptedSaves(TSettingsRegistry& reg, const std::vector<const TNumberedListLayout*>& numbered,
                            const std::vector<const TNamedListGroup*>& named);

}  // namespace vimo
