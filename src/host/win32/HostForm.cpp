#include "host/win32/HostForm.h"

#include <random>

#include "components/TrayImages.h"
#include "host/HostTexts.h"
#include "clips/win32/PasteText.h"
#include "host/win32/PopupService.h"
#include "host/win32/SetupFeatures.h"
#include "model/Model.h"
#include "model/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/Utf.h"
#include "settings/win32/KeyNames.h"
#include "settings/win32/Setup.h"
#include "ui/Application.h"

namespace vimo {

// timClipboard as the clipboard monitor drives it.
class TfrmVimoHost01::ClipboardTimer final : public MonitorTimer {
 public:
  explicit ClipboardTimer(TLiteTimer& timer) : timer_(timer) {}
  void SetInterval(unsigned ms) override { timer_.SetInterval(static_cast<std::int32_t>(ms)); }
  void SetEnabled(bool enabled) override { timer_.SetEnabled(enabled); }

 private:
  TLiteTimer& timer_;
};

namespace {

constexpr const wchar_t* kHostClass = L"TfrmVimoHost01";
constexpr int kHostWidth = 120;
constexpr int kHostHeight = 40;

}  // namespace

TfrmVimoHost01::TfrmVimoHost01(TShowSetupDialog showSetup) : showSetup_(std::move(showSetup)) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = &TfrmVimoHost01::WndProc;
  wc.hInstance = instance;
  wc.lpszClassName = kHostClass;
  RegisterClassW(&wc);
  // Never shown; kept off screen (left = -width) like a form that is only a message target.
  handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, kHostClass, Widen(kHostCaption).c_str(), WS_POPUP, -kHostWidth, 0, kHostWidth,
                            kHostHeight, Application().Handle(), nullptr, instance, this);
  if (!handle_) throw std::runtime_error("Cannot create the host window");

  mniExit = &pmnTray.Add("Exit", [this](TMenuItem&) { mniExitClick(); });
  mniExitSeparator = &pmnTray.Add("-");
  mniClearHistory = &pmnTray.Add(kClearHistoryCaption, [this](TMenuItem&) { mniClearHistoryClick(); });
  mniClearHistorySeparator = &pmnTray.Add("-");
  mniSuspend = &pmnTray.Add("Suspend", [this](TMenuItem& s) { mniSuspendClick(s); });
  mniHelp = &pmnTray.Add("Help", [this](TMenuItem&) { mniHelpClick(); });
  mniAbout = &pmnTray.Add("About...", [this](TMenuItem& s) { mniCustomizeClick(s); });
  mniAbout->Tag = 1;
  mniCustomize = &pmnTray.Add("Settings...", [this](TMenuItem& s) { mniCustomizeClick(s); });
  pmnTray.OnPopup = [this](TPopupMenu&) { pmnTrayPopup(); };

  timClipboard = std::make_unique<TLiteTimer>(static_cast<std::int32_t>(kFirstProbeInterval),
                                              [this](TLiteTimer&) { monitor_->timClipboardTimer(); });
  clipboard_ = std::make_unique<Win32ClipboardViewer>(reinterpret_cast<WindowHandle>(handle_));
  clipboardTimer_ = std::make_unique<ClipboardTimer>(*timClipboard);
  timSaveHistory = std::make_unique<TLiteTimer>(static_cast<std::int32_t>(kSaveQuietMs),
                                                [this](TLiteTimer&) { historySave_->Tick(); });
  saveTimer_ = std::make_unique<ClipboardTimer>(*timSaveHistory);
  historySave_ = std::make_unique<TDeferredSave>(
      *saveTimer_, [] { return static_cast<std::uint64_t>(GetTickCount64()); }, [] { SaveHistoryAndState(); });
  monitor_ = std::make_unique<TClipboardMonitor>(*clipboard_, textCompare_, *clipboardTimer_,
                                                 reinterpret_cast<WindowHandle>(handle_),
                                                 [this] { historySave_->Request(); });

  cmpTrayIcon = std::make_unique<TTrayIcon>(reinterpret_cast<NativeHandle>(handle_), true);
  cmpTrayIcon->SetHint(kApplicationTitle);
  cmpTrayIcon->SetCycleIcons(false);
  cmpTrayIcon->SetPopupMenu(&pmnTray);
  cmpTrayIcon->SetIconList(&trayImages_);
  cmpTrayIcon->OnBalloonHintTimeout = [this](TTrayIcon&) { cmpTrayIconBalloonHintTimeout(); };
  cmpTrayIcon->OnClick = [this](TTrayIcon&) { launchers_->cmpTrayIconClick(); };
  cmpTrayIcon->Loaded();
  // A paste that could not happen says why where the user looks for the program.
  SetPasteNotice([this](const std::string& text) {
    cmpTrayIcon->ShowBalloonHint(kApplicationTitle, text, 2, kPasteBalloonSeconds);
  });

  timCorner = std::make_unique<Win32Timer>();
  timCorner->OnError = [](const std::exception& e) { Application().ShowException(e.what()); };
  popups_ = std::make_unique<TWin32PopupService>();
  runner_ = std::make_unique<TActionRunner>(
      *popups_, TActionWindows{[] { return static_cast<void*>(Application().Handle()); },
                               [this] { return reinterpret_cast<void*>(cmpTrayIcon->Handle()); }});
  launchers_ = std::make_unique<TLaunchers>(
      *timCorner, *popups_,
      TLauncherEvents{[this](int placement, const TActionRecord& action) { runner_->RunAction(placement, action); },
                      [this](int index) { cmpTrayIcon->SetIconIndex(index); }});
  timHotKeyHeld = std::make_unique<Win32Timer>();
  timHotKeyHeld->OnError = [](const std::exception& e) { Application().ShowException(e.what()); };
  launchers_->SetHeldKeyTimer(*timHotKeyHeld);
  launchers_->KeyName = &KeyName;

  // Active from creation: cursor movements reach the corner launcher from the start.
  cmpWinEvent = std::make_unique<TWinEvent>();
  cmpWinEvent->OnObjectLocationChange = [this](TCustomWinEvent&, WindowHandle, std::int32_t objectId, std::int32_t) {
    launchers_->cmpWinEventObjectLocationChange(objectId);
  };
  cmpWinEvent->SetActive(true);

  FormCreate();
}

