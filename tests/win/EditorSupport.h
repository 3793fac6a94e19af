#pragma once
// Acting on a modal dialog from inside its own message loop: the step is posted to the
// application window before ShowModal and runs once the dialog is up.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/StdControls.h"

namespace vimo::test {

inline void WhenShown(std::function<void()> step) { Application().PostDeferred(std::move(step)); }

// What a user's click on a button sends its dialog.
inline void ClickButton(TButton* b) {
  SendMessageA(GetParent(b->Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b->Handle()), BN_CLICKED),
               reinterpret_cast<LPARAM>(b->Handle()));
}

// What a user's pick in a drop-down list sends its dialog.
inline void PickItem(TComboBox* c, int index) {
  SendMessageA(c->Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageA(GetParent(c->Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c->Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(c->Handle()));
}

inline std::string TextOf(HWND h) {
  char buffer[4096] = {};
  GetWindowTextA(h, buffer, sizeof buffer);
  return buffer;
}

}  // namespace vimo::test
