#pragma once
// Letter case as the system's case-insensitive names and ordinal comparisons see it:
// each letter against its upper-case form, one character for one (so "ß" is not "SS"),
// for the scripts the tests use: Latin, Greek, Cyrillic.
#include <string>

namespace vimo::test {

// A key that is equal for two texts exactly when they differ only in letter case.
// ASCII letters become small, so that sorting by it keeps the order the fakes had.
std::string CaseKey(const std::string& utf8);

}  // namespace vimo::test