TfrmVimoHost01::~TfrmVimoHost01() {
  FormDestroy();
  SetPasteNotice({});
  cmpWinEvent.reset();
  if (ActivePopup) ClosePopup();
  launchers_.reset();
  timCorner.reset();
  timHotKeyHeld.reset();
  // The tray icon removes its icon as it goes, before the window it reports to.
  cmpTrayIcon.reset();
  timClipboard.reset();
  timSaveHistory.reset();
  if (handle_) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

void TfrmVimoHost01::FormCreate() {
  Application().HelpFile = HelpFileFor(Platform().system->ExePath());
  Application().OnDeactivate = [this] { ClosePopup(); };
  if (TrayIconRandom) {
    static std::mt19937 random{std::random_device{}()};
    TrayIconColor = std::uniform_int_distribution<int>(0, 7)(random);
  }
  ShowRestingImage();
  cmpTrayIcon->SetIconVisible(true);
  RegisterHotKeys();
  timClipboard->SetEnabled(!DisableHistory);
  if (FirstRun)
    cmpTrayIcon->ShowBalloonHint(kFirstRunBalloonTitle, kFirstRunBalloonText, 1, kFirstRunBalloonSeconds);
  else
    ShowFailedHotKeys();
}

void TfrmVimoHost01::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  // Out of the chain first, so that the viewers behind us are never cut off.
  monitor_->Stop();
  historySave_->Flush();
  UnregisterHotKeys();
}

void TfrmVimoHost01::EndSession() {
  FormDestroy();
  cmpTrayIcon->SetIconVisible(false);
  Application().Terminate();
}

void TfrmVimoHost01::ShowRestingImage() {
  int color = TrayIconColor >= 0 && TrayIconColor < kTrayColorCount ? TrayIconColor : 0;
  cmpTrayIcon->SetIconIndex(RestingTrayImage(color, Suspended));
}

void TfrmVimoHost01::pmnTrayPopup() {
  mniSuspend->Caption = SuspendCaption(Suspended);
}

