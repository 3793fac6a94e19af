#pragma once
// In-memory stand-ins for the timer window, the notification area, the menu and the
// window-event hook, behaving as the system does where the components can tell.
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/Timers.h"
#include "platform/TrayShell.h"
#include "platform/WinEvents.h"

namespace vimo::test {

class FakeTimerService final : public TimerService {
 public:
  void CreateTimerWindow(std::function<void(std::uintptr_t)> onTick) override {
    ++windowsCreated;
    tick_ = std::move(onTick);
    window_ = true;
  }
  void DestroyTimerWindow() override {
    window_ = false;
    tick_ = nullptr;
    running.clear();  // the system kills a window's timers with it
  }
  bool HasTimerWindow() const override { return window_; }
  bool SetTimer(std::uintptr_t id, std::uint32_t interval) override {
    if (!window_ || failSetTimer) return false;
    ++setTimerCalls;
    running[id] = interval;  // an existing id is replaced and counts down afresh
    return true;
  }
  bool KillTimer(std::uintptr_t id) override { return window_ && running.erase(id) != 0; }

  // Delivers one WM_TIMER for `id` if the system timer runs.
  void Fire(std::uintptr_t id) {
    if (window_ && running.count(id)) tick_(id);
  }
  // Delivers a WM_TIMER that was queued before the timer went away.
  void DeliverStale(std::uintptr_t id) {
    if (window_) tick_(id);
  }
  bool Running(std::uintptr_t id) const { return running.count(id) != 0; }

  std::map<std::uintptr_t, std::uint32_t> running;
  int setTimerCalls = 0;
  int windowsCreated = 0;
  bool failSetTimer = false;

 private:
  bool window_ = false;
  std::function<void(std::uintptr_t)> tick_;
};

class FakeTrayShell final : public TrayShell, public MenuService {
 public:
  static constexpr NativeHandle kHandlerWindow = 0x1234;

  NativeHandle CreateHandlerWindow(std::function<void(std::uint32_t, std::uint32_t)> onCallback) override {
    callback_ = std::move(onCallback);
    ++windowsCreated;
    windowAlive = true;
    return kHandlerWindow;
  }
  void DestroyHandlerWindow(NativeHandle) override {
    windowAlive = false;
    callback_ = nullptr;
  }
  bool NotifyIcon(std::uint32_t message, const NotifyIconData& data) override {
    calls.push_back({message, data});
    log.push_back("notify " + std::to_string(message));
    switch (message) {
      case kNimAdd:
        if (failNotify || tray.count(data.uID)) return false;
        tray[data.uID] = data;
        return true;
      case kNimModify:
        if (failNotify || !tray.count(data.uID)) return false;
        tray[data.uID] = data;
        return true;
      case kNimDelete:
        return tray.erase(data.uID) != 0;
      default:
        return tray.count(data.uID) != 0;
    }
  }
  std::uint32_t TaskbarCreatedMessage() override { return taskbarCreated; }
  bool GetCursorPos(TPoint& pos) override {
    if (!cursorReadable) return false;
    pos = cursor;
    return true;
  }
  std::uint32_t DoubleClickTime() override { return doubleClickTime; }
  bool IsKeyDown(int vk) override { return held.count(vk) != 0; }

  NativeHandle CopyIcon(NativeHandle icon) override { return NewIcon(iconImage.at(icon)); }
  void DestroyIcon(NativeHandle icon) override {
    if (!iconImage.erase(icon)) ++badIconDestroys;
  }
  NativeHandle NewIcon(int image) {
    NativeHandle h = nextIcon++;
    iconImage[h] = image;
    return h;
  }
  // The image a live icon handle shows; -1 for none.
  int ImageOf(NativeHandle icon) const {
    auto it = iconImage.find(icon);
    return it == iconImage.end() ? -1 : it->second;
  }

  void ForegroundApplication() override { log.push_back("foreground application"); }
  void ProcessMessages() override { log.push_back("process messages"); }
  bool Terminating() override { return terminating; }
  void PostNullMessage(NativeHandle window) override { log.push_back("post WM_NULL to " + std::to_string(window)); }
  void SetForegroundWindow(NativeHandle window) override { log.push_back("foreground " + std::to_string(window)); }

  int HookMainWindow(std::function<void(const WindowMessage&)> hook) override {
    mainHooks[++lastHook] = std::move(hook);
    return lastHook;
  }
  void UnhookMainWindow(int id) override { mainHooks.erase(id); }
  void SubclassOwner(NativeHandle owner, std::function<bool(const WindowMessage&, std::intptr_t&)> proc) override {
    owners[owner] = std::move(proc);
  }
  void RestoreOwner(NativeHandle owner) override { owners.erase(owner); }

