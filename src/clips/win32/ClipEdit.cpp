#include "clips/win32/ClipEdit.h"

#include <memory>

#include "clips/TextFile.h"
#include "model/SmartList.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Files.h"

namespace vimo {
namespace {

constexpr const char* kTextFilter = "Text files (*.txt)|*.txt|Any files (*.*)|*.*";

void SetUpTextDialog(TFileDialog& d) {
  d.DefaultExt = "txt";
  d.Filter = kTextFilter;
  d.Options = ofOverwritePrompt | ofHideReadOnly | ofFileMustExist;
}

}  // namespace

// ---------------------------------------------------------------------------- clip editor

TfrmClipEditor::TfrmClipEditor() : TForm(TFormStyle::Dialog) {
  EnsureFileServices();
  SetCaption("Clip");
  // Created in tab order: the dialog walks its controls in creation order.
  lblComment = new TLabel(this, "Comment");
  edtComment = new TEdit(this, "", 0x7FFFFFFE, false);
  lblText = new TLabel(this, "Text");
  memText = new TMemo(this);
  btnHistory = new TButton(this, "History...", 0);
  btnLoad = new TButton(this, "Load...", 0);
  btnSave = new TButton(this, "Save...", 0);
  btnOK = new TButton(this, "OK", IDOK, true);
  btnOK->ModalResult = mrOK;
  btnCancel = new TButton(this, "Cancel", IDCANCEL);
  btnCancel->ModalResult = mrCancel;
  DefaultButton = btnOK;
  CancelButton = btnCancel;
  SetUpTextDialog(opdText);
  SetUpTextDialog(svdText);

  lblComment->SetBounds(8, 8, 384, 14);
  edtComment->SetBounds(8, 22, 384, 21);
  lblText->SetBounds(8, 50, 384, 14);
  memText->SetBounds(8, 64, 384, 196);
  // Four pixels between the buttons, and more before OK.
  btnHistory->SetBounds(8, 268, 70, 23);
  btnLoad->SetBounds(82, 268, 70, 23);
  btnSave->SetBounds(156, 268, 70, 23);
  btnOK->SetBounds(236, 268, 75, 23);
  btnCancel->SetBounds(317, 268, 75, 23);
  SetClientSize(400, 300);
  ScaleFromDesign();

  OnShow = [this](TForm* s) { FormShow(s); };
  OnCloseQuery = [this](TForm* s) {
    FormClose(s);
    return true;
  };
  memText->OnChange = [this](TMemo* s) { memTextChange(s); };
  btnLoad->OnClick = [this](TControl* s) { btnLoadClick(s); };
  btnSave->OnClick = [this](TControl* s) { btnSaveClick(s); };
  btnHistory->OnClick = [this](TControl* s) { btnHistoryClick(s); };
}

bool TfrmClipEditor::EditClip(TClipRecord& clip) {
  WorkClip = clip;
  if (ShowModal() != mrOK) return false;
  clip = WorkClip;
  return true;
}

void TfrmClipEditor::FormShow(TForm*) {
  edtComment->SetText(WorkClip.Comment);
  // The edit control breaks lines only at CR LF.
  memText->SetText(CrLfLineBreaks(WorkClip.Text));
  memTextChange(memText);
  btnHistory->SetEnabled(!DisableHistory);
}

void TfrmClipEditor::memTextChange(TMemo*) { btnOK->SetEnabled(GetWindowTextLengthW(memText->Handle()) > 0); }

void TfrmClipEditor::btnLoadClick(TControl*) {
  if (!opdText.Execute(handle_)) return;
  memText->SetText(CrLfLineBreaks(ReadTextFile(*Platform().files, *Platform().ansi, opdText.FileName)));
}

void TfrmClipEditor::btnSaveClick(TControl*) {
  if (!svdText.Execute(handle_)) return;
  WriteTextFile(*Platform().files, *Platform().ansi, svdText.FileName, memText->Text());
}

void TfrmClipEditor::btnHistoryClick(TControl*) {
  auto picker = std::make_unique<TfrmClipHistory>();
  if (picker->ShowModal() != mrOK) return;
  memText->SetText(CrLfLineBreaks(picker->memText->Text()));
  SetFocus(edtComment->Handle());
}

void TfrmClipEditor::FormClose(TForm*) {
  if (ModalResult != mrOK) return;
  WorkClip.Comment = edtComment->Text();
  WorkClip.Text = CrLfLineBreaks(memText->Text());
}

// ---------------------------------------------------------------------------- history picker

TfrmClipHistory::TfrmClipHistory() : TForm(TFormStyle::Dialog) {
  SetCaption("Clipboard History");
  if (ClipHistory) HistoryCopy = *ClipHistory;
  lblClips = new TLabel(this, "Clips");
  dgdClips = new TDrawGrid(this);
  // The grid takes the focus first so that the arrow keys walk the history.
  SetWindowLongPtrW(dgdClips->Handle(), GWL_STYLE, GetWindowLongPtrW(dgdClips->Handle(), GWL_STYLE) | WS_TABSTOP);
  SetWindowLongPtrW(dgdClips->Handle(), GWL_EXSTYLE,
                    GetWindowLongPtrW(dgdClips->Handle(), GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  lblText = new TLabel(this, "Full text");
  memText = new TMemo(this);
  btnOK = new TButton(this, "OK", IDOK, true);
  btnOK->ModalResult = mrOK;
  btnCancel = new TButton(this, "Cancel", IDCANCEL);
  btnCancel->ModalResult = mrCancel;
  DefaultButton = btnOK;
  CancelButton = btnCancel;
  dgdClips->UseWindowColor();
  dgdClips->ColCount = 1;
  dgdClips->DefaultRowHeight = 15;
  dgdClips->RowSelect = true;
  // Only eight rows fit: the rest of a history of up to 50 must be reachable by mouse.
  dgdClips->SetVertScrollBar(true);

  lblClips->SetBounds(8, 8, 384, 14);
  dgdClips->SetBounds(8, 22, 384, 124);
  lblText->SetBounds(8, 152, 384, 14);
  memText->SetBounds(8, 166, 384, 94);
  btnOK->SetBounds(236, 268, 75, 23);
  btnCancel->SetBounds(317, 268, 75, 23);
  SetClientSize(400, 300);
  ScaleFromDesign();

  OnShow = [this](TForm* s) { FormShow(s); };
  dgdClips->OnClick = [this](TDrawGrid* s) { dgdClipsClick(s); };
  dgdClips->OnDrawCell = [this](TDrawGrid* s, HDC dc, int col, int row, RECT r, TGridDrawState) {
    dgdClipsDrawCell(s, dc, col, row, r);
  };
}

void TfrmClipHistory::FormShow(TForm*) {
  dgdClips->DefaultRowHeight = Scaled(15);
  dgdClips->SetRowCount(std::max(static_cast<int>(HistoryCopy.size()), 1));
  dgdClips->DefaultColWidth = dgdClips->ClientWidth();
  // A whole number of rows: no half row at the bottom.
  int rowHeight = std::max(dgdClips->DefaultRowHeight, 1);
  int frame = dgdClips->Height() - dgdClips->ClientHeight();
  int rows = std::max(dgdClips->ClientHeight() / rowHeight, 1);
  dgdClips->SetHeight(rows * rowHeight + frame);
  dgdClipsClick(dgdClips);
}

void TfrmClipHistory::dgdClipsClick(TDrawGrid*) {
  std::size_t row = static_cast<std::size_t>(std::max(dgdClips->Row(), 0));
  if (!HistoryCopy.empty() && row < HistoryCopy.size()) memText->SetText(CrLfLineBreaks(HistoryCopy[row]));
}

void TfrmClipHistory::dgdClipsDrawCell(TDrawGrid*, HDC dc, int, int row, RECT rect) {
  std::string text = HistoryCopy.empty() ? std::string("[empty]")
                     : static_cast<std::size_t>(row) < HistoryCopy.size()
                         ? ClipCaption(HistoryCopy[static_cast<std::size_t>(row)])
                         : std::string();
  rect.left += 3;
  DrawTextIn(dc, text, rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}

}  // namespace vimo
