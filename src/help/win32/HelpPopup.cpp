#include "help/win32/HelpPopup.h"

#include <algorithm>

#include "help/HelpPage.h"
#include "help/HelpRules.h"
#include "help/win32/HelpSource.h"
#include "platform/Utf.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Controls.h"

namespace vimo {
namespace {

constexpr const wchar_t* kPopupClass = L"TVimoHelpPopup";
constexpr int kMaxTextWidth = 300;  // at 96 pixels per inch
constexpr int kPadding = 8;
constexpr const char* kMoreHint = "F1: the whole topic";

// The one pop-up there is, with what it shows and the hooks that close it.
struct TPopup {
  HWND window = nullptr;
  std::wstring title, text, hint;
  TGdiObject font, boldFont;
  RECT titleRect{}, textRect{}, hintRect{};
  HHOOK keyboard = nullptr;
  HWND restoreFocus = nullptr;  // the control that had the focus before it
};
TPopup* popup = nullptr;
// The mouse hook stays after the pop-up until the release of the click that closed it:
// that release belongs to the click, and must not click what lies below.
HHOOK mouseHook = nullptr;
UINT swallowUp = 0;

void ReleaseMouseHookWhenIdle() {
  if (popup || swallowUp || !mouseHook) return;
  UnhookWindowsHookEx(mouseHook);
  mouseHook = nullptr;
}

HFONT MakeFont(int weight) {
  return CreateFontW(-MulDiv(8, TForm::PixelsPerInch(), 72), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

bool IsModifier(WPARAM vk) {
  switch (vk) {
    case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_LSHIFT: case VK_RSHIFT: case VK_LCONTROL:
    case VK_RCONTROL: case VK_LMENU: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_CAPITAL:
      return true;
  }
  return false;
}

UINT UpFor(WPARAM down) {
  switch (down) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: return WM_LBUTTONUP;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: return WM_RBUTTONUP;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: return WM_MBUTTONUP;
    case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK: return WM_NCLBUTTONUP;
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK: return WM_NCRBUTTONUP;
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK: return WM_NCMBUTTONUP;
  }
  return 0;
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM key, LPARAM flags) {
  HHOOK self = popup ? popup->keyboard : nullptr;
  // A fresh press, not its release and not the repeats of a key held since the pop-up
  // opened (the F1 that opened it). F1 goes on: the form's help answers it with the
  // whole topic (and Wine has sent its help request before any hook sees the key).
  bool press = (flags & 0xC0000000) == 0;
  if (code == HC_ACTION && popup && press && !IsModifier(key) && key != VK_F1) {
    CloseHelpPopup();
    return 1;  // the key only closes the pop-up
  }
  return CallNextHookEx(self, code, key, flags);
}

LRESULT CALLBACK MouseHook(int code, WPARAM msg, LPARAM info) {
  HHOOK self = mouseHook;
  if (code == HC_ACTION) {
    if (swallowUp && msg == swallowUp) {
      swallowUp = 0;
      ReleaseMouseHookWhenIdle();
      return 1;
    }
    if (popup && UpFor(msg)) {
      swallowUp = UpFor(msg);  // the click only closes the pop-up
      CloseHelpPopup();
      return 1;
    }
  }
  return CallNextHookEx(self, code, msg, info);
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
  if (popup) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    const UINT flags = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
    HGDIOBJ old = SelectObject(dc, popup->boldFont.Get());
    DrawTextW(dc, popup->title.c_str(), -1, &popup->titleRect, flags);
    SelectObject(dc, popup->font.Get());
    DrawTextW(dc, popup->text.c_str(), -1, &popup->textRect, flags);
    if (!popup->hint.empty()) {
      SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
      DrawTextW(dc, popup->hint.c_str(), -1, &popup->hintRect, flags);
    }
    SelectObject(dc, old);
  }
  EndPaint(window, &ps);
}

LRESULT CALLBACK PopupProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      Guarded([&] { Paint(window); });
      return 0;
    case WM_ERASEBKGND:
      return TRUE;
    case WM_ACTIVATE:
      // Another window or program came to the front.
      if (LOWORD(wParam) == WA_INACTIVE) PostMessageW(window, WM_CLOSE, 0, 0);
      return 0;
    case WM_CLOSE:
      if (popup && popup->window == window) CloseHelpPopup();
      return 0;
    case WM_NCDESTROY:
      // Also when its owner goes first and takes it along.
      if (popup && popup->window == window) {
        if (popup->keyboard) UnhookWindowsHookEx(popup->keyboard);
        delete popup;
        popup = nullptr;
        ReleaseMouseHookWhenIdle();
      }
      break;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

void RegisterPopupClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DROPSHADOW;
  wc.lpfnWndProc = PopupProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kPopupClass;
  RegisterClassExW(&wc);
  registered = true;
}

// The height `text` takes in `width` pixels.
int TextHeight(HDC dc, HGDIOBJ font, const std::wstring& text, int width, int& usedWidth) {
  if (text.empty()) {
    usedWidth = 0;
    return 0;
  }
  HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  usedWidth = r.right;
  return r.bottom;
}

}  // namespace

