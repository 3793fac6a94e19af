#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "LaunchFixture.h"
#include "components/WinEvent.h"
#include "host/Launchers.h"
#include "model/ActionKinds.h"

namespace vimo::test {
namespace {

using ::testing::ElementsAre;

struct TRun {
  int placement;
  TActionRecord action;
};

TActionRecord Named(const std::string& comment, std::int32_t kind = akToggleDesktop) {
  TActionRecord a;
  a.Comment = comment;
  a.Action = kind;
  return a;
}

class LaunchersTest : public LaunchFixture {
 protected:
  void SetUp() override {
    LaunchFixture::SetUp();
    TrayIconColor = 3;
  }
  void MoveTo(int x, int y) {
    desktop.cursor = {x, y};
    launchers.cmpWinEventObjectLocationChange(kObjIdCursor);
  }

  FakeTimer timCorner;
  std::vector<TRun> runs;
  std::vector<int> images;
  TLaunchers launchers{timCorner, popups,
                       {[this](int p, const TActionRecord& a) { runs.push_back({p, a}); },
                        [this](int i) { images.push_back(i); }}};
};

// Hot keys.

TEST_F(LaunchersTest, RegisterHotKeysUsesPositionalIdsTheModifierMappingAndNoRepeat) {
  HotKeyList->Add(Named("a"));
  HotKeyList->ActionAt(0)->HotKey = scCtrl | scAlt | 'C';
  HotKeyList->Add(Named("b"));
  HotKeyList->ActionAt(1)->HotKey = scShift | 0x70;  // Shift+F1
  HotKeyList->Add(Named("c"));                       // HotKey 0 is attempted like any other
  HotKeyList->Add(Named("d"));
  HotKeyList->ActionAt(3)->HotKey = 0x7FFF0000 | scCtrl | 'X';  // only the low 16 bits count
  launchers.RegisterHotKeys(Wnd(0x10));
  // Every registration asks for no auto-repeat (0x4000): a held key runs its action once.
  EXPECT_THAT(log, ElementsAre("RegisterHotKey(0x10,1,16387,0x43)", "RegisterHotKey(0x10,2,16388,0x70)",
                               "RegisterHotKey(0x10,3,16384,0x0)", "RegisterHotKey(0x10,4,16386,0x58)"));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(HotKeyList->ActionAt(i)->HotKeyId, i + 1);
}

TEST_F(LaunchersTest, TypingKeysWithoutCtrlOrAltAreNeverRegistered) {
  // An edited registry or an old export may hold these: they would swallow typing.
  const std::int32_t refused[] = {'Q', scShift | 'Q', '5', 0x65 /* number pad 5 */, 0xBA /* ; */, 0x25 /* Left */,
                                  scShift | 0x28 /* Down */, 0x09, 0x0D, 0x20, 0x1B, 0x6A /* number pad * */};
  const std::int32_t allowed[] = {0x76 /* F7 */, scCtrl | 'Q', scAlt | 0x25, scCtrl | scShift | 0x20, scAlt | 0x1B,
                                  0x2E /* Del */, scShift | 0x70};
  for (std::int32_t code : refused) {
    HotKeyList->Add(Named("refused"));
    HotKeyList->ActionAt(HotKeyList->Count() - 1)->HotKey = code;
  }
  for (std::int32_t code : allowed) {
    HotKeyList->Add(Named("allowed"));
    HotKeyList->ActionAt(HotKeyList->Count() - 1)->HotKey = code;
  }
  launchers.RegisterHotKeys(Wnd(0x10));
  const int n = static_cast<int>(std::size(refused));
  for (int i = 0; i < HotKeyList->Count(); ++i)
    EXPECT_EQ(HotKeyList->ActionAt(i)->HotKeyId, i < n ? 0 : i + 1) << "record " << i;
  // The refused ones never reach the system; the ids stay positional.
  ASSERT_EQ(log.size(), std::size(allowed));
  EXPECT_EQ(log[0], "RegisterHotKey(0x10," + std::to_string(n + 1) + ",16384,0x76)");
}

TEST_F(LaunchersTest, TakenOrRepeatedCombinationsGetIdZeroAndNeverFire) {
  for (const char* c : {"first", "second", "taken"}) HotKeyList->Add(Named(c));
  HotKeyList->ActionAt(0)->HotKey = scCtrl | 'K';
  HotKeyList->ActionAt(1)->HotKey = scCtrl | 'K';
  HotKeyList->ActionAt(2)->HotKey = scAlt | 'T';
  hotKeys.taken.insert({kModAlt, 'T'});
  launchers.RegisterHotKeys(Wnd(0x10));
  EXPECT_EQ(HotKeyList->ActionAt(0)->HotKeyId, 1);
  EXPECT_EQ(HotKeyList->ActionAt(1)->HotKeyId, 0);
  EXPECT_EQ(HotKeyList->ActionAt(2)->HotKeyId, 0);

  log.clear();
  launchers.UnregisterHotKeys(Wnd(0x10));
  EXPECT_THAT(log, ElementsAre("UnregisterHotKey(0x10,1)"));
  EXPECT_EQ(HotKeyList->ActionAt(0)->HotKeyId, 1);  // kept until the next registration
}

TEST_F(LaunchersTest, FailedRegistrationsAreRememberedAndNamedInOneText) {
  EXPECT_EQ(launchers.FailedHotKeysText(), "");
  for (const char* c : {"first", "second", "taken", "none", "typing"}) HotKeyList->Add(Named(c));
  HotKeyList->ActionAt(0)->HotKey = scCtrl | scAlt | 0x74;
  HotKeyList->ActionAt(1)->HotKey = scCtrl | scAlt | 0x74;  // a duplicate in the list
  HotKeyList->ActionAt(2)->HotKey = scAlt | 'T';           // held by another program
  HotKeyList->ActionAt(4)->HotKey = 'Q';
  hotKeys.taken.insert({kModAlt, 'T'});
  launchers.RegisterHotKeys(Wnd(0x10));
  // A record without a combination is no failure.
  EXPECT_EQ(launchers.FailedHotKeysText(), "3 hot keys could not be registered; the first is Ctrl+Alt+F5 (second).");
  EXPECT_EQ(HotKeysTakenElsewhere, (std::set<std::int32_t>{scAlt | 'T'}));

  hotKeys.taken.clear();
  launchers.UnregisterHotKeys(Wnd(0x10));
  HotKeyList->Delete(4);
  HotKeyList->Delete(1);
  launchers.RegisterHotKeys(Wnd(0x10));
  EXPECT_EQ(launchers.FailedHotKeysText(), "");
  EXPECT_TRUE(HotKeysTakenElsewhere.empty());

  hotKeys.taken.insert({kModAlt, 'T'});
  launchers.UnregisterHotKeys(Wnd(0x10));
  launchers.RegisterHotKeys(Wnd(0x10));
  EXPECT_EQ(launchers.FailedHotKeysText(), "1 hot key could not be registered: Alt+T (taken).");
}

TEST_F(LaunchersTest, ReorderedHotKeysEachRunTheirOwnActionAfterRegisteringAgain) {
  HotKeyList->Add(Named("one"));
  HotKeyList->ActionAt(0)->HotKey = scCtrl | '1';
  HotKeyList->Add(Named("two"));
  HotKeyList->ActionAt(1)->HotKey = scCtrl | '2';
  launchers.RegisterHotKeys(Wnd(0x10));
  launchers.UnregisterHotKeys(Wnd(0x10));
  HotKeyList->Exchange(0, 1);
  launchers.RegisterHotKeys(Wnd(0x10));
  launchers.WMHotKey(1);
  launchers.WMHotKey(2);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].action.Comment, "two");
  EXPECT_EQ(runs[1].action.Comment, "one");
  EXPECT_TRUE(hotKeys.registered.count({Wnd(0x10), 1}));
  const auto expected = std::make_pair(kModControl, std::uint32_t{0x32});
  EXPECT_EQ(hotKeys.registered[std::make_pair(Wnd(0x10), 1)], expected);
}

