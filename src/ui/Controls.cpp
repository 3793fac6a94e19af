#include "ui/Controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "platform/DpiScale.h"
#include "platform/Utf.h"
#include "ui/Application.h"
#include "ui/Form.h"

namespace vimo {
namespace {

constexpr const char* kControlClass = "TVimoControl";
constexpr const wchar_t* kProp = L"VimoControl";

void RegisterControlClass() {
  static bool registered = false;
  if (registered) return;
  const std::wstring name = Widen(kControlClass);
  WNDCLASSW wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = name.c_str();
  RegisterClassW(&wc);
  registered = true;
}

// Typed characters reach the handlers as char: ASCII as itself, anything else as one
// byte that is neither a digit nor a letter, so that no character of another script
// can pass for a label key or a digit by its low byte.
constexpr char kOtherCharacter = static_cast<char>(0x80);
char KeyChar(WPARAM wParam) { return wParam < 0x80 ? static_cast<char>(wParam) : kOtherCharacter; }

// Sets or clears one style bit and lets the frame follow.
void SetStyleBit(HWND h, int index, LONG_PTR bit, bool on) {
  LONG_PTR style = GetWindowLongPtrW(h, index);
  SetWindowLongPtrW(h, index, on ? (style | bit) : (style & ~bit));
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
}

void Frame3D(HDC dc, RECT& r, COLORREF topLeft, COLORREF bottomRight, int width) {
  for (int i = 0; i < width && r.right > r.left && r.bottom > r.top; ++i) {
    DrawLine(dc, r.left, r.top, r.right, r.top, topLeft);
    DrawLine(dc, r.left, r.top, r.left, r.bottom, topLeft);
    DrawLine(dc, r.right - 1, r.top, r.right - 1, r.bottom, bottomRight);
    DrawLine(dc, r.left, r.bottom - 1, r.right, r.bottom - 1, bottomRight);
    InflateRect(&r, -1, -1);
  }
}

void Bevel(HDC dc, RECT& r, TBevelCut cut, int width) {
  if (cut == TBevelCut::None) return;
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  if (cut == TBevelCut::Raised)
    Frame3D(dc, r, light, dark, width);
  else
    Frame3D(dc, r, dark, light, width);
}

}  // namespace

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
  COLORREF old = SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
  TGdiObject pen(CreatePen(PS_SOLID, 1, color));
  HGDIOBJ old = SelectObject(dc, pen.Get());
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
}

int DrawTextIn(HDC dc, const std::string& text, RECT r, UINT flags) {
  std::wstring wide = Widen(text);
  return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, flags);
}

std::string WindowText(HWND h) {
  int n = GetWindowTextLengthW(h);
  std::wstring s(static_cast<std::size_t>(n) + 1, L'\0');
  n = GetWindowTextW(h, s.data(), n + 1);
  s.resize(static_cast<std::size_t>(std::max(n, 0)));
  return Narrow(s);
}

int TextWidth(HDC dc, const std::string& text) {
  std::wstring wide = Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

// ---------------------------------------------------------------------------- TControl

TControl::TControl(TControl* parent, const char* className, DWORD style, DWORD exStyle, HWND owner)
    : parent_(parent) {
  RegisterControlClass();
  Application().Initialize();
  if (!parent) visible_ = false;
  DWORD fullStyle = style | WS_CLIPCHILDREN | (parent ? WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE : 0);
  handle_ = CreateWindowExW(exStyle, Widen(className).c_str(), L"", fullStyle, 0, 0, 0, 0,
                            parent ? parent->handle_ : owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!handle_) throw std::runtime_error("Cannot create a window");
  Attach();
  SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TControl::StaticProc));
  if (parent) parent->children_.push_back(this);
}

TControl::TControl(TStandard, TControl* parent, const char* className, const char* text, DWORD style,
                   DWORD exStyle, int id)
    : parent_(parent) {
  // Created and subclassed through the wide functions: the control stays a Unicode
  // window, whose texts and typed characters are UTF-16.
  handle_ = CreateWindowExW(exStyle, Widen(className).c_str(), Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0,
                            0, 0, 0, parent->handle_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
  if (!handle_) throw std::runtime_error(std::string("Cannot create a control of class ") + className);
  Attach();
  standardProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TControl::StandardProc)));
  if (TForm* form = parent->OwnerForm()) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(form->Font()), FALSE);
  parent->children_.push_back(this);
}

void TControl::Attach() { SetPropW(handle_, kProp, this); }

