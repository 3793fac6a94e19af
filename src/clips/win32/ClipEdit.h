#pragma once
// The modal dialogs that edit one clip of the collection, and pick a text from the
// clipboard history for it.
#include <string>

#include "model/ActionRecord.h"
#include "model/Model.h"
#include "ui/Form.h"
#include "ui/StdControls.h"

namespace vimo {

class TfrmClipEditor : public TForm {
 public:
  TfrmClipEditor();

  // True when the dialog closed with OK; only then is `clip` replaced.
  bool EditClip(TClipRecord& clip);

  TButton* btnOK;
  TButton* btnCancel;
  TOpenDialog opdText;
  TLabel* lblComment;
  TEdit* edtComment;
  TLabel* lblText;
  TMemo* memText;
  TButton* btnLoad;
  TButton* btnSave;
  TSaveDialog svdText;
  TButton* btnHistory;

  TClipRecord WorkClip;

  void FormShow(TForm* sender);
  void FormClose(TForm* sender);
  void memTextChange(TMemo* sender);
  void btnLoadClick(TControl* sender);
  void btnSaveClick(TControl* sender);
  void btnHistoryClick(TControl* sender);
};

class TfrmClipHistory : public TForm {
 public:
  TfrmClipHistory();

  TLabel* lblClips;
  TDrawGrid* dgdClips;
  TButton* btnOK;
  TButton* btnCancel;
  TLabel* lblText;
  TMemo* memText;

  // The history as it was when the picker was created.
  TStringList HistoryCopy;

  void FormShow(TForm* sender);
  void dgdClipsClick(TDrawGrid* sender);
  void dgdClipsDrawCell(TDrawGrid* sender, HDC dc, int col, int row, RECT rect);
};

}  // namespace vimo
