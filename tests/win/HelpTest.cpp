// The built-in help under Wine: the help window, the context pop-ups, F1 and the help
// button on real forms, with real key presses and clicks.
#include <gtest/gtest.h>

#include <windows.h>
#include <richedit.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "ComponentTestSupport.h"
#include "ModelFixture.h"
#include "help/HelpTopics.h"
#include "help/win32/HelpPopup.h"
#include "help/win32/HelpSource.h"
#include "help/win32/HelpWindow.h"
#include "help/win32/ProgramHelp.h"
#include "host/win32/SetupFeatures.h"
#include "platform/Utf.h"
#include "settings/win32/ActEdit.h"
#include "settings/win32/Setup.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "host/win32/PopupForms.h"
#include "ui/StdControls.h"

namespace vimo {
namespace {

using test::PumpUntil;
using test::SendKey;

// The application answers help as Vimo.exe's start makes it answer.
const bool kHelpInstalled = (InstallProgramHelp(), true);

void Press(WORD vk) {
  SendKey(vk, true);
  SendKey(vk, false);
}
void ShiftPress(WORD vk) {
  SendKey(VK_SHIFT, true);
  Press(vk);
  SendKey(VK_SHIFT, false);
}

// One batch of move, down and up, every event with the same absolute place: a press sent
// without one can be taken where the pointer was before the move.
void Click(POINT at) {
  INPUT in[3] = {};
  const DWORD flags[3] = {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 3; ++i) {
    in[i].type = INPUT_MOUSE;
    in[i].mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in[i].mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags[i];
  }
  SendInput(3, in, sizeof(INPUT));
}

RECT RectOf(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

POINT Middle(HWND h) {
  RECT r = RectOf(h);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string TextOf(HWND h) {
  wchar_t buffer[4096] = {};
  GetWindowTextW(h, buffer, 4096);
  return Narrow(buffer);
}

std::string FirstLine(HWND h) {
  std::string text = TextOf(h);
  return text.substr(0, text.find_first_of("\r\n"));
}

CHARRANGE SelectionOf(HWND text) {
  CHARRANGE r{};
  SendMessageW(text, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return r;
}

COLORREF ScreenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return c;
}

int Scaled(int pixels) {
  HDC dc = GetDC(nullptr);
  int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return MulDiv(pixels, ppi, 96);
}

void CloseHelpWindow() {
  if (THelpWindow* w = THelpWindow::Current()) SendMessageW(w->Handle(), WM_CLOSE, 0, 0);
  CloseHelpPopup();
  Application().ProcessMessages();
}

class HelpWindowTest : public ::testing::Test {
 protected:
  void TearDown() override { CloseHelpWindow(); }
};

TEST_F(HelpWindowTest, OpensOnTheContentsAndASecondShowBringsTheSameWindowForward) {
  const THelpBook& book = BuiltInHelp();
  THelpWindow& window = THelpWindow::Show();
  HWND h = window.Handle();
  ASSERT_TRUE(IsWindowVisible(h));
  EXPECT_EQ(TextOf(h), "Tramlex Vimo Help");
  EXPECT_EQ(SendMessageW(window.TopicList(), LB_GETCOUNT, 0, 0), static_cast<LRESULT>(book.Topics().size()));
  EXPECT_EQ(SendMessageW(window.TopicList(), LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(window.TopicName(), kHelpContents);
  EXPECT_EQ(FirstLine(window.TextPane()), "Tramlex Vimo");
  EXPECT_EQ(GetFocus(), window.TopicList()) << "the arrows work in the list at once";

  THelpWindow& again = THelpWindow::Show(kHelpCalendar);
  EXPECT_EQ(&again, &window);
  EXPECT_EQ(again.Handle(), h) << "a second window was opened";
  EXPECT_EQ(window.TopicName(), kHelpCalendar);
  EXPECT_EQ(SendMessageW(window.TopicList(), LB_GETCURSEL, 0, 0), book.TopicIndex(kHelpCalendar));
  EXPECT_EQ(FirstLine(window.TextPane()), "Calendar");

  ShowWindow(h, SW_MINIMIZE);
  THelpWindow::Show();
  EXPECT_FALSE(IsIconic(h));
  EXPECT_EQ(GetForegroundWindow(), h);
  EXPECT_EQ(window.TopicName(), kHelpCalendar) << "the menu's Help keeps the topic shown";

  SendMessageW(h, WM_CLOSE, 0, 0);
  EXPECT_EQ(THelpWindow::Current(), nullptr);
  EXPECT_FALSE(IsWindow(h)) << "closed but not freed";
  // A new one after that, on the contents again.
  EXPECT_EQ(THelpWindow::Show().TopicName(), kHelpContents);
}

TEST_F(HelpWindowTest, PickingInTheListAndClickingALinkShowTheirTopics) {
  THelpWindow& window = THelpWindow::Show(kHelpContents);
  SetForegroundWindow(window.Handle());
  // Down in the list: the next topic.
  SetFocus(window.TopicList());
  Press(VK_DOWN);
  const std::string second = BuiltInHelp().Topics().at(1).Name;
  ASSERT_TRUE(PumpUntil([&] { return window.TopicName() == second; })) << window.TopicName();

  window.ShowTopic(kHelpContents);
  ASSERT_FALSE(window.Page().Links.empty());
  const THelpLink link = window.Page().Links.front();
  POINTL at{};
  SendMessageW(window.TextPane(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), link.Start + 1);
  POINT screen{at.x + 2, at.y + Scaled(6)};
  ClientToScreen(window.TextPane(), &screen);
  UpdateWindow(window.TextPane());
  Click(screen);
  EXPECT_TRUE(PumpUntil([&] { return window.TopicName() == link.Target; })) << window.TopicName();
  EXPECT_EQ(SendMessageW(window.TopicList(), LB_GETCURSEL, 0, 0), BuiltInHelp().TopicIndex(link.Target));
}

TEST_F(HelpWindowTest, TabGoesFromTheListToTheTextFromLinkToLinkAndBackAndEnterFollows) {
  THelpWindow& window = THelpWindow::Show(kHelpContents);
  SetForegroundWindow(window.Handle());
  SetFocus(window.TopicList());
  const auto links = window.Page().Links;
  ASSERT_GE(links.size(), 3u);
  auto selected = [&](std::size_t i) {
    CHARRANGE r = SelectionOf(window.TextPane());
    return r.cpMin == links[i].Start && r.cpMax == links[i].Start + links[i].Length;
  };
  Press(VK_TAB);
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == window.TextPane(); })) << "Tab stayed in the list";
  Press(VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return selected(0); }));
  Press(VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return selected(1); }));
  ShiftPress(VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return selected(0); }));
  Press(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return window.TopicName() == links[0].Target; })) << window.TopicName();
  // From the top of the new topic, Shift+Tab goes back to the list.
  ShiftPress(VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == window.TopicList(); }));

  // Past the last link Tab goes back to the list too.
  window.ShowTopic(kHelpContents);
  const THelpLink& last = window.Page().Links.back();
  SetFocus(window.TextPane());
  CHARRANGE atLast{last.Start, last.Start + last.Length};
  SendMessageW(window.TextPane(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&atLast));
  Press(VK_TAB);
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == window.TopicList(); }));

  HWND h = window.Handle();
  Press(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(h); })) << "Escape leaves the help window open";
}

