#include "help/win32/HelpPicker.h"

#include "help/win32/HelpPopup.h"

namespace vimo {

HWND ControlAt(HWND parent, POINT screen) {
  HWND h = parent;
  for (;;) {
    POINT p = screen;
    ScreenToClient(h, &p);
    HWND child = ChildWindowFromPointEx(h, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!child || child == h) return h;
    h = child;
  }
}

bool PickHelpControl(HWND form, HWND& control, POINT& at) {
  // A pop-up still showing would take the click for itself.
  CloseHelpPopup();
  HCURSOR help = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HELP));
  SetCapture(form);
  SetCursor(help);
  bool pressed = false, picked = false;
  MSG msg;
  // Done when the click is over, or when the capture went elsewhere (another program
  // came to the front).
  while (!picked && GetCapture() == form) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    bool cancel = false;
    switch (msg.message) {
      case WM_MOUSEMOVE:
        SetCursor(help);
        continue;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        pressed = true;
        continue;
      case WM_LBUTTONUP:
        if (!pressed) continue;
        // In the client coordinates of the window the message went to: the form while it
        // holds the capture, the control for a click queued before the mode began.
        at = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
        ClientToScreen(msg.hwnd, &at);
        picked = true;
        continue;
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_NCLBUTTONDOWN:
      case WM_NCRBUTTONDOWN:
        cancel = true;
        break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        // Held modifiers and the repeats of the Shift+F1 that began the mode go by.
        if (msg.wParam == VK_SHIFT || msg.wParam == VK_CONTROL || msg.wParam == VK_MENU || (msg.lParam & 0x40000000))
          continue;
        cancel = true;
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
      case WM_CHAR:
      case WM_SYSCHAR:
        continue;
      default:
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        continue;
    }
    if (cancel) break;
  }
  if (GetCapture() == form) ReleaseCapture();
  if (!picked) return false;
  RECT bounds{};
  GetWindowRect(form, &bounds);
  if (!PtInRect(&bounds, at)) return false;
  control = ControlAt(form, at);
  return true;
}

}  // namespace vimo
