#pragma once
// The rest of the system's own controls the dialogs use: check box, radio group,
// drop-down list, memo, hot-key entry, track bar, notebook of pages, bevel, link label,
// group panel and the common file dialogs.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace vimo {

class TCheckBox : public TControl {
 public:
  TCheckBox(TControl* parent, const std::string& caption);
  bool Checked() const;
  void SetChecked(bool on);
  std::function<void(TCheckBox*)> OnClick;

 protected:
  void Notify(UINT code) override;
};

// A group box holding one radio button per item, laid out in columns.
class TRadioGroup : public TPanel {
 public:
  TRadioGroup(TControl* parent, const std::string& caption, const std::vector<std::string>& items, int columns = 1);
  // -1 when no item is selected.
  int ItemIndex() const;
  void SetItemIndex(int index);
  int Count() const { return static_cast<int>(buttons_.size()); }
  HWND ButtonHandle(int index) const;
  std::function<void(TRadioGroup*)> OnClick;
  void ChangeScale(int m, int d) override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  class TRadioButton;
  void Arrange();
  TGroupBox* box_;
  std::vector<TControl*> buttons_;
  int columns_;
};

// A drop-down list; each item carries an id.
class TComboBox : public TControl {
 public:
  explicit TComboBox(TControl* parent);
  void Clear();
  void AddItem(const std::string& text, int id);
  int Count() const;
  std::string Item(int index) const;
  int ItemId(int index) const;
  // -1 when no item is selected.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // Index of the item carrying `id`, or -1.
  int IndexOfId(int id) const;
  std::function<void(TComboBox*)> OnChange;
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void Notify(UINT code) override;
};

// A multi-line edit with both scroll bars; its text keeps CR LF line breaks.
class TMemo : public TControl {
 public:
  explicit TMemo(TControl* parent, bool readOnly = false);
  std::string Text() const;
  void SetText(const std::string& text);
  std::function<void(TMemo*)> OnChange;

 protected:
  void Notify(UINT code) override;
};

// The system's hot-key entry; its value is the control's own: the key in the low byte, the
// HOTKEYF_ modifier bits (Shift 1, Ctrl 2, Alt 4, extended key 8) in the next.
class THotKey : public TControl {
 public:
  explicit THotKey(TControl* parent);
  int HotKey() const;
  void SetHotKey(int value);
  // HKM_SETRULES: the combinations refused, and the modifiers put in their place.
  void SetRules(WORD invalidCombinations, WORD replacementModifiers);
};

// A horizontal track bar with ticks.
class TTrackBar : public TControl {
 public:
  TTrackBar(TControl* parent, int min, int max, int pageSize);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const;
  // Clamped to the range; a new position runs OnChange, also when set from code.
  void SetPosition(int position);
  std::function<void(TTrackBar*)> OnChange;

 protected:
  void Notify(UINT code) override;

 private:
  int min_, max_;
  int last_;
};

// Pages on top of each other; one shows at a time.
class TNotebook : public TPanel {
 public:
  explicit TNotebook(TControl* parent);
  TPanel* AddPage(const std::string& caption);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TPanel* Page(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
  const std::string& PageCaption(int index) const { return captions_.at(static_cast<std::size_t>(index)); }
  int PageIndex() const { return index_; }
  void SetPageIndex(int index);
  // False when no page has the caption.
  bool SetActivePage(const std::string& caption);

 private:
  std::vector<TPanel*> pages_;
  std::vector<std::string> captions_;
  int index_ = -1;
};

// An etched line, horizontal when wider than high.
class TBevel : public TControl {
 public:
  explicit TBevel(TControl* parent);

 protected:
  void Paint(HDC dc) override;
};

// Text in the link colour, underlined, with the hand pointer; a click runs OnClick.
class TLinkLabel : public TControl {
 public:
  TLinkLabel(TControl* parent, const std::string& caption);
  const std::string& Caption() const { return caption_; }
  std::function<void(TLinkLabel*)> OnClick;
  void Click();
  void ChangeScale(int m, int d) override;

 protected:
  void Paint(HDC dc) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void MakeFont();
  std::string caption_;
  TGdiObject font_;
  bool hideFocus_ = false;
};

// A group box whose controls are children of the panel, so their notifications reach them.
class TGroupPanel : public TPanel {
 public:
  TGroupPanel(TControl* parent, const std::string& caption);
  void ChangeScale(int m, int d) override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TGroupBox* box_;
};

enum TFileDialogOption : unsigned {
  ofOverwritePrompt = 1,
  ofHideReadOnly = 2,
  ofFileMustExist = 4,
};

// The common file open and save dialogs.
class TFileDialog {
 public:
  explicit TFileDialog(bool save) : save_(save) {}
  std::string DefaultExt;
  std::string Filter;  // "description|pattern|description|pattern"
  std::string FileName;
  unsigned Options = 0;
  // Runs the dialog; true and FileName set when the user confirmed.
  bool Execute(HWND owner);
  // Replaces the system dialog, for tests that cannot click through it.
  static std::function<bool(TFileDialog&)> Runner;
  bool IsSave() const { return save_; }

 private:
  bool save_;
};

class TOpenDialog : public TFileDialog {
 public:
  TOpenDialog() : TFileDialog(false) {}
};

class TSaveDialog : public TFileDialog {
 public:
  TSaveDialog() : TFileDialog(true) {}
};

}  // namespace vimo