TEST_F(LaunchersTest, HotKeyRunsWithKeyCornerAndMarksThePopupAsKeyOpened) {
  HotKeyList->Add(Named("cal", akCalendar));
  launchers.RegisterHotKeys(Wnd(0x10));
  KeyCorner = 4;
  launchers.WMHotKey(1);
  launchers.WMHotKey(9);  // no such id: the empty action
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].placement, 0x104);
  EXPECT_EQ(runs[0].action.Comment, "cal");
  EXPECT_EQ(runs[1].placement, 0x104);
  EXPECT_EQ(runs[1].action, TActionRecord{});
  EXPECT_TRUE(PopupOpenedByKey);
}

TEST_F(LaunchersTest, AutoRepeatsOfAHeldCombinationRunNothing) {
  // Systems that ignore the no-repeat flag send a WM_HOTKEY for every auto-repeat.
  FakeTimer held;
  launchers.SetHeldKeyTimer(held);
  HotKeyList->Add(Named("app", akApplication));
  HotKeyList->ActionAt(0)->HotKey = scCtrl | scAlt | 0x76;
  HotKeyList->Add(Named("other", akApplication));
  HotKeyList->ActionAt(1)->HotKey = scCtrl | scAlt | 0x77;
  launchers.RegisterHotKeys(Wnd(0x10));
  keyboard.held = {kVkControl, kVkMenu, 0x76};
  launchers.WMHotKey(1, 10000);
  launchers.WMHotKey(1, 10500);  // the first repeat, after the keyboard delay
  launchers.WMHotKey(1, 10533);
  held.Elapse(100);  // still held
  launchers.WMHotKey(1, 10566);
  EXPECT_EQ(runs.size(), 1u);
  launchers.WMHotKey(2, 10570);  // another combination is no repeat
  EXPECT_EQ(runs.size(), 2u);

  // Released and pressed again at once: a new press.
  keyboard.held = {kVkControl, kVkMenu, 0x77};
  launchers.WMHotKey(2, 10600);
  EXPECT_EQ(runs.size(), 2u);
  keyboard.held = {kVkControl, kVkMenu};
  held.Elapse(25);
  EXPECT_FALSE(held.Enabled());
  launchers.WMHotKey(2, 10650);
  EXPECT_EQ(runs.size(), 3u);
  // A press long after the last, even with no release seen, is a new press.
  launchers.WMHotKey(2, 20000);
  EXPECT_EQ(runs.size(), 4u);
}