TEST_F(HelpWindowTest, KeepsAMinimumSizeAndTheTextFillsTheRest) {
  THelpWindow& window = THelpWindow::Show();
  HWND h = window.Handle();
  SetWindowPos(h, nullptr, 0, 0, 60, 40, SWP_NOMOVE | SWP_NOZORDER);
  RECT small = RectOf(h);
  EXPECT_EQ(small.right - small.left, Scaled(420));
  EXPECT_EQ(small.bottom - small.top, Scaled(300));

  SetWindowPos(h, nullptr, 0, 0, 900, 640, SWP_NOMOVE | SWP_NOZORDER);
  RECT client{};
  GetClientRect(h, &client);
  RECT list = RectOf(window.TopicList()), text = RectOf(window.TextPane());
  MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&list), 2);
  MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&text), 2);
  int gap = Scaled(6);
  EXPECT_EQ(list.left, gap);
  EXPECT_LT(list.right, text.left);
  EXPECT_EQ(text.right, client.right - gap);
  EXPECT_EQ(text.bottom, client.bottom - gap);
  EXPECT_EQ(list.bottom, text.bottom);
}

TEST_F(HelpWindowTest, F1InTheHelpWindowShowsHowToUseIt) {
  THelpWindow& window = THelpWindow::Show();
  SetForegroundWindow(window.Handle());
  SetFocus(window.TopicList());
  Press(VK_F1);
  EXPECT_TRUE(PumpUntil([&] { return window.TopicName() == kHelpUsingHelp; }));
}