void TfrmVimoHost01::mniClearHistoryClick() {
  const int yes = IDYES;
  if (Platform().messageBoxes->Show(Application().Handle(), kClearHistoryQuestion, kApplicationTitle,
                                    MB_YESNO | MB_ICONQUESTION) != yes)
    return;
  ClipHistory->clear();
  // At once, not a moment later: the texts are kept as plain text.
  historySave_->Cancel();
  SaveHistoryAndState();
}

void TfrmVimoHost01::mniExitClick() { Application().Terminate(); }

void TfrmVimoHost01::mniSuspendClick(TMenuItem& sender) {
  Suspended = !Suspended;
  sender.Caption = SuspendCaption(Suspended);
  ShowRestingImage();
}

void TfrmVimoHost01::mniHelpClick() { Application().HelpCommand(HELP_CONTENTS, 0); }

void TfrmVimoHost01::mniCustomizeClick(TMenuItem& sender) {
  bool about = sender.Tag != 0;
  if (setupOpen_) {
    // Already open, perhaps behind other windows: it comes to the front.
    if (TfrmSetup* open = TfrmSetup::Open()) open->Reopen(about);
    return;
  }
  Application().ProcessMessages();
  setupOpen_ = true;
  UnregisterHotKeys();
  // Whatever the dialog does, also when it raises, the hot keys come back.
  struct Restore {
    TfrmVimoHost01& host;
    ~Restore() {
      host.setupOpen_ = false;
      host.RegisterHotKeys();
      host.ShowFailedHotKeys();
    }
  } restore{*this};
  if (showSetup_ ? showSetup_(about) : ShowSetup(about)) ShowRestingImage();
}

bool TfrmVimoHost01::ShowSetup(bool about) {
  TSetupHostLinks links;
  if (!imlTrayIcons.get()) imlTrayIcons = CreateTrayImageList();
  links.trayIcons = imlTrayIcons.get();
  links.enableClipboardTimer = [this](bool on) { timClipboard->SetEnabled(on); };
  // Switching the history off removes the listener, or leaves the chain.
  links.leaveViewerChain = [this] { monitor_->Stop(); };
  LinkSetupFeatures(links);
  TfrmSetup setup(std::move(links));
  return setup.Execute(about);
}

void TfrmVimoHost01::ShowFailedHotKeys() {
  const std::string text = launchers_->FailedHotKeysText();
  if (!text.empty()) cmpTrayIcon->ShowBalloonHint(kApplicationTitle, text, 2, kFirstRunBalloonSeconds);
}

void TfrmVimoHost01::cmpTrayIconBalloonHintTimeout() { cmpTrayIcon->HideBalloonHint(); }

void TfrmVimoHost01::ClosePopup() {
  if (!ActivePopup) return;
  TForm* popup = ActivePopup;
  ActivePopup = nullptr;
  popups_->Free(popup);
}

void TfrmVimoHost01::RegisterHotKeys() { launchers_->RegisterHotKeys(handle_); }
void TfrmVimoHost01::UnregisterHotKeys() { launchers_->UnregisterHotKeys(handle_); }

LRESULT TfrmVimoHost01::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_HOTKEY:
      launchers_->WMHotKey(static_cast<int>(wParam), static_cast<std::uint32_t>(GetMessageTime()));
      return 0;
    case WM_CLIPBOARDUPDATE:
      monitor_->WMClipboardUpdate();
      return 0;
    case WM_DRAWCLIPBOARD:
      monitor_->WMDrawClipboard();
      return 0;
    case WM_CHANGECBCHAIN:
      return monitor_->WMChangeCBChain(static_cast<WindowHandle>(wParam), static_cast<WindowHandle>(lParam));
    case WM_DISPLAYCHANGE:
      launchers_->DisplayChanged();
      return 0;
    case WM_CLOSE:
      // Task Manager's End task, or an installer: ended as "Exit" ends it.
      mniExitClick();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) EndSession();
      return 0;
  }
  return DefWindowProcW(handle_, msg, wParam, lParam);
}

LRESULT CALLBACK TfrmVimoHost01::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<TfrmVimoHost01*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || !self->monitor_) return DefWindowProcW(hwnd, msg, wParam, lParam);
  LRESULT result = 0;
  bool handled = false;
  Guarded([&] {
    result = self->HandleMessage(msg, wParam, lParam);
    handled = true;
  });
  return handled ? result : 0;
}

}  // namespace vimo
