#pragma once
// The base of every form: a top-level window that owns its controls.
#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "ui/Controls.h"

namespace vimo {

inline constexpr int mrNone = 0;
inline constexpr int mrOK = 1;
inline constexpr int mrCancel = 2;

enum class TFormStyle { Popup, Dialog };

class TForm : public TControl {
 public:
  // Pop-ups are borderless and stay on top; dialogs have a caption and are centred.
  explicit TForm(TFormStyle style = TFormStyle::Popup);
  ~TForm() override;

  // Screen position and outer size.
  void SetBounds(int left, int top, int width, int height) override;
  void SetClientSize(int width, int height);
  void SetCaption(const std::string& caption);

  void Show();
  // Runs the close handler; the form stays unless the handler releases it.
  void Close();
  // Deletes the form once the message being handled now is done, and never inside its
  // own Show (showing lets pending messages run); a second call is ignored.
  void Release();
  // The pop-ups' close: tells OnPopupClosed, then releases the form.
  void ClosePopup();
  // Whoever keeps track of the open pop-up hears of its close here.
  std::function<void(TForm*)> OnPopupClosed;
  // The pop-ups' show: the application's window to the foreground, then this form.
  void BringToForeground();
  int ShowModal();
  int ModalResult = mrNone;
  void SetModalResult(int r);

  bool KeyPreview = false;
  TButton* DefaultButton = nullptr;
  TButton* CancelButton = nullptr;

  HFONT Font() const { return font_.Font(); }
  HFONT BoldFont() const { return boldFont_.Font(); }
  // Font height as the system gives it (negative: character height).
  int FontHeight() const { return fontHeight_; }
  static int PixelsPerInch();
  // The DPI the form is laid out for: its monitor's when it was made, then the one
  // WM_DPICHANGED brings.
  int Dpi() const { return dpi_; }
  // Lays the form out again for another DPI: fonts, client size, every control.
  void ScaleTo(int dpi);
  void ChangeScale(int m, int d) override;
  // After a change of DPI, for what the form computes from its controls' sizes.
  std::function<void(TForm*)> OnDpiChanged;
  // Forms created from now on lay out for this DPI instead of their monitor's (0: the
  // monitor's again); for tests.
  static void ForceDpi(int dpi);
  static int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
  static int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

  std::function<void(TForm*)> OnShow;
  std::function<void(TForm*)> OnClose;
  // Return false to keep the form open.
  std::function<bool(TForm*)> OnCloseQuery;
  std::function<void(TForm*, WORD& key, UINT shift)> OnKeyDown;
  // Return true when the wheel was handled.
  std::function<bool(TForm*, int delta)> OnMouseWheel;

  // A timer on the form's window; the callback runs on the message loop.
  void StartTimer(UINT id, UINT interval, std::function<void()> callback);
  void StopTimer(UINT id);

  // Keys every control of the form hands on: the preview, the dialog keys.
  bool PreviewKey(WORD& key);
  // Enter and Escape press the default and cancel buttons; true when used.
  virtual bool DialogKey(WORD key);
  bool MouseWheel(int delta);

  void AddHint(TControl* control);

  // Context help: the title-bar help button, and the help id of each control.
  void ShowHelpButton();
  // A taskbar button of its own while shown, and the program's icon there, in the title
  // bar and in Alt+Tab.
  void ShowInTaskbar();
  void SetHelpId(HWND control, int id) { helpIds_[control] = id; }
  void SetHelpId(TControl* control, int id) { SetHelpId(control->Handle(), id); }
  // The help id of a control or of the control a window belongs to; 0 for none.
  int HelpIdOf(HWND control) const;
  // A help request: HELP_CONTEXTPOPUP for the help button's click on a control,
  // HELP_CONTEXT for F1; `data` is the control's help id. Without a handler the form
  // answers with ContextHelp on HelpTopic.
  std::function<void(TForm*, UINT command, ULONG_PTR data)> OnHelp;
  // The help topic F1 opens where the focused control has no text of its own.
  std::string HelpTopic;
  // The corner code (1..4) of the primary screen a pop-up laid itself out at; 0 none.
  int PopupCorner = 0;
  // The control's text in a pop-up beside it, or, for F1 where there is none, the
  // help window on `topic`; for the request being handled now.
  void ContextHelp(UINT command, ULONG_PTR helpId, const std::string& topic);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Forms whose controls were placed in 96-DPI units call this once they are all there.
  void ScaleFromDesign();

 private:
  TFormStyle style_;
  TGdiObject font_;
  TGdiObject boldFont_;
  int fontHeight_ = -11;
  int dpi_ = 96;
  HWND tooltip_ = nullptr;
  bool modal_ = false;
  bool released_ = false;
  int showing_ = 0;                // depth of Show calls running now
  bool deleteAfterShow_ = false;   // released while showing: deleted once the show is over
  void DeleteReleased();
  std::map<UINT, std::function<void()>> timers_;
  std::map<HWND, int> helpIds_;
  void MakeFonts();
  RECT helpAnchor_{};  // where the pop-up of the request being handled goes
  void RequestHelp(UINT command, HWND control, const RECT& anchor);
  void PickHelp();
};

// The frame the world-time and map pop-ups share: a hidden button that Escape and Enter
// press, the main panel, and a raised toolbar holding the close button.
struct TPopupFrame {
  TButton* btnClose;
  TPanel* pnlMain;
  TPanel* pnlToolbar;
  TSpeedButton* sbtClose;
};
TPopupFrame BuildPopupFrame(TForm* form, const std::function<void(TControl*)>& close);

}  // namespace vimo