// A dialog with a button and an edit box, as the settings dialog has them.
class ContextHelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application().Initialize();
    form = std::make_unique<TForm>(TFormStyle::Dialog);
    form->SetCaption("Help test");
    form->ShowHelpButton();
    form->HelpTopic = kHelpCalendar;
    button = new TButton(form.get(), "Press", 0);
    button->SetBounds(20, 20, 100, 25);
    button->OnClick = [this](TControl*) { ++clicks; };
    form->SetHelpId(button, 79);
    edit = new TEdit(form.get(), "", 100, false);
    edit->SetBounds(20, 60, 150, 21);
    form->SetClientSize(300, 200);
    form->SetBounds(200, 150, form->Width(), form->Height());
    form->Show();
    SetForegroundWindow(form->Handle());
    PumpUntil([&] { return GetForegroundWindow() == form->Handle(); });
  }
  void TearDown() override {
    CloseHelpWindow();
    form.reset();
    Application().ProcessMessages();
  }
  std::unique_ptr<TForm> form;
  TButton* button = nullptr;
  TEdit* edit = nullptr;
  int clicks = 0;
};

TEST_F(ContextHelpTest, ThePopupShowsItsTextUnderTheControlAndAKeyClosesItWithoutReachingTheForm) {
  SetFocus(edit->Handle());
  RECT anchor = RectOf(button->Handle());
  ASSERT_TRUE(ShowHelpPopup(form->Handle(), 79, anchor));
  HWND popup = HelpPopupHandle();
  ASSERT_TRUE(popup && IsWindowVisible(popup));
  RECT r = RectOf(popup);
  EXPECT_GE(r.top, anchor.bottom);
  EXPECT_EQ(r.left, anchor.left);
  const THelpContext* context = BuiltInHelp().FindContext(79);
  EXPECT_EQ(TextOf(popup), context->Title + ": " + ContextPopupText(*context));

  Press('X');
  EXPECT_TRUE(PumpUntil([] { return HelpPopupHandle() == nullptr; })) << "a key left it open";
  Application().ProcessMessages();
  EXPECT_EQ(edit->Text(), "") << "the key that closed the pop-up was typed too";
  EXPECT_EQ(GetForegroundWindow(), form->Handle());
  EXPECT_EQ(GetFocus(), edit->Handle()) << "the focus did not come back to the control";
  EXPECT_FALSE(ShowHelpPopup(form->Handle(), 4242, anchor)) << "an id without text";
  EXPECT_EQ(HelpPopupHandle(), nullptr);
}

TEST_F(ContextHelpTest, AClickClosesThePopupWithoutClickingAndTheNextClickClicks) {
  ASSERT_TRUE(ShowHelpPopup(form->Handle(), 79, RectOf(edit->Handle())));
  Click(Middle(button->Handle()));
  EXPECT_TRUE(PumpUntil([] { return HelpPopupHandle() == nullptr; })) << "a click left it open";
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(clicks, 0) << "the click that closed the pop-up pressed the button";
  Click(Middle(button->Handle()));
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; })) << "the click after it was lost";
}

