// Another program on the clipboard, behaving as some real ones do, for the tests:
//   hang-viewer           joins the clipboard viewer chain and stops answering messages
//                         (ended by the test);
//   hold MS TEXT          copies TEXT and holds the clipboard open for MS ms at once,
//                         as a program that renders slowly does;
//   copies N BYTES GAP    copies N different texts of BYTES characters, GAP ms apart.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool OpenSoon(HWND owner) {
  // Wine's clipboard manager and the program under test read each change: wait our turn.
  for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(1))
    if (OpenClipboard(owner)) return true;
  return false;
}

bool PutText(HWND owner, const std::wstring& text) {
  if (!OpenSoon(owner)) return false;
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(mem);
  SetClipboardData(CF_UNICODETEXT, mem);
  return CloseClipboard() != FALSE;
}

// Idle as a program with a message loop is: messages sent to it are answered (under
// Wine the clipboard's readers wait on its owner).
void Idle(DWORD ms) {
  for (DWORD start = GetTickCount(), now = start; now - start < ms; now = GetTickCount()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - (now - start), QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

HWND MakeWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VimoTestClipboardPeer";
  RegisterClassW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"Clipboard peer", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  std::wstring mode = argv[1];
  HWND window = MakeWindow();
  if (mode == L"hang-viewer") {
    SetClipboardViewer(window);
    // Hung: no message is ever taken from the queue again, sent ones included.
    Sleep(INFINITE);
  } else if (mode == L"hold" && argc >= 4) {
    DWORD ms = static_cast<DWORD>(_wtoi(argv[2]));
    if (!PutText(window, argv[3])) return 1;
    if (!OpenSoon(window)) return 1;
    Idle(ms);  // the behaviour being imitated, not a wait
    CloseClipboard();
  } else if (mode == L"copies" && argc >= 5) {
    int count = _wtoi(argv[2]);
    std::size_t size = static_cast<std::size_t>(_wtoi(argv[3]));
    DWORD gap = static_cast<DWORD>(_wtoi(argv[4]));
    for (int i = 1; i <= count; ++i) {
      std::wstring text = L"copy " + std::to_wstring(i) + L" ";
      text.resize(size, static_cast<wchar_t>(L'a' + i % 26));
      if (!PutText(window, text)) return 1;
      Idle(gap);  // the pace of the burst being imitated
    }
  } else {
    return 2;
  }
  DestroyWindow(window);
  return 0;
}