  bool HasMainForm() override { return hasMainForm; }
  bool MainFormIsMdiParent() override { return mdiParent; }
  void SetMainFormVisible(bool visible) override { log.push_back(visible ? "show main form" : "hide main form"); }
  void SetShowMainForm(bool show) override { showMainForm = show; }
  void HideApplicationWindow() override { log.push_back("hide application window"); }

  int TrackPopup(const std::vector<MenuEntry>& entries, TPoint at) override {
    log.push_back("menu at " + std::to_string(at.x) + "," + std::to_string(at.y));
    shownMenu = entries;
    return menuChoice;
  }

  // The shell sends a notification for the icon `id` to the handler window.
  void Notify(std::uint32_t id, std::uint32_t event) {
    if (callback_) callback_(id, event);
  }
  void SendMainWindow(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    auto hooks = mainHooks;
    for (auto& [id, hook] : hooks) hook({message, wParam, lParam});
  }
  // Returns true when the subclass answered the message itself.
  bool SendOwner(NativeHandle owner, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                 std::intptr_t& result) {
    return owners.at(owner)({message, wParam, lParam}, result);
  }
  // The shell restarts: every icon is forgotten.
  void RestartTaskbar() { tray.clear(); }

  struct Call {
    std::uint32_t message;
    NotifyIconData data;
  };
  std::vector<Call> calls;
  std::vector<std::string> log;
  std::map<std::uint32_t, NotifyIconData> tray;
  std::map<NativeHandle, int> iconImage;
  std::map<int, std::function<void(const WindowMessage&)>> mainHooks;
  std::map<NativeHandle, std::function<bool(const WindowMessage&, std::intptr_t&)>> owners;
  std::set<int> held;
  TPoint cursor{100, 200};
  bool cursorReadable = true;
  std::uint32_t doubleClickTime = 500;
  std::uint32_t taskbarCreated = 0xC123;
  bool failNotify = false;
  bool terminating = false;
  bool hasMainForm = false;
  bool mdiParent = false;
  bool showMainForm = true;
  int menuChoice = -1;
  std::vector<MenuEntry> shownMenu;
  int windowsCreated = 0;
  bool windowAlive = false;
  int badIconDestroys = 0;

 private:
  std::function<void(std::uint32_t, std::uint32_t)> callback_;
  int lastHook = 0;
  NativeHandle nextIcon = 0x5000;
};

class FakeWinEventService final : public WinEventService {
 public:
  WinEventHookHandle Hook(std::uint32_t flags) override {
    ++hookCalls;
    if (failHook) return 0;
    WinEventHookHandle h = nextHook++;
    hooks[h] = flags;
    return h;
  }
  void Unhook(WinEventHookHandle hook) override {
    ++unhookCalls;
    hooks.erase(hook);
  }
  std::vector<ChildWindowInfo> ChildWindows(WindowHandle window) override { return children[window]; }
  std::string WindowText(WindowHandle window) override { return texts[window]; }

  // The system reports one event to every installed hook.
  void Raise(std::uint32_t event, WindowHandle window, std::int32_t objectId, std::int32_t childId,
             std::uint32_t threadId = 7, std::uint32_t eventTime = 1000);
  // Reports an event to one hook only.
  void RaiseFor(WinEventHookHandle hook, std::uint32_t event, WindowHandle window, std::int32_t objectId,
                std::int32_t childId);

  std::map<WinEventHookHandle, std::uint32_t> hooks;
  std::map<WindowHandle, std::vector<ChildWindowInfo>> children;
  std::map<WindowHandle, std::string> texts;
  int hookCalls = 0;
  int unhookCalls = 0;
  bool failHook = false;

 private:
  WinEventHookHandle nextHook = 0x100;
};

// Installs the fakes into Platform() for the life of a test.
struct ComponentServicesFixture {
  FakeTimerService timers;
  FakeTrayShell shell;
  FakeWinEventService winEvents;
  PlatformServices saved;
  ComponentServicesFixture() : saved(Platform()) {
    Platform().timers = &timers;
    Platform().trayShell = &shell;
    Platform().menus = &shell;
    Platform().winEvents = &winEvents;
  }
  ~ComponentServicesFixture() { Platform() = saved; }
};

}  // namespace vimo::test
