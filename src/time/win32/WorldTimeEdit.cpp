#include "time/win32/WorldTimeEdit.h"

#include "platform/Platform.h"
#include "platform/win32/Win32TimeZones.h"
#include "time/PlaceTime.h"
#include "time/WorldTimeMath.h"

namespace vimo {

namespace {
constexpr int kNoZone = -1;
constexpr int kUnknownZone = -2;
}  // namespace

TfrmWorldTimeEditor::TfrmWorldTimeEditor(TWorldTime& item) : TForm(TFormStyle::Dialog), Item(item) {
  SetCaption("World Time Item");
  grbBias = new TGroupBox(this, "Time bias (from GMT)");
  lblZone = new TLabel(this, "Zone name");
  edtZone = new TEdit(this, "", 32, false);
  lblTimeZone = new TLabel(this, "Time zone");
  cmbTimeZone = new TComboBox(this);
  btnOK = new TButton(this, "OK", IDOK, true);
  btnOK->ModalResult = mrOK;
  btnCancel = new TButton(this, "Cancel", IDCANCEL);
  btnCancel->ModalResult = mrCancel;
  lblHours = new TLabel(this, "Hours");
  edtHours = new TEdit(this, "0", 3, true);
  udnHours = new TUpDown(this, edtHours, kEditorMinHours, kEditorMaxHours);
  lblMinutes = new TLabel(this, "Minutes");
  edtMinutes = new TEdit(this, "0", 2, true);
  udnMinutes = new TUpDown(this, edtMinutes, 0, 59);
  DefaultButton = btnOK;
  CancelButton = btnCancel;

  lblZone->SetBounds(8, 8, 160, 14);
  edtZone->SetBounds(8, 24, 160, 21);
  btnOK->SetBounds(180, 8, 75, 25);
  btnCancel->SetBounds(180, 40, 75, 25);
  lblTimeZone->SetBounds(8, 74, 160, 14);
  cmbTimeZone->SetBounds(8, 90, 247, 240);
  grbBias->SetBounds(8, 120, 160, 66);
  grbBias->SendToBack();  // the edits inside must stay above the frame
  lblHours->SetBounds(18, 138, 60, 14);
  edtHours->SetBounds(18, 154, 44, 21);
  lblMinutes->SetBounds(92, 138, 60, 14);
  edtMinutes->SetBounds(92, 154, 44, 21);
  // Re-binding after the edits moved lets the up-downs take their place beside them.
  udnHours->SetBuddy(edtHours);
  udnMinutes->SetBuddy(edtMinutes);
  SetClientSize(264, 194);
  ScaleFromDesign();

  EnsureTimeZoneSource();
  zones_ = Platform().timeZones->TimeZones();
  cmbTimeZone->AddItem("(none: the fixed offset below)", kNoZone);
  for (std::size_t i = 0; i < zones_.size(); ++i) cmbTimeZone->AddItem(zones_[i].Display, static_cast<int>(i));
  const TTimeZone* zone = FindZone(zones_, Item.Zone);
  // A zone this system does not know (settings brought from elsewhere) is kept unless
  // the user picks another; meanwhile the place shows its stored offset.
  if (!zone && !Item.Zone.empty()) cmbTimeZone->AddItem(Item.Zone + " (not on this system)", kUnknownZone);
  cmbTimeZone->SetItemIndex(zone ? cmbTimeZone->IndexOfId(static_cast<int>(zone - zones_.data()))
                                 : cmbTimeZone->IndexOfId(Item.Zone.empty() ? kNoZone : kUnknownZone));

  edtZone->SetText(Item.Name);
  ShowOffset(Item.Offset);
  cmbTimeZoneChange(cmbTimeZone);
  cmbTimeZone->OnChange = [this](TComboBox* s) { cmbTimeZoneChange(s); };

  edtHours->OnKeyPress = [this](TEdit* s, char& k) { edtHoursKeyPress(s, k); };
  edtMinutes->OnKeyPress = [this](TEdit* s, char& k) { edtHoursKeyPress(s, k); };
  OnCloseQuery = [this](TForm* s) { return FormCloseQuery(s); };
}

void TfrmWorldTimeEditor::ShowOffset(int offset) {
  TEditorBias bias = EditorBiasFromOffset(offset);
  udnHours->SetPosition(bias.Hours);
  udnMinutes->SetPosition(bias.Minutes);
  // An offset between -59 and -1 minutes keeps its sign as "-0".
  if (bias.Negative && bias.Hours == 0) edtHours->SetText("-0");
}

bool TfrmWorldTimeEditor::KeepsUnknownZone() const {
  int index = cmbTimeZone->ItemIndex();
  return index >= 0 && cmbTimeZone->ItemId(index) == kUnknownZone;
}

const TTimeZone* TfrmWorldTimeEditor::SelectedZone() const {
  int index = cmbTimeZone->ItemIndex();
  int id = index < 0 ? -1 : cmbTimeZone->ItemId(index);
  return id >= 0 && id < static_cast<int>(zones_.size()) ? &zones_[static_cast<std::size_t>(id)] : nullptr;
}

// A zone brings its own offset, daylight time included: the fixed offset then only shows
// its standard offset and cannot be changed.
void TfrmWorldTimeEditor::cmbTimeZoneChange(TComboBox*) {
  const TTimeZone* zone = SelectedZone();
  if (zone) ShowOffset(StandardOffset(*zone));
  const bool fixed = !zone && !KeepsUnknownZone();
  for (TControl* c : std::initializer_list<TControl*>{edtHours, udnHours, edtMinutes, udnMinutes, lblHours, lblMinutes})
    c->SetEnabled(fixed);
}

void TfrmWorldTimeEditor::edtHoursKeyPress(TEdit*, char& key) {
  bool passes = key == '\b' || key == '+' || key == '-' || (key >= '0' && key <= '9');
  if (!passes) key = 0;
}

bool TfrmWorldTimeEditor::FormCloseQuery(TForm*) {
  if (ModalResult == mrOK) {
    Item.Name = edtZone->Text();
    if (const TTimeZone* zone = SelectedZone()) {
      Item.Zone = zone->KeyName;
      Item.Offset = StandardOffset(*zone);
    } else if (!KeepsUnknownZone()) {
      Item.Zone.clear();
      std::string hoursText = edtHours->Text();
      Item.Offset = OffsetFromEditor(udnHours->Position(), udnMinutes->Position(),
                                     !hoursText.empty() && hoursText[0] == '-');
    }
  }
  return true;
}

}  // namespace vimo