TEST_F(LaunchersTest, SuspendedHotKeyRunsNothingAndKeepsTheRegistration) {
  HotKeyList->Add(Named("x"));
  launchers.RegisterHotKeys(Wnd(0x10));
  Suspended = true;
  launchers.WMHotKey(1);
  EXPECT_TRUE(runs.empty());
  EXPECT_FALSE(PopupOpenedByKey);
  EXPECT_EQ(hotKeys.registered.size(), 1u);
}

// Mouse corners.

TEST_F(LaunchersTest, CornerZonesHaveNoOuterBound) {
  struct {
    TPoint p;
    int corner;
  } const cases[] = {
      {{7, 0}, 1},        {{8, 0}, 0},          {{1016, 760}, 4},   {{1015, 760}, 0},   {{0, 767}, 2},
      {{7, 759}, 0},      {{7, 760}, 2},        {{1016, 7}, 3},     {{1016, 8}, 0},     {{-50, -50}, 1},
      {{2000, 5000}, 4},  {{-1, 900}, 2},       {{1500, -3}, 3},    {{512, -10}, 0},    {{-10, 384}, 0},
      {{1023, 0}, 3},
  };
  for (const auto& c : cases) {
    desktop.cursor = c.p;
    EXPECT_EQ(launchers.CornerUnderCursor(8), c.corner) << c.p.x << "," << c.p.y;
  }
  desktop.cursor = {0, 0};
  EXPECT_EQ(launchers.CornerUnderCursor(0), 0);  // a zone of no pixels
  desktop.cursor = {49, 718};
  EXPECT_EQ(launchers.CornerUnderCursor(50), 2);
}

struct TCornerCase {
  TPoint p;
  int corner;
};

void ExpectCorners(const std::vector<TRect>& layout, std::initializer_list<TCornerCase> cases) {
  for (const auto& c : cases)
    EXPECT_EQ(DesktopCorner(layout, c.p, 8), c.corner) << c.p.x << "," << c.p.y;
}

TEST(DesktopCorners, OneMonitorIsAsThePrimaryScreenAlone) {
  ExpectCorners({{0, 0, 1024, 768}}, {{{7, 0}, 1}, {{8, 0}, 0}, {{1016, 760}, 4}, {{1015, 760}, 0}, {{0, 767}, 2},
                                      {{1016, 7}, 3}, {{-50, -50}, 1}, {{2000, 5000}, 4}, {{512, -10}, 0}});
}

TEST(DesktopCorners, TwoSideBySideHaveOnlyTheOuterFour) {
  const std::vector<TRect> layout{{0, 0, 1024, 768}, {1024, 0, 2048, 768}};
  ExpectCorners(layout, {{{0, 0}, 1}, {{0, 767}, 2}, {{2047, 0}, 3}, {{2047, 767}, 4},
                         {{1023, 0}, 0}, {{1024, 0}, 0}, {{1023, 767}, 0}, {{1024, 767}, 0}, {{1020, 5}, 0}});
}

TEST(DesktopCorners, ATallerSecondMonitorHasItsOwnBottomCorners) {
  // The second monitor, to the right, reaches lower: its lower band is no right corner.
  const std::vector<TRect> layout{{0, 0, 1024, 768}, {1024, 0, 2304, 1024}};
  ExpectCorners(layout, {{{1023, 767}, 0}, {{1024, 767}, 0}, {{1024, 1023}, 2}, {{1030, 1020}, 2}, {{2303, 1023}, 4},
                         {{2303, 0}, 3}, {{1100, 0}, 0}, {{1023, 0}, 0}, {{0, 767}, 2}, {{1024, 800}, 0}});
}

