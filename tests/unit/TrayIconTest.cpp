#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FakeComponentServices.h"
#include "components/PopupMenu.h"
#include "components/TrayIcon.h"

namespace vimo {
namespace {

constexpr std::uint32_t kMouseMove = 0x200, kLDown = 0x201, kLUp = 0x202, kLDbl = 0x203, kRDown = 0x204,
                        kRUp = 0x205, kMDown = 0x207, kMUp = 0x208, kContextMenu = 0x7B, kSelect = 0x400,
                        kKeySelect = 0x401;
constexpr NativeHandle kOwner = 0x777;

// An image list whose icons the fake shell can tell apart by image index.
class FakeImageList final : public TImageSource {
 public:
  FakeImageList(test::FakeTrayShell& shell, int count) : shell_(shell), count_(count) {}
  int Count() const override { return count_; }
  NativeHandle GetIcon(int index) const override { return index >= 0 && index < count_ ? shell_.NewIcon(index) : 0; }

 private:
  test::FakeTrayShell& shell_;
  int count_;
};

struct TrayIconTest : ::testing::Test {
  test::ComponentServicesFixture services;
  test::FakeTrayShell& shell = services.shell;
  test::FakeTimerService& timers = services.timers;
  std::vector<std::string> events;

  // Records every event, with the Sender checked.
  void Record(TTrayIcon& icon) {
    auto note = [this, &icon](TTrayIcon& sender, std::string what) {
      EXPECT_EQ(&sender, &icon);
      events.push_back(std::move(what));
    };
    icon.OnClick = [note](TTrayIcon& s) { note(s, "click"); };
    icon.OnDblClick = [note](TTrayIcon& s) { note(s, "dblclick"); };
    icon.OnMouseDown = [note](TTrayIcon& s, TMouseButton b, TShiftState sh, int x, int y) {
      note(s, "down " + std::to_string(b) + " " + std::to_string(sh) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    icon.OnMouseUp = [note](TTrayIcon& s, TMouseButton b, TShiftState sh, int, int) {
      note(s, "up " + std::to_string(b) + " " + std::to_string(sh));
    };
    icon.OnMouseMove = [note](TTrayIcon& s, TShiftState sh, int x, int y) {
      note(s, "move " + std::to_string(sh) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    icon.OnMouseEnter = [note](TTrayIcon& s) { note(s, "enter"); };
    icon.OnMouseExit = [note](TTrayIcon& s) { note(s, "exit"); };
    icon.OnBalloonHintShow = [note](TTrayIcon& s) { note(s, "balloon show"); };
    icon.OnBalloonHintHide = [note](TTrayIcon& s) { note(s, "balloon hide"); };
    icon.OnBalloonHintTimeout = [note](TTrayIcon& s) { note(s, "balloon timeout"); };
    icon.OnBalloonHintClick = [note](TTrayIcon& s) { note(s, "balloon click"); };
  }
  void Send(TTrayIcon& icon, std::uint32_t event) { shell.Notify(icon.Id(), event); }
  std::uintptr_t ClickWaitTimer() {
    // The click-wait timer is the only one a left press starts.
    for (auto& [id, interval] : timers.running)
      if (interval == shell.doubleClickTime) return id;
    return 0;
  }
  int ShownImage(const TTrayIcon& icon) { return shell.ImageOf(shell.tray.at(icon.Id()).hIcon); }
};

TEST_F(TrayIconTest, ConstructionFillsTheRecordAndSharesOneHandlerWindow) {
  auto a = std::make_unique<TTrayIcon>();
  TTrayIcon b;
  const NotifyIconData& d = a->NotifyData();
  EXPECT_EQ(d.cbSize, 936u) << "the wide record in the layout shells before Vista take";
  EXPECT_EQ(d.hWnd, test::FakeTrayShell::kHandlerWindow);
  EXPECT_EQ(d.uFlags, 7u);
  EXPECT_EQ(d.uCallbackMessage, 0x800u);
  EXPECT_NE(a->Id(), b.Id());
  EXPECT_EQ(a->Handle(), test::FakeTrayShell::kHandlerWindow);
  EXPECT_EQ(shell.windowsCreated, 1);
  EXPECT_TRUE(a->Enabled);
  EXPECT_TRUE(a->ShowHint());
  EXPECT_FALSE(a->IconVisible());
  a.reset();
  EXPECT_TRUE(shell.windowAlive);
  EXPECT_EQ(TTrayIconHandler::Current()->RefCount(), 1);
}

TEST_F(TrayIconTest, DestructionRemovesTheIconAndTheLastOneTheHandler) {
  {
    TTrayIcon icon;
    icon.SetIconVisible(true);
    ASSERT_EQ(shell.tray.size(), 1u);
  }
  EXPECT_TRUE(shell.tray.empty());
  EXPECT_FALSE(shell.windowAlive);
  EXPECT_EQ(TTrayIconHandler::Current(), nullptr);
  EXPECT_TRUE(shell.mainHooks.empty()) << "the main-window hook must go with the component";
  EXPECT_TRUE(timers.running.empty());
}

TEST_F(TrayIconTest, TipIsCutTo127CharactersAndEmptyWithoutHintOrShowHint) {
  TTrayIcon icon;
  icon.SetIconVisible(true);
  icon.SetHint(std::string(200, 'h'));
  EXPECT_EQ(std::string(shell.tray.at(icon.Id()).szTip), std::string(127, 'h'));
  icon.SetShowHint(false);
  const char* tip = shell.tray.at(icon.Id()).szTip;
  EXPECT_TRUE(std::all_of(tip, tip + 128, [](char c) { return c == 0; }));
  icon.SetShowHint(true);
  icon.SetHint("");
  EXPECT_EQ(shell.tray.at(icon.Id()).szTip[0], 0);
  icon.SetHint("Tramlex Vimo");
  EXPECT_STREQ(shell.tray.at(icon.Id()).szTip, "Tramlex Vimo");
}

// The wide record's tip holds 127 UTF-16 units: a cut falls between characters, and an
// emoji (two units) that does not fit whole is left out.
TEST_F(TrayIconTest, TipAndBalloonAreCutBetweenCharactersToTheWideFields) {
  TTrayIcon icon;
  icon.SetIconVisible(true);
  std::string kanji;
  for (int i = 0; i < 200; ++i) kanji += "\xE6\x9D\xB1";
  icon.SetHint(kanji);
  EXPECT_EQ(std::string(shell.tray.at(icon.Id()).szTip), kanji.substr(0, 127 * 3));
  icon.SetHint(std::string(126, 'x') + "\xF0\x9F\x98\x80");
  EXPECT_EQ(std::string(shell.tray.at(icon.Id()).szTip), std::string(126, 'x'));
  icon.SetHint(std::string(125, 'x') + "\xF0\x9F\x98\x80");
  EXPECT_EQ(std::string(shell.tray.at(icon.Id()).szTip), std::string(125, 'x') + "\xF0\x9F\x98\x80");

  std::string greek;
  for (int i = 0; i < 300; ++i) greek += "\xCE\xBB";
  EXPECT_TRUE(icon.ShowBalloonHint(greek, greek, 1, 10));
  const NotifyIconData& d = shell.calls.back().data;
  EXPECT_EQ(std::string(d.szInfo), greek.substr(0, 255 * 2));
  EXPECT_EQ(std::string(d.szInfoTitle), greek.substr(0, 63 * 2));
}

TEST_F(TrayIconTest, IconIndexIsClampedToTheImageList) {
  FakeImageList four(shell, 4);
  TTrayIcon icon;
  icon.SetIconVisible(true);
  icon.SetIconList(&four);
  icon.SetIconIndex(10);
  EXPECT_EQ(icon.IconIndex(), 3);
  EXPECT_EQ(ShownImage(icon), 3);
  icon.SetIconIndex(-2);
  EXPECT_EQ(icon.IconIndex(), 0);
  EXPECT_EQ(ShownImage(icon), 0);
  icon.SetIconList(nullptr);
  icon.SetIconIndex(2);
  EXPECT_EQ(icon.IconIndex(), 0);
}

TEST_F(TrayIconTest, TheIconIsACopyOwnedByTheComponent) {
  NativeHandle given = shell.NewIcon(9);
  {
    TTrayIcon icon;
    icon.SetIconVisible(true);
    icon.SetIcon(given);
    EXPECT_NE(icon.Icon(), given);
    EXPECT_EQ(ShownImage(icon), 9);
    icon.SetIcon(0);
    EXPECT_EQ(shell.tray.at(icon.Id()).hIcon, 0u) << "no icon is sent as 0";
  }
  EXPECT_EQ(shell.iconImage.size(), 1u) << "only the caller's icon may be left";
  EXPECT_EQ(shell.badIconDestroys, 0);
}

TEST_F(TrayIconTest, FreeingTheImageListOrTheMenuClearsTheReference) {
  auto list = std::make_unique<FakeImageList>(shell, 4);
  auto menu = std::make_unique<TPopupMenu>();
  TTrayIcon icon;
  icon.SetIconList(list.get());
  icon.SetIconIndex(2);
  icon.SetPopupMenu(menu.get());
  list.reset();
  menu.reset();
  EXPECT_EQ(icon.IconList(), nullptr);
  EXPECT_EQ(icon.PopupMenu(), nullptr);
  EXPECT_EQ(icon.IconIndex(), 0);
  Send(icon, kRDown);
  Send(icon, kLDbl);
  EXPECT_TRUE(shell.shownMenu.empty());
  // The other way round: a list outliving its tray icon must not call back into it.
  FakeImageList survivor(shell, 2);
  { TTrayIcon gone; gone.SetIconList(&survivor); }
}

TEST_F(TrayIconTest, CyclingReportsNextIndexesAndShowsEachImageInTurn) {
  FakeImageList four(shell, 4);
  TTrayIcon icon;
  std::vector<int> next;
  icon.OnCycle = [&](TTrayIcon&, int n) { next.push_back(n); };
  icon.SetIconList(&four);
  icon.SetIconVisible(true);
  icon.SetCycleInterval(150);
  icon.SetCycleIcons(true);
  std::vector<int> shown{ShownImage(icon)};
  ASSERT_EQ(timers.running.size(), 1u);
  std::uintptr_t cycling = timers.running.begin()->first;
  EXPECT_EQ(timers.running.begin()->second, 150u);
  for (int i = 0; i < 5; ++i) {
    timers.Fire(cycling);
    shown.push_back(ShownImage(icon));
  }
  EXPECT_EQ(next, (std::vector<int>{1, 2, 3, 0, 1}));
  EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 0, 1}));
  icon.SetCycleIcons(false);
  EXPECT_TRUE(timers.running.empty());
}

TEST_F(TrayIconTest, ACycleIntervalOfZeroNeverStartsCycling) {
  FakeImageList four(shell, 4);
  TTrayIcon icon;
  icon.SetIconList(&four);
  icon.SetCycleIcons(true);
  EXPECT_TRUE(timers.running.empty());
  icon.SetCycleInterval(100);
  EXPECT_EQ(timers.running.size(), 1u) << "a new interval applies CycleIcons again";
}

TEST_F(TrayIconTest, WithOnlyOnClickAClickFiresAtReleaseAndADoubleClickOnceThenTheDefaultItem) {
  TPopupMenu menu;
  std::vector<std::string> clicked;
  menu.Add("Settings...", [&](TMenuItem&) { clicked.push_back("settings"); });
  menu.Add("About...", [&](TMenuItem&) { clicked.push_back("about"); }).Default = true;
  menu.Add("Exit", [&](TMenuItem&) { clicked.push_back("exit"); }).Default = true;
  TTrayIcon icon;
  icon.SetPopupMenu(&menu);
  int clicks = 0;
  icon.OnClick = [&](TTrayIcon&) { ++clicks; };
  Send(icon, kLDown);
  EXPECT_EQ(clicks, 0);
  Send(icon, kLUp);
  EXPECT_EQ(clicks, 1);
  Send(icon, kLDbl);
  Send(icon, kLUp);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(clicked, std::vector<std::string>{"about"}) << "the lowest-indexed default item is clicked";
}

TEST_F(TrayIconTest, WithOnDblClickASingleClickWaitsForTheDoubleClickTime) {
  TTrayIcon icon;
  Record(icon);
  Send(icon, kLDown);
  Send(icon, kLUp);
  EXPECT_EQ(std::count(events.begin(), events.end(), "click"), 0) << "no click at the release";
  std::uintptr_t wait = ClickWaitTimer();
  ASSERT_NE(wait, 0u) << "the press must start the click-wait timer with the double-click time";
  timers.Fire(wait);
  EXPECT_EQ(std::count(events.begin(), events.end(), "click"), 1);
  EXPECT_FALSE(timers.Running(wait)) << "the click-wait timer fires once";
}

TEST_F(TrayIconTest, WithOnDblClickADoubleClickFiresOnlyOnDblClick) {
  TTrayIcon icon;
  Record(icon);
  Send(icon, kLDown);
  Send(icon, kLUp);
  std::uintptr_t wait = ClickWaitTimer();
  Send(icon, kLDbl);
  Send(icon, kLUp);
  timers.Fire(wait);
  EXPECT_EQ(std::count(events.begin(), events.end(), "dblclick"), 1);
  EXPECT_EQ(std::count(events.begin(), events.end(), "click"), 0);
  // The next single click is not swallowed by the old double-click.
  events.clear();
  Send(icon, kLDown);
  Send(icon, kLUp);
  timers.Fire(ClickWaitTimer());
  EXPECT_EQ(std::count(events.begin(), events.end(), "click"), 1);
}

TEST_F(TrayIconTest, APressWithoutReleaseDoesNotRepeatAnEarlierClick) {
  TTrayIcon icon;
  Record(icon);
  Send(icon, kLDown);
  Send(icon, kLUp);
  timers.Fire(ClickWaitTimer());
  events.clear();
  Send(icon, kLDown);  // released away from the icon: the shell reports no button up
  timers.Fire(ClickWaitTimer());
  EXPECT_EQ(std::count(events.begin(), events.end(), "click"), 0);
}

TEST_F(TrayIconTest, ARightClickPopsTheMenuUpAtThePressAfterMouseDown) {
  TPopupMenu menu;
  int popups = 0, exits = 0;
  menu.OnPopup = [&](TPopupMenu&) { ++popups; };
  menu.Add("Suspend");
  menu.Add("-");
  menu.Add("Exit", [&](TMenuItem&) { ++exits; });
  shell.menuChoice = 2;
  TTrayIcon icon(kOwner);
  icon.SetPopupMenu(&menu);
  icon.OnMouseDown = [&](TTrayIcon&, TMouseButton, TShiftState, int, int) { shell.log.push_back("mouse down"); };
  shell.log.clear();
  Send(icon, kRDown);
  EXPECT_EQ(shell.log, (std::vector<std::string>{"mouse down", "foreground application", "process messages",
                                                 "menu at 100,200", "post WM_NULL to " + std::to_string(kOwner)}));
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(menu.PopupComponent, &icon);
  ASSERT_EQ(shell.shownMenu.size(), 3u);
  EXPECT_EQ(shell.shownMenu[2].caption, "Exit");
}

TEST_F(TrayIconTest, ASecondRightPressWithinTheDoubleClickTimeOpensTheMenuAgain) {
  // The system reports it as a right double click: a user who closed the menu and
  // pressed again at once must get the menu back.
  TPopupMenu menu;
  int popups = 0;
  menu.OnPopup = [&](TPopupMenu&) { ++popups; };
  menu.Add("Exit");
  TTrayIcon icon(kOwner);
  icon.SetPopupMenu(&menu);
  Send(icon, kRDown);
  Send(icon, kRUp);
  Send(icon, 0x206);
  Send(icon, kRUp);
  EXPECT_EQ(popups, 2);
}

TEST_F(TrayIconTest, TheMenuNeedsAutoPopupAndAReadableCursor) {
  TPopupMenu menu;
  TTrayIcon icon;
  icon.SetPopupMenu(&menu);
  menu.AutoPopup = false;
  Send(icon, kRDown);
  menu.AutoPopup = true;
  shell.cursorReadable = false;
  Send(icon, kRDown);
  EXPECT_EQ(std::count(shell.log.begin(), shell.log.end(), "process messages"), 0);
  shell.cursorReadable = true;
  icon.LeftPopup = true;
  Send(icon, kLDown);
  EXPECT_EQ(std::count(shell.log.begin(), shell.log.end(), "menu at 100,200"), 1) << "LeftPopup opens it on a left press";
}

TEST_F(TrayIconTest, WhileDisabledMouseNotificationsDoNothingButBalloonsStillArrive) {
  TPopupMenu menu;
  TTrayIcon icon;
  icon.SetPopupMenu(&menu);
  Record(icon);
  icon.Enabled = false;
  for (std::uint32_t e : {kMouseMove, kLDown, kLUp, kLDbl, kRDown, kRUp, kMDown, kMUp}) Send(icon, e);
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(shell.shownMenu.empty());
  for (std::uint32_t e : {0x402u, 0x403u, 0x404u, 0x405u}) Send(icon, e);
  EXPECT_EQ(events, (std::vector<std::string>{"balloon show", "balloon hide", "balloon timeout", "balloon click"}));
}

TEST_F(TrayIconTest, CallbackRowsReportButtonsAndShiftState) {
  TTrayIcon icon;
  Record(icon);
  icon.OnDblClick = nullptr;
  shell.held = {0x10, 0x11};  // Shift and Ctrl
  shell.cursor = {5, 6};
  Send(icon, kMDown);
  Send(icon, kMUp);
  Send(icon, kRUp);
  Send(icon, kContextMenu);
  Send(icon, kSelect);
  Send(icon, kKeySelect);
  Send(icon, kMouseMove);
  Send(icon, 0x209);  // no row: nothing
  EXPECT_EQ(events, (std::vector<std::string>{"down 2 37 5,6", "up 2 37", "up 1 21", "move 5 5,6"}))
      << "ssShift|ssCtrl = 5; + ssMiddle 0x20, + ssRight 0x10";
}

TEST_F(TrayIconTest, VersionThreeShellsReportTheRightReleaseAsContextMenuOrSelect) {
  TTrayIcon icon;
  Record(icon);
  icon.SetShellBehaviour(1);
  EXPECT_EQ(shell.calls.back().message, kNimSetVersion);
  EXPECT_EQ(shell.calls.back().data.uTimeout, 3u);
  Send(icon, kRUp);
  EXPECT_TRUE(events.empty());
  Send(icon, kContextMenu);
  Send(icon, kSelect);
  Send(icon, kKeySelect);
  EXPECT_EQ(events, (std::vector<std::string>{"up 1 16", "up 1 16", "up 1 16"}));
}

TEST_F(TrayIconTest, NotificationsForAnUnknownIconAreIgnored) {
  auto icon = std::make_unique<TTrayIcon>();
  TTrayIcon other;
  int clicks = 0;
  icon->OnClick = [&](TTrayIcon&) { ++clicks; };
  std::uint32_t id = icon->Id();
  icon.reset();
  shell.Notify(id, kLDown);
  shell.Notify(id, kLUp);
  EXPECT_EQ(clicks, 0);
}

TEST_F(TrayIconTest, EnterOnTheFirstMoveAndExitWhenTheLeaveCheckSeesTheCursorElsewhere) {
  TTrayIcon icon;
  Record(icon);
  icon.SetWantEnterExitEvents(true);
  ASSERT_EQ(timers.running.size(), 1u);
  std::uintptr_t leave = timers.running.begin()->first;
  EXPECT_EQ(timers.running.begin()->second, 20u);
  Send(icon, kMouseMove);
  Send(icon, kMouseMove);
  timers.Fire(leave);
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "move 0 100,200", "move 0 100,200"}));
  shell.cursor = {101, 200};
  timers.Fire(leave);
  timers.Fire(leave);
  EXPECT_EQ(std::count(events.begin(), events.end(), "exit"), 1);
  Send(icon, kMouseMove);
  EXPECT_EQ(std::count(events.begin(), events.end(), "enter"), 2);
  icon.SetWantEnterExitEvents(false);
  EXPECT_TRUE(timers.running.empty());
}

