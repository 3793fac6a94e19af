#pragma once
// The modal dialog that sets up one action: a mouse-corner slot, a hot key or a tray click.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "model/ActionRecord.h"
#include "ui/Form.h"
#include "ui/StdControls.h"

namespace vimo {

class TfrmActionEditor : public TForm {
 public:
  TfrmActionEditor();

  // True when the dialog closed with OK; only then is `record` replaced.
  bool EditAction(TActionRecord& record, bool hotKeyEnabled, bool excludeClipKinds);

  TLabel* lblComment;
  TEdit* edtComment;
  TLabel* lblAction;
  TComboBox* cmbAction;
  TLabel* lblPath;
  TEdit* edtPath;
  TButton* btnPath;
  TLabel* lblParameters;
  TEdit* edtParameters;
  TLabel* lblWindow;
  TComboBox* cmbWindow;
  TRadioGroup* rgrFolderMode;
  TLabel* lblHotKey;
  THotKey* htkHotKey;
  TButton* btnOK;
  TButton* btnCancel;
  TOpenDialog opdPath;

  bool HotKeyEnabled = false;
  bool ExcludeClipKinds = false;
  // The folder browser; tests put their own in its place.
  std::function<bool(void* owner, std::string& path)> BrowseFolder;

  // Every control grouped by a tag, labels included.
  const std::vector<TControl*>& TaggedControls() const { return tagged_; }

  void FormShow(TForm* sender);
  void FormClose(TForm* sender);
  void cmbActionClick(TComboBox* sender);
  void btnPathClick(TControl* sender);

 private:
  template <typename C>
  C* Tagged(C* control, int tag, int helpId);
  int SelectedKind() const;

  TActionRecord record_;
  std::vector<TControl*> tagged_;
};

}  // namespace vimo
