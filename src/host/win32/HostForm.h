#pragma once
// TfrmVimoHost01: the hidden host form. It owns the tray icon with its menu, the
// timers, the window-event hook, and the window that receives hot keys and clipboard
// notifications.
#include <windows.h>

#include <functional>
#include <memory>

#include "actions/ActionRunner.h"
#include "components/LiteTimer.h"
#include "components/PopupMenu.h"
#include "components/TrayIcon.h"
#include "components/WinEvent.h"
#include "components/win32/TrayImageList.h"
#include "host/ClipboardMonitor.h"
#include "host/DeferredSave.h"
#include "host/Launchers.h"
#include "platform/win32/Win32ClipboardViewer.h"
#include "platform/win32/Win32Timer.h"

namespace vimo {

// Shows the settings dialog modally, on "About" or on "General"; true when closed with OK.
using TShowSetupDialog = std::function<bool(bool about)>;

class TfrmVimoHost01 {
 public:
  // Without `showSetup` the menu opens the settings dialog, TfrmSetup.
  explicit TfrmVimoHost01(TShowSetupDialog showSetup = {});
  ~TfrmVimoHost01();
  TfrmVimoHost01(const TfrmVimoHost01&) = delete;
  TfrmVimoHost01& operator=(const TfrmVimoHost01&) = delete;

  HWND Handle() const { return handle_; }

  // Components, in the order the form declares them.
  TPopupMenu pmnTray;
  TMenuItem* mniExit = nullptr;
  TMenuItem* mniExitSeparator = nullptr;
  TMenuItem* mniSuspend = nullptr;
  TMenuItem* mniHelp = nullptr;
  TMenuItem* mniAbout = nullptr;
  TMenuItem* mniCustomize = nullptr;
  TMenuItem* mniClearHistory = nullptr;
  TMenuItem* mniClearHistorySeparator = nullptr;
  // The faces as the settings dialog draws them; made when it first opens.
  TImageListHandle imlTrayIcons;
  std::unique_ptr<TLiteTimer> timClipboard;
  // Saves the history a moment after a burst of copies (and at exit).
  std::unique_ptr<TLiteTimer> timSaveHistory;
  std::unique_ptr<TTrayIcon> cmpTrayIcon;
  std::unique_ptr<Win32Timer> timCorner;
  // Watches a fired hot key until it is released: its auto-repeats run nothing.
  std::unique_ptr<Win32Timer> timHotKeyHeld;
  std::unique_ptr<TWinEvent> cmpWinEvent;

  void pmnTrayPopup();
  void mniExitClick();
  void mniSuspendClick(TMenuItem& sender);
  void mniHelpClick();
  void mniCustomizeClick(TMenuItem& sender);
  // Empties the history in memory and in the registry, once the user said Yes.
  void mniClearHistoryClick();
  void cmpTrayIconBalloonHintTimeout();
  void ClosePopup();

  // The image for the current colour at rest: the suspended face while suspended.
  void ShowRestingImage();

  // Hot keys of the host window (ids by list position).
  void RegisterHotKeys();
  void UnregisterHotKeys();
  // One balloon when combinations could not be registered, naming the first.
  void ShowFailedHotKeys();

  TClipboardMonitor& Monitor() { return *monitor_; }
  TDeferredSave& HistorySave() { return *historySave_; }
  TLaunchers& Launchers() { return *launchers_; }

 private:
  class ClipboardTimer;
  static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void FormCreate();
  void FormDestroy();
  // The session ends: the process may be ended as soon as we answer.
  void EndSession();
  bool ShowSetup(bool about);

  HWND handle_ = nullptr;
  TShowSetupDialog showSetup_;
  bool setupOpen_ = false;
  TTrayFaceIcons trayImages_;
  std::unique_ptr<Win32ClipboardViewer> clipboard_;
  Win32TextCompare textCompare_;
  std::unique_ptr<ClipboardTimer> clipboardTimer_;
  std::unique_ptr<ClipboardTimer> saveTimer_;
  std::unique_ptr<TDeferredSave> historySave_;
  std::unique_ptr<TClipboardMonitor> monitor_;
  bool destroyed_ = false;
  std::unique_ptr<TPopupService> popups_;
  std::unique_ptr<TActionRunner> runner_;
  std::unique_ptr<TLaunchers> launchers_;
};

}  // namespace vimo