TEST(DesktopCorners, StackedMonitorsShareNoCornerOnTheirCommonEdge) {
  const std::vector<TRect> layout{{0, 0, 1024, 768}, {0, 768, 1024, 1536}};
  ExpectCorners(layout, {{{0, 0}, 1}, {{1023, 0}, 3}, {{0, 1535}, 2}, {{1023, 1535}, 4},
                         {{0, 767}, 0}, {{0, 768}, 0}, {{1023, 767}, 0}, {{1023, 768}, 0}});
}

TEST(DesktopCorners, AnLOfThreeArmsOnlyTheCornersThePointerCannotPass) {
  // A, B to its right, C below A: the empty square below B is no corner of anything.
  const std::vector<TRect> layout{{0, 0, 1024, 768}, {1024, 0, 2048, 768}, {0, 768, 1024, 1536}};
  ExpectCorners(layout, {{{0, 0}, 1}, {{2047, 0}, 3}, {{2047, 767}, 4}, {{0, 1535}, 2}, {{1023, 1535}, 4},
                         {{1024, 767}, 0}, {{1023, 767}, 0}, {{1023, 768}, 0}, {{0, 767}, 0}, {{1023, 0}, 0}});
}

TEST(CornerPopups, OpenAtTheCornerOfTheMonitorThatHoldsItInsideItsWorkArea) {
  // The primary has a taskbar at the bottom; the taller second, to its right, has none.
  const TRect primary{0, 0, 1024, 768}, primaryWork{0, 0, 1024, 738};
  const TRect second{1024, 0, 2304, 1024};
  // A 300 x 200 calendar as laid out at each corner of the primary screen.
  const TRect lefttop{0, 0, 300, 200}, leftbottom{0, 568, 300, 768}, righttop{724, 0, 1024, 200},
      rightbottom{724, 568, 1024, 768};
  // On the primary, as ever: kept off the taskbar.
  EXPECT_EQ(AtMonitorCorner(rightbottom, 4, primary, primary, primaryWork), (TPoint{724, 538}));
  EXPECT_EQ(AtMonitorCorner(lefttop, 1, primary, primary, primaryWork), (TPoint{0, 0}));
  // On the second, at its own corners.
  EXPECT_EQ(AtMonitorCorner(righttop, 3, primary, second, second), (TPoint{2004, 0}));
  EXPECT_EQ(AtMonitorCorner(rightbottom, 4, primary, second, second), (TPoint{2004, 824}));
  EXPECT_EQ(AtMonitorCorner(leftbottom, 2, primary, second, second), (TPoint{1024, 824}));
  // A monitor to the left, above: its left-top corner.
  const TRect left{-1280, -256, 0, 768};
  EXPECT_EQ(AtMonitorCorner(lefttop, 1, primary, left, left), (TPoint{-1280, -256}));
  // Wider than the monitor: it starts on that monitor's left edge, never on the next one.
  const TRect wide{-576, 0, 1024, 200};
  EXPECT_EQ(AtMonitorCorner(wide, 3, primary, second, second), (TPoint{1024, 0}));
  // No corner (a tray click at the pointer): only kept inside.
  EXPECT_EQ(AtMonitorCorner({2200, 900, 2500, 1100}, 0, primary, second, second), (TPoint{2004, 824}));
}

TEST_F(LaunchersTest, TheMonitorLayoutIsReadOnceAndAgainOnlyOnADisplayChange) {
  desktop.monitors = {{0, 0, 1024, 768}, {1024, 0, 2304, 1024}};
  MouseActions[1][0] = Named("leftbottom");
  for (int i = 0; i < 50; ++i) MoveTo(600 + i, 300);
  MoveTo(1026, 1020);  // the second monitor's own bottom-left corner
  EXPECT_EQ(launchers.ArmedCorner(), 2);
  EXPECT_EQ(desktop.monitorReads, 1);
  desktop.monitors = {{0, 0, 1024, 768}};
  launchers.DisplayChanged();
  EXPECT_EQ(desktop.monitorReads, 2);
  MoveTo(1020, 760);
  EXPECT_EQ(launchers.ArmedCorner(), 4);
}

