#pragma once
// Where the help comes from: the text compiled into the program, or an old help file.
#include <string>

#include "help/HelpBook.h"

namespace vimo {

// The help compiled into the program, read once. Throws when the program carries none.
const THelpBook& BuiltInHelp();

// True when `helpFile` lies there and a help viewer that can show it is installed.
bool OldHelpUsable(const std::string& helpFile);

}  // namespace vimo
