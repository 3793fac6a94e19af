#include "ui/StdControls.h"

#include <commctrl.h>
#include <commdlg.h>

#include <windowsx.h>

#include <algorithm>

#include "platform/Contrast.h"
#include "platform/Files.h"
#include "platform/Utf.h"
#include "platform/win32/OnFirstUse.h"
#include "ui/Form.h"

namespace vimo {

// ---------------------------------------------------------------------------- check box

TCheckBox::TCheckBox(TControl* parent, const std::string& caption)
    : TControl(TStandard{}, parent, "BUTTON", caption.c_str(), WS_TABSTOP | BS_AUTOCHECKBOX) {}

bool TCheckBox::Checked() const { return SendMessageW(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool on) { SendMessageW(handle_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

void TCheckBox::Notify(UINT code) {
  if (code == BN_CLICKED && OnClick) OnClick(this);
}

// ---------------------------------------------------------------------------- radio group

class TRadioGroup::TRadioButton : public TControl {
 public:
  TRadioButton(TRadioGroup* group, const std::string& caption, bool first)
      : TControl(TStandard{}, group, "BUTTON", caption.c_str(),
                 BS_AUTORADIOBUTTON | WS_CLIPSIBLINGS | (first ? WS_GROUP | WS_TABSTOP : 0)),
        group_(group) {}

 protected:
  void Notify(UINT code) override {
    if (code == BN_CLICKED && group_->OnClick) group_->OnClick(group_);
  }

 private:
  TRadioGroup* group_;
};

TRadioGroup::TRadioGroup(TControl* parent, const std::string& caption, const std::vector<std::string>& items,
                         int columns)
    : TPanel(parent), columns_(std::max(columns, 1)) {
  BevelOuter = TBevelCut::None;
  // Tab and arrow keys of the dialog walk into the buttons.
  SetWindowLongPtrW(handle_, GWL_EXSTYLE, GetWindowLongPtrW(handle_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  box_ = new TGroupBox(this, caption);
  SetWindowLongPtrW(box_->Handle(), GWL_STYLE, GetWindowLongPtrW(box_->Handle(), GWL_STYLE) | WS_CLIPSIBLINGS);
  for (std::size_t i = 0; i < items.size(); ++i) buttons_.push_back(new TRadioButton(this, items[i], i == 0));
  box_->SendToBack();
}

int TRadioGroup::ItemIndex() const {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (SendMessageW(buttons_[i]->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED) return static_cast<int>(i);
  return -1;
}

void TRadioGroup::SetItemIndex(int index) {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    SendMessageW(buttons_[i]->Handle(), BM_SETCHECK, static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
}

HWND TRadioGroup::ButtonHandle(int index) const {
  return index >= 0 && index < Count() ? buttons_[static_cast<std::size_t>(index)]->Handle() : nullptr;
}

void TRadioGroup::Arrange() {
  int w = ClientWidth(), h = ClientHeight();
  box_->SetBounds(0, 0, w, h);
  if (buttons_.empty()) return;
  int rows = (Count() + columns_ - 1) / columns_;
  const int margin = Scaled(8), gap = Scaled(4);
  int top = Scaled(14), inner = std::max(h - top - gap, 1);
  int colWidth = std::max((w - 2 * margin) / columns_, 1), rowHeight = std::max(inner / rows, 1);
  for (int i = 0; i < Count(); ++i) {
    int col = i / rows, row = i % rows;
    // Four pixels (at 96 DPI) between the rows.
    int bh = std::clamp(rowHeight - gap, 1, Scaled(17));
    buttons_[static_cast<std::size_t>(i)]->SetBounds(margin + col * colWidth,
                                                     top + row * rowHeight + (rowHeight - bh) / 2, colWidth - gap, bh);
  }
}

void TRadioGroup::ChangeScale(int m, int d) {
  TPanel::ChangeScale(m, d);
  Arrange();  // the box and the buttons follow the group, not their own scaling
}

LRESULT TRadioGroup::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SIZE) {
    LRESULT r = TPanel::WndProc(msg, wParam, lParam);
    Arrange();
    return r;
  }
  if (msg == WM_ENABLE) {
    // The buttons grey out with their group.
    EnableWindow(box_->Handle(), static_cast<BOOL>(wParam));
    for (TControl* b : buttons_) EnableWindow(b->Handle(), static_cast<BOOL>(wParam));
  }
  return TPanel::WndProc(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------- combo box

TComboBox::TComboBox(TControl* parent)
    : TControl(TStandard{}, parent, "COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST) {}

void TComboBox::SetBounds(int left, int top, int width, int height) {
  // The window's height includes the dropped-down list.
  TControl::SetBounds(left, top, width, height);
  MoveWindow(handle_, left, top, std::max(width, 0), std::max(height, 0) + 200, TRUE);
}

void TComboBox::Clear() { SendMessageW(handle_, CB_RESETCONTENT, 0, 0); }

void TComboBox::AddItem(const std::string& text, int id) {
  std::wstring wide = Widen(text);
  LRESULT index = SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  if (index >= 0) SendMessageW(handle_, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(id));
}

int TComboBox::Count() const { return static_cast<int>(SendMessageW(handle_, CB_GETCOUNT, 0, 0)); }

std::string TComboBox::Item(int index) const {
  LRESULT n = SendMessageW(handle_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n < 0) return {};
  std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
  n = SendMessageW(handle_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<std::size_t>(std::max<LRESULT>(n, 0)));
  return Narrow(s);
}

int TComboBox::ItemId(int index) const {
  if (index < 0 || index >= Count()) return 0;
  return static_cast<int>(SendMessageW(handle_, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

int TComboBox::ItemIndex() const {
  LRESULT i = SendMessageW(handle_, CB_GETCURSEL, 0, 0);
  return i == CB_ERR ? -1 : static_cast<int>(i);
}

void TComboBox::SetItemIndex(int index) {
  SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index >= 0 && index < Count() ? index : -1), 0);
}

int TComboBox::IndexOfId(int id) const {
  for (int i = 0; i < Count(); ++i)
    if (ItemId(i) == id) return i;
  return -1;
}

void TComboBox::Notify(UINT code) {
  if (code == CBN_SELCHANGE && OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------- memo

TMemo::TMemo(TControl* parent, bool readOnly)
    : TControl(TStandard{}, parent, "EDIT", "",
               WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN |
                   ES_NOHIDESEL | (readOnly ? ES_READONLY : 0),
               WS_EX_CLIENTEDGE) {
  // No length limit beyond what the system allows.
  SendMessageW(handle_, EM_LIMITTEXT, 0, 0);
}

std::string TMemo::Text() const { return WindowText(handle_); }

void TMemo::SetText(const std::string& text) {
  SetWindowTextW(handle_, Widen(text).c_str());
  // A multi-line edit sends no EN_CHANGE for WM_SETTEXT, yet a new text is a change.
  if (OnChange) OnChange(this);
}

void TMemo::Notify(UINT code) {
  if (code == EN_CHANGE && OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------- hot key

THotKey::THotKey(TControl* parent) : TControl(TStandard{}, parent, HOTKEY_CLASSA, "", WS_TABSTOP, WS_EX_CLIENTEDGE) {}

int THotKey::HotKey() const { return static_cast<int>(LOWORD(SendMessageW(handle_, HKM_GETHOTKEY, 0, 0))); }

void THotKey::SetHotKey(int value) {
  SendMessageW(handle_, HKM_SETHOTKEY, static_cast<WPARAM>(value), 0);
}

void THotKey::SetRules(WORD invalidCombinations, WORD replacementModifiers) {
  SendMessageW(handle_, HKM_SETRULES, invalidCombinations, MAKELPARAM(replacementModifiers, 0));
}

// ---------------------------------------------------------------------------- track bar

TTrackBar::TTrackBar(TControl* parent, int min, int max, int pageSize)
    : TControl(TStandard{}, parent, TRACKBAR_CLASSA, "", WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM),
      min_(min),
      max_(max),
      last_(min) {
  SendMessageW(handle_, TBM_SETRANGEMIN, FALSE, min);
  SendMessageW(handle_, TBM_SETRANGEMAX, TRUE, max);
  SendMessageW(handle_, TBM_SETPAGESIZE, 0, pageSize);
  SendMessageW(handle_, TBM_SETLINESIZE, 0, 1);
  SendMessageW(handle_, TBM_SETPOS, TRUE, min);
}

int TTrackBar::Position() const { return static_cast<int>(SendMessageW(handle_, TBM_GETPOS, 0, 0)); }

void TTrackBar::SetPosition(int position) {
  position = std::clamp(position, min_, max_);
  SendMessageW(handle_, TBM_SETPOS, TRUE, position);
  Notify(TB_ENDTRACK);
}

void TTrackBar::Notify(UINT) {
  int now = Position();
  if (now == last_) return;
  last_ = now;
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------- notebook

TNotebook::TNotebook(TControl* parent) : TPanel(parent) {
  BevelOuter = TBevelCut::None;
  SetWindowLongPtrW(handle_, GWL_EXSTYLE, GetWindowLongPtrW(handle_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
}

TPanel* TNotebook::AddPage(const std::string& caption) {
  auto* page = new TPanel(this);
  page->BevelOuter = TBevelCut::None;
  SetWindowLongPtrW(page->Handle(), GWL_EXSTYLE, GetWindowLongPtrW(page->Handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  page->SetVisible(false);
  page->SetAlign(TAlign::Client);
  pages_.push_back(page);
  captions_.push_back(caption);
  if (index_ < 0) SetPageIndex(0);
  return page;
}

void TNotebook::SetPageIndex(int index) {
  if (index < 0 || index >= PageCount() || index == index_) return;
  TPanel* old = index_ >= 0 ? pages_[static_cast<std::size_t>(index_)] : nullptr;
  index_ = index;
  TPanel* now = pages_[static_cast<std::size_t>(index)];
  now->SetVisible(true);
  // The focus must not stay on a control that is going out of sight.
  if (old) {
    HWND focus = GetFocus();
    bool focusInside = focus && IsChild(old->Handle(), focus);
    old->SetVisible(false);
    if (focusInside) SetFocus(Handle());
  }
}

bool TNotebook::SetActivePage(const std::string& caption) {
  for (int i = 0; i < PageCount(); ++i)
    if (captions_[static_cast<std::size_t>(i)] == caption) {
      SetPageIndex(i);
      return true;
    }
  return false;
}

// ---------------------------------------------------------------------------- bevel

TBevel::TBevel(TControl* parent) : TControl(parent, "TVimoControl", 0, 0) {}

void TBevel::Paint(HDC dc) {
  int w = ClientWidth(), h = ClientHeight();
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  if (w >= h) {
    int y = h / 2 - 1;
    DrawLine(dc, 0, y, w, y, shadow);
    DrawLine(dc, 0, y + 1, w, y + 1, light);
  } else {
    int x = w / 2 - 1;
    DrawLine(dc, x, 0, x, h, shadow);
    DrawLine(dc, x + 1, 0, x + 1, h, light);
  }
}

// ---------------------------------------------------------------------------- link label

TLinkLabel::TLinkLabel(TControl* parent, const std::string& caption)
    : TControl(parent, "TVimoControl", WS_TABSTOP, 0), caption_(caption) {
  Cursor = LoadCursor(nullptr, IDC_HAND);
  MakeFont();
}

void TLinkLabel::MakeFont() {
  if (TForm* form = OwnerForm())
    font_ = TGdiObject(CreateFontW(form->FontHeight(), 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                   L"Tahoma"));
}

void TLinkLabel::ChangeScale(int m, int d) {
  TControl::ChangeScale(m, d);
  MakeFont();  // the form's font is already made for the new DPI
  Invalidate();
}

void TLinkLabel::Click() {
  if (OnClick) OnClick(this);
}

void TLinkLabel::Paint(HDC dc) {
  HGDIOBJ old = font_.Get() ? SelectObject(dc, font_.Get()) : nullptr;
  // The scheme's link colour where it reads on the face (some themes make it a pale
  // hover fill), else the highlight or the text colour.
  SetTextColor(dc, ReadableColor(Color(), {GetSysColor(COLOR_HOTLIGHT), GetSysColor(COLOR_HIGHLIGHT),
                                           GetSysColor(COLOR_BTNTEXT)}));
  RECT all{0, 0, ClientWidth(), ClientHeight()};
  DrawTextIn(dc, caption_, all, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (GetFocus() == handle_ && !hideFocus_) {
    // The focus goes round the text, one pixel out.
    int width = std::min(TextWidth(dc, caption_) + 4, static_cast<int>(all.right));
    RECT text{(all.right - width) / 2, 0, (all.right + width) / 2, all.bottom};
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &text);
  }
  if (old) SelectObject(dc, old);
}

LRESULT TLinkLabel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_GETDLGCODE: {
      // Enter opens the link instead of pressing the dialog's default button.
      auto* m = reinterpret_cast<const MSG*>(lParam);
      return m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN ? DLGC_WANTALLKEYS : 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        Click();
        return 0;
      }
      if (wParam == VK_SPACE) return 0;
      break;
    case WM_KEYUP:
      // Space acts on release, as a button does.
      if (wParam == VK_SPACE) {
        Click();
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
      SetFocus(handle_);
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    case WM_UPDATEUISTATE:
      UpdateHideFocus(hideFocus_, wParam);
      Invalidate();
      break;
  }
  if (msg == WM_LBUTTONUP) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT r{0, 0, ClientWidth(), ClientHeight()};
    if (PtInRect(&r, p)) Click();
  }
  return TControl::WndProc(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------- group panel

TGroupPanel::TGroupPanel(TControl* parent, const std::string& caption) : TPanel(parent), box_(nullptr) {
  BevelOuter = TBevelCut::None;
  SetWindowLongPtrW(handle_, GWL_EXSTYLE, GetWindowLongPtrW(handle_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  box_ = new TGroupBox(this, caption);
  SetWindowLongPtrW(box_->Handle(), GWL_STYLE, GetWindowLongPtrW(box_->Handle(), GWL_STYLE) | WS_CLIPSIBLINGS);
}

void TGroupPanel::ChangeScale(int m, int d) {
  TPanel::ChangeScale(m, d);
  box_->SetBounds(0, 0, ClientWidth(), ClientHeight());
  box_->SendToBack();
}

LRESULT TGroupPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SIZE && box_) {
    LRESULT r = TPanel::WndProc(msg, wParam, lParam);
    box_->SetBounds(0, 0, ClientWidth(), ClientHeight());
    box_->SendToBack();
    return r;
  }
  // A control added later goes below the box in the z-order, and the box would cover it.
  if (msg == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE && box_) box_->SendToBack();
  if (msg == WM_ENABLE) EnableWindow(box_->Handle(), static_cast<BOOL>(wParam));
  return TPanel::WndProc(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------- file dialogs

std::function<bool(TFileDialog&)> TFileDialog::Runner;

bool TFileDialog::Execute(HWND owner) {
  if (Runner) return Runner(*this);
  std::wstring filter = Widen(DialogFilter(Filter));
  std::wstring defaultExt = Widen(DefaultExt);
  std::wstring name = Widen(FileName);
  std::wstring buffer(32768, L'\0');
  std::copy_n(name.begin(), std::min(name.size(), buffer.size() - 1), buffer.begin());
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (Options & ofOverwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (Options & ofHideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
  if (Options & ofFileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
  BOOL ok = save_ ? onfirstuse::GetSaveFileNameW(&ofn) : onfirstuse::GetOpenFileNameW(&ofn);
  if (!ok) return false;
  FileName = Narrow(buffer.c_str());
  return true;
}

}  // namespace vimo