TControl::~TControl() {
  while (!children_.empty()) {
    TControl* child = children_.back();
    delete child;  // removes itself from children_
  }
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  if (handle_) {
    // Messages sent while the window goes must not reach a half-destroyed object.
    RemovePropW(handle_, kProp);
    if (standardProc_) SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(standardProc_));
    DestroyWindow(handle_);
  }
}

TControl* TControl::FromHandle(HWND h) { return h ? static_cast<TControl*>(GetPropW(h, kProp)) : nullptr; }

TForm* TControl::OwnerForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

int TControl::ClientWidth() const {
  RECT r{};
  GetClientRect(handle_, &r);
  return r.right;
}

int TControl::ClientHeight() const {
  RECT r{};
  GetClientRect(handle_, &r);
  return r.bottom;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  bounds_ = {left, top, left + width, top + height};
  MoveWindow(handle_, left, top, std::max(width, 0), std::max(height, 0), TRUE);
  if (parent_ && align_ != TAlign::None) parent_->Realign();
}

void TControl::SetAlign(TAlign a) {
  align_ = a;
  if (parent_) parent_->Realign();
}

void TControl::SetVisible(bool v) {
  visible_ = v;
  ShowWindow(handle_, v ? SW_SHOWNA : SW_HIDE);
  if (parent_ && align_ != TAlign::None) parent_->Realign();
}

void TControl::SetEnabled(bool e) {
  if (enabled_ == e) return;
  enabled_ = e;
  EnableWindow(handle_, e);
  Invalidate();
}

COLORREF TControl::Color() const {
  if (ownColor_) return color_;
  return parent_ ? parent_->Color() : GetSysColor(COLOR_BTNFACE);
}

void TControl::SetColor(COLORREF c) {
  color_ = c;
  ownColor_ = true;
  Invalidate();
}

void TControl::Invalidate() { InvalidateRect(handle_, nullptr, FALSE); }
void TControl::Update() { UpdateWindow(handle_); }

int TControl::Scaled(int units) const {
  const TForm* form = OwnerForm();
  return ScaleForDpi(units, form ? form->Dpi() : kDesignDpi);
}

void TControl::ChangeScale(int m, int d) {
  if (parent_) {
    // Edges one by one: controls that stood apart still do.
    auto s = [m, d](LONG v) { return MulDiv(v, m, d); };
    RECT b = bounds_;
    SetBounds(s(b.left), s(b.top), s(b.right) - s(b.left), s(b.bottom) - s(b.top));
  }
  std::vector<TControl*> children = children_;
  for (TControl* c : children) c->ChangeScale(m, d);
  Realign();
}

void TControl::BringToFront() { SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }
void TControl::SendToBack() { SetWindowPos(handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

RECT TControl::AlignRect() const {
  RECT r{};
  GetClientRect(handle_, &r);
  return r;
}

void TControl::Realign() {
  RECT r = AlignRect();
  auto place = [](TControl* c, int l, int t, int w, int h) {
    c->bounds_ = {l, t, l + w, t + h};
    MoveWindow(c->handle_, l, t, std::max(w, 0), std::max(h, 0), TRUE);
  };
  for (TAlign a : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Client}) {
    for (TControl* c : children_) {
      if (c->align_ != a || !c->visible_) continue;
      switch (a) {
        case TAlign::Top:
          place(c, r.left, r.top, r.right - r.left, c->Height());
          r.top += c->Height();
          break;
        case TAlign::Bottom:
          place(c, r.left, r.bottom - c->Height(), r.right - r.left, c->Height());
          r.bottom -= c->Height();
          break;
        case TAlign::Left:
          place(c, r.left, r.top, c->Width(), r.bottom - r.top);
          r.left += c->Width();
          break;
        case TAlign::Right:
          place(c, r.right - c->Width(), r.top, c->Width(), r.bottom - r.top);
          r.right -= c->Width();
          break;
        default:
          place(c, r.left, r.top, r.right - r.left, r.bottom - r.top);
          break;
      }
    }
  }
}

LRESULT CALLBACK TControl::StaticProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  TControl* c = FromHandle(h);
  if (!c) return DefWindowProcW(h, msg, wParam, lParam);
  LRESULT result = 0;
  bool done = false;
  Guarded([&] {
    result = c->WndProc(msg, wParam, lParam);
    done = true;
  });
  return done ? result : 0;
}

