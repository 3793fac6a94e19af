#include "help/win32/ProgramHelp.h"

#include <windows.h>

#include <string>

#include "help/HelpTopics.h"
#include "help/win32/HelpPicker.h"
#include "help/win32/HelpPopup.h"
#include "help/win32/HelpSource.h"
#include "help/win32/HelpWindow.h"
#include "platform/Utf.h"
#include "ui/Application.h"

namespace vimo {
namespace {

bool HelpCommand(HWND window, UINT command, ULONG_PTR data) {
  const std::string& helpFile = Application().HelpFile;
  if (OldHelpUsable(helpFile)) return WinHelpW(window, Widen(helpFile).c_str(), command, data) != FALSE;
  if (command == HELP_CONTEXTPOPUP) {
    POINT at{};
    GetCursorPos(&at);
    return ShowHelpPopup(window, static_cast<int>(data), RECT{at.x, at.y, at.x, at.y});
  }
  THelpWindow::Show();
  return true;
}

void ContextHelp(HWND owner, UINT command, int helpId, const RECT& anchor, const std::string& topic) {
  const std::string& helpFile = Application().HelpFile;
  if (OldHelpUsable(helpFile)) {
    if (helpId != 0)
      WinHelpW(owner, Widen(helpFile).c_str(), HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(helpId));
    else if (command == HELP_CONTEXT)
      WinHelpW(owner, Widen(helpFile).c_str(), HELP_CONTENTS, 0);
    return;
  }
  const std::string page = topic.empty() ? std::string(kHelpContents) : topic;
  // F1 while a control's text shows: the whole topic.
  if (command == HELP_CONTEXT && HelpPopupHandle()) {
    CloseHelpPopup();
    THelpWindow::Show(page);
    return;
  }
  if (helpId != 0 && ShowHelpPopup(owner, helpId, anchor)) return;
  // A control without text of its own: F1 opens the page's topic; so does the help
  // button's click on a control whose text is missing.
  if (command == HELP_CONTEXT || helpId != 0) THelpWindow::Show(page);
}

}  // namespace

void InstallProgramHelp() { Application().Help = {&HelpCommand, &ContextHelp, &PickHelpControl}; }

}  // namespace vimo