TEST_F(ContextHelpTest, F1OnAControlShowsItsTextF1AgainTheTopicAndF1OnTheFormTheFormsTopic) {
  SetFocus(button->Handle());
  Press(VK_F1);
  ASSERT_TRUE(PumpUntil([] { return HelpPopupHandle() != nullptr; })) << "F1 showed nothing";
  EXPECT_GE(RectOf(HelpPopupHandle()).top, RectOf(button->Handle()).bottom) << "not next to the control";
  Press(VK_F1);
  EXPECT_TRUE(PumpUntil([] { return HelpPopupHandle() == nullptr && THelpWindow::Current(); }))
      << "pop-up " << HelpPopupHandle() << " window " << THelpWindow::Current();
  ASSERT_NE(THelpWindow::Current(), nullptr);
  EXPECT_EQ(THelpWindow::Current()->TopicName(), kHelpCalendar);
  CloseHelpWindow();

  SetForegroundWindow(form->Handle());
  SetFocus(edit->Handle());  // no text of its own
  Press(VK_F1);
  EXPECT_TRUE(PumpUntil([] { return THelpWindow::Current() != nullptr; })) << "F1 without a control text";
  EXPECT_EQ(HelpPopupHandle(), nullptr);
  ASSERT_NE(THelpWindow::Current(), nullptr);
  EXPECT_EQ(THelpWindow::Current()->TopicName(), kHelpCalendar);
}

TEST_F(ContextHelpTest, TheHelpButtonAndShiftF1ShowTheTextOfTheClickedControlAndEatTheClick) {
  // What the title-bar button sends; the click is already on its way when the mode begins.
  PostMessageW(form->Handle(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
  POINT at = Middle(button->Handle());
  Click(at);
  ASSERT_TRUE(PumpUntil([] { return HelpPopupHandle() != nullptr; })) << "the help button's click showed nothing";
  RECT r = RectOf(HelpPopupHandle());
  EXPECT_GE(r.top, at.y) << "not at the click";
  EXPECT_LE(r.top, at.y + 10);
  EXPECT_EQ(clicks, 0) << "the click also pressed the button";
  Press(VK_ESCAPE);
  ASSERT_TRUE(PumpUntil([] { return HelpPopupHandle() == nullptr; }));

  SetFocus(edit->Handle());
  ShiftPress(VK_F1);
  Click(at);
  EXPECT_TRUE(PumpUntil([] { return HelpPopupHandle() != nullptr; })) << "Shift+F1 then a click showed nothing";
  EXPECT_EQ(clicks, 0);
  RECT shown = RectOf(HelpPopupHandle());
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel({shown.left + 3, shown.top + 3}) == GetSysColor(COLOR_INFOBK); }, 2000))
      << "the pop-up is not drawn where it lies over its dialog";
  Press(VK_ESCAPE);
  ASSERT_TRUE(PumpUntil([] { return HelpPopupHandle() == nullptr; }));

  // Escape ends the mode: the next click is an ordinary one.
  PostMessageW(form->Handle(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
  Press(VK_ESCAPE);
  Click(at);
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; })) << "the mode did not end with Escape";
  EXPECT_EQ(HelpPopupHandle(), nullptr);
}

class FormsHelpTest : public test::ModelFixture {
 protected:
  void SetUp() override {
    ModelFixture::SetUp();
    InitializeModel();
    Application().Initialize();
  }
  void TearDown() override {
    CloseHelpWindow();
    ModelFixture::TearDown();
  }

  struct Walk {
    TForm* form;
    std::set<int> ids;
  };
  static BOOL CALLBACK Collect(HWND h, LPARAM p) {
    auto* w = reinterpret_cast<Walk*>(p);
    if (int id = w->form->HelpIdOf(h)) w->ids.insert(id);
    return TRUE;
  }
  static std::set<int> HelpIdsOf(TForm& form) {
    Walk walk{&form, {}};
    EnumChildWindows(form.Handle(), &Collect, reinterpret_cast<LPARAM>(&walk));
    return walk.ids;
  }
};