HWND HelpPopupHandle() { return popup ? popup->window : nullptr; }

void CloseHelpPopup() {
  if (!popup || !popup->window) return;
  HWND focus = popup->restoreFocus;
  DestroyWindow(popup->window);
  // Its dialog is active again: the focus goes back to where it was, unless the user
  // went to another program meanwhile.
  if (focus && IsWindow(focus) && GetActiveWindow() && GetActiveWindow() == GetAncestor(focus, GA_ROOT))
    SetFocus(focus);
}

bool ShowHelpPopup(HWND owner, int helpId, const RECT& anchor) {
  const THelpContext* context = BuiltInHelp().FindContext(helpId);
  if (!context) return false;
  CloseHelpPopup();
  RegisterPopupClass();

  auto* p = new TPopup;
  p->title = Widen(PlainText(context->Title));
  p->text = Widen(ContextPopupText(*context));
  p->hint = Widen(kMoreHint);
  p->font = TGdiObject(MakeFont(FW_NORMAL));
  p->boldFont = TGdiObject(MakeFont(FW_BOLD));

  int ppi = TForm::PixelsPerInch();
  int pad = MulDiv(kPadding, ppi, 96);
  int maxWidth = MulDiv(kMaxTextWidth, ppi, 96);
  HDC dc = GetDC(nullptr);
  int titleWidth = 0, textWidth = 0, hintWidth = 0;
  int titleHeight = TextHeight(dc, p->boldFont.Get(), p->title, maxWidth, titleWidth);
  int textHeight = TextHeight(dc, p->font.Get(), p->text, maxWidth, textWidth);
  int hintHeight = TextHeight(dc, p->font.Get(), p->hint, maxWidth, hintWidth);
  ReleaseDC(nullptr, dc);
  int inner = std::max({titleWidth, textWidth, hintWidth});
  int y = pad;
  p->titleRect = {pad, y, pad + inner, y + titleHeight};
  y += titleHeight + pad / 2;
  p->textRect = {pad, y, pad + inner, y + textHeight};
  y += textHeight;
  if (hintHeight) {
    y += pad / 2;
    p->hintRect = {pad, y, pad + inner, y + hintHeight};
    y += hintHeight;
  }
  RECT frame{0, 0, inner + 2 * pad, y + pad};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;

  MONITORINFO monitor{sizeof monitor};
  GetMonitorInfoW(MonitorFromRect(&anchor, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& w = monitor.rcWork;
  TPoint at = PlaceHelpPopup({anchor.left, anchor.top, anchor.right, anchor.bottom}, width, height,
                             {w.left, w.top, w.right, w.bottom});

  p->restoreFocus = GetFocus();
  popup = p;
  // The pop-up's text is its window text too, for screen readers.
  std::wstring caption = p->title + L": " + p->text;
  p->window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPopupClass, caption.c_str(),
                              WS_POPUP | WS_BORDER, at.x, at.y, width, height, owner, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  if (!p->window) {
    delete p;
    popup = nullptr;
    return false;
  }
  // Hooks of this thread only: the keys and clicks meant for the program while it shows.
  p->keyboard = SetWindowsHookExW(WH_KEYBOARD, KeyboardHook, nullptr, GetCurrentThreadId());
  if (!mouseHook) mouseHook = SetWindowsHookExW(WH_MOUSE, MouseHook, nullptr, GetCurrentThreadId());
  // Active, as the old help's pop-ups were: Wine does not raise a window shown without
  // activation above the active one, so it would lie under its own dialog.
  ShowWindow(p->window, SW_SHOW);
  UpdateWindow(p->window);
  return true;
}

}  // namespace vimo
