#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PopupSupport.h"
#include "clips/ClipLayout.h"
#include "clips/win32/ClipForm.h"
#include "clips/win32/PasteText.h"
#include "model/Model.h"
#include "platform/Utf.h"

namespace vimo {
namespace {

class ClipFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedHistory_ = std::move(ClipHistory);
    savedList_ = std::move(ClipList);
    ClipHistory = std::make_unique<TStringList>(TStringList{"first", "second clip", "third", "fourth", "fifth"});
    ClipList = std::make_unique<TClipList>();
    ClipList->Add(TClipRecord{"A comment", "the clip's text"});
    ClipList->Add(TClipRecord{"", "plain clip"});
    ClipHistoryWidth = 300;
    ClipCollectionWidth = 250;
    NumerateItems = true;
    ActivePopup = nullptr;
  }
  void TearDown() override {
    Application().ProcessMessages();
    ClipHistory = std::move(savedHistory_);
    ClipList = std::move(savedList_);
  }
  TfrmClips* Open(bool collection, int placement, TPoint anchor = {200, 200}) {
    auto* form = new TfrmClips(anchor, collection, placement);
    ActivePopup = form;
    form->Show();
    return form;
  }

 private:
  std::unique_ptr<TStringList> savedHistory_;
  std::unique_ptr<TClipList> savedList_;
};

TEST_F(ClipFormTest, PlacementCodesDecideGripSideCloseButtonAndPosition) {
  const int sw = TForm::ScreenWidth(), sh = TForm::ScreenHeight();
  struct Case { int placement; TPoint anchor; bool gripLeft; };
  for (Case c : {Case{1, {0, 0}, false}, Case{2, {0, sh}, false}, Case{3, {sw, 0}, true}, Case{4, {sw, sh}, true},
                 Case{0, {300, 200}, false}, Case{0x104, {sw, sh}, true}, Case{0x13, {500, 100}, true},
                 Case{0x101, {100, 100}, false}}) {
    auto* form = new TfrmClips(c.anchor, false, c.placement);
    TClipLayoutInput in;
    in.Anchor = c.anchor;
    in.Placement = c.placement;
    in.TextCount = 5;
    in.Width = 300;
    in.PixelsPerInch = TForm::PixelsPerInch();
    in.ScreenWidth = sw;
    in.ScreenHeight = sh;
    TClipLayout l = ClipLayout(in);
    RECT r = test::WindowRect(form->Handle());
    EXPECT_EQ(r.left, l.Left) << c.placement;
    EXPECT_EQ(r.top, l.Top) << c.placement;
    EXPECT_EQ(r.right - r.left, 300) << c.placement;
    EXPECT_EQ(r.bottom - r.top, l.MainHeight) << c.placement;
    POINT grip = test::ScreenOrigin(form->pnlSize->Handle());
    bool gripLeft = c.gripLeft;
    EXPECT_EQ(l.GripLeft, gripLeft) << c.placement;
    EXPECT_EQ(grip.x == r.left, gripLeft) << c.placement;
    EXPECT_EQ(grip.x == r.right - 8, !gripLeft) << c.placement;
    POINT close = test::ScreenOrigin(form->sbtClose->Handle());
    bool closeBottom = c.placement == 1 || c.placement == 3;
    EXPECT_EQ(close.y, closeBottom ? r.bottom - 25 : r.top + 1) << c.placement;
    delete form;
  }
  auto* corner = new TfrmClips({sw, sh}, true, 4);
  RECT r = test::WindowRect(corner->Handle());
  EXPECT_EQ(r.right, sw);
  EXPECT_EQ(r.bottom, sh);
  delete corner;
}