TEST_F(FormsHelpTest, EveryHelpIdTheFormsGiveTheirControlsHasItsText) {
  const THelpBook& book = BuiltInHelp();
  std::string problems;
  for (const auto& p : book.Problems()) problems += p + "\n";
  EXPECT_TRUE(book.Problems().empty()) << problems;

  TSetupHostLinks links;
  LinkSetupFeatures(links);
  TfrmSetup setup(links);
  TfrmActionEditor editor;
  std::set<int> setupIds = HelpIdsOf(setup), editorIds = HelpIdsOf(editor);
  // Enough to know the walk found the controls: every page has several.
  EXPECT_GE(setupIds.size(), 40u);
  EXPECT_GE(editorIds.size(), 9u);
  for (const std::set<int>* ids : {&setupIds, &editorIds})
    for (int id : *ids) EXPECT_NE(book.FindContext(id), nullptr) << "help id " << id << " has no text";

  ASSERT_EQ(setup.ntbSetup->PageCount(), 8);
  for (int page = 0; page < setup.ntbSetup->PageCount(); ++page)
    EXPECT_NE(book.FindTopic(SetupPageHelpTopic(page)), nullptr) << setup.ntbSetup->PageCaption(page);
  EXPECT_NE(book.FindTopic(editor.HelpTopic), nullptr) << editor.HelpTopic;

  TForm* popups[] = {CreateCalendarPopup(0), CreateWorldTimePopup(0), CreateTimeMapPopup(0),
                     CreateClipPopup({50, 60}, 0x100, true, 0)};
  for (TForm* popup : popups) {
    EXPECT_NE(book.FindTopic(popup->HelpTopic), nullptr) << "\"" << popup->HelpTopic << "\"";
    FreePopup(popup);
  }
}

TEST_F(FormsHelpTest, F1OnAPopupOpensItsTopic) {
  std::unique_ptr<TForm, void (*)(TForm*)> calendar(CreateCalendarPopup(0), &FreePopup);
  ShowPopup(calendar.get());
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == calendar->Handle(); }));
  Press(VK_F1);
  ASSERT_TRUE(PumpUntil([] { return THelpWindow::Current() != nullptr; })) << "F1 on the calendar opened nothing";
  EXPECT_EQ(THelpWindow::Current()->TopicName(), kHelpCalendar);
}

TEST_F(FormsHelpTest, TheSettingsDialogAnswersF1WithThePopupOrTheShownPagesTopic) {
  TSetupHostLinks links;
  LinkSetupFeatures(links);
  TfrmSetup setup(links);
  setup.ntbSetup->SetPageIndex(7);
  setup.FormHelp(&setup, HELP_CONTEXT, 0);
  ASSERT_NE(THelpWindow::Current(), nullptr) << "F1 without a control's text opened nothing";
  EXPECT_EQ(THelpWindow::Current()->TopicName(), SetupPageHelpTopic(7));
  CloseHelpWindow();

  setup.FormHelp(&setup, HELP_CONTEXT, 83);
  EXPECT_NE(HelpPopupHandle(), nullptr);
  EXPECT_EQ(THelpWindow::Current(), nullptr);
  CloseHelpPopup();
  setup.FormHelp(&setup, HELP_CONTEXTPOPUP, 0);
  EXPECT_EQ(HelpPopupHandle(), nullptr) << "the help button on a control without text shows nothing";
  EXPECT_EQ(THelpWindow::Current(), nullptr);
}

TEST(OldHelpFile, IsNotUsedWhenItIsNotThere) {
  EXPECT_FALSE(OldHelpUsable(""));
  EXPECT_FALSE(OldHelpUsable("C:\\no such folder\\Vimo.hlp"));
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_FALSE(OldHelpUsable(windows)) << "a folder is no help file";
}

}  // namespace
}  // namespace vimo
