#include "ui/Form.h"

#include <commctrl.h>

#include <vector>

#include "platform/DpiScale.h"
#include "platform/Utf.h"
#include "platform/win32/OnFirstUse.h"
#include "ui/Application.h"

namespace vimo {
namespace {

constexpr const char* kFormClass = "TVimoForm";

void RegisterFormClass() {
  static bool registered = false;
  if (registered) return;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_UPDOWN_CLASS};
  onfirstuse::InitCommonControlsEx(&icc);
  const std::wstring name = Widen(kFormClass);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = name.c_str();
  RegisterClassW(&wc);
  registered = true;
}

const char* FormClass() {
  RegisterFormClass();
  return kFormClass;
}

DWORD FormStyle(TFormStyle s) {
  return s == TFormStyle::Popup ? WS_POPUP : WS_POPUP | WS_CAPTION | WS_SYSMENU;
}

DWORD FormExStyle(TFormStyle s) {
  // Tool windows keep the pop-ups out of the taskbar.
  return s == TFormStyle::Popup ? WS_EX_TOPMOST | WS_EX_TOOLWINDOW : WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
}

HFONT MakeFont(int height, int weight) {
  return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

BOOL CALLBACK CollectEnabled(HWND h, LPARAM p) {
  auto* list = reinterpret_cast<std::vector<HWND>*>(p);
  if (IsWindowVisible(h) && IsWindowEnabled(h)) list->push_back(h);
  return TRUE;
}

int forcedDpi = 0;

}  // namespace

void TForm::ForceDpi(int dpi) { forcedDpi = dpi; }

// The DPI of the monitor a window is on, where the system tells it (Windows 10 and
// later); otherwise the system's.
int WindowDpi(HWND h) {
  if (forcedDpi > 0) return forcedDpi;
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow && h) {
    UINT dpi = getDpiForWindow(h);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return TForm::PixelsPerInch();
}

int TForm::PixelsPerInch() {
  if (forcedDpi > 0) return forcedDpi;
  HDC dc = GetDC(nullptr);
  int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi > 0 ? ppi : 96;
}

TForm::TForm(TFormStyle style)
    : TControl(nullptr, FormClass(), FormStyle(style), FormExStyle(style), (Application().Initialize(), Application().Handle())),
      style_(style) {
  dpi_ = WindowDpi(handle_);
  MakeFonts();
  if (style == TFormStyle::Dialog) {
    // A group box leaves its inside to the parent: the dialog must paint beneath it.
    SetWindowLongPtrW(handle_, GWL_STYLE, GetWindowLongPtrW(handle_, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CLIPCHILDREN));
  }
}

void TForm::MakeFonts() {
  fontHeight_ = -MulDiv(8, dpi_, 72);
  font_ = TGdiObject(MakeFont(fontHeight_, FW_NORMAL));
  boldFont_ = TGdiObject(MakeFont(fontHeight_, FW_BOLD));
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
}

void TForm::ScaleTo(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return;
  const int old = dpi_;
  dpi_ = dpi;
  // The old fonts stay until every control has the new ones.
  TGdiObject oldFont = std::move(font_), oldBold = std::move(boldFont_);
  MakeFonts();
  std::vector<TControl*> todo(children_.begin(), children_.end());
  while (!todo.empty()) {
    TControl* c = todo.back();
    todo.pop_back();
    todo.insert(todo.end(), c->children_.begin(), c->children_.end());
    if (!c->standardProc_) continue;
    HGDIOBJ had = reinterpret_cast<HGDIOBJ>(SendMessageW(c->handle_, WM_GETFONT, 0, 0));
    if (had == oldFont.Get() || had == nullptr)
      SendMessageW(c->handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    else if (had == oldBold.Get())
      SendMessageW(c->handle_, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), FALSE);
  }
  ChangeScale(dpi, old);
  if (OnDpiChanged) OnDpiChanged(this);
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TForm::ChangeScale(int m, int d) {
  SetClientSize(MulDiv(ClientWidth(), m, d), MulDiv(ClientHeight(), m, d));
  TControl::ChangeScale(m, d);
}

void TForm::ScaleFromDesign() {
  const int dpi = dpi_;
  if (dpi == kDesignDpi) return;
  // The controls stand in 96-DPI units; the fonts are already made for the form's DPI.
  dpi_ = kDesignDpi;
  ScaleTo(dpi);
}

TForm::~TForm() {
  for (auto& [id, callback] : timers_) KillTimer(handle_, id);
  timers_.clear();
  if (tooltip_) DestroyWindow(tooltip_);
}

void TForm::SetBounds(int left, int top, int width, int height) {
  bounds_ = {left, top, left + width, top + height};
  SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetClientSize(int width, int height) {
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE)));
  SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

void TForm::SetCaption(const std::string& caption) { SetWindowTextW(handle_, Widen(caption).c_str()); }

void TForm::Show() {
  visible_ = true;
  ShowWindow(handle_, SW_SHOW);
  ++showing_;
  struct Done {
    TForm& form;
    ~Done() {
      if (--form.showing_ == 0 && form.deleteAfterShow_) {
        form.deleteAfterShow_ = false;
        TForm* f = &form;
        Application().PostDeferred([f] { delete f; });
      }
    }
  } done{*this};
  if (OnShow) OnShow(this);
}

void TForm::Close() {
  if (OnCloseQuery && !OnCloseQuery(this)) return;
  if (modal_) {
    if (ModalResult == mrNone) ModalResult = mrCancel;
    return;
  }
  if (OnClose)
    OnClose(this);
  else
    SetVisible(false);
}

void TForm::Release() {
  if (released_) return;
  released_ = true;
  Application().PostDeferred([this] { DeleteReleased(); });
}

void TForm::DeleteReleased() {
  // The deferred message can come in the pump of this form's own show: the show still
  // uses the form, so it goes after the show.
  if (showing_ > 0) {
    deleteAfterShow_ = true;
    return;
  }
  delete this;
}

void TForm::ClosePopup() {
  if (OnPopupClosed) OnPopupClosed(this);
  Release();
}

void TForm::BringToForeground() {
  SetForegroundWindow(Application().Handle());
  SetForegroundWindow(handle_);
  Application().ProcessMessages();
}

void TForm::SetModalResult(int r) { ModalResult = r; }

int TForm::ShowModal() {
  // Every other window of the program is disabled while the dialog runs.
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), &CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
  for (HWND h : disabled)
    if (h != handle_) EnableWindow(h, FALSE);
  modal_ = true;
  ModalResult = mrNone;
  if (style_ == TFormStyle::Dialog)
    SetBounds((ScreenWidth() - Width()) / 2, (ScreenHeight() - Height()) / 2, Width(), Height());
  Show();
  SetForegroundWindow(handle_);
  HWND first = GetNextDlgTabItem(handle_, nullptr, FALSE);
  SetFocus(first ? first : handle_);
  MSG msg;
  while (true) {
    if (ModalResult != mrNone) {
      if (!OnCloseQuery || OnCloseQuery(this)) break;
      ModalResult = mrNone;
    }
    // The wide loop: a typed character reaches the Unicode windows whole.
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      PostQuitMessage(0);
      if (ModalResult == mrNone) ModalResult = mrCancel;
      break;
    }
    if (!IsDialogMessageW(handle_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  modal_ = false;
  for (HWND h : disabled)
    if (h != handle_ && IsWindow(h)) EnableWindow(h, TRUE);
  ShowWindow(handle_, SW_HIDE);
  visible_ = false;
  return ModalResult;
}

void TForm::StartTimer(UINT id, UINT interval, std::function<void()> callback) {
  timers_[id] = std::move(callback);
  SetTimer(handle_, id, interval, nullptr);
}

void TForm::StopTimer(UINT id) {
  KillTimer(handle_, id);
  timers_.erase(id);
}

bool TForm::PreviewKey(WORD& key) {
  if (KeyPreview && OnKeyDown) OnKeyDown(this, key, 0);
  return key != 0;
}

bool TForm::DialogKey(WORD key) {
  // A disabled button is not pressed by its key either.
  if (key == VK_RETURN && DefaultButton && DefaultButton->Enabled()) {
    DefaultButton->Click();
    return true;
  }
  if (key == VK_ESCAPE && CancelButton && CancelButton->Enabled()) {
    CancelButton->Click();
    return true;
  }
  return false;
}

bool TForm::MouseWheel(int delta) { return OnMouseWheel && OnMouseWheel(this, delta); }

void TForm::AddHint(TControl* control) {
  if (!tooltip_) {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                               0, 0, handle_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return;
  }
  std::wstring hint = Widen(control->Hint);  // the tool keeps a copy
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V1_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = handle_;
  info.uId = reinterpret_cast<UINT_PTR>(control->Handle());
  info.lpszText = hint.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void TForm::ShowInTaskbar() {
  SetWindowLongPtrW(handle_, GWL_EXSTYLE, GetWindowLongPtrW(handle_, GWL_EXSTYLE) | WS_EX_APPWINDOW);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  auto icon = [instance](int metric) {
    return reinterpret_cast<LPARAM>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(metric),
                                               GetSystemMetrics(metric), LR_SHARED));
  };
  SendMessageW(handle_, WM_SETICON, ICON_BIG, icon(SM_CXICON));
  SendMessageW(handle_, WM_SETICON, ICON_SMALL, icon(SM_CXSMICON));
}

void TForm::ShowHelpButton() {
  // WM_HELP then names the control under the question mark.
  SetWindowLongPtrW(handle_, GWL_EXSTYLE, GetWindowLongPtrW(handle_, GWL_EXSTYLE) | WS_EX_CONTEXTHELP);
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
}

void TForm::PickHelp() {
  HWND control = nullptr;
  POINT at{};
  const auto& pick = Application().Help.PickControl;
  if (pick && pick(handle_, control, at)) RequestHelp(HELP_CONTEXTPOPUP, control, RECT{at.x, at.y, at.x, at.y});
}

void TForm::RequestHelp(UINT command, HWND control, const RECT& anchor) {
  helpAnchor_ = anchor;
  int id = HelpIdOf(control);
  if (OnHelp)
    OnHelp(this, command, static_cast<ULONG_PTR>(id));
  else
    ContextHelp(command, static_cast<ULONG_PTR>(id), HelpTopic);
}

void TForm::ContextHelp(UINT command, ULONG_PTR helpId, const std::string& topic) {
  Application().ContextHelp(handle_, command, static_cast<int>(helpId), helpAnchor_, topic);
}

int TForm::HelpIdOf(HWND control) const {
  // A click may land on an inner window of a control: walk up to one we know.
  for (HWND h = control; h && h != handle_; h = GetParent(h)) {
    auto it = helpIds_.find(h);
    if (it != helpIds_.end()) return it->second;
  }
  return 0;
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_HELP: {
      auto* info = reinterpret_cast<HELPINFO*>(lParam);
      if (info && info->iContextType == HELPINFO_WINDOW) {
        // Shift+F1 is the keyboard's way to the help button; F1 asks about the focused control.
        if (GetKeyState(VK_SHIFT) < 0) {
          PickHelp();
        } else {
          HWND control = static_cast<HWND>(info->hItemHandle);
          RECT r{};
          GetWindowRect(control, &r);
          RequestHelp(HELP_CONTEXT, control, r);
        }
      }
      return TRUE;
    }
    case WM_SYSCOMMAND:
      // The help button: done here rather than by the system, which Wine does not do.
      if ((wParam & 0xFFF0) == SC_CONTEXTHELP) {
        PickHelp();
        return 0;
      }
      break;
    case WM_SIZE: {
      RECT r{};
      GetWindowRect(handle_, &r);
      bounds_ = r;
      break;
    }
    case WM_MOVE: {
      RECT r{};
      GetWindowRect(handle_, &r);
      bounds_ = r;
      return 0;
    }
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DPICHANGED: {
      // Moved to a monitor of another DPI: laid out for it at the place the system
      // suggests, the size our own.
      ScaleTo(LOWORD(wParam));
      if (const auto* suggested = reinterpret_cast<const RECT*>(lParam))
        SetBounds(suggested->left, suggested->top, Width(), Height());
      return 0;
    }
    case WM_TIMER: {
      auto it = timers_.find(static_cast<UINT>(wParam));
      if (it != timers_.end()) {
        auto callback = it->second;  // the callback may stop its own timer
        callback();
      }
      return 0;
    }
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(wParam);
      if (PreviewKey(key)) DialogKey(key);
      return 0;
    }
    case WM_MOUSEWHEEL:
      MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_COMMAND:
      if (lParam == 0) {
        if (LOWORD(wParam) == IDOK && DefaultButton && DefaultButton->Enabled()) DefaultButton->Click();
        if (LOWORD(wParam) == IDCANCEL && CancelButton && CancelButton->Enabled()) CancelButton->Click();
        return 0;
      }
      break;
  }
  return TControl::WndProc(msg, wParam, lParam);
}

TPopupFrame BuildPopupFrame(TForm* form, const std::function<void(TControl*)>& close) {
  TPopupFrame f{};
  f.btnClose = new TButton(form, "", IDCANCEL);
  f.btnClose->ModalResult = mrCancel;
  f.btnClose->OnClick = close;
  form->DefaultButton = f.btnClose;
  form->CancelButton = f.btnClose;
  f.pnlMain = new TPanel(form);
  f.pnlMain->BevelOuter = TBevelCut::None;
  f.btnClose->SendToBack();
  f.pnlToolbar = new TPanel(f.pnlMain);
  f.pnlToolbar->BevelInner = TBevelCut::Raised;
  f.sbtClose = new TSpeedButton(f.pnlToolbar, TGlyph::Close, "Close");
  f.sbtClose->OnClick = close;
  return f;
}

}  // namespace vimo