LRESULT CALLBACK TControl::StandardProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  TControl* c = FromHandle(h);
  if (!c) return DefWindowProcW(h, msg, wParam, lParam);
  LRESULT result = 0;
  bool done = false;
  WNDPROC original = c->standardProc_;
  Guarded([&] {
    result = c->WndProc(msg, wParam, lParam);
    done = true;
  });
  return done ? result : CallWindowProcW(original, h, msg, wParam, lParam);
}

LRESULT TControl::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (standardProc_) return CallWindowProcW(standardProc_, handle_, msg, wParam, lParam);
  return DefWindowProcW(handle_, msg, wParam, lParam);
}

void TControl::PaintBuffered() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  PaintInto(dc);
  EndPaint(handle_, &ps);
}

void TControl::PaintInto(HDC dc) {
  RECT r{};
  GetClientRect(handle_, &r);
  if (r.right <= 0 || r.bottom <= 0) return;
  HDC mem = CreateCompatibleDC(dc);
  TGdiObject bitmap(CreateCompatibleBitmap(dc, r.right, r.bottom));
  HGDIOBJ oldBitmap = SelectObject(mem, bitmap.Get());
  FillSolid(mem, r, Color());
  HGDIOBJ oldFont = nullptr;
  if (TForm* form = OwnerForm()) oldFont = SelectObject(mem, form->Font());
  SetBkMode(mem, TRANSPARENT);
  Paint(mem);
  BitBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
  if (oldFont) SelectObject(mem, oldFont);
  SelectObject(mem, oldBitmap);
  DeleteDC(mem);
}

void TControl::MouseEvent(UINT msg, WPARAM wParam, LPARAM lParam) {
  int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  UINT shift = static_cast<UINT>(wParam);
  auto button = [&] {
    if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONUP) return mbRight;
    if (msg == WM_MBUTTONDOWN || msg == WM_MBUTTONUP) return mbMiddle;
    return mbLeft;
  };
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(this, button(), shift, x, y);
      break;
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(this, shift, x, y);
      break;
    default:
      if (OnMouseUp) OnMouseUp(this, button(), shift, x, y);
      break;
  }
}