TEST_F(ClipFormTest, AnUncommentedClipShowsItsLineBreaksAsTheSettingsPageDoes) {
  ClipList->Add(TClipRecord{"", "\r\n  Dear John,\r\n\r\nthanks\tand bye"});
  ClipList->Add(TClipRecord{"Tabbed\tcomment", "text"});
  auto* form = Open(true, 1);
  EXPECT_EQ(form->RowCaption(2), "Dear John,  thanks\tand bye");
  EXPECT_EQ(form->RowCaption(2), ClipCaption(ClipList->ClipTitle(2)));
  EXPECT_EQ(form->RowCaption(3), "Tabbed\tcomment");
  EXPECT_EQ(form->RowCaption(0), "A comment");
  test::SaveWindowBmp(form->Handle(), "clip-collection-captions");
  form->btnCancelClick(form->btnCancel);
  ClipHistory->assign({"one\r\ntwo"});
  auto* history = Open(false, 1);
  EXPECT_EQ(history->RowCaption(0), "one  two");
  history->btnCancelClick(history->btnCancel);
}

TEST_F(ClipFormTest, ArrowsWrapAndUnknownLabelsDoNothing) {
  auto* form = Open(false, 1);
  HWND grid = form->dgdClips->Handle();
  EXPECT_EQ(GetFocus(), grid);
  SendMessageA(grid, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(form->dgdClips->Row(), 4);
  SendMessageA(grid, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(form->dgdClips->Row(), 0);
  SendMessageA(grid, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(form->dgdClips->Row(), 1);
  SendMessageA(grid, WM_CHAR, '7', 0);
  SendMessageA(grid, WM_CHAR, 'A', 0);
  EXPECT_EQ(ActivePopup, form) << "a label beyond the rows picks nothing";
  SendMessageA(grid, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(ActivePopup, nullptr);
  EXPECT_EQ(form->ModalResult, mrCancel);
  Application().ProcessMessages();
}

TEST_F(ClipFormTest, TheGripWidensAndTheNextPopupOfTheSameSourceOpensWider) {
  auto* form = Open(false, 1, {100, 100});
  HWND grip = form->pnlSize->Handle();
  POINT p = test::ScreenOrigin(grip);
  SetCursorPos(p.x + 2, p.y + 5);
  SendMessageA(grip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 5));
  SetCursorPos(p.x + 42, p.y + 5);
  SendMessageA(grip, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(42, 5));
  EXPECT_EQ(test::WindowRect(form->Handle()).right - test::WindowRect(form->Handle()).left, 340);
  SendMessageA(grip, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(42, 5));  // pnlMain catches up
  SendMessageA(grip, WM_LBUTTONUP, 0, MAKELPARAM(42, 5));
  form->sbtClose->Click();
  Application().ProcessMessages();
  EXPECT_EQ(ClipHistoryWidth, 340);
  EXPECT_EQ(ClipCollectionWidth, 250) << "the collection keeps its own width";
  auto* next = new TfrmClips({100, 100}, false, 1);
  RECT r = test::WindowRect(next->Handle());
  EXPECT_EQ(r.right - r.left, 340);
  delete next;
}

TEST_F(ClipFormTest, TheGripCannotDragThePopupBelowAUsableWidth) {
  for (int placement : {1, 4}) {
    const int sw = TForm::ScreenWidth();
    auto* form = Open(false, placement, {placement == 4 ? sw : 100, 100});
    const RECT before = test::WindowRect(form->Handle());
    HWND grip = form->pnlSize->Handle();
    // Far past the other edge: the right grip to the left, the left grip to the right.
    const int beyond = placement == 4 ? 2000 : -2000;
    SendMessageA(grip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 5));
    SendMessageA(grip, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(beyond), 5));
    SendMessageA(grip, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(beyond), 5));
    SendMessageA(grip, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(beyond), 5));
    const RECT r = test::WindowRect(form->Handle());
    EXPECT_GE(r.right - r.left, 26 + 8 + kMinClipGridWidth) << placement << ": an invisible pop-up swallows typing";
    if (placement == 4) EXPECT_EQ(r.right, before.right) << "the left grip keeps the right edge";
    else EXPECT_EQ(r.left, before.left);
    form->sbtClose->Click();
    Application().ProcessMessages();
    EXPECT_GE(ClipHistoryWidth, 26 + 8 + kMinClipGridWidth) << placement;
    ClipHistoryWidth = 300;
  }
}

