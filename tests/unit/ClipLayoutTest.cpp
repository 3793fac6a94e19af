#include <gtest/gtest.h>

#include "clips/ClipLayout.h"
#include "clips/KeyReplay.h"

namespace vimo {
namespace {

TClipLayoutInput Input(TPoint anchor, int placement, int texts = 5, int width = 300) {
  TClipLayoutInput in;
  in.Anchor = anchor;
  in.Placement = placement;
  in.TextCount = texts;
  in.Width = width;
  return in;
}

TEST(ClipLayout, SizeFollowsRowsWidthAndScreen) {
  auto l = ClipLayout(Input({10, 10}, 1, 5, 300));
  EXPECT_EQ(l.RowHeight, 15);
  EXPECT_EQ(l.GridHeight, 75);
  EXPECT_EQ(l.MainHeight, 75 + 4 + 2);
  EXPECT_EQ(l.MainWidth, 300);
  EXPECT_EQ(l.ToolbarWidth, 26);
  EXPECT_EQ(ClipLayout(Input({0, 0}, 1, 0)).GridHeight, 15) << "an empty list still shows one row";
  auto tall = ClipLayout(Input({0, 0}, 1, 60, 2000));
  EXPECT_EQ(tall.MainHeight, 768);
  EXPECT_EQ(tall.MainWidth, 1024);
  EXPECT_EQ(ClipLayout(Input({0, 0}, 1, 5, -120)).MainWidth, 26 + 8 + kMinClipGridWidth)
      << "a width dragged below nothing still opens usable";
  EXPECT_EQ(ClipLayout(Input({0, 0}, 1, 5, 74)).MainWidth, 74);
  auto in = Input({0, 0}, 1, 5);
  in.PixelsPerInch = 144;
  EXPECT_EQ(ClipLayout(in).RowHeight, 22);
}

TEST(ClipLayout, GripAndCloseButtonByTheWholePlacementCode) {
  struct Case { int placement; bool gripLeft; bool closeBottom; };
  // Closed at the end of the toolbar away from the corner the pointer rests in.
  for (Case c : {Case{0, false, false}, Case{1, false, true}, Case{2, false, false}, Case{3, true, true},
                 Case{4, true, false}, Case{0x103, false, false}, Case{0x104, false, false},
                 Case{0x12, false, false}, Case{0x14, false, false}}) {
    auto l = ClipLayout(Input({100, 100}, c.placement));
    EXPECT_EQ(l.GripLeft, c.gripLeft) << std::hex << c.placement;
    EXPECT_EQ(l.CloseTop, c.closeBottom ? l.MainHeight - 25 : 1) << std::hex << c.placement;
  }
}

TEST(ClipLayout, TheGripIsOnTheSideAwayFromTheScreenEdge) {
  // A hot key's corner or a tray click at the right: the grip faces the middle.
  EXPECT_TRUE(ClipLayout(Input({1024, 768}, 0x104)).GripLeft);
  EXPECT_TRUE(ClipLayout(Input({1024, 0}, 0x103)).GripLeft);
  EXPECT_TRUE(ClipLayout(Input({1000, 740}, 0x14)).GripLeft) << "tray click at the bottom right";
  EXPECT_TRUE(ClipLayout(Input({900, 300}, 0x100)).GripLeft) << "a focused control at the right";
  EXPECT_FALSE(ClipLayout(Input({0, 768}, 0x102)).GripLeft);
  EXPECT_FALSE(ClipLayout(Input({100, 100}, 0x100)).GripLeft);
  // The bare corner codes as before.
  EXPECT_TRUE(ClipLayout(Input({1024, 768}, 4)).GripLeft);
  EXPECT_TRUE(ClipLayout(Input({1024, 0}, 3)).GripLeft);
  EXPECT_FALSE(ClipLayout(Input({0, 0}, 1)).GripLeft);
  EXPECT_FALSE(ClipLayout(Input({0, 768}, 2)).GripLeft);
}

TEST(ClipLayout, AnchorsAtTheScreenCornersKeepThePopupOnScreen) {
  auto br = ClipLayout(Input({1024, 768}, 4));
  EXPECT_EQ(br.Left + br.MainWidth, 1024);
  EXPECT_EQ(br.Top + br.MainHeight, 768);
  auto tl = ClipLayout(Input({0, 0}, 1));
  EXPECT_EQ(tl.Left, 0);
  EXPECT_EQ(tl.Top, 0);
  auto mid = ClipLayout(Input({200, 300}, 0x100));
  EXPECT_EQ(mid.Left, 200);
  EXPECT_EQ(mid.Top, 300);
  // Too wide to flip: clamped to the left edge.
  auto wide = ClipLayout(Input({500, 0}, 1, 3, 900));
  EXPECT_EQ(wide.Left, 0);
  auto tallFlip = ClipLayout(Input({0, 700}, 2, 60, 300));
  EXPECT_EQ(tallFlip.Top, 0);
}

TEST(ClipKeys, LabelsAndTheRowsTheyPick) {
  EXPECT_EQ(ClipLabel(0), "1");
  EXPECT_EQ(ClipLabel(8), "9");
  EXPECT_EQ(ClipLabel(9), "a");
  EXPECT_EQ(ClipLabel(34), "z");
  EXPECT_EQ(ClipLabel(35), "");
  EXPECT_EQ(ClipLabel(49), "");
  for (int r = 0; r < 35; ++r) EXPECT_EQ(RowForKey(ClipLabel(r)[0], true), r) << r;
  EXPECT_EQ(RowForKey('A', true), -1);
  EXPECT_EQ(RowForKey('0', true), -1);
  EXPECT_EQ(RowForKey(' ', true), -1);
  EXPECT_EQ(RowForKey('7', false), 0);
  EXPECT_EQ(RowForKey('A', false), 0);
}

TEST(ClipKeys, ArrowsWrapAroundOnlyAtTheEnds) {
  EXPECT_EQ(WrapRow(true, 0, 5), 4);
  EXPECT_EQ(WrapRow(false, 4, 5), 0);
  EXPECT_EQ(WrapRow(true, 2, 5), -1);
  EXPECT_EQ(WrapRow(false, 2, 5), -1);
  EXPECT_EQ(WrapRow(true, 0, 1), 0);
}

TEST(ClipGrip, RightGripWidensLeftGripKeepsTheRightEdge) {
  auto r = GripMove(false, 100, 300, 400, 450, 74);
  EXPECT_EQ(r.Left, 100);
  EXPECT_EQ(r.Width, 350);
  auto l = GripMove(true, 100, 300, 100, 60, 74);
  EXPECT_EQ(l.Left, 60);
  EXPECT_EQ(l.Width, 340);
  EXPECT_EQ(l.Left + l.Width, 400);
  auto shrink = GripMove(true, 100, 300, 100, 500, 74);
  EXPECT_EQ(shrink.Width, 74) << "never below the minimum while dragging";
  EXPECT_EQ(shrink.Left + shrink.Width, 400) << "the right edge stays put";
  auto narrow = GripMove(false, 100, 300, 400, -50, 74);
  EXPECT_EQ(narrow.Width, 74);
  EXPECT_EQ(narrow.Left, 100);
}

std::uint32_t FakeScan(int vk) { return static_cast<std::uint32_t>(vk + 1000); }

TEST(PasteQueue, HeldModifiersAreReleasedAroundShiftInsert) {
  auto plain = ShiftInsertEvents({}, FakeScan);
  ASSERT_EQ(plain.size(), 4u);
  EXPECT_EQ(plain[0].Message, kKeyDown);
  EXPECT_EQ(plain[0].VirtualKey, 0x10u);
  EXPECT_EQ(plain[0].ScanCode, 1016u);
  EXPECT_EQ(plain[1].VirtualKey, 0x2Du);
  EXPECT_EQ(plain[2].Message, kKeyUp);
  EXPECT_EQ(plain[3].VirtualKey, 0x10u);

  auto ctrl = ShiftInsertEvents({true, false, false}, FakeScan);
  std::vector<std::pair<std::uint32_t, std::uint32_t>> got;
  for (auto& e : ctrl) got.push_back({e.Message, e.VirtualKey});
  EXPECT_EQ(got, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{
                     {kKeyUp, 0x11}, {kKeyDown, 0x10}, {kKeyDown, 0x2D}, {kKeyUp, 0x2D}, {kKeyUp, 0x10}, {kKeyDown, 0x11}}));
  auto all = ShiftInsertEvents({true, true, true}, FakeScan);
  ASSERT_EQ(all.size(), 10u);
  EXPECT_EQ(all[1].VirtualKey, 0x12u);
  EXPECT_EQ(all[2].VirtualKey, 0x10u);
  EXPECT_EQ(all[2].Message, kKeyUp);
  EXPECT_EQ(all[9].VirtualKey, 0x10u);
  EXPECT_EQ(all[9].Message, kKeyDown);
}

TEST(PasteQueue, ReplayPlaysEachEventOnceAndEnds) {
  TKeyReplay replay;
  EXPECT_FALSE(replay.Start({}));
  EXPECT_FALSE(replay.IsPlaying());
  ASSERT_TRUE(replay.Start(ShiftInsertEvents({}, FakeScan)));
  EXPECT_FALSE(replay.Start(ShiftInsertEvents({}, FakeScan))) << "one replay at a time";
  EXPECT_FALSE(replay.Started());
  std::vector<std::uint32_t> played;
  for (int i = 0; i < 4; ++i) {
    // The system may ask for the same event more than once before skipping.
    auto e = replay.Next(100 + i);
    EXPECT_EQ(replay.Next(100 + i).VirtualKey, e.VirtualKey);
    EXPECT_EQ(e.Time, 100u + i);
    played.push_back(e.VirtualKey);
    EXPECT_EQ(replay.Skip(), i == 3);
  }
  EXPECT_EQ(played, (std::vector<std::uint32_t>{0x10, 0x2D, 0x2D, 0x10}));
  EXPECT_FALSE(replay.IsPlaying());
}

TEST(PasteQueue, AnAbandonedReplayHandsBackWhatWasNotPlayed) {
  TKeyReplay replay;
  auto events = ShiftInsertEvents({true, false, false}, FakeScan);
  ASSERT_TRUE(replay.Start(events));
  auto rest = replay.Abandon();
  EXPECT_EQ(rest, events) << "never played: everything is left";
  EXPECT_FALSE(replay.IsPlaying());

  ASSERT_TRUE(replay.Start(events)) << "a cancelled replay must not block the next paste";
  replay.Next(1);
  replay.Skip();
  replay.Next(2);
  replay.Skip();
  rest = replay.Abandon();
  EXPECT_EQ(rest, std::vector<TKeyEvent>(events.begin() + 2, events.end()));
  EXPECT_TRUE(replay.Abandon().empty());
}

TEST(PasteQueue, TheWaitForTheJournalIsBounded) {
  EXPECT_FALSE(ReplayMustFallBack(false, 0));
  EXPECT_FALSE(ReplayMustFallBack(false, kReplayStartBound));
  EXPECT_TRUE(ReplayMustFallBack(false, kReplayStartBound + 1)) << "never played (Wine, Windows 11)";
  EXPECT_FALSE(ReplayMustFallBack(true, kReplayStartBound + 1)) << "playing: let it finish";
  EXPECT_TRUE(ReplayMustFallBack(true, kReplayTotalBound + 1));
}

}  // namespace
}  // namespace vimo
