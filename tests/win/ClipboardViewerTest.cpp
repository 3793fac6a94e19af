// The real clipboard and viewer chain under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <cstring>
#include <thread>

#include "ComponentTestSupport.h"
#include "FakeClipboardViewer.h"
#include "ModelFixture.h"
#include "host/ClipboardMonitor.h"
#include "clips/win32/PasteText.h"
#include "platform/Utf.h"
#include "platform/win32/Win32ClipboardViewer.h"

namespace vimo {
namespace {

using test::kWorldText;
using test::PumpUntil;

int g_draws = 0;

WindowHandle W(HWND h) { return reinterpret_cast<WindowHandle>(h); }

LRESULT CALLBACK ViewerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DRAWCLIPBOARD) ++g_draws;
  return DefWindowProcA(h, m, w, l);
}

HWND MakeWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ViewerProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "VimoClipboardTestWindow";
  RegisterClassA(&wc);
  return CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
}

void Put(HWND owner, UINT format, const void* data, size_t size) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(mem), data, size);
  GlobalUnlock(mem);
  SetClipboardData(format, mem);
}

// Wine's clipboard manager holds the clipboard for a moment after each change while
// it hands the content to X11.
bool OpenClipboardSoon(HWND owner) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

class ClipboardViewerWin : public ::testing::Test {
 protected:
  void SetUp() override { hwnd = MakeWindow(); }
  void TearDown() override { DestroyWindow(hwnd); }
  HWND hwnd = nullptr;
};

TEST_F(ClipboardViewerWin, ReadsTextAndTheMarksOfSecretContent) {
  Win32ClipboardViewer viewer(W(hwnd));
  std::uint32_t before = viewer.SequenceNumber();
  ASSERT_TRUE(OpenClipboardSoon(hwnd));
  EmptyClipboard();
  const char text[] = "Dear John,\r\nthanks";
  Put(hwnd, CF_TEXT, text, sizeof text);
  DWORD zero = 0;
  Put(hwnd, RegisterClipboardFormatA("CanIncludeInClipboardHistory"), &zero, sizeof zero);
  Put(hwnd, RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing"), "", 1);
  CloseClipboard();
  EXPECT_NE(viewer.SequenceNumber(), before);

  TClipboardContent c = viewer.Read();
  EXPECT_EQ(c.text, "Dear John,\r\nthanks");
  EXPECT_TRUE(c.canIncludeInHistory.has_value());
  EXPECT_EQ(c.canIncludeInHistory.value_or(1), 0u);
  EXPECT_NE(std::find(c.formatNames.begin(), c.formatNames.end(), "ExcludeClipboardContentFromMonitorProcessing"),
            c.formatNames.end());

  ASSERT_TRUE(OpenClipboardSoon(hwnd));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(viewer.Read().text, "");
}

TEST_F(ClipboardViewerWin, AClipboardHeldByAnotherThreadCannotBeRead) {
  Win32ClipboardViewer viewer(W(hwnd));
  std::atomic<int> stage{0};
  std::thread holder([&] {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    OpenClipboard(other);
    stage = 1;
    while (stage != 2) Sleep(5);
    CloseClipboard();
    DestroyWindow(other);
  });
  while (stage != 1) Sleep(5);
  try {
    viewer.Read();
    ADD_FAILURE() << "read a clipboard held open by another window";
  } catch (const EClipboardError& e) {
    EXPECT_STREQ(e.what(), "Cannot open clipboard");
  }
  stage = 2;
  holder.join();
  EXPECT_NO_THROW(viewer.Read());
}

TEST_F(ClipboardViewerWin, JoiningTheChainDeliversNotifications) {
  Win32ClipboardViewer viewer(W(hwnd));
  g_draws = 0;
  HWND next = reinterpret_cast<HWND>(viewer.SetViewer(W(hwnd)));
  Pump();
  int afterJoin = g_draws;
  ASSERT_TRUE(OpenClipboardSoon(hwnd));
  EmptyClipboard();
  Put(hwnd, CF_TEXT, "x", 2);
  CloseClipboard();
  Pump();
  EXPECT_GT(g_draws, afterJoin);
  viewer.ChangeChain(W(hwnd), W(next));
  int afterLeave = g_draws;
  ASSERT_TRUE(OpenClipboardSoon(hwnd));
  EmptyClipboard();
  Put(hwnd, CF_TEXT, "y", 2);
  CloseClipboard();
  Pump();
  EXPECT_EQ(g_draws, afterLeave);
}

// The peer program of the tests, beside this one.
std::wstring PeerPath() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L"\\/") + 1) + L"vimo_clipboard_peer.exe";
}

