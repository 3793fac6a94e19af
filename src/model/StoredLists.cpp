#include "model/StoredLists.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>

#include "model/NumberedList.h"

namespace vimo {
namespace {

std::string Sub(const std::string& section, const std::string& name) { return section + "\\" + name; }
std::string JournalSection(const char* journal) { return Sub(secPending, journal); }

// Removes a journal: first its mark, so that what is left of it is never taken for
// complete, then the rest, and "Vimo\Pending" itself once nothing is left in it.
void CloseJournal(TSettingsRegistry& reg, const char* journal) {
  reg.DeleteValue(secPending, journal);
  reg.DeleteSection(JournalSection(journal));
  if (reg.SectionExists(secPending) && reg.ValueNames(secPending).empty() && reg.SubKeyNames(secPending).empty())
    reg.DeleteSection(secPending);
}

void MarkJournalComplete(TSettingsRegistry& reg, const char* journal) { reg.SetString(secPending, journal, "1"); }
bool JournalComplete(TSettingsRegistry& reg, const char* journal) {
  return reg.ReadStoredText(secPending, journal).has_value();
}

// ---------------------------------------------------------------------------- numbered lists

// What a save needs to know of a stored text: its length and a hash of it, so that what
// was stored is known without reading large texts back.
struct TPrint {
  std::size_t size = 0;
  std::size_t hash = 0;
  bool operator==(const TPrint&) const = default;
};

TPrint PrintOf(std::string_view text) { return {text.size(), std::hash<std::string_view>{}(text)}; }

// An entry to store: its texts, and their prints worked out once.
struct TWanted {
  TEntryTexts texts;
  std::vector<TPrint> prints;
};
using TWantedOf = std::function<const TWanted&(int)>;

TWanted Wanted(TEntryTexts texts) {
  TWanted w{std::move(texts), {}};
  for (auto t : w.texts) w.prints.push_back(PrintOf(t));
  return w;
}

// An entry as stored: one print per field, none where a field is missing or not text.
using TStoredEntry = std::vector<std::optional<TPrint>>;

struct TStoredList {
  std::map<int, TStoredEntry> entries;  // every numbered entry that exists
  std::optional<std::string> count;
};

// What this process last read or wrote of each list, by registry and section. It stands
// for the list while the entry numbers and the count in the registry still match it;
// every load forgets it, so that an import or an edit of the registry is read again.
std::map<std::pair<const Registry*, std::string>, TStoredList>& KnownLists() {
  static std::map<std::pair<const Registry*, std::string>, TStoredList> known;
  return known;
}

struct TStep {
  int target;
  int source;  // the stored entry it moves from; 0: its texts are written as they are
};

std::vector<int> EntryNumbers(TSettingsRegistry& reg, const TNumberedListLayout& l, const std::string& section) {
  std::vector<int> numbers;
  for (const auto& name : l.Fields.empty() ? reg.ValueNames(section) : reg.SubKeyNames(section))
    if (auto n = EntryNumber(name)) numbers.push_back(*n);
  return numbers;
}

std::vector<std::optional<std::string>> ReadTexts(TSettingsRegistry& reg, const TNumberedListLayout& l,
                                                  const std::string& section, int n) {
  std::string number = std::to_string(n);
  std::vector<std::optional<std::string>> texts;
  if (l.Fields.empty()) {
    texts.push_back(reg.ReadStoredText(section, number));
  } else {
    std::string key = Sub(section, number);
    for (const char* field : l.Fields) texts.push_back(reg.ReadStoredText(key, field));
  }
  return texts;
}

TStoredEntry ReadEntry(TSettingsRegistry& reg, const TNumberedListLayout& l, const std::string& section, int n) {
  TStoredEntry e;
  for (const auto& text : ReadTexts(reg, l, section, n))
    e.push_back(text ? std::optional<TPrint>(PrintOf(*text)) : std::nullopt);
  return e;
}

// The list as stored: taken from what this process knows when the numbers and the count
// still match, else read.
TStoredList StoredList(TSettingsRegistry& reg, const TNumberedListLayout& l) {
  std::optional<std::string> count = reg.ReadStoredText(l.Section, "Count");
  auto known = KnownLists().find({reg.Source(), l.Section});
  bool matches = known != KnownLists().end() && known->second.count == count;
  // Values are counted rather than listed: under Wine, listing the history's names
  // fetches every text with it.
  if (matches && l.Fields.empty() && reg.ValueCount(l.Section) == known->second.entries.size() + (count ? 1 : 0))
    return known->second;
  std::vector<int> numbers = EntryNumbers(reg, l, l.Section);
  std::sort(numbers.begin(), numbers.end());
  if (matches && !l.Fields.empty()) {
    std::vector<int> knownNumbers;
    for (const auto& [n, e] : known->second.entries) knownNumbers.push_back(n);
    if (knownNumbers == numbers) return known->second;
  }
  TStoredList s;
  for (int n : numbers) s.entries[n] = ReadEntry(reg, l, l.Section, n);
  s.count = count;
  return s;
}

void Remember(TSettingsRegistry& reg, const TNumberedListLayout& l, const std::vector<TWanted>& entries) {
  TStoredList s;
  for (std::size_t i = 0; i < entries.size(); ++i)
    s.entries[static_cast<int>(i + 1)] = TStoredEntry(entries[i].prints.begin(), entries[i].prints.end());
  s.count = std::to_string(entries.size());
  KnownLists()[{reg.Source(), l.Section}] = std::move(s);
}

void Forget(TSettingsRegistry& reg, const TNumberedListLayout& l) { KnownLists().erase({reg.Source(), l.Section}); }

// The prints of a stored entry that has all its fields.
std::optional<std::vector<TPrint>> Complete(const TStoredEntry& e) {
  std::vector<TPrint> prints;
  for (const auto& field : e) {
    if (!field) return std::nullopt;
    prints.push_back(*field);
  }
  return prints;
}

bool Holds(const TStoredEntry& stored, const std::vector<TPrint>& prints) {
  if (stored.size() != prints.size()) return false;
  for (std::size_t i = 0; i < prints.size(); ++i)
    if (!stored[i] || *stored[i] != prints[i]) return false;
  return true;
}

std::size_t HashOf(const std::vector<TPrint>& prints) {
  std::size_t h = prints.size();
  for (const auto& p : prints) h = h * 1000003u ^ p.hash;
  return h;
}

// A step for every entry that differs from the one stored under its number, moving from
// an equal stored entry where there is one.
std::vector<TStep> PlanSteps(const TStoredList& stored, const std::vector<TWanted>& entries) {
  std::unordered_multimap<std::size_t, int> byPrints;
  for (const auto& [n, e] : stored.entries)
    if (auto prints = Complete(e)) byPrints.emplace(HashOf(*prints), n);
  std::vector<TStep> steps;
  for (int i = 1; i <= static_cast<int>(entries.size()); ++i) {
    const std::vector<TPrint>& want = entries[static_cast<std::size_t>(i - 1)].prints;
    auto here = stored.entries.find(i);
    if (here != stored.entries.end() && Holds(here->second, want)) continue;
    int source = 0;
    auto [first, last] = byPrints.equal_range(HashOf(want));
    for (auto it = first; it != last; ++it)
      if (it->second != i && (source == 0 || it->second < source) && Holds(stored.entries.at(it->second), want))
        source = it->second;
    steps.push_back({i, source});
  }
  return steps;
}

// Orders the steps so that no entry is written while a step moving from it is still to
// come. Moves that go round in a ring get one of them written as it is instead.
void OrderSteps(std::vector<TStep>& steps) {
  std::map<int, std::size_t> byTarget;
  for (std::size_t i = 0; i < steps.size(); ++i) byTarget[steps[i].target] = i;
  auto sourceStep = [&](const TStep& s) -> std::optional<std::size_t> {
    auto it = s.source ? byTarget.find(s.source) : byTarget.end();
    if (it == byTarget.end()) return std::nullopt;
    return it->second;
  };
  std::vector<int> readers(steps.size(), 0);
  for (const auto& s : steps)
    if (auto j = sourceStep(s)) ++readers[*j];
  std::deque<std::size_t> ready;
  for (std::size_t i = 0; i < steps.size(); ++i)
    if (readers[i] == 0) ready.push_back(i);
  std::vector<bool> done(steps.size(), false);
  std::vector<TStep> ordered;
  std::size_t ring = 0;
  while (ordered.size() < steps.size()) {
    if (ready.empty()) {
      // Every step left is on a ring of moves: write this one as it is.
      while (done[ring] || steps[ring].source == 0) ++ring;
      auto j = sourceStep(steps[ring]);
      steps[ring].source = 0;
      if (j && --readers[*j] == 0) ready.push_back(*j);
      continue;
    }
    std::size_t i = ready.front();
    ready.pop_front();
    done[i] = true;
    ordered.push_back(steps[i]);
    if (auto j = sourceStep(steps[i]))
      if (--readers[*j] == 0) ready.push_back(*j);
  }
  steps = std::move(ordered);
}

bool SameField(const TStoredEntry* stored, std::size_t i, const TWanted& want) {
  return stored && (*stored)[i] && *(*stored)[i] == want.prints[i];
}

long WritesOf(const TNumberedListLayout& l, const TStoredList& stored, int target, const TWanted& want) {
  auto it = stored.entries.find(target);
  if (it == stored.entries.end()) return static_cast<long>(want.texts.size()) + (l.Fields.empty() ? 0 : 1);
  long n = 0;
  for (std::size_t i = 0; i < want.texts.size(); ++i)
    if (!SameField(&it->second, i, want)) ++n;
  return n;
}

std::vector<int> Leftovers(const TStoredList& stored, int count) {
  std::vector<int> left;
  for (auto it = stored.entries.upper_bound(count); it != stored.entries.end(); ++it) left.push_back(it->first);
  return left;
}

// A reader must never see "Count" 0 while entries exist: a list that grows from none
// gets its count before its entries, a list that becomes empty loses its entries first.
bool CountFirst(const TStoredList& stored, int count) {
  return count > 0 && StoredCount(stored.count).value_or(0) == 0;
}

void WriteEntry(TSettingsRegistry& reg, const TNumberedListLayout& l, const std::string& section, int n,
                const TStoredEntry* stored, const TWanted& want) {
  std::string number = std::to_string(n);
  for (std::size_t i = 0; i < want.texts.size(); ++i) {
    if (SameField(stored, i, want)) continue;
    if (l.Fields.empty())
      reg.SetString(section, number, std::string(want.texts[i]));
    else
      reg.SetString(Sub(section, number), l.Fields[i], std::string(want.texts[i]));
  }
}

void WriteJournal(TSettingsRegistry& reg, const TNumberedListLayout& l, const std::vector<TStep>& steps,
                  const TWantedOf& textsOf, int count) {
  std::string journal = JournalSection(l.Journal);
  for (const auto& s : steps) {
    if (s.source)
      reg.SetString(Sub(journal, "Moves"), std::to_string(s.target), std::to_string(s.source));
    else
      WriteEntry(reg, l, journal, s.target, nullptr, textsOf(s.target));
  }
  reg.SetString(journal, "Count", std::to_string(count));
  MarkJournalComplete(reg, l.Journal);
}

void DropStep(TSettingsRegistry& reg, const TNumberedListLayout& l, const TStep& s) {
  std::string journal = JournalSection(l.Journal), number = std::to_string(s.target);
  if (s.source)
    reg.DeleteValue(Sub(journal, "Moves"), number);
  else if (l.Fields.empty())
    reg.DeleteValue(journal, number);
  else
    reg.DeleteSection(Sub(journal, number));
}

// The entries, then "Count", then what is left over above it. With a journal, each step
// leaves it once its entry is written, so what stays in it is still to be done.
void WriteList(TSettingsRegistry& reg, const TNumberedListLayout& l, const TStoredList& stored,
               const std::vector<TStep>& steps, const TWantedOf& textsOf, int count,
               bool journaled) {
  const std::string countText = std::to_string(count);
  const bool countFirst = CountFirst(stored, count);
  if (countFirst) reg.SetString(l.Section, "Count", countText);
  for (const auto& s : steps) {
    auto it = stored.entries.find(s.target);
    WriteEntry(reg, l, l.Section, s.target, it == stored.entries.end() ? nullptr : &it->second, textsOf(s.target));
    if (journaled) DropStep(reg, l, s);
  }
  auto dropLeftovers = [&] {
    auto left = Leftovers(stored, count);
    for (auto it = left.rbegin(); it != left.rend(); ++it) {
      if (l.Fields.empty())
        reg.DeleteValue(l.Section, std::to_string(*it));
      else
        reg.DeleteSection(Sub(l.Section, std::to_string(*it)));
    }
  };
  if (count == 0) dropLeftovers();
  if (!countFirst && stored.count != countText) reg.SetString(l.Section, "Count", countText);
  if (count > 0) dropLeftovers();
}

void FinishNumbered(TSettingsRegistry& reg, const TNumberedListLayout& l) {
  const std::string journal = JournalSection(l.Journal);
  auto count = JournalComplete(reg, l.Journal) ? StoredCount(reg.ReadStoredText(journal, "Count")) : std::nullopt;
  if (!count) {
    // Cut off before it was complete: the list itself was not touched yet.
    if (reg.SectionExists(journal) || JournalComplete(reg, l.Journal)) CloseJournal(reg, l.Journal);
    return;
  }
  Forget(reg, l);
  TStoredList stored = StoredList(reg, l);
  std::vector<TStep> steps;
  std::map<int, std::vector<std::string>> owned;
  for (int n : EntryNumbers(reg, l, journal)) {
    std::vector<std::string> texts;
    for (auto& field : ReadTexts(reg, l, journal, n)) texts.push_back(field.value_or(""));
    owned[n] = std::move(texts);
    steps.push_back({n, 0});
  }
  const std::string moves = Sub(journal, "Moves");
  for (const auto& name : reg.ValueNames(moves)) {
    auto target = EntryNumber(name);
    auto source = target ? EntryNumber(reg.ReadStoredText(moves, name).value_or("")) : std::nullopt;
    if (!source || owned.count(*target)) continue;
    // Every step still in the journal moves from an entry that is not written yet.
    std::vector<std::string> texts;
    for (auto& field : ReadTexts(reg, l, l.Section, *source)) {
      if (!field) break;
      texts.push_back(*field);
    }
    if (texts.size() != std::max<std::size_t>(l.Fields.size(), 1)) continue;
    owned[*target] = std::move(texts);
    steps.push_back({*target, *source});
  }
  std::map<int, TWanted> wanted;
  for (const auto& [n, texts] : owned) wanted[n] = Wanted(TEntryTexts(texts.begin(), texts.end()));
  OrderSteps(steps);
  WriteList(reg, l, stored, steps, [&](int n) -> const TWanted& { return wanted.at(n); }, *count, true);
  CloseJournal(reg, l.Journal);
}

// ---------------------------------------------------------------------------- named lists

std::string Folded(std::string_view name) {
  std::string f(name);
  for (char& c : f)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return f;
}

TNamedTexts Deduplicated(const TNamedTexts& entries) {
  TNamedTexts result;
  std::map<std::string, std::size_t> at;
  for (const auto& e : entries) {
    auto [it, added] = at.emplace(Folded(e.first), result.size());
    if (added)
      result.push_back(e);
    else
      result[it->second].second = e.second;
  }
  return result;
}

struct TNamedOp {
  bool remove;
  std::string name, text;
};

// Values keep their place when set again, and a new one goes to the end: the longest
// start of the target whose names come in the stored order stays where it is, the rest
// of the target is created again in order, and what the target lacks goes. (Only a new
// spelling of the one entry of a list passes through an empty key; a journal covers it.)
std::vector<TNamedOp> PlanNamed(TSettingsRegistry& reg, const std::string& section, const TNamedTexts& target) {
  std::vector<TNamedOp> ops;
  auto storedNames = reg.ValueNames(section);
  std::size_t kept = 0, pos = 0;
  for (; kept < target.size(); ++kept, ++pos) {
    // The spelling must match too: a value keeps its first spelling when set again.
    while (pos < storedNames.size() && storedNames[pos] != target[kept].first) ++pos;
    if (pos == storedNames.size()) break;
  }
  std::map<std::string, std::string> stored;  // folded name -> stored spelling
  for (const auto& n : storedNames) stored.emplace(Folded(n), n);
  std::set<std::string> wanted;
  for (std::size_t i = 0; i < target.size(); ++i) {
    const auto& [name, text] = target[i];
    std::string folded = Folded(name);
    wanted.insert(folded);
    auto it = stored.find(folded);
    if (i < kept) {
      if (reg.ReadStoredText(section, it->second) != text) ops.push_back({false, name, text});
      continue;
    }
    if (it != stored.end()) ops.push_back({true, it->second, {}});
    ops.push_back({false, name, text});
  }
  for (const auto& [folded, name] : stored)
    if (!wanted.count(folded)) ops.push_back({true, name, {}});
  return ops;
}

void WriteNamed(TSettingsRegistry& reg, const std::string& section, const std::vector<TNamedOp>& ops,
                const TNamedTexts& target) {
  if (target.empty()) {
    // One deletion of the key: the list is never seen half gone.
    reg.DeleteSection(section);
    return;
  }
  for (const auto& op : ops) {
    if (op.remove)
      reg.DeleteValue(section, op.name);
    else
      reg.SetString(section, op.name, op.text);
  }
  // The registry may fold letter case beyond ASCII, taking two of our names for one.
  for (const auto& [name, text] : target) reg.WriteString(section, name, text);
}

long NamedWrites(const std::vector<TNamedOp>& ops, const TNamedTexts& target, bool sectionExists) {
  if (target.empty()) return sectionExists ? 1 : 0;
  return static_cast<long>(ops.size());
}

// The journal of one list of a group: a key named like the list's own.
std::string PartJournal(const char* journal, const std::string& section) {
  return Sub(JournalSection(journal), section.substr(section.rfind('\\') + 1));
}

void FinishNamed(TSettingsRegistry& reg, const TNamedListGroup& g) {
  if (!JournalComplete(reg, g.Journal)) {
    if (reg.SectionExists(JournalSection(g.Journal))) CloseJournal(reg, g.Journal);
    return;
  }
  for (const char* section : g.Sections) {
    const std::string part = PartJournal(g.Journal, section);
    TNamedTexts target;
    for (const auto& name : reg.ValueNames(part))
      target.emplace_back(name, reg.ReadStoredText(part, name).value_or(""));
    WriteNamed(reg, section, PlanNamed(reg, section, target), target);
  }
  CloseJournal(reg, g.Journal);
}

}  // namespace

void SaveNumberedList(TSettingsRegistry& reg, const TNumberedListLayout& l, const std::vector<TEntryTexts>& entries) {
  FinishNumbered(reg, l);
  const TStoredList stored = StoredList(reg, l);
  const int count = static_cast<int>(entries.size());
  std::vector<TWanted> wanted;
  for (const auto& e : entries) wanted.push_back(Wanted(e));
  std::vector<TStep> steps = PlanSteps(stored, wanted);
  OrderSteps(steps);
  auto textsOf = [&](int n) -> const TWanted& { return wanted[static_cast<std::size_t>(n - 1)]; };

  long writes = static_cast<long>(Leftovers(stored, count).size()) + (stored.count != std::to_string(count) ? 1 : 0);
  for (const auto& s : steps) writes += WritesOf(l, stored, s.target, textsOf(s.target));
  // A single write cannot leave the list half written.
  const bool journaled = writes > 1;
  try {
    if (journaled) WriteJournal(reg, l, steps, textsOf, count);
    WriteList(reg, l, stored, steps, textsOf, count, journaled);
    if (journaled) CloseJournal(reg, l.Journal);
  } catch (...) {
    Forget(reg, l);
    throw;
  }
  Remember(reg, l, wanted);
}

void SaveNamedLists(TSettingsRegistry& reg, const TNamedListGroup& g, const std::vector<TNamedTexts>& entries) {
  FinishNamed(reg, g);
  std::vector<TNamedTexts> targets;
  std::vector<std::vector<TNamedOp>> ops;
  long writes = 0;
  for (std::size_t i = 0; i < g.Sections.size(); ++i) {
    targets.push_back(Deduplicated(entries[i]));
    ops.push_back(PlanNamed(reg, g.Sections[i], targets[i]));
    writes += NamedWrites(ops[i], targets[i], reg.SectionExists(g.Sections[i]));
  }
  const bool journaled = writes > 1;
  if (journaled) {
    for (std::size_t i = 0; i < g.Sections.size(); ++i)
      for (const auto& [name, text] : targets[i]) reg.SetString(PartJournal(g.Journal, g.Sections[i]), name, text);
    MarkJournalComplete(reg, g.Journal);
  }
  for (std::size_t i = 0; i < g.Sections.size(); ++i) WriteNamed(reg, g.Sections[i], ops[i], targets[i]);
  if (journaled) CloseJournal(reg, g.Journal);
}

void ForgetStoredLists() { KnownLists().clear(); }

void FinishInterruptedSaves(TSettingsRegistry& reg, const std::vector<const TNumberedListLayout*>& numbered,
                            const std::vector<const TNamedListGroup*>& named) {
  if (!reg.SectionExists(secPending)) return;
  for (const auto* l : numbered) FinishNumbered(reg, *l);
  for (const auto* l : named) FinishNamed(reg, *l);
}

}  // namespace vimo