TEST(FullScreenWindows, OnlyAWindowThatCoversAWholeMonitorWithoutBeingTheDesktopOrMaximised) {
  const std::vector<TRect> layout{{0, 0, 1024, 768}, {1024, 0, 2304, 1024}};
  auto fullScreen = [&](TRect r, bool captioned = false, bool desktop = false) {
    return IsFullScreen(TWindowShape{r, captioned, desktop}, layout);
  };
  EXPECT_TRUE(fullScreen({0, 0, 1024, 768}));
  EXPECT_TRUE(fullScreen({1024, 0, 2304, 1024})) << "the second monitor's own";
  EXPECT_TRUE(fullScreen({0, 0, 1024, 768}, true)) << "exactly the monitor, title bar or not";
  EXPECT_TRUE(fullScreen({-4, -4, 1028, 772})) << "larger, without a title bar";
  EXPECT_FALSE(fullScreen({-8, -8, 1032, 776}, true)) << "maximised: only its borders overhang";
  EXPECT_FALSE(fullScreen({0, 0, 1024, 738})) << "leaves the taskbar";
  EXPECT_FALSE(fullScreen({512, 0, 1536, 768})) << "half of each";
  EXPECT_FALSE(fullScreen({0, 0, 2304, 1024}, false, true)) << "the desktop";
  EXPECT_FALSE(fullScreen({0, 0, 0, 0}));
}

TEST_F(LaunchersTest, AFullScreenProgramInFrontKeepsEveryCornerFromArming) {
  MouseActions[0][0] = Named("lefttop");
  void* game = reinterpret_cast<void*>(0x100);
  desktop.foreground = game;
  desktop.rects[game] = {0, 0, 1024, 768};
  for (int i = 0; i < 50; ++i) MoveTo(100 + i, 300);
  EXPECT_EQ(desktop.shapeReads, 0) << "the window in front is read only in a corner zone";
  MoveTo(3, 3);
  EXPECT_EQ(launchers.ArmedCorner(), 0);
  EXPECT_FALSE(timCorner.Enabled());
  timCorner.Elapse(5000);
  EXPECT_TRUE(runs.empty());
  EXPECT_TRUE(images.empty()) << "no pending image either";

  desktop.foreground = reinterpret_cast<void*>(0x200);  // closed: a small window is in front
  desktop.rects[desktop.foreground] = {100, 100, 400, 300};
  MoveTo(2, 2);
  timCorner.Elapse(2000);
  ASSERT_EQ(runs.size(), 1u);

  // Off: the corner fires over it.
  IgnoreFullScreen = false;
  desktop.foreground = game;
  MoveTo(500, 300);
  MoveTo(1, 1);
  timCorner.Elapse(2000);
  EXPECT_EQ(runs.size(), 2u);
  IgnoreFullScreen = true;

  // The desktop covers the whole screen and is no full-screen program.
  void* shell = reinterpret_cast<void*>(0x300);
  desktop.foreground = shell;
  desktop.rects[shell] = {0, 0, 1024, 768};
  desktop.desktopWindows = {shell};
  MoveTo(500, 300);
  MoveTo(0, 0);
  timCorner.Elapse(2000);
  EXPECT_EQ(runs.size(), 3u);
}

TEST_F(LaunchersTest, AFullScreenProgramComingToTheFrontDuringTheCountdownRunsNothing) {
  MouseActions[3][0] = Named("rightbottom");
  desktop.foreground = nullptr;  // nothing in front
  MoveTo(1020, 760);
  EXPECT_EQ(launchers.ArmedCorner(), 4);
  void* video = reinterpret_cast<void*>(0x400);
  desktop.foreground = video;
  desktop.rects[video] = {0, 0, 1024, 768};
  timCorner.Elapse(2000);
  EXPECT_TRUE(runs.empty());
  EXPECT_EQ(images.back(), 3) << "back to the normal image";
  desktop.foreground = nullptr;
  MoveTo(1021, 761);
  timCorner.Elapse(2000);
  EXPECT_EQ(runs.size(), 1u);
}

TEST_F(LaunchersTest, RestingInACornerForTheDelayRunsItsActionOnce) {
  MouseActions[0][0] = Named("lefttop");
  MoveTo(3, 3);
  EXPECT_EQ(launchers.ArmedCorner(), 1);
  EXPECT_TRUE(timCorner.Enabled());
  EXPECT_EQ(timCorner.Interval(), 2000u);
  EXPECT_THAT(images, ElementsAre(11));
  MoveTo(4, 2);  // moving inside the zone keeps the countdown
  timCorner.Elapse(1999);
  EXPECT_TRUE(runs.empty());
  timCorner.Elapse(1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].placement, 1);
  EXPECT_EQ(runs[0].action.Comment, "lefttop");
  EXPECT_FALSE(PopupOpenedByKey);
  EXPECT_FALSE(timCorner.Enabled());
  EXPECT_THAT(images, ElementsAre(11, 19));

  MoveTo(1, 1);
  timCorner.Elapse(10000);
  EXPECT_EQ(runs.size(), 1u);  // no repeat while the pointer stays
  MoveTo(500, 300);
  EXPECT_THAT(images, ElementsAre(11, 19, 3));
  MoveTo(0, 0);
  timCorner.Elapse(2000);
  EXPECT_EQ(runs.size(), 2u);  // left and came back
}