PROCESS_INFORMATION StartPeer(const std::wstring& args) {
  std::wstring line = L"\"" + PeerPath() + L"\" " + args;
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return {};
  return pi;
}

TClipboardMonitor* g_monitor = nullptr;

LRESULT CALLBACK MonitorProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (g_monitor && m == WM_DRAWCLIPBOARD) {
    g_monitor->WMDrawClipboard();
    return 0;
  }
  if (g_monitor && m == WM_CHANGECBCHAIN)
    return g_monitor->WMChangeCBChain(static_cast<WindowHandle>(w), static_cast<WindowHandle>(l));
  return DefWindowProcW(h, m, w, l);
}

// Where the system has no format listener: the viewer chain, with a real hung program in it.
class ViewerChainFallbackWin : public test::ModelFixture {
 protected:
  void SetUp() override {
    ModelFixture::SetUp();
    InitializeModel();
    WNDCLASSW wc{};
    wc.lpfnWndProc = MonitorProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VimoChainFallbackTest";
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
  }
  void TearDown() override {
    g_monitor = nullptr;
    if (peer.hProcess) {
      TerminateProcess(peer.hProcess, 0);
      WaitForSingleObject(peer.hProcess, 5000);
      CloseHandle(peer.hProcess);
      CloseHandle(peer.hThread);
    }
    DestroyWindow(hwnd);
    ModelFixture::TearDown();
  }
  void Copy(const char* text) {
    ASSERT_TRUE(OpenClipboardSoon(hwnd));
    EmptyClipboard();
    vimo::Put(hwnd, CF_TEXT, text, std::strlen(text) + 1);
    CloseClipboard();
  }
  HWND hwnd = nullptr;
  PROCESS_INFORMATION peer{};
};

TEST_F(ViewerChainFallbackWin, AHungViewerAtTheHeadNeitherFreezesTheProbeNorStopsTheHistory) {
  Win32ClipboardViewer viewer(W(hwnd), false);
  test::FakeTextCompare cmp;
  test::FakeMonitorTimer timer;
  int changes = 0;
  TClipboardMonitor monitor(viewer, cmp, timer, W(hwnd), [&] { ++changes; });
  g_monitor = &monitor;
  monitor.timClipboardTimer();
  ASSERT_EQ(monitor.Mode(), TMonitorMode::Chain);
  ASSERT_TRUE(PumpUntil([&] { return changes > 0; }, 5000)) << "joining delivered nothing";

  // A program joins after us, so it heads the chain, and hangs.
  peer = StartPeer(L"hang-viewer");
  ASSERT_TRUE(peer.hProcess);
  HWND hung = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        DWORD pid = 0;
        hung = GetClipboardViewer();
        GetWindowThreadProcessId(hung, &pid);
        return hung && pid == peer.dwProcessId;
      },
      10000))
      << "the peer never headed the chain";
  Copy("copied behind the hung viewer");
  PumpUntil([] { return false; }, 300);  // the change is the hung program's to pass on: it never does
  EXPECT_TRUE(ClipHistory->empty() || ClipHistory->front() != "copied behind the hung viewer");

  DWORD start = GetTickCount();
  monitor.timClipboardTimer();  // the probe finds the change missed and rejoins
  DWORD took = GetTickCount() - start;
  EXPECT_LT(took, 2000u) << "the probe waited on the hung program";
  EXPECT_TRUE(PumpUntil([] { return !ClipHistory->empty() && ClipHistory->front() == "copied behind the hung viewer"; },
                        5000));
  EXPECT_EQ(monitor.NextViewer(), W(hung));

  // Now at the head: the next copy reaches us first, and passing it on is bounded.
  start = GetTickCount();
  Copy("the next copy");
  EXPECT_TRUE(PumpUntil([] { return ClipHistory->front() == "the next copy"; }, 5000));
  EXPECT_LT(GetTickCount() - start, 4000u);
  monitor.Stop();
}