LRESULT TControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (standardProc_) return DefaultProc(msg, wParam, lParam);
  switch (msg) {
    case WM_PAINT:
      PaintBuffered();
      return 0;
    case WM_PRINTCLIENT:
      PaintInto(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return TRUE;  // everything is painted through the buffer: no flicker
    case WM_SIZE:
      Realign();
      Invalidate();
      return 0;
    case WM_SETCURSOR:
      if (Cursor && LOWORD(lParam) == HTCLIENT) {
        SetCursor(Cursor);
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
      MouseEvent(msg, wParam, lParam);
      return 0;
    case WM_COMMAND:
      if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
        child->Notify(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      // A track bar reports its moves to its parent.
      if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
        child->Notify(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_KEYDOWN: {
      TForm* form = OwnerForm();
      WORD key = static_cast<WORD>(wParam);
      if (form && form != this && (!form->PreviewKey(key) || form->DialogKey(key))) return 0;
      break;
    }
    case WM_UPDATEUISTATE:
      // Keyboard cues shown or hidden for a window hold for what it contains; Wine's
      // default handling keeps the change to the window itself.
      for (TControl* child : children_) SendMessageW(child->handle_, msg, wParam, lParam);
      break;
    case WM_MOUSEWHEEL: {
      TForm* form = OwnerForm();
      if (form && form != this) {
        form->MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
      }
      break;
    }
  }
  return DefWindowProcW(handle_, msg, wParam, lParam);
}

// ---------------------------------------------------------------------------- TPanel

TPanel::TPanel(TControl* parent) : TControl(parent, kControlClass, 0, 0) {}

int TPanel::FrameWidth() const {
  return BorderWidth + (BevelOuter != TBevelCut::None ? BevelWidth : 0) +
         (BevelInner != TBevelCut::None ? BevelWidth : 0);
}

RECT TPanel::AlignRect() const {
  RECT r = TControl::AlignRect();
  InflateRect(&r, -FrameWidth(), -FrameWidth());
  return r;
}

void TPanel::ChangeScale(int m, int d) {
  BorderWidth = MulDiv(BorderWidth, m, d);
  TControl::ChangeScale(m, d);
}

void TPanel::SetSingleBorder(bool on) {
  SetStyleBit(handle_, GWL_STYLE, WS_BORDER, on);
}

void TPanel::Paint(HDC dc) {
  RECT r{0, 0, ClientWidth(), ClientHeight()};
  Bevel(dc, r, BevelOuter, BevelWidth);
  InflateRect(&r, -BorderWidth, -BorderWidth);
  Bevel(dc, r, BevelInner, BevelWidth);
}

void TDoubleColorPanel::SetColor2(COLORREF c) {
  if (c == color2_) return;
  color2_ = c;
  Invalidate();
}

void TDoubleColorPanel::Paint(HDC dc) {
  TPanel::Paint(dc);
  int b = (BevelInner != TBevelCut::None ? BevelWidth : 0) + (BevelOuter != TBevelCut::None ? BevelWidth : 0);
  int right = ClientWidth() - 2 * b;  // last x is right - 1
  int bottom = ClientHeight() - 2 * b;
  if (right <= b || bottom <= b) return;
  // A 2 x 2 pattern brush with its origin at the client origin: odd x + y get Color2.
  HDC mem = CreateCompatibleDC(dc);
  TGdiObject cell(CreateCompatibleBitmap(dc, 2, 2));
  HGDIOBJ old = SelectObject(mem, cell.Get());
  SetPixel(mem, 0, 0, Color());
  SetPixel(mem, 1, 1, Color());
  SetPixel(mem, 1, 0, color2_);
  SetPixel(mem, 0, 1, color2_);
  SelectObject(mem, old);
  DeleteDC(mem);
  TGdiObject brush(CreatePatternBrush(cell.Bitmap()));
  SetBrushOrgEx(dc, 0, 0, nullptr);
  RECT r{b, b, right, bottom};
  FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
}

// ---------------------------------------------------------------------------- TSpeedButton

TSpeedButton::TSpeedButton(TControl* parent, TGlyph glyph, const std::string& hint)
    : TControl(parent, kControlClass, 0, 0), glyph_(glyph) {
  Hint = hint;
  SetBounds(0, 0, Scaled(24), Scaled(24));
  if (TForm* form = OwnerForm()) form->AddHint(this);
}

void TSpeedButton::Click() {
  if (Enabled() && OnClick) OnClick(this);
}

void TSpeedButton::Paint(HDC dc) {
  RECT r{0, 0, ClientWidth(), ClientHeight()};
  if (Enabled() && (hot_ || down_)) Bevel(dc, r, down_ && hot_ ? TBevelCut::Lowered : TBevelCut::Raised, 1);
  // System colours, so that the glyphs read in high-contrast schemes too.
  COLORREF ink = GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  int cx = ClientWidth() / 2 + (down_ && hot_ ? 1 : 0);
  int cy = ClientHeight() / 2 + (down_ && hot_ ? 1 : 0);
  TGdiObject brush(CreateSolidBrush(ink));
  TGdiObject pen(CreatePen(PS_SOLID, 1, ink));
  HGDIOBJ oldBrush = SelectObject(dc, brush.Get());
  HGDIOBJ oldPen = SelectObject(dc, pen.Get());
  // The glyphs are drawn for a 24-pixel button and grow with it.
  auto u = [this](int v) { return MulDiv(v, std::min(ClientWidth(), ClientHeight()), 24); };
  auto triangle = [&](int tipX, int dir) {  // dir -1 points left, +1 right
    POINT p[3] = {{tipX, cy}, {tipX - dir * u(4), cy - u(4)}, {tipX - dir * u(4), cy + u(4)}};
    Polygon(dc, p, 3);
  };
  switch (glyph_) {
    case TGlyph::Close:
      for (int d = 0; d < std::max(2, u(2)); ++d) {
        MoveToEx(dc, cx - u(4) + d, cy - u(4), nullptr);
        LineTo(dc, cx + u(4) + d, cy + u(4));
        MoveToEx(dc, cx + u(4) - 1 + d, cy - u(4), nullptr);
        LineTo(dc, cx - u(4) - 1 + d, cy + u(4));
      }
      break;
    case TGlyph::PrevYear:
      triangle(cx - u(4), -1);
      triangle(cx + u(1), -1);
      break;
    case TGlyph::PrevMonth:
      triangle(cx - u(2), -1);
      break;
    case TGlyph::Today:
      Ellipse(dc, cx - u(3), cy - u(3), cx + u(4), cy + u(4));
      break;
    case TGlyph::NextMonth:
      triangle(cx + u(2), 1);
      break;
    case TGlyph::NextYear:
      triangle(cx - u(1), 1);
      triangle(cx + u(4), 1);
      break;
    case TGlyph::None:
      break;
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

LRESULT TSpeedButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEMOVE:
      if (!hot_) {
        hot_ = true;
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle_, 0};
        TrackMouseEvent(&t);
        Invalidate();
      } else if (down_) {
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        RECT r{0, 0, Width(), Height()};
        bool inside = PtInRect(&r, p) != FALSE;
        if (inside != hot_) {
          hot_ = inside;
          Invalidate();
        }
      }
      break;
    case WM_MOUSELEAVE:
      hot_ = false;
      Invalidate();
      return 0;
    case WM_LBUTTONDOWN:
      down_ = true;
      hot_ = true;
      SetCapture(handle_);
      Invalidate();
      return 0;
    case WM_LBUTTONUP: {
      bool click = down_ && hot_;
      down_ = false;
      if (GetCapture() == handle_) ReleaseCapture();
      POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      RECT r{0, 0, Width(), Height()};
      hot_ = PtInRect(&r, p) != FALSE;
      Invalidate();
      if (click) Click();
      return 0;
    }
  }
  return TControl::WndProc(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------- TDrawGrid

TDrawGrid::TDrawGrid(TControl* parent) : TControl(parent, kControlClass, 0, 0) {}

int TDrawGrid::ColWidth(int col) const {
  return col >= 0 && col < static_cast<int>(colWidths_.size()) && colWidths_[static_cast<std::size_t>(col)] >= 0
             ? colWidths_[static_cast<std::size_t>(col)]
             : DefaultColWidth;
}

void TDrawGrid::SetColWidth(int col, int width) {
  if (col < 0) return;
  if (col >= static_cast<int>(colWidths_.size())) colWidths_.resize(static_cast<std::size_t>(col) + 1, -1);
  colWidths_[static_cast<std::size_t>(col)] = std::max(width, 0);
  Invalidate();
}

void TDrawGrid::SetRowCount(int n) {
  rowCount_ = std::max(n, 0);
  if (row_ >= rowCount_) row_ = std::max(rowCount_ - 1, fixedRows_);
  if (row_ < fixedRows_) row_ = fixedRows_;
  ScrollIntoView();
  UpdateScrollBar();
  Invalidate();
}

void TDrawGrid::SetFixedRows(int n) {
  fixedRows_ = std::max(n, 0);
  if (row_ < fixedRows_) row_ = fixedRows_;
  if (topRow_ < fixedRows_) topRow_ = fixedRows_;
  UpdateScrollBar();
  Invalidate();
}

int TDrawGrid::VisibleRowCount() const {
  int pitch = DefaultRowHeight + GridLineWidth;
  if (pitch <= 0) return 1;
  return std::max((ClientHeight() - fixedRows_ * pitch + GridLineWidth) / pitch, 1);
}

void TDrawGrid::SetRow(int r) {
  if (r < fixedRows_ || r >= rowCount_) return;
  bool changed = r != row_;
  row_ = r;
  ScrollIntoView();
  Invalidate();
  if (changed && OnClick) OnClick(this);
}

void TDrawGrid::SetCol(int c) {
  if (c < 0 || c >= ColCount) return;
  bool changed = c != col_;
  col_ = c;
  Invalidate();
  if (changed && OnClick) OnClick(this);
}

void TDrawGrid::ScrollIntoView() {
  int visible = VisibleRowCount();
  int top = topRow_;
  if (row_ < top) top = row_;
  if (row_ >= top + visible) top = row_ - visible + 1;
  ScrollTo(top);
}

void TDrawGrid::ScrollTo(int top) {
  int last = std::max(rowCount_ - VisibleRowCount(), fixedRows_);
  top = std::clamp(top, fixedRows_, last);
  if (top == topRow_) return;
  topRow_ = top;
  UpdateScrollBar();
  Invalidate();
}

void TDrawGrid::UpdateScrollBar() {
  if (!scrollBar_) return;
  SCROLLINFO si{sizeof si};
  si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = std::max(rowCount_ - fixedRows_ - 1, 0);
  si.nPage = static_cast<UINT>(VisibleRowCount());
  si.nPos = topRow_ - fixedRows_;
  SetScrollInfo(handle_, SB_VERT, &si, TRUE);
}

void TDrawGrid::SetBorder(bool on) {
  SetStyleBit(handle_, GWL_EXSTYLE, WS_EX_CLIENTEDGE, on);
}

void TDrawGrid::SetVertScrollBar(bool on) {
  scrollBar_ = on;
  SetStyleBit(handle_, GWL_STYLE, WS_VSCROLL, on);
  UpdateScrollBar();
}

void TDrawGrid::SetClientHeight(int height) { SetHeight(Height() - ClientHeight() + height); }

void TDrawGrid::UseWindowColor() { SetColor(GetSysColor(COLOR_WINDOW)); }

void TDrawGrid::ChangeScale(int m, int d) {
  DefaultRowHeight = MulDiv(DefaultRowHeight, m, d);
  DefaultColWidth = MulDiv(DefaultColWidth, m, d);
  for (int& w : colWidths_)
    if (w >= 0) w = MulDiv(w, m, d);
  TControl::ChangeScale(m, d);
  ScrollIntoView();
  UpdateScrollBar();
  Invalidate();
}

void UpdateHideFocus(bool& hideFocus, WPARAM wParam) {
  if (!(HIWORD(wParam) & UISF_HIDEFOCUS)) return;
  if (LOWORD(wParam) == UIS_SET) hideFocus = true;
  if (LOWORD(wParam) == UIS_CLEAR) hideFocus = false;
}

void TDrawGrid::DrawFocus(HDC dc) {
  if (hideFocus_ || GetFocus() != handle_ || row_ < fixedRows_ || row_ >= rowCount_) return;
  if (row_ >= fixedRows_ && row_ < topRow_) return;
  RECT r = CellRect(RowSelect ? 0 : col_, row_);
  if (RowSelect) r.right = std::min(ColLeft(ColCount) - GridLineWidth, ClientWidth());
  if (r.top >= ClientHeight()) return;
  // Drawn last, over whatever the cells' handler painted: the page list paints its own rows.
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  DrawFocusRect(dc, &r);
}

int TDrawGrid::RowTop(int row) const {
  int pitch = DefaultRowHeight + GridLineWidth;
  return row < fixedRows_ ? row * pitch : (fixedRows_ + row - topRow_) * pitch;
}

int TDrawGrid::ColLeft(int col) const {
  int x = 0;
  for (int c = 0; c < col; ++c) x += ColWidth(c) + GridLineWidth;
  return x;
}

int TDrawGrid::RowAt(int y) const {
  int pitch = DefaultRowHeight + GridLineWidth;
  if (y < 0 || pitch <= 0) return -1;
  int slot = y / pitch;
  int r = slot < fixedRows_ ? slot : topRow_ + slot - fixedRows_;
  return r < rowCount_ ? r : -1;
}

int TDrawGrid::ColAt(int x) const {
  if (x < 0) return -1;
  for (int c = 0, left = 0; c < ColCount; ++c) {
    left += ColWidth(c) + GridLineWidth;
    if (x < left) return c;
  }
  return -1;
}

RECT TDrawGrid::CellRect(int col, int row) const {
  int x = ColLeft(col), y = RowTop(row);
  return {x, y, x + ColWidth(col), y + DefaultRowHeight};
}

void TDrawGrid::Paint(HDC dc) {
  int height = ClientHeight(), width = ClientWidth();
  auto paintRow = [&](int row) {
    RECT rowRect = CellRect(0, row);
    if (rowRect.top >= height) return false;
    for (int col = 0; col < ColCount; ++col) {
      RECT r = CellRect(col, row);
      TGridDrawState state;
      state.Fixed = row < fixedRows_;
      state.Selected = ShowSelection && !state.Fixed && row == row_ && (RowSelect || col == col_);
      if (DefaultDrawing) {
        int back = state.Fixed ? COLOR_BTNFACE : state.Selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
        FillSolid(dc, r, GetSysColor(back));
        SetTextColor(dc, GetSysColor(state.Fixed      ? COLOR_BTNTEXT
                                     : state.Selected ? COLOR_HIGHLIGHTTEXT
                                                      : COLOR_WINDOWTEXT));
      }
      if (OnDrawCell) OnDrawCell(this, dc, col, row, r, state);
    }
    return true;
  };
  for (int row = 0; row < std::min(fixedRows_, rowCount_); ++row) paintRow(row);
  for (int row = topRow_; row < rowCount_; ++row)
    if (!paintRow(row)) break;
  if (GridLineWidth > 0) {
    // Lines in the colour of a header: beneath every row and right of every column.
    COLORREF line = GetSysColor(COLOR_BTNFACE);
    int bottom = std::min(RowTop(rowCount_), height);
    int right = std::min(ColLeft(ColCount), width);
    for (int slot = 1; slot * (DefaultRowHeight + GridLineWidth) <= bottom; ++slot) {
      int y = slot * (DefaultRowHeight + GridLineWidth) - GridLineWidth;
      RECT r{0, y, right, y + GridLineWidth};
      FillSolid(dc, r, line);
    }
    for (int col = 0; col < ColCount; ++col) {
      int x = ColLeft(col) + ColWidth(col);
      RECT r{x, 0, x + GridLineWidth, bottom};
      FillSolid(dc, r, line);
    }
  }
  DrawFocus(dc);
}

bool TDrawGrid::IsDoubleClick(LPARAM lParam) {
  // Double clicks are recognised here: the shared window class has no CS_DBLCLKS, so
  // that other controls keep getting every press.
  DWORD now = static_cast<DWORD>(GetMessageTime());
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  bool twice = now - lastDownTime_ <= GetDoubleClickTime() &&
               std::abs(p.x - lastDown_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
               std::abs(p.y - lastDown_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  lastDownTime_ = twice ? 0 : now;
  lastDown_ = twice ? POINT{-100, -100} : p;
  return twice;
}

LRESULT TDrawGrid::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(wParam);
      TForm* form = OwnerForm();
      if (form && !form->PreviewKey(key)) return 0;
      if (OnKeyDown) OnKeyDown(this, key, 0);
      if (key == 0) return 0;
      if (form && form->DialogKey(key)) return 0;
      switch (key) {
        case VK_UP: SetRow(row_ - 1); break;
        case VK_DOWN: SetRow(row_ + 1); break;
        case VK_LEFT: if (!RowSelect) SetCol(col_ - 1); break;
        case VK_RIGHT: if (!RowSelect) SetCol(col_ + 1); break;
        case VK_PRIOR: SetRow(std::max(row_ - VisibleRowCount(), fixedRows_)); break;
        case VK_NEXT: SetRow(std::min(row_ + VisibleRowCount(), rowCount_ - 1)); break;
        case VK_HOME: SetRow(fixedRows_); break;
        case VK_END: SetRow(rowCount_ - 1); break;
      }
      return 0;
    }
    case WM_CHAR: {
      char c = KeyChar(wParam);
      if (c == '\r' || c == 27) return 0;  // Enter and Escape went to the dialog keys
      if (OnKeyPress) OnKeyPress(this, c);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      SetFocus(handle_);
      int r = RowAt(GET_Y_LPARAM(lParam));
      int c = ColAt(GET_X_LPARAM(lParam));
      if (!RowSelect && c >= 0 && r >= fixedRows_) SetCol(c);
      if (r >= 0) SetRow(r);
      SetCapture(handle_);
      bool twice = msg == WM_LBUTTONDOWN && IsDoubleClick(lParam);
      LRESULT result = TControl::WndProc(msg, wParam, lParam);
      if (twice && r >= fixedRows_ && OnDblClick) OnDblClick(this);
      return result;
    }
    case WM_MOUSEMOVE:
      // The selection follows a pressed pointer.
      if ((wParam & MK_LBUTTON) && GetCapture() == handle_) {
        int r = RowAt(GET_Y_LPARAM(lParam));
        if (r >= 0) SetRow(r);
      }
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (GetCapture() == handle_) ReleaseCapture();
      break;
    case WM_SIZE:
      UpdateScrollBar();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    case WM_UPDATEUISTATE:
      UpdateHideFocus(hideFocus_, wParam);
      Invalidate();
      break;
    case WM_VSCROLL: {
      SCROLLINFO si{sizeof si, SIF_TRACKPOS};
      GetScrollInfo(handle_, SB_VERT, &si);
      int top = topRow_;
      switch (LOWORD(wParam)) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= VisibleRowCount(); break;
        case SB_PAGEDOWN: top += VisibleRowCount(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = fixedRows_ + si.nTrackPos; break;
        case SB_TOP: top = fixedRows_; break;
        case SB_BOTTOM: top = rowCount_; break;
      }
      ScrollTo(top);
      return 0;
    }
    case WM_MOUSEWHEEL: {
      TForm* form = OwnerForm();
      if (form && form->MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam))) return 0;
      SetRow(row_ + (GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? 1 : -1));
      return 0;
    }
  }
  return TControl::WndProc(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------- paint box, image

TPaintBox::TPaintBox(TControl* parent) : TControl(parent, kControlClass, 0, 0) {}

void TPaintBox::Paint(HDC dc) {
  if (OnPaint) OnPaint(this, dc);
}

TImage::TImage(TControl* parent) : TControl(parent, kControlClass, 0, 0) {}

void TImage::SetPicture(HBITMAP bitmap) {
  picture_ = TGdiObject(bitmap);
  Invalidate();
}

int TImage::PictureWidth() const {
  BITMAP bm{};
  return picture_.Get() && GetObjectW(picture_.Get(), sizeof bm, &bm) ? bm.bmWidth : 0;
}

int TImage::PictureHeight() const {
  BITMAP bm{};
  return picture_.Get() && GetObjectW(picture_.Get(), sizeof bm, &bm) ? std::abs(bm.bmHeight) : 0;
}

POINT TImage::PictureOrigin() const {
  if (!Center || Stretch) return {0, 0};
  return {(ClientWidth() - PictureWidth()) / 2, (ClientHeight() - PictureHeight()) / 2};
}

void TImage::Paint(HDC dc) {
  if (!picture_.Get()) return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, picture_.Get());
  POINT o = PictureOrigin();
  if (Stretch && (ClientWidth() != PictureWidth() || ClientHeight() != PictureHeight())) {
    int oldMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, ClientWidth(), ClientHeight(), mem, 0, 0, PictureWidth(), PictureHeight(), SRCCOPY);
    SetStretchBltMode(dc, oldMode);
  } else {
    BitBlt(dc, o.x, o.y, PictureWidth(), PictureHeight(), mem, 0, 0, SRCCOPY);
  }
  SelectObject(mem, old);
  DeleteDC(mem);
}

// ---------------------------------------------------------------------------- standard controls

TButton::TButton(TControl* parent, const std::string& caption, int id, bool isDefault)
    : TControl(TStandard{}, parent, "BUTTON", caption.c_str(), WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, id) {}

void TButton::Click() {
  if (ModalResult != mrNone)
    if (TForm* form = OwnerForm()) form->SetModalResult(ModalResult);
  if (OnClick) OnClick(this);
}

void TButton::Notify(UINT code) {
  // The dialog manager sends Enter's IDOK even when that button is disabled.
  if (code == BN_CLICKED && IsWindowEnabled(handle_)) Click();
}

TLabel::TLabel(TControl* parent, const std::string& caption, UINT style)
    : TControl(TStandard{}, parent, "STATIC", caption.c_str(), style | SS_NOPREFIX) {}

std::string TLabel::Caption() const { return WindowText(handle_); }

void TLabel::SetCaption(const std::string& caption) { SetWindowTextW(handle_, Widen(caption).c_str()); }

TGroupBox::TGroupBox(TControl* parent, const std::string& caption)
    : TControl(TStandard{}, parent, "BUTTON", caption.c_str(), BS_GROUPBOX) {}

LRESULT TGroupBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND && (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CLIPSIBLINGS)) {
    // The system's group box leaves its inside unpainted, so a page shown over another
    // would keep the old picture there. Clipping its siblings spares the controls on top.
    RECT r{0, 0, ClientWidth(), ClientHeight()};
    FillSolid(reinterpret_cast<HDC>(wParam), r, Color());
    return TRUE;
  }
  return TControl::WndProc(msg, wParam, lParam);
}

