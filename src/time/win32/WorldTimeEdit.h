#pragma once
// The modal dialog that creates or edits one world time entry.
#include <vector>

#include "model/Model.h"
#include "platform/TimeZones.h"
#include "ui/Form.h"
#include "ui/StdControls.h"

namespace vimo {

class TfrmWorldTimeEditor : public TForm {
 public:
  // The record is written only when the dialog closes with OK.
  explicit TfrmWorldTimeEditor(TWorldTime& item);

  TLabel* lblZone;
  TEdit* edtZone;
  TLabel* lblTimeZone;
  TComboBox* cmbTimeZone;  // "(none)" first, then the system's zones west to east
  TButton* btnOK;
  TButton* btnCancel;
  TGroupBox* grbBias;
  TLabel* lblHours;
  TEdit* edtHours;
  TUpDown* udnHours;
  TLabel* lblMinutes;
  TEdit* edtMinutes;
  TUpDown* udnMinutes;

  TWorldTime& Item;

  // The zone picked in the drop-down, or null for a fixed offset.
  const TTimeZone* SelectedZone() const;

 private:
  void cmbTimeZoneChange(TComboBox* sender);
  void edtHoursKeyPress(TEdit* sender, char& key);
  bool FormCloseQuery(TForm* sender);
  void ShowOffset(int offset);
  bool KeepsUnknownZone() const;

  std::vector<TTimeZone> zones_;
};

}  // namespace vimo