TEST_F(TrayIconTest, BalloonHintSetsKindTimeoutAndCutsTexts) {
  TTrayIcon icon;
  icon.SetIconVisible(true);
  std::size_t before = shell.calls.size();
  EXPECT_TRUE(icon.ShowBalloonHint(std::string(100, 't'), std::string(300, 'x'), 1, 10));
  ASSERT_EQ(shell.calls.size(), before + 2) << "the old balloon is hidden first";
  const auto& hide = shell.calls[before];
  EXPECT_EQ(hide.message, kNimModify);
  EXPECT_TRUE(hide.data.uFlags & kNifInfo);
  EXPECT_EQ(hide.data.szInfo[0], 0);
  const NotifyIconData& d = shell.calls.back().data;
  EXPECT_EQ(d.uFlags, 7u | kNifInfo);
  EXPECT_EQ(d.dwInfoFlags, 1u);
  EXPECT_EQ(d.uTimeout, 10000u);
  EXPECT_EQ(std::string(d.szInfo), std::string(255, 'x'));
  EXPECT_EQ(std::string(d.szInfoTitle), std::string(63, 't'));
  EXPECT_EQ(icon.NotifyData().uFlags, 7u);
  icon.SetHint("later");
  EXPECT_EQ(shell.calls.back().data.uFlags, 7u) << "a later tip change must not carry the balloon flag";
  icon.SetIconVisible(false);
  EXPECT_FALSE(icon.ShowBalloonHint("t", "x", 3, 1)) << "the shell's failure is returned";
}