TEST_F(LaunchersTest, ACornerNeverArmsOrFiresWhileAMouseButtonIsHeld) {
  MouseActions[0][0] = Named("lefttop");
  for (int button : {0x01, 0x02, 0x04}) {  // left, right, middle: a drag to the corner
    runs.clear();
    MoveTo(500, 300);
    keyboard.held = {button};
    MoveTo(3, 3);
    EXPECT_EQ(launchers.ArmedCorner(), 0) << button;
    EXPECT_FALSE(timCorner.Enabled());
    timCorner.Elapse(5000);
    EXPECT_TRUE(runs.empty());
    keyboard.held.clear();  // dropped: the next movement arms
    MoveTo(2, 2);
    timCorner.Elapse(2000);
    EXPECT_EQ(runs.size(), 1u) << button;
  }
  // A button pressed during the countdown: nothing runs, and the corner arms again later.
  runs.clear();
  MoveTo(500, 300);
  MoveTo(0, 0);
  keyboard.held = {0x01};
  timCorner.Elapse(2000);
  EXPECT_TRUE(runs.empty());
  keyboard.held.clear();
  MoveTo(1, 0);
  timCorner.Elapse(2000);
  EXPECT_EQ(runs.size(), 1u);
}

TEST_F(LaunchersTest, AStoredColourOutOfRangeNeverShowsTheFrown) {
  FinalizeModel();
  Put("Vimo\\Options", "TrayIconColor", "99");
  InitializeModel();
  MouseActions[0][0] = Named("lefttop");
  MoveTo(3, 3);
  timCorner.Elapse(2000);
  EXPECT_EQ(runs.size(), 1u);
  MoveTo(500, 300);
  // The last colour's pending, fired and resting faces; the frowns are 24..31.
  EXPECT_THAT(images, ElementsAre(15, 23, 7));
}

TEST_F(LaunchersTest, LeavingBeforeTheDelayRunsNothingAndRestoresTheImage) {
  MoveTo(1020, 765);
  timCorner.Elapse(1000);
  MoveTo(900, 700);
  EXPECT_FALSE(timCorner.Enabled());
  timCorner.Elapse(5000);
  EXPECT_TRUE(runs.empty());
  EXPECT_THAT(images, ElementsAre(11, 3));
  EXPECT_EQ(launchers.ArmedCorner(), 0);
}

TEST_F(LaunchersTest, TimerFiringAfterThePointerLeftWithoutAnEventRunsNothing) {
  MoveTo(0, 0);
  desktop.cursor = {400, 400};  // no location-change event arrived
  timCorner.Elapse(2000);
  EXPECT_TRUE(runs.empty());
  EXPECT_THAT(images, ElementsAre(11, 3));
  EXPECT_FALSE(timCorner.Enabled());
}

TEST_F(LaunchersTest, ModifiersAreReadWhenTheTimerFires) {
  for (int m = 0; m < 6; ++m) MouseActions[2][m] = Named("rt" + std::to_string(m));
  const struct {
    std::set<int> keys;
    const char* expected;
  } cases[] = {
      {{}, "rt0"},
      {{kVkControl}, "rt1"},
      {{kVkShift}, "rt2"},
      {{kVkControl, kVkShift}, "rt3"},
      {{kVkControl, kVkMenu, kVkShift}, "rt3"},
      {{kVkControl, kVkMenu}, "rt4"},
      {{kVkMenu, kVkShift}, "rt5"},
      {{kVkMenu}, nullptr},
  };
  for (const auto& c : cases) {
    runs.clear();
    keyboard.held.clear();
    MoveTo(300, 300);
    MoveTo(1023, 0);
    keyboard.held = c.keys;  // pressed after entering the zone
    timCorner.Elapse(2000);
    if (c.expected) {
      ASSERT_EQ(runs.size(), 1u);
      EXPECT_EQ(runs[0].action.Comment, c.expected);
      EXPECT_EQ(runs[0].placement, 3);
    } else {
      EXPECT_TRUE(runs.empty());
    }
  }
}

TEST_F(LaunchersTest, AltAloneStillShowsTheFiredImageAndDoesNotRepeat) {
  keyboard.held = {kVkMenu};
  MoveTo(0, 767);
  timCorner.Elapse(2000);
  EXPECT_TRUE(runs.empty());
  EXPECT_THAT(images, ElementsAre(11, 19));
  keyboard.held.clear();
  timCorner.Elapse(5000);
  EXPECT_TRUE(runs.empty());
}

TEST_F(LaunchersTest, WithoutAnimationOnlyTheNormalImageIsShown) {
  TrayIconAnimated = false;
  MoveTo(0, 0);
  timCorner.Elapse(2000);
  MoveTo(200, 200);
  EXPECT_EQ(runs.size(), 1u);
  EXPECT_THAT(images, ElementsAre(3));
}

