#pragma once
// Recording fakes of the seams that running actions and the launchers reach the
// system through. Every call is written, in order, to one shared log so that tests
// can check the exact sequence across seams.
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "actions/Popups.h"
#include "platform/Desktop.h"
#include "platform/HotKeys.h"
#include "platform/KeyInjection.h"
#include "platform/MessageBoxes.h"
#include "platform/Session.h"
#include "platform/Shell.h"
#include "platform/Timer.h"

namespace vimo::test {

using CallLog = std::vector<std::string>;

inline std::string Hex(std::uintptr_t v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%llx", static_cast<unsigned long long>(v));
  return buf;
}
inline std::string Ptr(const void* p) { return Hex(reinterpret_cast<std::uintptr_t>(p)); }

class FakeShell final : public Shell {
 public:
  explicit FakeShell(CallLog& log) : log_(log) {}

  bool executeResult = true;
  bool executeExResult = true;
  std::uint32_t executeExError = 2;  // what the failed call leaves in GetLastError
  bool throwInExecuteEx = false;
  std::map<int, void*> folders;  // folder id -> item-id list; missing ids fail
  std::set<void*> liveLists;     // lists handed out and not yet freed
  void* browseResult = nullptr;
  std::string browsePath;        // the folder the browse result names; empty: no file-system path
  std::string lastErrorText = "The system cannot find the file specified.";
  TShellExecuteInfo lastExecuteEx;
  TBrowseInfo lastBrowse;

  bool Execute(void* owner, const std::string& verb, const std::string& file, const std::string& parameters,
               int showCommand) override {
    log_.push_back("ShellExecute(" + Ptr(owner) + "," + verb + "," + file + "," + parameters + "," +
                   std::to_string(showCommand) + ")");
    return executeResult;
  }
  bool ExecuteEx(const TShellExecuteInfo& info) override {
    lastExecuteEx = info;
    log_.push_back("ShellExecuteEx(" + Hex(info.fMask) + "," + Ptr(info.hwnd) + "," + info.verb + "," + info.file +
                   "," + Ptr(info.idList) + "," + info.className + "," + std::to_string(info.nShow) + ")");
    if (throwInExecuteEx) throw std::runtime_error("shell failed");
    return executeExResult;
  }
  void* SpecialFolderLocation(void* owner, int folderId) override {
    log_.push_back("SHGetSpecialFolderLocation(" + Ptr(owner) + "," + Hex(folderId) + ")");
    auto it = folders.find(folderId);
    if (it == folders.end()) return nullptr;
    liveLists.insert(it->second);
    return it->second;
  }
  void FreeWithShellAllocator(void* idList) override {
    log_.push_back("Free(" + Ptr(idList) + ")");
    liveLists.erase(idList);
  }
  void OrdinalDialog(int ordinal, void* owner) override {
    log_.push_back("ShellDialog(" + std::to_string(ordinal) + "," + Ptr(owner) + ")");
  }
  void* BrowseForFolder(const TBrowseInfo& info) override {
    lastBrowse = info;
    log_.push_back("SHBrowseForFolder(" + Ptr(info.owner) + "," + info.title + "," + Hex(info.flags) + "," +
                   info.initialPath + ")");
    if (browseResult) liveLists.insert(browseResult);
    return browseResult;
  }
  bool PathFromIdList(void* idList, std::string& path) override {
    log_.push_back("SHGetPathFromIDList(" + Ptr(idList) + ")");
    if (browsePath.empty()) return false;
    path = browsePath;
    return true;
  }
  std::uint32_t LastExecuteError() override { return executeExResult ? 0 : executeExError; }
  std::string ErrorText(std::uint32_t code) override {
    log_.push_back("FormatMessage(" + std::to_string(code) + ")");
    return lastErrorText;
  }
  std::string LastErrorText() override {
    log_.push_back("FormatMessage");
    return lastErrorText;
  }
  void MciSendString(const std::string& command) override { log_.push_back("mciSendString(" + command + ")"); }

 private:
  CallLog& log_;
};

class FakeSession final : public SessionControl {
 public:
  explicit FakeSession(CallLog& log) : log_(log) {}

  void* token = reinterpret_cast<void*>(0x7000);  // null: OpenProcessToken fails
  bool lookupResult = true;
  bool adjustResult = true;
  bool powerStateResult = true;
  bool suspendStateResult = true;
  int openTokens = 0;

