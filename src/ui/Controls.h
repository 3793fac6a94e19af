#pragma once
// The small widget layer the pop-ups and the item editor are built from: every control
// owns a child window of its own; owner-drawn ones paint through a double buffer.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/MouseButton.h"

namespace vimo {

class TForm;

enum class TAlign { None, Top, Bottom, Left, Right, Client };
enum class TBevelCut { None, Lowered, Raised };

// An owned GDI object, deleted with its owner.
class TGdiObject {
 public:
  TGdiObject() = default;
  explicit TGdiObject(HGDIOBJ h) : h_(h) {}
  TGdiObject(TGdiObject&& o) noexcept : h_(o.h_) { o.h_ = nullptr; }
  TGdiObject& operator=(TGdiObject&& o) noexcept {
    if (this != &o) {
      Reset();
      h_ = o.h_;
      o.h_ = nullptr;
    }
    return *this;
  }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  ~TGdiObject() { Reset(); }
  void Reset() {
    if (h_) DeleteObject(h_);
    h_ = nullptr;
  }
  HGDIOBJ Get() const { return h_; }
  HFONT Font() const { return static_cast<HFONT>(h_); }
  HBITMAP Bitmap() const { return static_cast<HBITMAP>(h_); }

 private:
  HGDIOBJ h_ = nullptr;
};

// Fills a rectangle with a solid colour.
void FillSolid(HDC dc, const RECT& r, COLORREF color);
// Draws a line from (x1, y1) towards (x2, y2), end point excluded, with a solid pen.
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color);
// Draws UTF-8 text with DrawTextW flags; returns the text height.
int DrawTextIn(HDC dc, const std::string& text, RECT r, UINT flags);
int TextWidth(HDC dc, const std::string& text);
// A window's text as UTF-8.
std::string WindowText(HWND h);

class TControl {
 public:
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;
  virtual ~TControl();

  HWND Handle() const { return handle_; }
  TControl* Parent() const { return parent_; }
  TForm* OwnerForm() const;

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.right - bounds_.left; }
  int Height() const { return bounds_.bottom - bounds_.top; }
  int ClientWidth() const;
  int ClientHeight() const;
  virtual void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);
  // Follows the parent's colour unless a colour of its own was set.
  COLORREF Color() const;
  void SetColor(COLORREF c);
  int Tag = 0;
  std::string Hint;
  HCURSOR Cursor = nullptr;

  void Invalidate();
  void Update();
  // Lays out the aligned children in the area AlignRect gives.
  void Realign();
  virtual RECT AlignRect() const;
  void BringToFront();
  void SendToBack();
  // `units` at 96 DPI in pixels at the DPI of the form this control is on.
  int Scaled(int units) const;
  // Bounds and inner sizes multiplied by m / d, then the children's: the form's DPI changed.
  virtual void ChangeScale(int m, int d);

  std::function<void(TControl*, TMouseButton, UINT, int, int)> OnMouseDown;
  std::function<void(TControl*, UINT, int, int)> OnMouseMove;
  std::function<void(TControl*, TMouseButton, UINT, int, int)> OnMouseUp;

 protected:
  // Creates the window; a null parent makes a top-level window owned by `owner`.
  TControl(TControl* parent, const char* className, DWORD style, DWORD exStyle, HWND owner = nullptr);
  // For standard controls: the window class is the system's.
  struct TStandard {};
  TControl(TStandard, TControl* parent, const char* className, const char* text, DWORD style, DWORD exStyle = 0, int id = 0);

  // Paints the client area into an off-screen buffer, already filled with Color().
  virtual void Paint(HDC dc) {}
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // Child notifications (WM_COMMAND, WM_NOTIFY) for a standard control.
  virtual void Notify(UINT code) {}

  HWND handle_ = nullptr;
  WNDPROC standardProc_ = nullptr;  // the system's procedure of a standard control

 private:
  friend class TForm;
  static LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK StandardProc(HWND, UINT, WPARAM, LPARAM);
  static TControl* FromHandle(HWND h);
  void Attach();
  void PaintBuffered();
  void PaintInto(HDC dc);
  void MouseEvent(UINT msg, WPARAM wParam, LPARAM lParam);

  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
  RECT bounds_{};
  TAlign align_ = TAlign::None;
  bool visible_ = true;
  bool enabled_ = true;
  COLORREF color_ = 0;
  bool ownColor_ = false;
};

class TPanel : public TControl {
 public:
  explicit TPanel(TControl* parent);
  TBevelCut BevelOuter = TBevelCut::Raised;
  TBevelCut BevelInner = TBevelCut::None;
  int BevelWidth = 1;
  int BorderWidth = 0;
  RECT AlignRect() const override;
  void ChangeScale(int m, int d) override;
  // A single-line border outside the client area.
  void SetSingleBorder(bool on);
  // Bevels and border width on one side.
  int FrameWidth() const;

 protected:
  void Paint(HDC dc) override;
};

// The panel painted in a checkerboard of single pixels of Color and Color2.
class TDoubleColorPanel : public TPanel {
 public:
  explicit TDoubleColorPanel(TControl* parent) : TPanel(parent) {}
  COLORREF Color2() const { return color2_; }
  void SetColor2(COLORREF c);

 protected:
  void Paint(HDC dc) override;

 private:
  COLORREF color2_ = 0;
};

