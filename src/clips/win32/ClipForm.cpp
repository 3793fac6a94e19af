#include "clips/win32/ClipForm.h"

#include "clips/win32/PasteText.h"
#include "model/Model.h"
#include "ui/Application.h"

namespace vimo {

TfrmClips::TfrmClips(TPoint anchor, bool showsCollection, int placement) : ShowsCollection(showsCollection) {
  // 1. The snapshot: later changes of the model do not reach an open pop-up.
  if (ShowsCollection) {
    if (ClipList) ClipList->GetTexts(Texts);
  } else if (ClipHistory) {
    Texts = *ClipHistory;
  }

  btnOK = new TButton(this, "OK", IDOK, true);
  btnOK->ModalResult = mrOK;
  btnOK->OnClick = [this](TControl* s) { btnOKClick(s); };
  btnCancel = new TButton(this, "", IDCANCEL);
  btnCancel->ModalResult = mrCancel;
  btnCancel->OnClick = [this](TControl* s) { btnCancelClick(s); };
  DefaultButton = btnOK;
  CancelButton = btnCancel;
  pnlMain = new TPanel(this);
  pnlMain->BevelOuter = TBevelCut::None;
  btnOK->SendToBack();
  btnCancel->SendToBack();
  pnlToolbar = new TPanel(pnlMain);
  pnlToolbar->BevelInner = TBevelCut::Raised;
  sbtClose = new TSpeedButton(pnlToolbar, TGlyph::Close, "Close");
  sbtClose->OnClick = [this](TControl* s) { btnCancelClick(s); };
  pnlClips = new TPanel(pnlMain);
  pnlClips->BevelInner = TBevelCut::Lowered;
  pnlClips->BorderWidth = 1;
  dgdClips = new TDrawGrid(pnlClips);
  pnlSize = new TDoubleColorPanel(pnlMain);
  pnlSize->BevelInner = TBevelCut::Raised;
  pnlSize->Cursor = LoadCursor(nullptr, IDC_SIZEWE);
  pnlSize->Hint = "Resize";
  pnlSize->SetColor2(GetSysColor(COLOR_HIGHLIGHT));
  AddHint(pnlSize);

  // 2.-9.
  TClipLayoutInput in;
  in.Anchor = anchor;
  in.Placement = placement;
  in.TextCount = static_cast<int>(Texts.size());
  in.Width = ShowsCollection ? ClipCollectionWidth : ClipHistoryWidth;
  in.PixelsPerInch = Dpi();
  in.ScreenWidth = ScreenWidth();
  in.ScreenHeight = ScreenHeight();
  in.ButtonSize = sbtClose->Height();
  in.ToolbarBevel = pnlToolbar->BevelWidth;
  in.ClipsBevel = pnlClips->BevelWidth;
  in.ClipsBorder = pnlClips->BorderWidth;
  in.GripWidth = Scaled(8);
  TClipLayout layout = ClipLayout(in);
  gripLeft_ = layout.GripLeft;
  minWidth_ = layout.MinWidth;

  dgdClips->ColCount = 1;
  dgdClips->DefaultColWidth = 9999;
  dgdClips->DefaultRowHeight = layout.RowHeight;
  dgdClips->SetRowCount(layout.RowCount);
  dgdClips->SetAlign(TAlign::Client);
  pnlSize->SetBounds(0, 0, in.GripWidth, layout.MainHeight);
  pnlSize->SetAlign(gripLeft_ ? TAlign::Left : TAlign::Right);
  pnlToolbar->SetBounds(0, 0, layout.ToolbarWidth, layout.MainHeight);
  pnlToolbar->SetAlign(gripLeft_ ? TAlign::Right : TAlign::Left);
  pnlClips->SetAlign(TAlign::Client);
  pnlMain->SetBounds(0, 0, layout.MainWidth, layout.MainHeight);
  sbtClose->SetBounds(1, layout.CloseTop, sbtClose->Width(), sbtClose->Height());
  SetBounds(layout.Left, layout.Top, 0, 0);
  SetClientSize(layout.MainWidth, layout.MainHeight);

  dgdClips->OnDrawCell = [this](TDrawGrid* g, HDC dc, int c, int r, RECT rc, TGridDrawState st) {
    dgdClipsDrawCell(g, dc, c, r, rc, st);
  };
  dgdClips->OnKeyDown = [this](TDrawGrid* g, WORD& key, UINT shift) { dgdClipsKeyDown(g, key, shift); };
  dgdClips->OnKeyPress = [this](TDrawGrid* g, char& key) { dgdClipsKeyPress(g, key); };
  dgdClips->OnMouseUp = [this](TControl* s, TMouseButton b, UINT sh, int x, int y) { dgdClipsMouseUp(s, b, sh, x, y); };
  pnlSize->OnMouseDown = [this](TControl* s, TMouseButton b, UINT sh, int x, int y) { pnlSizeMouseDown(s, b, sh, x, y); };
  pnlSize->OnMouseMove = [this](TControl* s, UINT sh, int x, int y) { pnlSizeMouseMove(s, sh, x, y); };
  pnlSize->OnMouseUp = [this](TControl* s, TMouseButton b, UINT sh, int x, int y) { pnlSizeMouseUp(s, b, sh, x, y); };
  OnShow = [this](TForm* s) { FormShow(s); };
  OnClose = [this](TForm* s) { FormClose(s); };
}

TfrmClips::~TfrmClips() {
  Guarded([this] { FormDestroy(); });
}

void TfrmClips::FormShow(TForm*) {
  BringToForeground();
  SetFocus(dgdClips->Handle());
}

void TfrmClips::FormClose(TForm*) { ClosePopup(); }

void TfrmClips::FormDestroy() {
  (ShowsCollection ? ClipCollectionWidth : ClipHistoryWidth) = pnlMain->ClientWidth();
  int row = dgdClips->Row();
  if (ModalResult == mrOK && row >= 0 && row < static_cast<int>(Texts.size())) {
    // Out of the way first, so that the target gets the focus back.
    ShowWindow(handle_, SW_HIDE);
    PasteText(static_cast<HWND>(TargetWindow), Texts[static_cast<std::size_t>(row)]);
  }
  Texts.clear();
}

void TfrmClips::btnOKClick(TControl*) {
  ModalResult = mrOK;
  Close();
}

void TfrmClips::btnCancelClick(TControl*) { Close(); }

void TfrmClips::dgdClipsDrawCell(TDrawGrid* grid, HDC dc, int, int row, RECT r, TGridDrawState) {
  r.right = grid->ClientWidth() - 2;
  const UINT line = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  SelectObject(dc, Font());
  if (Texts.empty()) {
    DrawTextIn(dc, " [empty] ", r, line);
    return;
  }
  RECT label = r;
  label.right = label.left + TextWidth(dc, "  w  ");
  DrawTextIn(dc, ClipLabel(row), label, line | DT_CENTER);
  RECT text = r;
  text.left = label.right;
  if (ShowsCollection && ClipList && ClipList->HasComment(row)) SelectObject(dc, BoldFont());
  // A caption keeps its tabs: drawn as space, not as the font's missing-glyph box.
  DrawTextIn(dc, RowCaption(row), text, line | DT_END_ELLIPSIS | DT_EXPANDTABS);
}

std::string TfrmClips::RowCaption(int row) const {
  // A clip without a comment is titled by its text: one line, as the settings page shows it.
  if (ShowsCollection) return ClipList ? ClipCaption(ClipList->ClipTitle(row)) : std::string();
  return row >= 0 && row < static_cast<int>(Texts.size()) ? ClipCaption(Texts[static_cast<std::size_t>(row)])
                                                           : std::string();
}

void TfrmClips::dgdClipsKeyDown(TDrawGrid* grid, WORD& key, UINT) {
  if (key != VK_UP && key != VK_DOWN) return;
  int target = WrapRow(key == VK_UP, grid->Row(), grid->RowCount());
  if (target < 0) return;
  grid->SetRow(target);
  key = 0;
}

void TfrmClips::dgdClipsKeyPress(TDrawGrid* grid, char& key) {
  int row = RowForKey(key, NumerateItems);
  if (row < 0 || row >= grid->RowCount()) return;
  grid->SetRow(row);
  btnOKClick(grid);
}

void TfrmClips::dgdClipsMouseUp(TControl*, TMouseButton, UINT, int, int) { btnOKClick(dgdClips); }

// The grip reads the pointer from the message itself: GetCursorPos can already
// answer a later (or, under a virtual desktop, an earlier) position than the one
// that produced this event.
static int GripScreenX(TControl* grip, int x, int y) {
  POINT p{x, y};
  ClientToScreen(grip->Handle(), &p);
  return p.x;
}

void TfrmClips::pnlSizeMouseDown(TControl*, TMouseButton, UINT, int x, int y) {
  SetCapture(pnlSize->Handle());
  GripCursorX = GripScreenX(pnlSize, x, y);
}

void TfrmClips::pnlSizeMouseMove(TControl*, UINT, int x, int y) {
  if (GetCapture() != pnlSize->Handle()) return;
  int screenX = GripScreenX(pnlSize, x, y);
  pnlMain->SetWidth(ClientWidth());
  TGripResult r = GripMove(gripLeft_, Left(), Width(), GripCursorX, screenX, minWidth_);
  // Held at the minimum, the grip moves less than the pointer: it takes up again only
  // when the pointer comes back to where the grip is.
  const int applied = r.Width - Width();
  SetBounds(r.Left, Top(), r.Width, Height());
  GripCursorX += gripLeft_ ? -applied : applied;
}

void TfrmClips::pnlSizeMouseUp(TControl*, TMouseButton, UINT, int, int) {
  ReleaseCapture();
  dgdClips->Invalidate();
}

}  // namespace vimo
