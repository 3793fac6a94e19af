#include "time/win32/WorldTimeEdit.h"

#include "time/WorldTimeMath.h"

namespace vimo {

TfrmWorldTimeEditor::TfrmWorldTimeEditor(TWorldTime& item) : TForm(TFormStyle::Dialog), Item(item) {
  SetCaption("World Time Item");
  grbBias = new TGroupBox(this, "Time bias (from GMT)");
  lblZone = new TLabel(this, "Zone name");
  edtZone = new TEdit(this, "", 32, false);
  btnOK = new TButton(this, "OK", IDOK, true);
  btnOK->ModalResult = mrOK;
  btnCancel = new TButton(this, "Cancel", IDCANCEL);
  btnCancel->ModalResult = mrCancel;
  lblHours = new TLabel(this, "Hours");
  edtHours = new TEdit(this, "0", 3, true);
  udnHours = new TUpDown(this, edtHours, -12, 13);
  lblMinutes = new TLabel(this, "Minutes");
  edtMinutes = new TEdit(this, "0", 2, true);
  udnMinutes = new TUpDown(this, edtMinutes, 0, 59);
  DefaultButton = btnOK;
  CancelButton = btnCancel;

  lblZone->SetBounds(8, 8, 160, 14);
  edtZone->SetBounds(8, 24, 160, 21);
  btnOK->SetBounds(180, 8, 75, 25);
  btnCancel->SetBounds(180, 40, 75, 25);
  grbBias->SetBounds(8, 54, 160, 66);
  grbBias->SendToBack();  // the edits inside must stay above the frame
  lblHours->SetBounds(18, 72, 60, 14);
  edtHours->SetBounds(18, 88, 44, 21);
  lblMinutes->SetBounds(92, 72, 60, 14);
  edtMinutes->SetBounds(92, 88, 44, 21);
  // Re-binding after the edits moved lets the up-downs take their place beside them.
  udnHours->SetBuddy(edtHours);
  udnMinutes->SetBuddy(edtMinutes);
  SetClientSize(264, 128);

  edtZone->SetText(Item.Name);
  TEditorBias bias = EditorBiasFromOffset(Item.Offset);
  udnHours->SetPosition(bias.Hours);
  udnMinutes->SetPosition(bias.Minutes);
  // An offset between -59 and -1 minutes keeps its sign as "-0".
  if (bias.Negative && bias.Hours == 0) edtHours->SetText("-0");

  edtHours->OnKeyPress = [this](TEdit* s, char& k) { edtHoursKeyPress(s, k); };
  edtMinutes->OnKeyPress = [this](TEdit* s, char& k) { edtHoursKeyPress(s, k); };
  OnCloseQuery = [this](TForm* s) { return FormCloseQuery(s); };
}

void TfrmWorldTimeEditor::edtHoursKeyPress(TEdit*, char& key) {
  bool passes = key == '\b' || key == '+' || key == '-' || (key >= '0' && key <= '9');
  if (!passes) key = 0;
}

bool TfrmWorldTimeEditor::FormCloseQuery(TForm*) {
  if (ModalResult == mrOK) {
    Item.Name = edtZone->Text();
    std::string hoursText = edtHours->Text();
    Item.Offset = OffsetFromEditor(udnHours->Position(), udnMinutes->Position(),
                                   !hoursText.empty() && hoursText[0] == '-');
  }
  return true;
}

}  // namespace vimo