TEST_F(ClipFormTest, TheGripIsACheckerboardInsideItsBevels) {
  auto* form = Open(false, 1);
  TDoubleColorPanel* grip = form->pnlSize;
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  test::PrintedWindow printed(grip->Handle());
  // Two bevels of one pixel: the pattern covers 2 <= x <= width - 5, 2 <= y <= height - 5.
  EXPECT_EQ(printed.Pixel(2, 2), grip->Color());
  EXPECT_EQ(printed.Pixel(3, 2), highlight);
  EXPECT_EQ(printed.Pixel(2, 3), highlight);
  EXPECT_EQ(printed.Pixel(3, 3), grip->Color());
  const int h = grip->ClientHeight();
  EXPECT_EQ(printed.Pixel(2, h - 5), (2 + h - 5) % 2 ? highlight : grip->Color());
  EXPECT_NE(printed.Pixel(4, 3), highlight) << "beyond the pattern";
  EXPECT_NE(printed.Pixel(3, h - 4), highlight) << "beyond the pattern";
  grip->SetColor2(RGB(1, 2, 3));
  EXPECT_EQ(test::PrintedPixel(grip->Handle(), 3, 2), RGB(1, 2, 3));
  form->sbtClose->Click();
}

TEST_F(ClipFormTest, ClickingTheCloseButtonClosesWithoutPasting) {
  auto* form = Open(true, 2);
  HWND close = form->sbtClose->Handle();
  SendMessageA(close, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(close, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(ActivePopup, nullptr);
  EXPECT_EQ(form->ModalResult, mrNone) << "the close button leaves the modal result unset";
  Application().ProcessMessages();
  EXPECT_EQ(ClipCollectionWidth, 250);
}

// Starts Wine's notepad and finds its edit control.
struct Notepad {
  PROCESS_INFORMATION pi{};
  HWND window = nullptr;
  HWND edit = nullptr;
  Notepad() {
    STARTUPINFOA si{sizeof si};
    char command[] = "notepad.exe";
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    WaitForInputIdle(pi.hProcess, 20000);
    for (int i = 0; i < 200 && !window; ++i) {
      EnumWindows(&Find, reinterpret_cast<LPARAM>(this));
      if (!window) WaitForSingleObject(pi.hProcess, 50);
    }
    if (window) edit = FindWindowExA(window, nullptr, "Edit", nullptr);
  }
  ~Notepad() {
    if (pi.hProcess) {
      TerminateProcess(pi.hProcess, 0);
      WaitForSingleObject(pi.hProcess, 5000);
      CloseHandle(pi.hProcess);
      CloseHandle(pi.hThread);
    }
  }
  static BOOL CALLBACK Find(HWND h, LPARAM p) {
    auto* self = reinterpret_cast<Notepad*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == self->pi.dwProcessId && IsWindowVisible(h) && GetParent(h) == nullptr) {
      self->window = h;
      return FALSE;
    }
    return TRUE;
  }
  // Read in the wide form: the text as notepad holds it, whatever the code page.
  std::string Text() const {
    wchar_t buffer[256] = {};
    SendMessageW(edit, WM_GETTEXT, sizeof buffer / sizeof buffer[0], reinterpret_cast<LPARAM>(buffer));
    return Narrow(buffer);
  }
  // Types "z" into notepad: once it shows, every key sent before it has been handled.
  std::string TextAfterMarker() const {
    SetForegroundWindow(window);
    for (int i = 0; i < 100 && GetForegroundWindow() != window; ++i) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      Application().ProcessMessages();
    }
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = 'Z';
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    std::string text;
    for (int i = 0; i < 100; ++i) {
      text = Text();
      if (!text.empty() && text.back() == 'z') break;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
      Application().ProcessMessages();
    }
    return text;
  }
  // Waits for the keys sent to notepad to be handled, up to a generous limit.
  std::string WaitForText(const std::string& want) const {
    std::string text;
    for (int i = 0; i < 100; ++i) {
      text = Text();
      if (text == want) break;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
      Application().ProcessMessages();
    }
    return text;
  }
};

