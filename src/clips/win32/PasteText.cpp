#include "clips/win32/PasteText.h"

#include <cstring>
#include <vector>

#include "clips/KeyReplay.h"
#include "platform/Utf.h"
#include "ui/Application.h"

namespace vimo {
namespace {

HHOOK journal = nullptr;
TKeyReplay* hookReplay = nullptr;
std::function<void(const std::string&)> pasteNotice;

LRESULT CALLBACK JournalPlayback(int code, WPARAM wParam, LPARAM lParam) {
  if (code < 0 || !hookReplay) return CallNextHookEx(journal, code, wParam, lParam);
  switch (code) {
    case HC_GETNEXT: {
      TKeyEvent e = hookReplay->Next(GetTickCount());
      auto* m = reinterpret_cast<EVENTMSG*>(lParam);
      m->message = e.Message;
      m->paramL = e.VirtualKey;
      m->paramH = e.ScanCode;
      m->time = e.Time;
      m->hwnd = static_cast<HWND>(e.Window);
      return 0;
    }
    case HC_SKIP:
      if (hookReplay->Skip() && UnhookWindowsHookEx(journal)) journal = nullptr;
      return 0;
    case HC_SYSMODALON:
    case HC_SYSMODALOFF:
      CallNextHookEx(journal, code, wParam, lParam);
      return 0;
  }
  return 0;
}

class Win32PasteSystem final : public PasteSystem {
 public:
  bool TrySetClipboard(const std::string& text) override { return TrySetClipboardText(text, Application().Handle()); }
  std::uint32_t Now() override { return GetTickCount(); }
  void Wait(std::uint32_t ms) override {
    // Only sent messages: a program that holds the clipboard may be waiting on us.
    const DWORD start = GetTickCount();
    for (DWORD passed = 0; passed < ms; passed = GetTickCount() - start) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - passed, QS_SENDMESSAGE);
      MSG msg;
      PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
  }
  bool IsWindow(void* window) override { return window && ::IsWindow(static_cast<HWND>(window)); }
  void SetForeground(void* window) override {
    SetForegroundWindow(static_cast<HWND>(window));
    Application().ProcessMessages();
  }
  void* Foreground() override { return GetForegroundWindow(); }
  bool Pump() override {
    bool cancelled = false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_CANCELJOURNAL) {
        cancelled = true;
        continue;
      }
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (!cancelled) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    return cancelled;
  }
  THeldModifiers HeldModifiers() override {
    THeldModifiers held;
    held.Ctrl = (GetKeyState(VK_CONTROL) & 0x80) != 0;
    held.Alt = (GetKeyState(VK_MENU) & 0x80) != 0;
    held.Shift = (GetKeyState(VK_SHIFT) & 0x80) != 0;
    return held;
  }
  std::uint32_t ScanCode(int vk) override { return static_cast<std::uint32_t>(MapVirtualKeyW(static_cast<UINT>(vk), 0)); }
  void SendKeys(const std::vector<TKeyEvent>& events) override {
    std::vector<INPUT> inputs;
    for (const TKeyEvent& e : events) {
      INPUT in{};
      in.type = INPUT_KEYBOARD;
      in.ki.wVk = static_cast<WORD>(e.VirtualKey);
      in.ki.wScan = static_cast<WORD>(e.ScanCode);
      in.ki.dwFlags = e.Message == kKeyUp ? KEYEVENTF_KEYUP : 0;
      // Insert sits on the navigation block; without the flag its scan code is keypad 0.
      if (e.VirtualKey == static_cast<std::uint32_t>(kVkInsert)) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
      in.ki.dwExtraInfo = kPasteInputMark;
      inputs.push_back(in);
    }
    if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  }
  bool InstallJournal(TKeyReplay& replay) override {
    hookReplay = &replay;
    journal = SetWindowsHookExW(WH_JOURNALPLAYBACK, &JournalPlayback, GetModuleHandleW(nullptr), 0);
    return journal != nullptr;
  }
  void RemoveJournal() override {
    if (!journal) return;
    UnhookWindowsHookEx(journal);  // fails harmlessly when the system removed it already
    journal = nullptr;
  }
  void Notify(const std::string& text) override {
    if (pasteNotice) pasteNotice(text);
  }
};

TPaster& Paster() {
  static TPaster paster(Win32Paste());
  return paster;
}

}  // namespace

PasteSystem& Win32Paste() {
  static Win32PasteSystem system;
  return system;
}

void SetPasteNotice(std::function<void(const std::string&)> notice) { pasteNotice = std::move(notice); }

bool TrySetClipboardText(const std::string& text, HWND owner) {
  if (!OpenClipboard(owner)) return false;
  bool done = false;
  EmptyClipboard();
  // Unicode text only: the system makes CF_TEXT from it for programs that ask for that.
  const std::wstring wide = Widen(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* p = GlobalLock(memory)) {
      std::memcpy(p, wide.c_str(), bytes);
      GlobalUnlock(memory);
      done = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    if (!done) GlobalFree(memory);
  }
  CloseClipboard();
  return done;
}

bool SetClipboardText(const std::string& text, HWND owner) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (TrySetClipboardText(text, owner)) return true;
    Sleep(10);
  }
  return false;
}

TPasteResult PasteText(HWND target, const std::string& text) { return Paster().Paste(target, text); }

}  // namespace vimo