TEdit::TEdit(TControl* parent, const std::string& text, int maxLength, bool readOnly)
    : TControl(TStandard{}, parent, "EDIT", text.c_str(), WS_TABSTOP | ES_AUTOHSCROLL | (readOnly ? ES_READONLY : 0),
               WS_EX_CLIENTEDGE) {
  SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
}

std::string TEdit::Text() const { return WindowText(handle_); }

void TEdit::SetText(const std::string& text) { SetWindowTextW(handle_, Widen(text).c_str()); }

LRESULT TEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CHAR && OnKeyPress) {
    const char typed = KeyChar(wParam);
    char c = typed;
    OnKeyPress(this, c);
    if (c == 0) return 0;
    // A character the handler let pass goes on as it was typed.
    if (c != typed) wParam = static_cast<unsigned char>(c);
  }
  return TControl::WndProc(msg, wParam, lParam);
}

TUpDown::TUpDown(TControl* parent, TEdit* buddy, int min, int max)
    : TControl(TStandard{}, parent, UPDOWN_CLASSA, "",
               UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS),
      buddy_(buddy) {
  SendMessageW(handle_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy->Handle()), 0);
  SendMessageW(handle_, UDM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
}

int TUpDown::Position() const {
  return static_cast<int>(SendMessageW(handle_, UDM_GETPOS32, 0, 0));
}

void TUpDown::SetBuddy(TEdit* buddy) {
  buddy_ = buddy;
  SendMessageW(handle_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy->Handle()), 0);
}

void TUpDown::SetPosition(int p) { SendMessageW(handle_, UDM_SETPOS32, 0, static_cast<LPARAM>(p)); }

}  // namespace vimo
