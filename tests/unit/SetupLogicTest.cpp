#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ModelFixture.h"
#include "model/ActionKinds.h"
#include "model/SettingsStore.h"
#include "settings/SetupIcons.h"
#include "settings/SetupLogic.h"

namespace vimo::test {
namespace {

using SetupWorkingCopies = ModelFixture;

TEST_F(SetupWorkingCopies, LoadThenStoreChangesNothingAndEditsReachTheSettings) {
  InitializeModel();
  HotKeyList->Add(TActionRecord{"k", akCalendar, 0, "", "", 0, 0xC074, 3});
  ClipList->Add(TClipRecord{"c", "t"});
  CornerDelay = 20;
  KeyCorner = 3;
  TSetupWork work;
  LoadControls(work);
  EXPECT_EQ(work.controls.cornerDelayPosition, 4);
  EXPECT_EQ(work.controls.hotKeysCornerItem, 2);
  EXPECT_EQ(work.WorkWorldTimes.size(), 29u);
  EXPECT_TRUE(work.controls.ignoreFullScreen);
  EXPECT_FALSE(DiffersFromSettings(work));
  work.controls.ignoreFullScreen = false;
  EXPECT_TRUE(DiffersFromSettings(work)) << "Apply is enabled by the full-screen box alone";
  work.controls.ignoreFullScreen = true;

  // The working copies are independent of the settings until stored.
  work.WorkHotKeys.ActionAt(0)->Comment = "edited";
  work.WorkClips.Clear();
  work.WorkMouseActions[0][0] = TActionRecord{};
  EXPECT_EQ(HotKeyList->GetAction(0).Comment, "k");
  EXPECT_EQ(ClipList->Count(), 1);
  EXPECT_EQ(MouseActions[0][0].Action, akCloseCdRom);

  work.controls.ignoreFullScreen = false;
  work.controls.cornerDelayPosition = 1;
  work.controls.hotKeysCornerItem = 0;
  work.WorkWorldTimes.resize(2);
  StoreControls(work);
  EXPECT_EQ(CornerDelay, 5);
  EXPECT_FALSE(IgnoreFullScreen);
  EXPECT_EQ(KeyCorner, 1);
  EXPECT_EQ(HotKeyList->GetAction(0).Comment, "edited");
  EXPECT_EQ(ClipList->Count(), 0);
  EXPECT_EQ(MouseActions[0][0], TActionRecord{});
  EXPECT_EQ(WorldTimes->size(), 2u);
}

TEST(SetupTexts, LabelsAndOffsets) {
  EXPECT_EQ(CornerSizeText(8), "8 pix");
  EXPECT_EQ(CornerDelayText(4, '.'), "2.0 sec");
  EXPECT_EQ(CornerDelayText(5, ','), "2,5 sec");
  EXPECT_EQ(CornerDelayText(0, '.'), "0.0 sec");
  EXPECT_EQ(OffsetText(-330), "-05:30");
  EXPECT_EQ(OffsetText(345), "+05:45");
  EXPECT_EQ(OffsetText(0), "+00:00");
  EXPECT_EQ(OffsetText(-30), "-00:30");
  EXPECT_EQ(OffsetText(-720), "-12:00");
}

TEST(SetupTexts, HotKeyNames) {
  auto layout = [](int vk) { return vk == 0xBA ? std::string(";") : std::string(); };
  EXPECT_EQ(HotKeyText(0xC074, layout), "Ctrl+Alt+F5");
  EXPECT_EQ(HotKeyText(scShift | scCtrl | scAlt | 'A', layout), "Shift+Ctrl+Alt+A");
  EXPECT_EQ(HotKeyText(scCtrl | 0x65, layout), "Ctrl+5");  // number pad 5
  EXPECT_EQ(HotKeyText(scAlt | 0x87, layout), "Alt+F24");
  EXPECT_EQ(HotKeyText(scCtrl | 0x2E, layout), "Ctrl+Del");
  EXPECT_EQ(HotKeyText(scCtrl | 0x21, layout), "Ctrl+PgUp");
  EXPECT_EQ(HotKeyText(scCtrl | 0xBA, layout), "Ctrl+;");
  EXPECT_EQ(HotKeyText(scCtrl | 0xE8, layout), "");  // no name: no text at all
  EXPECT_EQ(HotKeyText(0, layout), "");
}

// The order after a drag from entry `from` to entry `to`, by the moves given.
std::string Dragged(TDragGrid grid, int fromRow, const std::vector<int>& moves) {
  std::string list = "abcde";
  TSetupWork work;
  DragStart(work, grid, fromRow, 5);
  for (int row : moves)
    DragMove(work, grid, row, 5, [&](int x, int y) {
      ASSERT_EQ(std::abs(x - y), 1) << "neighbours only";
      std::swap(list[static_cast<std::size_t>(x)], list[static_cast<std::size_t>(y)]);
    });
  return list;
}

TEST(SetupDragging, TheOrderDependsOnlyOnWhereTheDragStartedAndWhereItIsNow) {
  for (int from = 0; from < 5; ++from)
    for (int to = 0; to < 5; ++to) {
      std::string moved = "abcde";
      char entry = moved[static_cast<std::size_t>(from)];
      moved.erase(static_cast<std::size_t>(from), 1);
      moved.insert(static_cast<std::size_t>(to), 1, entry);
      std::vector<int> rowByRow;
      for (int r = from; r != to;) rowByRow.push_back((r += to > from ? 1 : -1));
      // Header grids count rows from 1, the clip grid from 0.
      EXPECT_EQ(Dragged(TDragGrid::HotKeys, from + 1, {to + 1}), moved) << from << " to " << to;
      EXPECT_EQ(Dragged(TDragGrid::WorldTimes, from + 1, {to + 1}), moved) << from << " to " << to;
      EXPECT_EQ(Dragged(TDragGrid::Clips, from, {to}), moved) << from << " to " << to;
      std::vector<int> shifted = rowByRow;
      for (int& r : shifted) ++r;
      EXPECT_EQ(Dragged(TDragGrid::HotKeys, from + 1, shifted), moved) << "row by row " << from << " to " << to;
      EXPECT_EQ(Dragged(TDragGrid::Clips, from, rowByRow), moved) << "row by row " << from << " to " << to;
    }
  // There and back again.
  EXPECT_EQ(Dragged(TDragGrid::Clips, 1, {4, 0, 1}), "abcde");
}

TEST(SetupDragging, NoDragStartsOnTheHeaderOrOutsideTheEntries) {
  TSetupWork work;
  for (int row : {0, -1, 6}) {
    DragStart(work, TDragGrid::HotKeys, row, 5);
    EXPECT_FALSE(work.Dragging) << row;
    EXPECT_FALSE(DragMove(work, TDragGrid::HotKeys, 3, 5, [](int, int) { FAIL(); })) << row;
  }
  DragStart(work, TDragGrid::Clips, 0, 0);
  EXPECT_FALSE(work.Dragging) << "the [empty] row of an empty list";
  DragStart(work, TDragGrid::WorldTimes, 1, 0);
  EXPECT_FALSE(work.Dragging);
  // Over the header the entry goes first; outside the rows nothing moves.
  EXPECT_EQ(Dragged(TDragGrid::HotKeys, 3, {0}), "cabde");
  EXPECT_EQ(Dragged(TDragGrid::WorldTimes, 3, {-1}), "abcde");
  EXPECT_EQ(Dragged(TDragGrid::HotKeys, 2, {9}), "acdeb") << "past the last row: last";
}

TEST_F(SetupWorkingCopies, ApplyIsNeededExactlyWhileTheDialogDiffersFromTheSettings) {
  InitializeModel();
  HotKeyList->Add(TActionRecord{"k", akCalendar, 0, "", "", 0, 0xC074, 3});
  TSetupWork work;
  LoadControls(work);
  EXPECT_FALSE(DiffersFromSettings(work));
  work.WorkHotKeys.ActionAt(0)->HotKeyId = 0;
  EXPECT_FALSE(DiffersFromSettings(work)) << "the registration id is no setting";
  work.controls.autoRun = !work.controls.autoRun;
  EXPECT_TRUE(DiffersFromSettings(work));
  work.controls.autoRun = !work.controls.autoRun;
  work.WorkMouseActions[3][5].Comment = "x";
  EXPECT_TRUE(DiffersFromSettings(work));
  LoadControls(work);
  std::swap(work.WorkWorldTimes[0], work.WorkWorldTimes[1]);
  EXPECT_TRUE(DiffersFromSettings(work)) << "the order counts";
  StoreControls(work);
  EXPECT_FALSE(DiffersFromSettings(work));
  work.WorkClips.Add(TClipRecord{"", "t"});
  EXPECT_TRUE(DiffersFromSettings(work));
}

TEST(SetupSorting, ByTimeIsStableAndByNameFollowsTheCollation) {
  TWorldTimeList list = {{"first", 60}, {"west", -60}, {"second", 60}};
  SortWorldTimesByTime(list);
  EXPECT_EQ(list, (TWorldTimeList{{"west", -60}, {"first", 60}, {"second", 60}}));

  TWorldTimeList defaults;
  for (const auto& d : DefaultWorldTimes) defaults.push_back({d.Name, d.Offset});
  TWorldTimeList sorted = defaults;
  SortWorldTimesByTime(sorted);
  EXPECT_EQ(sorted, defaults);
  SortWorldTimesByName(sorted, [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()); });
  EXPECT_EQ(sorted.front().Name, "Abu Dhabi, Muscat");
  EXPECT_EQ(sorted.back().Name, "Tehran");
}

TEST(ActionEditorLogic, MasksKindsAndReturnedRecord) {
  EXPECT_EQ(ActionFieldMask(akApplication), tagPath | tagParameters | tagWindow);
  EXPECT_EQ(ActionFieldMask(akFolder), tagPath | tagWindow | tagFolderMode);
  for (int id : {300, 400, 500, 600, 700, 800, 900}) EXPECT_EQ(ActionFieldMask(id), tagWindow | tagFolderMode) << id;
  for (int id : {0, 40, 80, 1000, 1510, 1700, 350}) EXPECT_EQ(ActionFieldMask(id), 0) << id;
  EXPECT_EQ(EditorKinds(false).size(), 28u);
  auto tray = EditorKinds(true);
  EXPECT_EQ(tray.size(), 26u);
  EXPECT_EQ(std::count(tray.begin(), tray.end(), akClipHistory), 0);

  TActionEditorValues v{"Mine", akCalendar, "C:\\app.exe", "-x", 2, 1, 0x4041};
  EXPECT_EQ(EditorResult(v, false), (TActionRecord{"Mine", akCalendar}));
  v.kind = akApplication;
  EXPECT_EQ(EditorResult(v, true), (TActionRecord{"Mine", akApplication, 0, "C:\\app.exe", "-x", 2, 0x4041, 0}));
  v.kind = akMyDocuments;
  EXPECT_EQ(EditorResult(v, false), (TActionRecord{"Mine", akMyDocuments, 1, "", "", 2, 0, 0}));
}

TEST(ClipEditorLogic, LineBreaksComeBackAsCrLf) {
  EXPECT_EQ(CrLfLineBreaks("single line"), "single line");
  EXPECT_EQ(CrLfLineBreaks("a\rb\nc\r\nd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(CrLfLineBreaks("\n\r"), "\r\n\r\n");
  EXPECT_EQ(CrLfLineBreaks("end\r"), "end\r\n");
}

TEST(SetupPageIcons, EveryPageHasItsOwnPictureAndOthersAreBlank) {
  std::vector<TTrayPixels> seen;
  for (int page = 0; page < kSetupPageCount; ++page) {
    TTrayPixels icon = SetupPageIcon(page);
    int opaque = 0;
    for (std::uint32_t p : icon) {
      EXPECT_TRUE((p >> 24) == 0 || (p >> 24) == 0xFF) << "page " << page;
      opaque += (p >> 24) != 0;
    }
    // Enough to read, and transparent around it.
    EXPECT_GT(opaque, 40) << "page " << page;
    EXPECT_LT(opaque, 256) << "page " << page;
    for (const auto& other : seen) EXPECT_NE(icon, other) << "page " << page;
    seen.push_back(icon);
  }
  for (int outside : {-1, kSetupPageCount})
    for (std::uint32_t p : SetupPageIcon(outside)) EXPECT_EQ(p, 0u);
}

TEST(SetupHistory, ClosingTrimsToTheDepth) {
  TStringList h = {"1", "2", "3", "4", "5", "6"};
  TrimHistory(h, 5);
  EXPECT_EQ(h, (TStringList{"1", "2", "3", "4", "5"}));
  TrimHistory(h, 20);
  EXPECT_EQ(h.size(), 5u);
}

TEST_F(SetupWorkingCopies, HotKeyRowsThatCannotWorkAreMarked) {
  THotKeyList list;
  for (std::int32_t code : {scCtrl | scAlt | 0x74, scCtrl | 0x41, scCtrl | scAlt | 0x74, 0, 0x51, scAlt | 'T'}) {
    TActionRecord r;
    r.Action = akCalendar;
    r.HotKey = code;
    list.Add(r);
  }
  const std::set<std::int32_t> taken{scAlt | 'T'};
  const THotKeyRowState expected[] = {THotKeyRowState::Ok,    THotKeyRowState::Ok,
                                      THotKeyRowState::InUse, THotKeyRowState::Ok,
                                      THotKeyRowState::NeedsCtrlOrAlt, THotKeyRowState::InUse};
  for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(HotKeyRowState(list, i, taken), expected[i]) << i;
  EXPECT_EQ(HotKeyRowState(list, 9, taken), THotKeyRowState::Ok);
  EXPECT_EQ(HotKeyRowMark(THotKeyRowState::InUse), " (in use)");
  EXPECT_EQ(HotKeyRowMark(THotKeyRowState::NeedsCtrlOrAlt), " (needs Ctrl or Alt)");
  EXPECT_EQ(HotKeyRowMark(THotKeyRowState::Ok), "");
  // The action editor's warning: the combination is held by another entry of the list.
  EXPECT_EQ(DuplicateHotKeyOwner(list, scCtrl | 0x41, 0), 1);
  EXPECT_EQ(DuplicateHotKeyOwner(list, scCtrl | 0x41, 1), -1);  // the entry being edited
  EXPECT_EQ(DuplicateHotKeyOwner(list, scCtrl | scAlt | 0x74, -1), 0);
  EXPECT_EQ(DuplicateHotKeyOwner(list, 0, -1), -1);
}

}  // namespace
}  // namespace vimo::test
