#include "settings/win32/ActEdit.h"

#include <commctrl.h>

#include <algorithm>

#include "actions/ActionRunner.h"
#include "help/HelpTopics.h"
#include "model/ActionKinds.h"
#include "platform/Utf.h"
#include "settings/EditorCodes.h"
#include "settings/SetupLogic.h"

namespace vimo {

template <typename C>
C* TfrmActionEditor::Tagged(C* control, int tag, int helpId) {
  control->Tag = tag;
  if (tag != 0) tagged_.push_back(control);
  SetHelpId(control, helpId);
  return control;
}

TfrmActionEditor::TfrmActionEditor() : TForm(TFormStyle::Dialog), BrowseFolder(&BrowseForFolder) {
  SetCaption("Action");
  ShowHelpButton();

  lblComment = Tagged(new TLabel(this, "Comment"), 0, 2030);
  edtComment = Tagged(new TEdit(this, "", 0x7FFFFFFE, false), 0, 2030);
  lblAction = Tagged(new TLabel(this, "Action"), 0, 2031);
  cmbAction = Tagged(new TComboBox(this), 0, 2031);
  lblPath = Tagged(new TLabel(this, "Application or folder path"), tagPath, 2032);
  edtPath = Tagged(new TEdit(this, "", 0x7FFFFFFE, false), tagPath, 2032);
  btnPath = Tagged(new TButton(this, "...", 0), tagPath, 2032);
  lblParameters = Tagged(new TLabel(this, "Run parameters"), tagParameters, 2033);
  edtParameters = Tagged(new TEdit(this, "", 0x7FFFFFFE, false), tagParameters, 2033);
  lblWindow = Tagged(new TLabel(this, "Window"), tagWindow, 2034);
  cmbWindow = Tagged(new TComboBox(this), tagWindow, 2034);
  rgrFolderMode = Tagged(new TRadioGroup(this, "Folder mode", {"Open", "Explore"}, 2), tagFolderMode, 2035);
  for (int i = 0; i < rgrFolderMode->Count(); ++i) SetHelpId(rgrFolderMode->ButtonHandle(i), 2035);
  lblHotKey = Tagged(new TLabel(this, "Hot key"), tagHotKey, 2036);
  htkHotKey = Tagged(new THotKey(this), tagHotKey, 2036);
  btnOK = Tagged(new TButton(this, "OK", IDOK, true), 0, 1001);
  btnOK->ModalResult = mrOK;
  btnCancel = Tagged(new TButton(this, "Cancel", IDCANCEL), 0, 1002);
  btnCancel->ModalResult = mrCancel;
  DefaultButton = btnOK;
  CancelButton = btnCancel;

  cmbWindow->AddItem("Normal", 0);
  cmbWindow->AddItem("Minimized", 1);
  cmbWindow->AddItem("Maximized", 2);
  rgrFolderMode->SetItemIndex(0);
  // A key alone or with Shift alone would take typing from every program: it gets Ctrl+Alt.
  htkHotKey->SetRules(HKCOMB_NONE | HKCOMB_S, HOTKEYF_CONTROL | HOTKEYF_ALT);

  opdPath.DefaultExt = "exe";
  opdPath.Filter = "Programs|*.exe;*.bat;*.com;*.lnk|All files|*.*";
  opdPath.Options = ofHideReadOnly;

  lblComment->SetBounds(8, 8, 209, 14);
  edtComment->SetBounds(8, 22, 209, 21);
  lblAction->SetBounds(8, 47, 209, 14);
  cmbAction->SetBounds(8, 61, 209, 21);
  lblPath->SetBounds(8, 86, 209, 14);
  edtPath->SetBounds(8, 100, 182, 21);
  btnPath->SetBounds(194, 100, 23, 21);
  lblParameters->SetBounds(8, 125, 209, 14);
  edtParameters->SetBounds(8, 139, 209, 21);
  lblWindow->SetBounds(8, 164, 209, 14);
  cmbWindow->SetBounds(8, 178, 209, 21);
  rgrFolderMode->SetBounds(8, 203, 209, 38);
  lblHotKey->SetBounds(8, 249, 48, 14);
  htkHotKey->SetBounds(60, 245, 157, 21);
  btnOK->SetBounds(62, 271, 75, 23);
  btnCancel->SetBounds(142, 271, 75, 23);
  SetClientSize(225, 300);
  ScaleFromDesign();

  OnShow = [this](TForm* s) { FormShow(s); };
  OnCloseQuery = [this](TForm* s) {
    FormClose(s);
    return true;
  };
  HelpTopic = kHelpActionEditor;
  cmbAction->OnChange = [this](TComboBox* s) { cmbActionClick(s); };
  btnPath->OnClick = [this](TControl* s) { btnPathClick(s); };
}

bool TfrmActionEditor::EditAction(TActionRecord& record, bool hotKeyEnabled, bool excludeClipKinds) {
  record_ = record;
  HotKeyEnabled = hotKeyEnabled;
  ExcludeClipKinds = excludeClipKinds;
  if (ShowModal() != mrOK) return false;
  record = record_;
  return true;
}

int TfrmActionEditor::SelectedKind() const { return cmbAction->ItemId(cmbAction->ItemIndex()); }

void TfrmActionEditor::FormShow(TForm*) {
  cmbAction->Clear();
  for (int id : EditorKinds(ExcludeClipKinds))
    if (const TActionKind* kind = FindActionKind(id)) cmbAction->AddItem(kind->Name, id);
  edtComment->SetText(record_.Comment);
  cmbAction->SetItemIndex(record_.Action != 0 ? cmbAction->IndexOfId(record_.Action) : -1);
  edtPath->SetText(record_.ExecPath);
  edtParameters->SetText(record_.ExecParams);
  cmbWindow->SetItemIndex(record_.ExecWindowState);
  rgrFolderMode->SetItemIndex(record_.FolderMode);
  if (HotKeyEnabled) htkHotKey->SetHotKey(HotKeyValueFromShortcut(record_.HotKey));
  cmbActionClick(cmbAction);
}

void TfrmActionEditor::cmbActionClick(TComboBox*) {
  int mask = ActionFieldMask(SelectedKind());
  for (TControl* c : tagged_) c->SetEnabled((c->Tag & mask) != 0);
  for (TControl* c : tagged_)
    if (c->Tag == tagHotKey) c->SetEnabled(HotKeyEnabled);
  btnOK->SetEnabled(cmbAction->ItemIndex() >= 0);
}

void TfrmActionEditor::btnPathClick(TControl*) {
  int kind = SelectedKind();
  if (kind == akApplication) {
    opdPath.FileName = edtPath->Text();
    if (opdPath.Execute(handle_)) edtPath->SetText(opdPath.FileName);
  } else if (kind == akFolder) {
    std::string path = edtPath->Text();
    DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) path.clear();
    if (BrowseFolder(handle_, path)) edtPath->SetText(path);
  }
}

void TfrmActionEditor::FormClose(TForm*) {
  if (ModalResult != mrOK) return;
  TActionEditorValues v;
  v.comment = edtComment->Text();
  v.kind = SelectedKind();
  v.path = edtPath->Text();
  v.parameters = edtParameters->Text();
  // A stored state or mode outside the lists shows no selection; it comes back as the first item.
  v.windowItem = std::max(cmbWindow->ItemIndex(), 0);
  v.folderModeItem = std::max(rgrFolderMode->ItemIndex(), 0);
  v.hotKey = ShortcutFromHotKeyValue(htkHotKey->HotKey());
  record_ = EditorResult(v, HotKeyEnabled);
}

}  // namespace vimo
