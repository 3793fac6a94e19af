#pragma once
// The context pop-up: a help id's text in a small window next to its control, closed by
// a click or a key, as the old help's control pop-ups were.
#include <windows.h>

namespace vimo {

// Shows the text of `helpId` under `anchor` (screen coordinates: the control, or the
// point clicked); false when the help has no text for it. Any key but F1 and any click
// close it; F1 is left to the form, whose help then shows the whole topic.
bool ShowHelpPopup(HWND owner, int helpId, const RECT& anchor);
// The pop-up on screen, or null.
HWND HelpPopupHandle();
void CloseHelpPopup();

}  // namespace vimo