TEST_F(LaunchersTest, OtherObjectsAndSuspendedIgnoreMovements) {
  desktop.cursor = {0, 0};
  launchers.cmpWinEventObjectLocationChange(0);  // OBJID_WINDOW
  EXPECT_EQ(launchers.ArmedCorner(), 0);
  EXPECT_EQ(desktop.cursorReads, 0);

  Suspended = true;
  MoveTo(0, 0);
  timCorner.Elapse(5000);
  EXPECT_EQ(launchers.ArmedCorner(), 0);
  EXPECT_TRUE(runs.empty());
  EXPECT_TRUE(images.empty());  // the suspended image stays
}

TEST_F(LaunchersTest, SuspendingWhileACountdownRunsRunsNothing) {
  MoveTo(0, 0);
  Suspended = true;
  timCorner.Elapse(2000);
  EXPECT_TRUE(runs.empty());
  EXPECT_THAT(images, ElementsAre(11));
  EXPECT_FALSE(timCorner.Enabled());
}

TEST_F(LaunchersTest, ZeroDelayRunsTheActionOnEntering) {
  CornerDelay = 0;
  MouseActions[3][1] = Named("now");
  keyboard.held = {kVkControl};
  MoveTo(1023, 767);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].action.Comment, "now");
  EXPECT_EQ(runs[0].placement, 4);
  EXPECT_THAT(images, ElementsAre(11, 19));
  EXPECT_FALSE(timCorner.Enabled());
  MoveTo(1022, 766);
  EXPECT_EQ(runs.size(), 1u);
}

TEST_F(LaunchersTest, AFailingActionLeavesTheCornerFiredAndTheTimerOff) {
  TLaunchers failing{timCorner, popups,
                     {[](int, const TActionRecord&) { throw std::runtime_error("shell failed"); },
                      [this](int i) { images.push_back(i); }}};
  desktop.cursor = {0, 0};
  failing.cmpWinEventObjectLocationChange(kObjIdCursor);
  EXPECT_THROW(timCorner.Elapse(2000), std::runtime_error);
  EXPECT_EQ(failing.ArmedCorner(), 1);
  EXPECT_FALSE(timCorner.Enabled());
  desktop.cursor = {300, 300};
  failing.cmpWinEventObjectLocationChange(kObjIdCursor);
  EXPECT_EQ(failing.ArmedCorner(), 0);
  EXPECT_EQ(images.back(), 3);
}

// Auto-hide.

class AutoHideTest : public LaunchersTest {
 protected:
  // A calendar opened from the top-left corner, lying at (100,100)-(300,250).
  void OpenFromCorner() {
    MouseActions[0][0] = Named("cal", akCalendar);
    events.runAction = [this](int p, const TActionRecord& a) { runner.RunAction(p, a); };
    MoveTo(0, 0);
    timCorner.Elapse(2000);
    ASSERT_NE(ActivePopup, nullptr);
    ASSERT_FALSE(PopupOpenedByKey);
  }
  TLauncherEvents events;
  TLaunchers launchers{timCorner, popups, {[this](int p, const TActionRecord& a) { events.runAction(p, a); }, {}}};
  void MoveTo(int x, int y) {
    desktop.cursor = {x, y};
    launchers.cmpWinEventObjectLocationChange(kObjIdCursor);
  }
};

TEST_F(AutoHideTest, CornerPopupStaysOverThePopupAndClosesWhenThePointerLeavesBoth) {
  OpenFromCorner();
  MoveTo(100, 100);  // straight from the corner into the calendar
  MoveTo(299, 249);
  EXPECT_NE(ActivePopup, nullptr);
  MoveTo(300, 200);  // the right border line is outside
  EXPECT_EQ(ActivePopup, nullptr);
  EXPECT_EQ(popups.freed, 1);
}

TEST_F(AutoHideTest, BottomBorderLineCountsAsOutside) {
  OpenFromCorner();
  MoveTo(150, 250);
  EXPECT_EQ(ActivePopup, nullptr);
}

TEST_F(AutoHideTest, CornerZonesKeepThePopupWhereverItLies) {
  OpenFromCorner();
  MoveTo(1020, 5);
  MoveTo(3, 765);
  EXPECT_NE(ActivePopup, nullptr);
  EXPECT_EQ(popups.freed, 0);
}