TEST_F(TrayIconTest, ANewTaskbarGetsAVisibleIconBackWithItsImageAndTipButNotAHiddenOne) {
  FakeImageList four(shell, 4);
  TTrayIcon shown, hidden;
  shown.SetIconList(&four);
  shown.SetIconIndex(2);
  shown.SetHint("Tramlex Vimo");
  shown.SetIconVisible(true);
  hidden.SetHint("hidden");
  hidden.SetIconVisible(true);
  hidden.SetIconVisible(false);
  shell.RestartTaskbar();
  shell.SendMainWindow(shell.taskbarCreated);
  ASSERT_EQ(shell.tray.size(), 1u);
  EXPECT_EQ(ShownImage(shown), 2);
  EXPECT_STREQ(shell.tray.at(shown.Id()).szTip, "Tramlex Vimo");
}

// Every call to the shell crosses to another process: changes to an icon that is not in
// the tray would only be refused there, and start-up made five of them.
TEST_F(TrayIconTest, ChangesWhileTheIconIsNotInTheTrayStayHereAndAppearWithIt) {
  FakeImageList four(shell, 4);
  TTrayIcon icon;
  icon.SetIconList(&four);
  icon.SetHint("Tramlex Vimo");
  icon.SetIconIndex(3);
  EXPECT_FALSE(icon.ShowBalloonHint("t", "x", 1, 1));
  EXPECT_TRUE(shell.calls.empty()) << shell.calls.size() << " calls, the first " << shell.calls.at(0).message;
  icon.SetIconVisible(true);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(ShownImage(icon), 3);
  EXPECT_STREQ(shell.tray.at(icon.Id()).szTip, "Tramlex Vimo");
  icon.SetIconIndex(1);
  EXPECT_EQ(ShownImage(icon), 1) << "a shown icon still follows every change";
  icon.SetIconVisible(false);
  std::size_t hidden = shell.calls.size();
  icon.SetHint("later");
  EXPECT_EQ(shell.calls.size(), hidden);
}

