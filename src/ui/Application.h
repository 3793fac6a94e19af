#pragma once
// The application object: a hidden top-level window of its own that owns the program's
// forms and message boxes, the title, the help file, the deactivation handler, the
// general error display and deferred release.
#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <string>

#include "platform/Guarded.h"
#include "platform/TrayShell.h"

namespace vimo {

class TApplication {
 public:
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  static TApplication& Instance();

  // Creates the application window; safe to call again.
  void Initialize();
  HWND Handle() const { return handle_; }

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // The old help file. It is shown only where it can still be shown (the file is there
  // and a viewer for it); otherwise the help built into the program answers.
  std::string HelpFile;
  // What answers help; the program installs its help here. Without it help does nothing.
  struct THelpHandler {
    std::function<bool(HWND window, UINT command, ULONG_PTR data)> Command;
    std::function<void(HWND owner, UINT command, int helpId, const RECT& anchor, const std::string& topic)> Context;
    // The help button's pick: the control clicked on inside `form` and the click's point.
    std::function<bool(HWND form, HWND& control, POINT& at)> PickControl;
  };
  THelpHandler Help;
  // A help command as WinHelp takes it: HELP_CONTENTS opens the help window (or brings
  // it to the front), HELP_CONTEXTPOPUP shows the pop-up text of help id `data`.
  bool HelpCommand(UINT command, ULONG_PTR data, HWND owner = nullptr);
  // Help on a control or a page: the text of `helpId` in a pop-up beside `anchor`
  // (screen coordinates); for F1 (HELP_CONTEXT) where there is none, the help window on
  // `topic`, or on the contents when that is empty.
  void ContextHelp(HWND owner, UINT command, int helpId, const RECT& anchor, const std::string& topic);

  // Called when the program loses activation to another program.
  std::function<void()> OnDeactivate;

  // The general error display: a message box with the application title. Tests may
  // replace it to observe errors without a modal box.
  std::function<void(const std::string&)> ErrorDisplay;
  void ShowException(const std::string& message) noexcept;
  // Hands the exception in flight to the error display; for catch (...) blocks.
  void HandleCurrentException() noexcept;

  // Runs `action` once the message being handled now is done (deferred release). The
  // action stays in this process; the message carries only its number, so a message
  // posted by another program runs nothing.
  void PostDeferred(std::function<void()> action);
  template <typename T>
  void Release(T* object) {
    PostDeferred([object] { delete object; });
  }

  // Main-window hooks see the application window's messages first and never consume
  // them (the tray icon puts its icon back on "TaskbarCreated" this way).
  int HookMainWindow(std::function<void(UINT, WPARAM, LPARAM)> hook);
  void UnhookMainWindow(int id);

  void ProcessMessages();
  // The window and the loop as the tray shell of the components takes them.
  ApplicationWindow& Window();
  // The message loop; returns after Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }

 private:
  TApplication() = default;
  static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
  bool HandleMessage(MSG& msg);
  void RunMainWindowHooks(UINT msg, WPARAM wParam, LPARAM lParam);
  void RunDeferred(std::uint32_t id);

  HWND handle_ = nullptr;
  std::string title_;
  bool terminated_ = false;
  std::map<int, std::function<void(UINT, WPARAM, LPARAM)>> mainWindowHooks_;
  std::map<std::uint32_t, std::function<void()>> deferred_;
  std::uint32_t lastDeferred_ = 0;
  int lastHookId_ = 0;
};

inline TApplication& Application() { return TApplication::Instance(); }

}  // namespace vimo