TEST_F(ClipFormTest, PickingALabelPastesTheClipIntoNotepad) {
  Notepad notepad;
  ASSERT_NE(notepad.edit, nullptr) << "notepad did not start";
  TargetWindow = notepad.window;
  auto* form = Open(false, 0x100);
  HWND popup = form->Handle();
  SendMessageA(form->dgdClips->Handle(), WM_CHAR, '2', 0);
  EXPECT_EQ(ActivePopup, nullptr);
  Application().ProcessMessages();  // the deferred release pastes
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(notepad.WaitForText("second clip"), "second clip");
}

TEST_F(ClipFormTest, TheCollectionPastesTheTextNeverTheComment) {
  Notepad notepad;
  ASSERT_NE(notepad.edit, nullptr) << "notepad did not start";
  TargetWindow = notepad.window;
  NumerateItems = false;  // any character picks the first row
  auto* form = Open(true, 3);
  SendMessageA(form->dgdClips->Handle(), WM_CHAR, 'x', 0);
  Application().ProcessMessages();
  EXPECT_EQ(notepad.WaitForText("the clip's text"), "the clip's text");
}

TEST_F(ClipFormTest, TextOfEveryScriptIsPastedWhole) {
  const std::string text = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80 "
                           "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
  *ClipHistory = {text, "second"};
  Notepad notepad;
  ASSERT_NE(notepad.edit, nullptr) << "notepad did not start";
  TargetWindow = notepad.window;
  auto* form = Open(false, 0x100);
  SendMessageW(form->dgdClips->Handle(), WM_CHAR, L'1', 0);
  Application().ProcessMessages();
  EXPECT_EQ(notepad.WaitForText(text), text);
}

TEST_F(ClipFormTest, ALetterOfAnotherScriptIsNoLabelKey) {
  auto* form = Open(false, 0x100);
  // Cyrillic "be" (U+0431): its low byte is the label "1".
  SendMessageW(form->dgdClips->Handle(), WM_CHAR, 0x0431, 0);
  EXPECT_EQ(ActivePopup, form) << "a Cyrillic letter picked the first row";
  form->btnCancelClick(form->btnCancel);
  EXPECT_EQ(ActivePopup, nullptr);
}

// Another program that holds the clipboard open for `ms` after putting `text` on it.
struct ClipboardHolder {
  PROCESS_INFORMATION pi{};
  ClipboardHolder(int ms, const wchar_t* text) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    std::wstring line = L"\"" + p.substr(0, p.find_last_of(L"\\/") + 1) + L"vimo_clipboard_peer.exe\" hold " +
                        std::to_wstring(ms) + L" " + text;
    STARTUPINFOW si{sizeof si};
    CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  }
  // True once the peer has the clipboard open, within a bound. Its EmptyClipboard
  // waits for the owner before it, maybe this program, to answer: serve messages.
  bool Holding() const {
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000;
         MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT), Application().ProcessMessages()) {
      HWND open = GetOpenClipboardWindow();
      DWORD pid = 0;
      if (open) GetWindowThreadProcessId(open, &pid);
      if (pid == pi.dwProcessId) return true;
      DWORD code = 0;
      if (GetExitCodeProcess(pi.hProcess, &code) && code != STILL_ACTIVE) {
        ADD_FAILURE() << "the holder ended with " << code;
        return false;
      }
    }
    return false;
  }
  ~ClipboardHolder() {
    if (!pi.hProcess) return;
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
};