TEST_F(ClipboardViewerWin, UnicodeTextIsReadWholeAsUtf8) {
  Win32ClipboardViewer viewer(W(hwnd));
  std::wstring wide = Widen(kWorldText + "\r\nline two");
  ASSERT_TRUE(OpenClipboardSoon(hwnd));
  EmptyClipboard();
  Put(hwnd, CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  CloseClipboard();
  EXPECT_EQ(viewer.Read().text, kWorldText + "\r\nline two");
}

TEST_F(ClipboardViewerWin, TextOfferedOnlyInTheAnsiCodePageIsConvertedFromIt) {
  if (GetACP() != 1252) GTEST_SKIP() << "needs the Western code page, not " << GetACP();
  Win32ClipboardViewer viewer(W(hwnd));
  ASSERT_TRUE(OpenClipboardSoon(hwnd));
  EmptyClipboard();
  const char text[] = "Gr\xFC\xDF" "e \x80";  // Grüße € in Windows-1252
  Put(hwnd, CF_TEXT, text, sizeof text);
  CloseClipboard();
  EXPECT_EQ(viewer.Read().text, "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");
}

TEST_F(ClipboardViewerWin, ThePasteWritesUnicodeText) {
  ASSERT_TRUE(SetClipboardText(kWorldText, hwnd));
  ASSERT_TRUE(OpenClipboardSoon(hwnd));
  ASSERT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  std::wstring read = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
  if (data) GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(Narrow(read), kWorldText);
}

// Duplicates of the history are texts equal but for letter case, one character for
// one: what only looks alike under a language's rules stays apart.
TEST(TextCompareWin, IgnoresLetterCaseOnlyInEveryScript) {
  Win32TextCompare ordinal(true), upperCase(false);
  test::FakeTextCompare fake;
  for (TextCompare* compare : std::initializer_list<TextCompare*>{&ordinal, &upperCase, &fake}) {
    TextCompare& cmp = *compare;
    SCOPED_TRACE(compare == &ordinal ? "CompareStringOrdinal" : compare == &upperCase ? "upper case, then ordinal" : "fake");
    EXPECT_TRUE(cmp.EqualIgnoreCase("HELLO", "hello"));
    EXPECT_TRUE(cmp.EqualIgnoreCase("ABC", "abc"));
    EXPECT_TRUE(cmp.EqualIgnoreCase("\xD0\x9F\xD0\xA0\xD0\x98\xD0\x92\xD0\x95\xD0\xA2",
                                    "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"));  // Cyrillic
    EXPECT_TRUE(cmp.EqualIgnoreCase(kWorldText, "GR\xC3\x9C\xC3\x9F" "E \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 "
                                                "\xCE\xB5\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC"));
    EXPECT_FALSE(cmp.EqualIgnoreCase("Masse", "Ma\xC3\x9F" "e"));
    EXPECT_FALSE(cmp.EqualIgnoreCase("\xC3\xA6gis", "aegis"));
    EXPECT_FALSE(cmp.EqualIgnoreCase("co\xC2\xADop", "coop")) << "a soft hyphen is a character";
    EXPECT_FALSE(cmp.EqualIgnoreCase("hello", "hello "));
    EXPECT_FALSE(cmp.EqualIgnoreCase("a\r\nb", "a\nb"));
    EXPECT_FALSE(cmp.EqualIgnoreCase("a\xF0\x9F\x98\x80", "a\xF0\x9F\x98\x81"));
    EXPECT_TRUE(cmp.EqualIgnoreCase("Hello, World 1", "hELLO, wORLD 1"));
    EXPECT_FALSE(cmp.EqualIgnoreCase("abc", "abcd"));
    EXPECT_FALSE(cmp.EqualIgnoreCase("abcd", "abc"));
    EXPECT_FALSE(cmp.EqualIgnoreCase("", "a"));
    EXPECT_TRUE(cmp.EqualIgnoreCase("", ""));
    EXPECT_TRUE(cmp.EqualIgnoreCase("caf\xC3\xA9 noir", "CAF\xC3\x89 NOIR"));
    EXPECT_FALSE(cmp.EqualIgnoreCase("caf\xC3\xA9 noir", "CAF\xC3\x89 NOIX"));
  }
}

}  // namespace
}  // namespace vimo
