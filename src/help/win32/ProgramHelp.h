#pragma once
// Makes the program's help the one the application object answers with: the old help
// file where it can still be shown, else the built-in help window and its pop-ups.
namespace vimo {

void InstallProgramHelp();

}  // namespace vimo