enum class TGlyph { None, Close, PrevYear, PrevMonth, Today, NextMonth, NextYear };

class TSpeedButton : public TControl {
 public:
  TSpeedButton(TControl* parent, TGlyph glyph, const std::string& hint);
  std::function<void(TControl*)> OnClick;
  void Click();

 protected:
  void Paint(HDC dc) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TGlyph glyph_;
  bool hot_ = false;
  bool down_ = false;
};

struct TGridDrawState {
  bool Selected = false;
  bool Fixed = false;  // a header row
};

class TDrawGrid : public TControl {
 public:
  explicit TDrawGrid(TControl* parent);
  int ColCount = 1;
  int DefaultColWidth = 64;
  int DefaultRowHeight = 24;
  // Lines between cells; the rows and columns step by their size plus this.
  int GridLineWidth = 0;
  bool RowSelect = true;
  bool ShowSelection = true;
  bool DefaultDrawing = true;
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int n);
  // Header rows: drawn at the top, never scrolled or selected.
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int n);
  int Row() const { return row_; }
  void SetRow(int r);
  // The selected column, when whole rows are not selected.
  int Col() const { return col_; }
  void SetCol(int c);
  int TopRow() const { return topRow_; }
  int VisibleRowCount() const;
  // The row under a client point, or -1.
  int RowAt(int y) const;
  int ColAt(int x) const;
  RECT CellRect(int col, int row) const;
  // A sunken border around the grid.
  void SetBorder(bool on);
  // A vertical scroll bar, always there, disabled while every row fits.
  void SetVertScrollBar(bool on);
  void SetClientHeight(int height);
  // Lists: the area below the last row in the window colour, as their rows are.
  void UseWindowColor();
  void ChangeScale(int m, int d) override;

  std::function<void(TDrawGrid*, HDC, int col, int row, RECT, TGridDrawState)> OnDrawCell;
  // Key down: set the key to 0 to consume it.
  std::function<void(TDrawGrid*, WORD& key, UINT shift)> OnKeyDown;
  std::function<void(TDrawGrid*, char& key)> OnKeyPress;
  // The selected row (or column) changed, by mouse, keyboard or SetRow.
  std::function<void(TDrawGrid*)> OnClick;
  std::function<void(TDrawGrid*)> OnDblClick;

 protected:
  void Paint(HDC dc) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void ScrollIntoView();
  void ScrollTo(int top);
  void UpdateScrollBar();
  int RowTop(int row) const;
  int ColLeft(int col) const;
  bool IsDoubleClick(LPARAM lParam);
  void DrawFocus(HDC dc);
  int rowCount_ = 1;
  int fixedRows_ = 0;
  int row_ = 0;
  int col_ = 0;
  int topRow_ = 0;
  bool scrollBar_ = false;
  std::vector<int> colWidths_;
  DWORD lastDownTime_ = 0;
  POINT lastDown_{-100, -100};
  bool hideFocus_ = false;  // the keyboard cues, as WM_UPDATEUISTATE last set them
};

// Applies a WM_UPDATEUISTATE to a "focus cues hidden" flag.
void UpdateHideFocus(bool& hideFocus, WPARAM wParam);

class TPaintBox : public TControl {
 public:
  explicit TPaintBox(TControl* parent);
  std::function<void(TPaintBox*, HDC)> OnPaint;

 protected:
  void Paint(HDC dc) override;
};

class TImage : public TControl {
 public:
  explicit TImage(TControl* parent);
  bool Center = true;
  // The picture drawn to fill the client area (HALFTONE), rather than at its own size.
  bool Stretch = false;
  // The picture: a device-independent bitmap the image owns.
  HBITMAP Picture() const { return picture_.Bitmap(); }
  void SetPicture(HBITMAP bitmap);
  int PictureWidth() const;
  int PictureHeight() const;
  // Offset of the picture inside the client area (when centred).
  POINT PictureOrigin() const;

 protected:
  void Paint(HDC dc) override;

 private:
  TGdiObject picture_;
};

class TButton : public TControl {
 public:
  TButton(TControl* parent, const std::string& caption, int id, bool isDefault = false);
  int ModalResult = 0;
  std::function<void(TControl*)> OnClick;
  void Click();

 protected:
  void Notify(UINT code) override;
};

class TLabel : public TControl {
 public:
  // `style`: SS_LEFT, SS_CENTER or SS_RIGHT.
  TLabel(TControl* parent, const std::string& caption, UINT style = SS_LEFT);
  std::string Caption() const;
  void SetCaption(const std::string& caption);
};

class TGroupBox : public TControl {
 public:
  TGroupBox(TControl* parent, const std::string& caption);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class TEdit : public TControl {
 public:
  TEdit(TControl* parent, const std::string& text, int maxLength, bool readOnly);
  std::string Text() const;
  void SetText(const std::string& text);
  std::function<void(TEdit*, char& key)> OnKeyPress;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class TUpDown : public TControl {
 public:
  TUpDown(TControl* parent, TEdit* buddy, int min, int max);
  int Position() const;
  void SetPosition(int p);
  // Binds again, so that the up-down moves beside the buddy's current place.
  void SetBuddy(TEdit* buddy);
  // The up-down takes its place from the buddy, scaled before it.
  void ChangeScale(int m, int d) override { SetBuddy(buddy_); }

 private:
  TEdit* buddy_;
};

}  // namespace vimo