TEST_F(TrayIconTest, WithoutTheRegisteredMessageNothingIsReAdded) {
  shell.taskbarCreated = 0;
  TTrayIcon icon;
  icon.SetIconVisible(true);
  shell.RestartTaskbar();
  shell.SendMainWindow(0);
  EXPECT_TRUE(shell.tray.empty());
}

TEST_F(TrayIconTest, WhileLoadingVisibilityWaitsForTheLoadedStep) {
  TTrayIcon icon(kOwner, true);
  bool asked = false;
  icon.OnStartup = [&](TTrayIcon&, bool& show) {
    asked = true;
    show = false;
  };
  icon.SetHint("Tramlex Vimo");
  icon.SetIconVisible(true);
  icon.SetWantEnterExitEvents(true);
  EXPECT_TRUE(shell.tray.empty());
  EXPECT_TRUE(timers.running.empty());
  icon.Loaded();
  EXPECT_TRUE(asked);
  EXPECT_FALSE(shell.showMainForm);
  EXPECT_EQ(shell.tray.size(), 1u);
  EXPECT_EQ(timers.running.size(), 1u);
  EXPECT_EQ(shell.calls.back().message, kNimSetVersion);
}

TEST_F(TrayIconTest, OwnerSubclassMinimizesToTrayOnlyWithAHandler) {
  TTrayIcon icon(kOwner);
  std::intptr_t result = 0;
  EXPECT_FALSE(shell.SendOwner(kOwner, 0x112, 0xF020, 0, result)) << "MinimizeToTray is off";
  icon.MinimizeToTray = true;
  EXPECT_FALSE(shell.SendOwner(kOwner, 0x112, 0xF020, 0, result)) << "no OnMinimizeToTray";
  int calls = 0;
  icon.OnMinimizeToTray = [&](TTrayIcon&) { ++calls; };
  EXPECT_TRUE(shell.SendOwner(kOwner, 0x112, 0xF020, 0, result));
  EXPECT_EQ(result, 1);
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(icon.IconVisible());
  shell.terminating = true;
  EXPECT_FALSE(shell.SendOwner(kOwner, 0x18, 0, 1, result)) << "a closing parent while terminating goes on";
  shell.log.clear();
  EXPECT_FALSE(shell.SendOwner(kOwner, 0x18, 1, 0, result));
  EXPECT_EQ(shell.log, (std::vector<std::string>{"foreground application", "foreground " + std::to_string(kOwner)}));
}

}  // namespace
}  // namespace vimo