TEST_F(ClipFormTest, APickWhileAnotherProgramHoldsTheClipboardPastesThePickNotTheOldText) {
  Notepad notepad;
  ASSERT_NE(notepad.edit, nullptr) << "notepad did not start";
  ClipboardHolder holder(500, L"old");
  ASSERT_TRUE(holder.Holding());
  TargetWindow = notepad.window;
  auto* form = Open(false, 0x100);
  SendMessageA(form->dgdClips->Handle(), WM_CHAR, '2', 0);
  Application().ProcessMessages();
  EXPECT_EQ(notepad.WaitForText("second clip"), "second clip");
}

TEST_F(ClipFormTest, AClipboardHeldTooLongPastesNothingAndSaysWhy) {
  std::vector<std::string> notices;
  SetPasteNotice([&](const std::string& text) { notices.push_back(text); });
  Notepad notepad;
  ASSERT_NE(notepad.edit, nullptr) << "notepad did not start";
  ClipboardHolder holder(3000, L"old");
  ASSERT_TRUE(holder.Holding());
  TargetWindow = notepad.window;
  auto* form = Open(false, 0x100);
  SendMessageA(form->dgdClips->Handle(), WM_CHAR, '2', 0);
  Application().ProcessMessages();
  SetPasteNotice({});
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0], kClipboardBusyText);
  EXPECT_EQ(notepad.TextAfterMarker(), "z") << "keys went out although the clipboard was not written";
}

TEST_F(ClipFormTest, APickForAClosedWindowSendsNoKeysAndLeavesTheTextOnTheClipboard) {
  Notepad notepad;
  ASSERT_NE(notepad.edit, nullptr) << "notepad did not start";
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  TargetWindow = gone;
  auto* form = Open(false, 0x100);
  HWND grid = form->dgdClips->Handle();
  // Notepad in front as the pick is made: keys sent blindly would land there.
  ShowWindow(form->Handle(), SW_HIDE);
  SetForegroundWindow(notepad.window);
  SendMessageA(grid, WM_CHAR, '3', 0);
  Application().ProcessMessages();
  EXPECT_EQ(notepad.TextAfterMarker(), "z") << "keys went to the window in front";
  ASSERT_TRUE(OpenClipboard(nullptr));
  std::string text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const wchar_t*>(GlobalLock(data))) text = Narrow(p);
    GlobalUnlock(data);
  }
  CloseClipboard();
  EXPECT_EQ(text, "third");
}

TPaster* cancelledPaster = nullptr;

// Does what the system does when the user presses Ctrl+Esc during a replay.
void CALLBACK CancelOnceReplaying(HWND, UINT, UINT_PTR id, DWORD) {
  if (!cancelledPaster || !cancelledPaster->Replay().IsPlaying()) return;
  KillTimer(nullptr, id);
  PostThreadMessageW(GetCurrentThreadId(), WM_CANCELJOURNAL, 0, 0);
}

TEST_F(ClipFormTest, AReplayTheSystemCancelsSendsNothingMore) {
  Notepad notepad;
  ASSERT_NE(notepad.edit, nullptr) << "notepad did not start";
  TPaster paster(Win32Paste());  // a journal not yet known to stay unplayed
  cancelledPaster = &paster;
  SetTimer(nullptr, 0, 10, &CancelOnceReplaying);
  EXPECT_EQ(paster.Paste(notepad.window, "never typed"), TPasteResult::Cancelled);
  cancelledPaster = nullptr;
  EXPECT_EQ(notepad.TextAfterMarker(), "z") << "keys went out after the cancel";
  EXPECT_FALSE(paster.Replay().IsPlaying());
}

TEST_F(ClipFormTest, DISABLED_View) {
  for (int i = 0; i < 40; ++i) ClipHistory->push_back("history entry " + std::to_string(i) + "   with   spaces\r\nand a line");
  auto* form = Open(false, 1, {100, 100});
  test::HoldForViewing(form);
  delete form;
  auto* coll = Open(true, 4, {TForm::ScreenWidth(), TForm::ScreenHeight()});
  test::HoldForViewing(coll);
  delete coll;
}

}  // namespace
}  // namespace vimo