  void* OpenProcessToken(std::uint32_t access) override {
    log_.push_back("OpenProcessToken(" + Hex(access) + ")");
    if (token) ++openTokens;
    return token;
  }
  void CloseToken(void* t) override {
    log_.push_back("CloseToken(" + Ptr(t) + ")");
    --openTokens;
  }
  bool LookupPrivilege(const std::string& name, TLuid& luid) override {
    log_.push_back("LookupPrivilegeValue(" + name + ")");
    if (lookupResult) luid = {19, 0};
    return lookupResult;
  }
  bool AdjustTokenPrivilege(void* t, TLuid luid, std::uint32_t attributes) override {
    log_.push_back("AdjustTokenPrivileges(" + Ptr(t) + "," + std::to_string(luid.lowPart) + "," + Hex(attributes) +
                   ")");
    return adjustResult;
  }
  bool ExitWindowsEx(std::uint32_t flags) override {
    log_.push_back("ExitWindowsEx(" + std::to_string(flags) + ")");
    return true;
  }
  bool SetSystemPowerState(bool suspend, bool force) override {
    log_.push_back(std::string("SetSystemPowerState(") + (suspend ? "true" : "false") + "," +
                   (force ? "true" : "false") + ")");
    return powerStateResult;
  }
  bool SetSuspendState(bool hibernate, bool force, bool wakeupEventsDisabled) override {
    log_.push_back(std::string("SetSuspendState(") + (hibernate ? "true" : "false") + "," +
                   (force ? "true" : "false") + "," + (wakeupEventsDisabled ? "true" : "false") + ")");
    return suspendStateResult;
  }

 private:
  CallLog& log_;
};

class FakeKeyInjection final : public KeyInjection {
 public:
  explicit FakeKeyInjection(CallLog& log) : log_(log) {}
  std::map<std::uint32_t, std::uint32_t> scanCodes = {{0x5B, 0x5B}, {0x44, 0x20}};

  std::uint32_t ScanCodeOf(std::uint32_t vk) override {
    auto it = scanCodes.find(vk);
    return it == scanCodes.end() ? 0 : it->second;
  }
  void KeybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extra) override {
    log_.push_back("keybd_event(" + Hex(vk) + "," + Hex(scan) + "," + std::to_string(flags) + "," +
                   std::to_string(extra) + ")");
  }

 private:
  CallLog& log_;
};

// The pointer, the screen and the desktop's windows. Reads are not logged (the
// launchers read the pointer on every event); actions are.
class FakeDesktop final : public CursorScreen, public WindowControl {
 public:
  explicit FakeDesktop(CallLog& log) : log_(log) {}

  TPoint cursor;
  int width = 1024;
  int height = 768;
  void* foreground = reinterpret_cast<void*>(0x100);
  void* focus = nullptr;
  std::map<void*, TRect> rects;
  std::map<std::pair<std::string, std::string>, void*> topWindows;
  int cursorReads = 0;

  TPoint CursorPos() override {
    ++cursorReads;
    return cursor;
  }
  std::vector<TRect> monitors;  // empty: the primary screen alone
  int monitorReads = 0;
  std::vector<TRect> Monitors() override {
    ++monitorReads;
    return monitors.empty() ? std::vector<TRect>{{0, 0, width, height}} : monitors;
  }
  int ScreenWidth() override { return width; }
  int ScreenHeight() override { return height; }

  void* ForegroundWindow() override { return foreground; }
  bool SetForegroundWindow(void* window) override {
    log_.push_back("SetForegroundWindow(" + Ptr(window) + ")");
    foreground = window;
    return true;
  }
  void* FocusWindow() override {
    log_.push_back("GetGUIThreadInfo");
    return focus;
  }
  bool WindowRect(void* window, TRect& rect) override {
    auto it = rects.find(window);
    if (it == rects.end()) return false;
    rect = it->second;
    return true;
  }
  std::set<void*> captioned;
  std::set<void*> desktopWindows;
  int shapeReads = 0;
  bool WindowShape(void* window, TWindowShape& shape) override {
    ++shapeReads;
    if (!WindowRect(window, shape.rect)) return false;
    shape.captioned = captioned.count(window) > 0;
    shape.desktop = desktopWindows.count(window) > 0;
    return true;
  }
  void* FindTopWindow(const std::string& className, const std::string& title) override {
    log_.push_back("FindWindow(" + className + "," + title + ")");
    auto it = topWindows.find({className, title});
    return it == topWindows.end() ? nullptr : it->second;
  }
  std::intptr_t SendMessageTo(void* window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override {
    log_.push_back("SendMessage(" + Ptr(window) + "," + Hex(message) + "," + Hex(wParam) + "," +
                   std::to_string(lParam) + ")");
    return 0;
  }
  void Sleep(std::uint32_t ms) override { log_.push_back("Sleep(" + std::to_string(ms) + ")"); }

 private:
  CallLog& log_;
};

class FakeMessageBoxes final : public MessageBoxes {
 public:
  explicit FakeMessageBoxes(CallLog& log) : log_(log) {}
  int Show(void* owner, const std::string& text, const std::string& caption, std::uint32_t flags) override {
    log_.push_back("MessageBox(" + Ptr(owner) + "," + text + "," + caption + "," + Hex(flags) + ")");
    return 1;
  }

