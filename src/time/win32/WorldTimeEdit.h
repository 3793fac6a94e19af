#pragma once
// The modal dialog that creates or edits one world time entry.
#include "model/Model.h"
#include "ui/Form.h"

namespace vimo {

class TfrmWorldTimeEditor : public TForm {
 public:
  // The record is written only when the dialog closes with OK.
  explicit TfrmWorldTimeEditor(TWorldTime& item);

  TLabel* lblZone;
  TEdit* edtZone;
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

 private:
  void edtHoursKeyPress(TEdit* sender, char& key);
  bool FormCloseQuery(TForm* sender);
};

}  // namespace vimo
