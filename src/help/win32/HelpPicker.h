#pragma once
// What the title-bar help button starts: the pointer becomes the help pointer until the
// next click, and the control clicked on is the one the user asks about.
#include <windows.h>

namespace vimo {

// True with the control under a left click inside `form` and the click's screen point.
// Escape, any other key, another button, or a click outside the form give false.
bool PickHelpControl(HWND form, HWND& control, POINT& at);

// The deepest visible child of `parent` at a screen point, disabled ones included;
// `parent` itself when none is there.
HWND ControlAt(HWND parent, POINT screen);

}  // namespace vimo