 private:
  CallLog& log_;
};

// Behaves as RegisterHotKey does: a combination held already (by any id of any window,
// or by another program, `taken`) fails.
class FakeHotKeys final : public HotKeyRegistrar {
 public:
  explicit FakeHotKeys(CallLog& log) : log_(log) {}
  std::set<std::pair<std::uint32_t, std::uint32_t>> taken;  // held by other programs
  std::map<std::pair<void*, int>, std::pair<std::uint32_t, std::uint32_t>> registered;

  bool Register(void* window, int id, std::uint32_t modifiers, std::uint32_t key) override {
    log_.push_back("RegisterHotKey(" + Ptr(window) + "," + std::to_string(id) + "," + std::to_string(modifiers) + "," +
                   Hex(key) + ")");
    // The no-repeat flag is no part of the combination.
    const auto combo = std::make_pair(modifiers & ~kModNoRepeat, key);
    if (taken.count(combo)) return false;
    for (const auto& [k, v] : registered)
      if (v == combo) return false;
    registered[{window, id}] = combo;
    return true;
  }
  bool Unregister(void* window, int id) override {
    log_.push_back("UnregisterHotKey(" + Ptr(window) + "," + std::to_string(id) + ")");
    return registered.erase({window, id}) != 0;
  }

 private:
  CallLog& log_;
};

// A timer with the countdown made visible: `Elapse` advances time and fires the
// handler whenever a running countdown completes.
class FakeTimer final : public Timer {
 public:
  void SetEnabled(bool enabled) override {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Restart();
  }
  bool Enabled() const override { return enabled_; }
  void SetInterval(std::uint32_t ms) override {
    if (ms == interval_) return;
    interval_ = ms;
    Restart();
  }
  std::uint32_t Interval() const override { return interval_; }

  bool Running() const { return enabled_ && interval_ != 0; }
  // Advances the clock by `ms`, firing every countdown that completes on the way.
  void Elapse(std::uint32_t ms) {
    while (Running() && ms >= remaining_) {
      ms -= remaining_;
      remaining_ = interval_;
      ++ticks;
      if (OnTimer) OnTimer();
    }
    if (Running()) remaining_ -= ms;
  }
  int ticks = 0;

 private:
  void Restart() { remaining_ = interval_; }
  bool enabled_ = false;
  std::uint32_t interval_ = 1000;
  std::uint32_t remaining_ = 1000;
};

// Pop-up forms as plain records: where they were made, where they are, whether shown.
class FakePopups final : public TPopupService {
 public:
  explicit FakePopups(CallLog& log) : log_(log) {}

  struct Form {
    std::string kind;
    int corner = 0;
    TPoint anchor;
    int placement = 0;
    bool collection = false;
    TRect bounds;
    bool shown = false;
  };
  std::map<TForm*, Form> forms;  // live forms
  int created = 0;
  int freed = 0;
  bool throwInShow = false;
  TRect nextBounds{100, 100, 300, 250};  // where a new form places itself

  TForm* CreateCalendar(int corner) override { return Make("Calendar", corner); }
  TForm* CreateWorldTime(int corner) override { return Make("WorldTime", corner); }
  TForm* CreateTimeMap(int corner) override { return Make("TimeMap", corner); }
  TForm* CreateClipPopup(TPoint anchor, int placement, bool collection, int corner) override {
    TForm* f = Make(collection ? "ClipCollection" : "ClipHistory", corner);
    forms[f].anchor = anchor;
    forms[f].placement = placement;
    forms[f].collection = collection;
    return f;
  }
  TRect Bounds(TForm* form) override { return forms.at(form).bounds; }
  void MoveTo(TForm* form, int left, int top) override {
    TRect& r = forms.at(form).bounds;
    r = {left, top, left + r.Width(), top + r.Height()};
    log_.push_back("MoveTo(" + forms.at(form).kind + "," + std::to_string(left) + "," + std::to_string(top) + ")");
  }
  void Show(TForm* form) override {
    log_.push_back("Show(" + forms.at(form).kind + ")");
    if (throwInShow) throw std::runtime_error("cannot show");
    forms.at(form).shown = true;
  }
  void BringToFront(TForm* form) override { log_.push_back("BringToFront(" + forms.at(form).kind + ")"); }
  void Free(TForm* form) override {
    log_.push_back("Free(" + forms.at(form).kind + ")");
    forms.erase(form);
    ++freed;
  }

  const Form& Of(TForm* form) const { return forms.at(form); }

 private:
  TForm* Make(const std::string& kind, int corner) {
    log_.push_back("Create" + kind + "(" + std::to_string(corner) + ")");
    TForm* f = reinterpret_cast<TForm*>(static_cast<std::uintptr_t>(0x5000 + 0x10 * ++created));
    forms[f] = Form{kind, corner, {}, 0, false, nextBounds, false};
    return f;
  }
  CallLog& log_;
};

}  // namespace vimo::test
