#include "clips/win32/PasteText.h"

#include <cstring>
#include <vector>

#include "clips/KeyReplay.h"
#include "platform/Utf.h"
#include "ui/Application.h"

namespace vimo {
namespace {

TKeyReplay replay;
HHOOK journal = nullptr;

LRESULT CALLBACK JournalPlayback(int code, WPARAM wParam, LPARAM lParam) {
  if (code < 0) return CallNextHookEx(journal, code, wParam, lParam);
  switch (code) {
    case HC_GETNEXT: {
      TKeyEvent e = replay.Next(GetTickCount());
      auto* m = reinterpret_cast<EVENTMSG*>(lParam);
      m->message = e.Message;
      m->paramL = e.VirtualKey;
      m->paramH = e.ScanCode;
      m->time = e.Time;
      m->hwnd = static_cast<HWND>(e.Window);
      return 0;
    }
    case HC_SKIP:
      if (replay.Skip() && UnhookWindowsHookEx(journal)) journal = nullptr;
      return 0;
    case HC_SYSMODALON:
    case HC_SYSMODALOFF:
      CallNextHookEx(journal, code, wParam, lParam);
      return 0;
  }
  return 0;
}

void SendKeys(const std::vector<TKeyEvent>& events) {
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

// Pumps messages once; true when the system cancelled the journal.
bool PumpOnce() {
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
  return cancelled;
}

// Ends a replay that cannot finish by itself and types what is left.
void FallBack() {
  if (journal) {
    UnhookWindowsHookEx(journal);  // fails harmlessly when the system removed it already
    journal = nullptr;
  }
  SendKeys(replay.Abandon());
}

}  // namespace

bool SetClipboardText(const std::string& text, HWND owner) {
  // Another program may hold the clipboard for a moment: try for a short while.
  bool open = false;
  for (int attempt = 0; attempt < 20 && !open; ++attempt) {
    open = OpenClipboard(owner) != FALSE;
    if (!open) Sleep(10);
  }
  if (!open) return false;
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

void PasteText(HWND target, const std::string& text) {
  SetClipboardText(text, Application().Handle());
  SetForegroundWindow(target);
  Application().ProcessMessages();
  Sleep(100);

  THeldModifiers held;
  held.Ctrl = (GetKeyState(VK_CONTROL) & 0x80) != 0;
  held.Alt = (GetKeyState(VK_MENU) & 0x80) != 0;
  held.Shift = (GetKeyState(VK_SHIFT) & 0x80) != 0;
  auto events = ShiftInsertEvents(held, [](int vk) { return static_cast<std::uint32_t>(MapVirtualKeyW(vk, 0)); });

  // A replay of an earlier paste still running (a paste from inside the pump) ends first.
  DWORD waitStart = GetTickCount();
  while (replay.IsPlaying()) {
    if (ReplayMustFallBack(PumpOnce(), true, GetTickCount() - waitStart)) FallBack();
    else MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }

  if (!replay.Start(std::move(events))) return;
  journal = SetWindowsHookExW(WH_JOURNALPLAYBACK, &JournalPlayback, GetModuleHandleW(nullptr), 0);
  if (!journal) {
    FallBack();
    return;
  }
  DWORD start = GetTickCount();
  while (replay.IsPlaying()) {
    bool cancelled = PumpOnce();
    if (ReplayMustFallBack(cancelled, replay.Started(), GetTickCount() - start)) {
      FallBack();
      break;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

}  // namespace vimo