TEST_F(AutoHideTest, OffSettingKeyOrTrayTriggerAndSuspendKeepThePopup) {
  OpenFromCorner();
  AutoHideWindows = false;
  MoveTo(600, 600);
  EXPECT_NE(ActivePopup, nullptr);
  AutoHideWindows = true;

  // A hot key that opened nothing: the last trigger was a key.
  HotKeyList->Add(Named("app", akApplication));
  launchers.RegisterHotKeys(Wnd(0x10));
  launchers.WMHotKey(1);
  MoveTo(610, 600);
  EXPECT_NE(ActivePopup, nullptr);

  // A tray click likewise.
  PopupOpenedByKey = false;
  launchers.cmpTrayIconClick();
  MoveTo(620, 600);
  EXPECT_NE(ActivePopup, nullptr);

  PopupOpenedByKey = false;
  Suspended = true;
  MoveTo(630, 600);
  EXPECT_NE(ActivePopup, nullptr);
  Suspended = false;
  MoveTo(640, 600);
  EXPECT_EQ(ActivePopup, nullptr);
}

TEST_F(AutoHideTest, KeyOpenedPopupClosesAfterACornerRanANonPopupAction) {
  events.runAction = [this](int p, const TActionRecord& a) { runner.RunAction(p, a); };
  HotKeyList->Add(Named("cal", akCalendar));
  launchers.RegisterHotKeys(Wnd(0x10));
  launchers.WMHotKey(1);
  ASSERT_NE(ActivePopup, nullptr);
  MoveTo(700, 500);
  EXPECT_NE(ActivePopup, nullptr);

  MouseActions[3][0] = Named("desk", akToggleDesktop);
  MoveTo(1023, 767);
  timCorner.Elapse(2000);
  EXPECT_NE(ActivePopup, nullptr);  // still in a zone
  MoveTo(700, 500);
  EXPECT_EQ(ActivePopup, nullptr);
}

TEST_F(AutoHideTest, CursorInPopupReadsTheCurrentPointer) {
  EXPECT_FALSE(launchers.CursorInPopup());  // no pop-up
  OpenFromCorner();
  desktop.cursor = {100, 100};
  EXPECT_TRUE(launchers.CursorInPopup());
  desktop.cursor = {99, 100};
  EXPECT_FALSE(launchers.CursorInPopup());
}

// Tray clicks.

TEST_F(LaunchersTest, TrayClickPassesTheScreenQuarterAndTheModifierSlot) {
  for (int m = 0; m < 8; ++m) TrayActions[m] = Named("slot" + std::to_string(m));
  const struct {
    TPoint p;
    std::set<int> keys;
    int placement;
    const char* slot;
  } cases[] = {
      {{1000, 750}, {}, 0x14, "slot0"},
      {{10, 10}, {}, 0x11, "slot0"},
      {{511, 384}, {kVkControl}, 0x12, "slot1"},
      {{512, 383}, {kVkMenu}, 0x13, "slot2"},
      {{512, 384}, {kVkShift}, 0x14, "slot3"},
      {{0, 0}, {kVkControl, kVkMenu}, 0x11, "slot4"},
      {{0, 0}, {kVkControl, kVkShift}, 0x11, "slot5"},
      {{0, 0}, {kVkMenu, kVkShift}, 0x11, "slot6"},
      {{0, 0}, {kVkControl, kVkMenu, kVkShift}, 0x11, "slot7"},
  };
  for (const auto& c : cases) {
    runs.clear();
    log.clear();
    PopupOpenedByKey = false;
    desktop.cursor = c.p;
    keyboard.held = c.keys;
    launchers.cmpTrayIconClick();
    EXPECT_THAT(log, ElementsAre("Sleep(0)"));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].placement, c.placement) << c.p.x << "," << c.p.y;
    EXPECT_EQ(runs[0].action.Comment, c.slot);
    EXPECT_TRUE(PopupOpenedByKey);
  }
}

TEST_F(LaunchersTest, SuspendedTrayClickYieldsAndRunsNothing) {
  TrayActions[0] = Named("x");
  Suspended = true;
  launchers.cmpTrayIconClick();
  EXPECT_THAT(log, ElementsAre("Sleep(0)"));
  EXPECT_TRUE(runs.empty());
  EXPECT_FALSE(PopupOpenedByKey);
}

TEST_F(LaunchersTest, TrayCalendarEndsAtTheCursor) {
  TrayActions[0] = Named("cal", akCalendar);
  TLaunchers real{timCorner, popups, {[this](int p, const TActionRecord& a) { runner.RunAction(p, a); }, {}}};
  desktop.cursor = {1010, 750};
  real.cmpTrayIconClick();
  ASSERT_NE(ActivePopup, nullptr);
  EXPECT_EQ(popups.Of(ActivePopup).corner, 4);
  EXPECT_EQ(popups.Of(ActivePopup).bounds, (TRect{810, 600, 1010, 750}));
}

}  // namespace
}  // namespace vimo::test
