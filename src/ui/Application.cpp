#include "ui/Application.h"

#include <memory>
#include <vector>

#include "platform/Utf.h"

namespace vimo {
namespace {

constexpr UINT WM_DEFERRED = WM_APP + 0x101;
constexpr const wchar_t* kWindowClass = L"TVimoApplication";

}  // namespace

TApplication& TApplication::Instance() {
  static TApplication app;
  // Every guarded callback shows its errors through the application from now on.
  static const bool displayInstalled =
      (SetErrorDisplay([]() noexcept { TApplication::Instance().HandleCurrentException(); }), true);
  (void)displayInstalled;
  return app;
}

void TApplication::Initialize() {
  if (handle_) return;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = &TApplication::WndProc;
  wc.hInstance = instance;
  wc.lpszClassName = kWindowClass;
  RegisterClassW(&wc);
  // A real top-level window, never shown: owner of forms and message boxes, and the
  // window that receives WM_ACTIVATEAPP for the whole program.
  handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, Widen(title_).c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                            0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_, Widen(title_).c_str());
}

bool TApplication::HelpCommand(UINT command, ULONG_PTR data, HWND owner) {
  return Help.Command && Help.Command(owner ? owner : handle_, command, data);
}

void TApplication::ContextHelp(HWND owner, UINT command, int helpId, const RECT& anchor, const std::string& topic) {
  if (Help.Context) Help.Context(owner, command, helpId, anchor, topic);
}

void TApplication::ShowException(const std::string& message) noexcept {
  try {
    if (ErrorDisplay) {
      ErrorDisplay(message);
      return;
    }
    MessageBoxW(handle_, Widen(message).c_str(), Widen(title_).c_str(), MB_OK | MB_ICONERROR);
  } catch (...) {
    // The error display itself failed: nothing sensible is left to show it with.
  }
}

void TApplication::HandleCurrentException() noexcept {
  try {
    throw;
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("Unknown error");
  }
}

void TApplication::PostDeferred(std::function<void()> action) {
  Initialize();
  // Never 0, so that a bare message of this number names nothing.
  if (++lastDeferred_ == 0) ++lastDeferred_;
  const std::uint32_t id = lastDeferred_;
  deferred_[id] = std::move(action);
  if (!PostMessageW(handle_, WM_DEFERRED, 0, static_cast<LPARAM>(id))) {
    // The queue is full or gone: run it now rather than keep it for ever.
    RunDeferred(id);
  }
}

void TApplication::RunDeferred(std::uint32_t id) {
  auto it = deferred_.find(id);
  if (it == deferred_.end()) return;  // not ours, or run already
  std::function<void()> action = std::move(it->second);
  deferred_.erase(it);
  Guarded(action);
}

bool TApplication::HandleMessage(MSG& msg) {
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

int TApplication::HookMainWindow(std::function<void(UINT, WPARAM, LPARAM)> hook) {
  Initialize();
  mainWindowHooks_[++lastHookId_] = std::move(hook);
  return lastHookId_;
}

void TApplication::UnhookMainWindow(int id) { mainWindowHooks_.erase(id); }

void TApplication::RunMainWindowHooks(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A hook may remove itself or another one: walk the ids and skip those gone since.
  std::vector<int> ids;
  for (const auto& entry : mainWindowHooks_) ids.push_back(entry.first);
  for (int id : ids) {
    auto it = mainWindowHooks_.find(id);
    if (it == mainWindowHooks_.end()) continue;
    auto hook = it->second;
    Guarded([&] { hook(msg, wParam, lParam); });
  }
}

ApplicationWindow& TApplication::Window() {
  class Window final : public ApplicationWindow {
   public:
    explicit Window(TApplication& app) : app_(app) {}
    NativeHandle MainWindow() override {
      app_.Initialize();
      return reinterpret_cast<NativeHandle>(app_.Handle());
    }
    NativeHandle ExistingMainWindow() override { return reinterpret_cast<NativeHandle>(app_.Handle()); }
    void ProcessMessages() override { app_.ProcessMessages(); }
    bool Terminated() override { return app_.Terminated(); }
    int HookMainWindow(std::function<void(const WindowMessage&)> hook) override {
      return app_.HookMainWindow([hook = std::move(hook)](UINT msg, WPARAM wParam, LPARAM lParam) {
        hook({msg, static_cast<std::uintptr_t>(wParam), static_cast<std::intptr_t>(lParam)});
      });
    }
    void UnhookMainWindow(int hookId) override { app_.UnhookMainWindow(hookId); }

   private:
    TApplication& app_;
  };
  static Window window(*this);
  return window;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (!terminated_ && HandleMessage(msg)) {
  }
}

void TApplication::Run() {
  Initialize();
  MSG msg;
  while (!terminated_) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      terminated_ = true;
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void TApplication::Terminate() { PostQuitMessage(0); }

LRESULT CALLBACK TApplication::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TApplication& app = Instance();
  if (!app.mainWindowHooks_.empty()) app.RunMainWindowHooks(msg, wParam, lParam);
  switch (msg) {
    case WM_DEFERRED:
      // Only the low 32 bits: a forged lParam on 64-bit names nothing either way.
      app.RunDeferred(static_cast<std::uint32_t>(static_cast<std::uintptr_t>(lParam)));
      return 0;
    case WM_ACTIVATEAPP:
      if (!wParam && app.OnDeactivate) Guarded(app.OnDeactivate);
      return 0;
    case WM_CLOSE:
      // An installer or Task Manager asks the program to end: as "Exit" does.
      app.Terminate();
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace vimo
