#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "LaunchFixture.h"
#include "model/ActionKinds.h"

namespace vimo::test {
namespace {

using ::testing::ElementsAre;

TActionRecord Kind(std::int32_t id, int state = 0, int folderMode = 0) {
  TActionRecord a;
  a.Action = id;
  a.ExecWindowState = state;
  a.FolderMode = folderMode;
  return a;
}

class RunActionTest : public LaunchFixture {};

TEST_F(RunActionTest, EmptyAndUnknownKindsOnlyRecordTheForegroundWindow) {
  for (std::int32_t id : {0, 1300, 41, -1}) {
    TargetWindow = nullptr;
    desktop.foreground = Wnd(0x200 + id);
    runner.RunAction(cnLeftTop, Kind(id));
    EXPECT_EQ(TargetWindow, Wnd(0x200 + id)) << id;
  }
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(popups.created, 0);
}

TEST_F(RunActionTest, ApplicationStartsThroughTheApplicationWindowWithTheStoredShowCommand) {
  TActionRecord a = Kind(akApplication);
  a.ExecPath = "C:\\Tools\\edit.exe";
  a.ExecParams = "-n \"a b.txt\"";
  const std::pair<int, int> states[] = {{0, 10}, {1, 6}, {2, 3}, {3, 10}, {-1, 10}, {99, 10}};
  for (auto [state, show] : states) {
    log.clear();
    a.ExecWindowState = state;
    runner.RunAction(cnRightTop, a);
    EXPECT_THAT(log, ElementsAre("ShellExecute(0xa00,open,C:\\Tools\\edit.exe,-n \"a b.txt\"," +
                                 std::to_string(show) + ")"))
        << state;
  }
}

TEST_F(RunActionTest, ApplicationThatCannotStartIsSilentAndChangesNothingElse) {
  shell.executeResult = false;
  TForm* open = popups.CreateCalendar(1);
  ActivePopup = open;
  log.clear();
  runner.RunAction(cnLeftTop, Kind(akApplication));
  EXPECT_EQ(log.size(), 1u);
  EXPECT_EQ(ActivePopup, open);
  EXPECT_EQ(TargetWindow, desktop.foreground);
}

TEST_F(RunActionTest, FolderUsesExecuteExWithThePathAndTheVerbOfTheFolderMode) {
  TActionRecord a = Kind(akFolder, 2, 1);
  a.ExecPath = "C:\\Data";
  runner.RunAction(cnLeftTop, a);
  a.FolderMode = 0;
  a.ExecWindowState = 1;
  runner.RunAction(cnLeftTop, a);
  a.FolderMode = 7;  // only 1 explores
  runner.RunAction(cnLeftTop, a);
  // No shell box of its own (SEE_MASK_FLAG_NO_UI): ours is the only one.
  EXPECT_THAT(log, ElementsAre("ShellExecuteEx(0x400,0xa00,explore,C:\\Data,0x0,,3)",
                               "ShellExecuteEx(0x400,0xa00,open,C:\\Data,0x0,,6)",
                               "ShellExecuteEx(0x400,0xa00,open,C:\\Data,0x0,,6)"));
}

TEST_F(RunActionTest, FailingFolderShowsTheSystemErrorText) {
  shell.executeExResult = false;
  shell.executeExError = 3;
  shell.lastErrorText = "The system cannot find the path specified.";
  TActionRecord a = Kind(akFolder);
  a.ExecPath = "C:\\Gone";
  runner.RunAction(cnLeftTop, a);
  // One box naming the path and the reason the call itself reported.
  EXPECT_THAT(log, ElementsAre("ShellExecuteEx(0x400,0xa00,open,C:\\Gone,0x0,,10)", "FormatMessage(3)",
                               "MessageBox(0xa00,C:\\Gone\rThe system cannot find the path specified.,Tramlex Vimo,0x10)"));
  EXPECT_EQ(ActivePopup, nullptr);
}

TEST_F(RunActionTest, ShellPlacesOpenTheirFolderIdsAndFreeTheList) {
  const std::pair<std::int32_t, int> places[] = {{akMyComputer, 0x11},  {akMyNetworkPlaces, 0x12},
                                                 {akMyDocuments, 5},    {akFavorites, 6},
                                                 {akRecycleBin, 0x0A},  {akControlPanel, 3},
                                                 {akPrintersAndFaxes, 4}};
  for (auto [kind, csidl] : places) {
    log.clear();
    void* list = Wnd(0x9000 + csidl);
    shell.folders[csidl] = list;
    runner.RunAction(cnLeftTop, Kind(kind, 2, 1));
    EXPECT_THAT(log, ElementsAre("SHGetSpecialFolderLocation(0xa00," + Hex(csidl) + ")",
                                 "ShellExecuteEx(0x405,0xa00,explore,," + Ptr(list) + ",folder,3)",
                                 "Free(" + Ptr(list) + ")"))
        << kind;
  }
  EXPECT_TRUE(shell.liveLists.empty());
}

TEST_F(RunActionTest, ShellPlaceListIsFreedOnEveryPath) {
  shell.folders[0x11] = Wnd(0x9011);
  // Unresolvable folder id: nothing more, no message.
  runner.RunAction(cnLeftTop, Kind(akMyDocuments));
  EXPECT_THAT(log, ElementsAre("SHGetSpecialFolderLocation(0xa00,0x5)"));

  log.clear();
  shell.executeExResult = false;
  runner.RunAction(cnLeftTop, Kind(akMyComputer));
  EXPECT_THAT(log, ElementsAre("SHGetSpecialFolderLocation(0xa00,0x11)", "ShellExecuteEx(0x405,0xa00,open,,0x9011,folder,10)",
                               "FormatMessage(2)", "MessageBox(0xa00,My Computer\rThe system cannot find the file specified.,Tramlex Vimo,0x10)",
                               "Free(0x9011)"));

  log.clear();
  shell.throwInExecuteEx = true;
  EXPECT_THROW(runner.RunAction(cnLeftTop, Kind(akMyComputer)), std::runtime_error);
  EXPECT_EQ(log.back(), "Free(0x9011)");
  EXPECT_TRUE(shell.liveLists.empty());
}

TEST_F(RunActionTest, FreeItemIdListSkipsNullAndAllOnes) {
  FreeItemIdList(nullptr);
  FreeItemIdList(reinterpret_cast<void*>(static_cast<std::intptr_t>(-1)));
  EXPECT_TRUE(log.empty());
  FreeItemIdList(Wnd(0x42));
  EXPECT_THAT(log, ElementsAre("Free(0x42)"));
}

TEST_F(RunActionTest, ShellDialogsScreenSaverTurnOffAndCdDoor) {
  desktop.topWindows[{"Progman", "Program Manager"}] = Wnd(0x777);
  for (std::int32_t k : std::initializer_list<std::int32_t>{akRunDialog, akFindFiles, akFindComputer, akScreenSaver, akTurnOffDialog, akOpenCdRom,
                         akCloseCdRom})
    runner.RunAction(cnLeftTop, Kind(k));
  EXPECT_THAT(log, ElementsAre("ShellDialog(61,0xb00)", "ShellDialog(90,0x0)", "ShellDialog(91,0x0)",
                               "SendMessage(0xa00,0x112,0xf140,0)", "FindWindow(Progman,Program Manager)",
                               "SendMessage(0x777,0x10,0x0,0)", "mciSendString(Set cdaudio door open wait)",
                               "mciSendString(Set cdaudio door closed wait)"));
}

TEST_F(RunActionTest, TurnOffDialogWithoutProgramManagerSendsNothing) {
  runner.RunAction(cnLeftTop, Kind(akTurnOffDialog));
  EXPECT_THAT(log, ElementsAre("FindWindow(Progman,Program Manager)"));
}

TEST_F(RunActionTest, ToggleDesktopSendsWindowsDAsFourKeyEventsWithScanCodes) {
  runner.RunAction(cnLeftTop, Kind(akToggleDesktop));
  // Each marked as ours, so that our own hooks and other tools can tell them from the user's.
  const std::string mark = std::to_string(kInjectedKeyMark);
  EXPECT_THAT(log, ElementsAre("keybd_event(0x5b,0x5b,0," + mark + ")", "keybd_event(0x44,0x20,0," + mark + ")",
                               "keybd_event(0x44,0x20,2," + mark + ")", "keybd_event(0x5b,0x5b,2," + mark + ")"));
}

TEST_F(RunActionTest, ToggleDesktopLiftsTheHeldModifiersAroundWindowsD) {
  // From a corner's Ctrl slot or a Ctrl+Alt hot key: Windows must see Win+D alone.
  keys.scanCodes[0x11] = 0x1D;
  keys.scanCodes[0x12] = 0x38;
  keyboard.held = {kVkControl, kVkMenu};
  runner.RunAction(cnLeftTop, Kind(akToggleDesktop));
  const std::string mark = "," + std::to_string(kInjectedKeyMark) + ")";
  EXPECT_THAT(log, ElementsAre("keybd_event(0x11,0x1d,2" + mark, "keybd_event(0x12,0x38,2" + mark,
                               "keybd_event(0x5b,0x5b,0" + mark, "keybd_event(0x44,0x20,0" + mark,
                               "keybd_event(0x44,0x20,2" + mark, "keybd_event(0x5b,0x5b,2" + mark,
                               "keybd_event(0x11,0x1d,0" + mark, "keybd_event(0x12,0x38,0" + mark));
}

const char* const kPrivilegeSteps[] = {"OpenProcessToken(0x28)", "LookupPrivilegeValue(SeShutdownPrivilege)",
                                       "AdjustTokenPrivileges(0x7000,19,0x2)", "CloseToken(0x7000)"};

std::vector<std::string> StepsThen(std::initializer_list<std::string> rest) {
  std::vector<std::string> v(std::begin(kPrivilegeSteps), std::end(kPrivilegeSteps));
  v.insert(v.end(), rest);
  return v;
}

TEST_F(RunActionTest, SessionKindsEnableThePrivilegeThenExitWithTheirFlags) {
  const std::pair<std::int32_t, int> kinds[] = {{akLogOff, 0}, {akReboot, 2}, {akShutdown, 1}, {akPowerOff, 8}};
  for (auto [kind, flags] : kinds) {
    log.clear();
    runner.RunAction(cnLeftTop, Kind(kind));
    EXPECT_EQ(log, StepsThen({"ExitWindowsEx(" + std::to_string(flags) + ")"})) << kind;
  }
  EXPECT_EQ(session.openTokens, 0);
}

TEST_F(RunActionTest, SessionKindsDoNothingWithoutThePrivilege) {
  session.adjustResult = false;
  runner.RunAction(cnLeftTop, Kind(akLogOff));
  runner.RunAction(cnLeftTop, Kind(akSleep));
  EXPECT_EQ(std::count(log.begin(), log.end(), "ExitWindowsEx(0)"), 0);
  EXPECT_EQ(log.back(), "CloseToken(0x7000)");
  EXPECT_EQ(session.openTokens, 0);

  log.clear();
  session.token = nullptr;  // the token cannot be opened: nothing to close
  runner.RunAction(cnLeftTop, Kind(akHibernate));
  EXPECT_THAT(log, ElementsAre("OpenProcessToken(0x28)"));
}

TEST_F(RunActionTest, SleepAndHibernateUseTheOldPowerCallWhenItWorks) {
  runner.RunAction(cnLeftTop, Kind(akSleep));
  EXPECT_EQ(log, StepsThen({"SetSystemPowerState(true,false)"}));
  log.clear();
  runner.RunAction(cnLeftTop, Kind(akHibernate));
  EXPECT_EQ(log, StepsThen({"SetSystemPowerState(false,false)"}));
}

TEST_F(RunActionTest, RefusedPowerCallFallsBackToSuspendStateWithTheSameChoice) {
  session.powerStateResult = false;
  runner.RunAction(cnLeftTop, Kind(akSleep));
  EXPECT_EQ(log, StepsThen({"SetSystemPowerState(true,false)", "SetSuspendState(false,false,false)"}));
  log.clear();
  session.suspendStateResult = false;  // both refuse: silent, nothing left behind
  TForm* open = popups.CreateWorldTime(2);
  ActivePopup = open;
  log.clear();
  runner.RunAction(cnLeftTop, Kind(akHibernate));
  EXPECT_EQ(log, StepsThen({"SetSystemPowerState(false,false)", "SetSuspendState(true,false,false)"}));
  EXPECT_EQ(ActivePopup, open);
  EXPECT_EQ(session.openTokens, 0);
}

class PopupTest : public LaunchFixture {};

TEST_F(PopupTest, TimePopupsGetTheCornerAndFillTheSlot) {
  runner.RunAction(cnRightBottom | plHotKey, Kind(akCalendar));
  ASSERT_NE(ActivePopup, nullptr);
  EXPECT_EQ(popups.Of(ActivePopup).kind, "Calendar");
  EXPECT_EQ(popups.Of(ActivePopup).corner, 4);
  EXPECT_TRUE(popups.Of(ActivePopup).shown);
  EXPECT_EQ(popups.Of(ActivePopup).bounds, popups.nextBounds);  // left where it placed itself
  EXPECT_THAT(log, ElementsAre("CreateCalendar(4)", "Show(Calendar)"));

  ActivePopup = nullptr;
  runner.RunAction(cnLeftBottom, Kind(akSunTimeMap));
  EXPECT_EQ(popups.Of(ActivePopup).kind, "TimeMap");
  EXPECT_EQ(popups.Of(ActivePopup).corner, 2);
}

TEST_F(PopupTest, TrayClickPutsTheBottomRightCornerAtTheCursor) {
  desktop.cursor = {1000, 740};
  runner.RunAction(cnRightBottom | plTrayClick, Kind(akWorldTime));
  const auto& f = popups.Of(ActivePopup);
  EXPECT_EQ(f.bounds, (TRect{800, 590, 1000, 740}));
  EXPECT_THAT(log, ElementsAre("CreateWorldTime(4)", "MoveTo(WorldTime,800,590)", "Show(WorldTime)"));
}

TEST_F(PopupTest, AnOpenPopupIsOnlyBroughtToTheFrontWhateverTheKind) {
  runner.RunAction(cnLeftTop, Kind(akCalendar));
  TForm* calendar = ActivePopup;
  const TRect where = popups.Of(calendar).bounds;
  log.clear();
  desktop.cursor = {500, 500};
  for (std::int32_t k : {akCalendar, akWorldTime, akSunTimeMap, akClipHistory, akClipCollection})
    runner.RunAction(cnRightBottom | plTrayClick, Kind(k));
  EXPECT_EQ(ActivePopup, calendar);
  EXPECT_EQ(popups.created, 1);
  EXPECT_EQ(popups.Of(calendar).bounds, where);
  EXPECT_EQ(std::count(log.begin(), log.end(), "BringToFront(Calendar)"), 5);
}

TEST_F(PopupTest, APopupActionWhileAPopupIsOpenKeepsTheWindowToPasteInto) {
  desktop.foreground = Wnd(0x777);  // notepad
  runner.RunAction(cnRightBottom | plHotKey, Kind(akClipCollection));
  ASSERT_NE(ActivePopup, nullptr);
  EXPECT_EQ(TargetWindow, Wnd(0x777));
  desktop.foreground = Wnd(0x888);  // the pop-up itself is in front now
  for (std::int32_t k : {akClipCollection, akClipHistory, akCalendar, akWorldTime, akSunTimeMap})
    runner.RunAction(cnRightBottom | plHotKey, Kind(k));
  EXPECT_EQ(TargetWindow, Wnd(0x777)) << "the pick would paste into the pop-up";
  // Other kinds still record the window in front.
  runner.RunAction(cnLeftTop, Kind(akApplication));
  EXPECT_EQ(TargetWindow, Wnd(0x888));
}

TEST_F(PopupTest, ClipHistoryWithHistoryDisabledDoesNothingEvenWithAPopupOpen) {
  DisableHistory = true;
  runner.RunAction(cnLeftTop, Kind(akClipHistory));
  EXPECT_EQ(ActivePopup, nullptr);
  runner.RunAction(cnLeftTop, Kind(akCalendar));
  log.clear();
  runner.RunAction(cnLeftTop, Kind(akClipHistory));
  EXPECT_TRUE(log.empty());
  // The collection is not affected by the history switch.
  ActivePopup = nullptr;
  runner.RunAction(cnLeftTop, Kind(akClipCollection));
  EXPECT_EQ(popups.Of(ActivePopup).kind, "ClipCollection");
}

TEST_F(PopupTest, ClipPopupAnchorsAtTheScreenCorner) {
  const std::pair<int, TPoint> corners[] = {{1, {0, 0}}, {2, {0, 768}}, {3, {1024, 0}}, {4, {1024, 768}}};
  for (auto [corner, point] : corners) {
    ActivePopup = nullptr;
    runner.RunAction(corner, Kind(akClipCollection));
    const auto& f = popups.Of(ActivePopup);
    EXPECT_EQ(f.anchor, point) << corner;
    EXPECT_EQ(f.placement, corner);
    EXPECT_EQ(f.corner, corner) << "it goes to that corner of the pointer's monitor";
    EXPECT_TRUE(f.collection);
    EXPECT_TRUE(f.shown);
  }
}

TEST_F(PopupTest, ClipPopupByHotKeyFollowsTheFocusedControlWhenShowInEditorIsSet) {
  desktop.focus = Wnd(0x333);
  desktop.rects[Wnd(0x333)] = {240, 130, 640, 430};
  ShowInEditor = true;
  runner.RunAction(cnRightBottom | plHotKey, Kind(akClipHistory));
  EXPECT_EQ(popups.Of(ActivePopup).anchor, (TPoint{240, 130}));
  EXPECT_EQ(popups.Of(ActivePopup).placement, 0x104);
  EXPECT_EQ(popups.Of(ActivePopup).corner, 0) << "at the control, not moved to a corner";
  EXPECT_FALSE(popups.Of(ActivePopup).collection);

  ActivePopup = nullptr;
  ShowInEditor = false;
  runner.RunAction(cnRightBottom | plHotKey, Kind(akClipHistory));
  EXPECT_EQ(popups.Of(ActivePopup).anchor, (TPoint{1024, 768}));

  // A corner or a tray click never asks for the focus window.
  ActivePopup = nullptr;
  ShowInEditor = true;
  log.clear();
  runner.RunAction(cnLeftBottom, Kind(akClipHistory));
  runner.RunAction(cnLeftBottom | plTrayClick, Kind(akClipHistory));
  EXPECT_EQ(std::count(log.begin(), log.end(), "GetGUIThreadInfo"), 0);
  EXPECT_EQ(popups.Of(ActivePopup).anchor, (TPoint{0, 768}));
}

TEST_F(PopupTest, ClipPopupFallsBackToTheCornerAndThenToThePointer) {
  ShowInEditor = true;
  desktop.focus = nullptr;  // foreground thread without a focus window
  runner.RunAction(cnRightTop | plHotKey, Kind(akClipCollection));
  EXPECT_EQ(popups.Of(ActivePopup).anchor, (TPoint{1024, 0}));

  ActivePopup = nullptr;
  desktop.cursor = {321, 123};
  runner.RunAction(0 | plHotKey, Kind(akClipCollection));  // KeyCorner outside 1..4
  EXPECT_EQ(popups.Of(ActivePopup).anchor, (TPoint{321, 123}));
}

TEST_F(PopupTest, ClipPopupRecordsTheForegroundAgainAndIsNotPlacedAtTheCursor) {
  desktop.cursor = {600, 600};
  runner.RunAction(cnLeftTop | plTrayClick, Kind(akClipCollection));
  EXPECT_EQ(TargetWindow, desktop.foreground);
  EXPECT_EQ(popups.Of(ActivePopup).bounds, popups.nextBounds);
  EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& s) { return s.rfind("MoveTo", 0) == 0; }), 0);
}

TEST_F(PopupTest, APopupThatFailsToShowLeavesTheSlotEmpty) {
  popups.throwInShow = true;
  EXPECT_THROW(runner.RunAction(cnLeftTop, Kind(akCalendar)), std::runtime_error);
  EXPECT_EQ(ActivePopup, nullptr);
  EXPECT_TRUE(popups.forms.empty());
  EXPECT_THROW(runner.RunAction(cnLeftTop, Kind(akClipCollection)), std::runtime_error);
  EXPECT_EQ(ActivePopup, nullptr);
  // The next action opens a pop-up normally.
  popups.throwInShow = false;
  runner.RunAction(cnLeftTop, Kind(akWorldTime));
  ASSERT_NE(ActivePopup, nullptr);
  EXPECT_TRUE(popups.Of(ActivePopup).shown);
}

class BrowseForFolderTest : public LaunchFixture {};

TEST_F(BrowseForFolderTest, ChoiceSetsThePathAndFreesTheList) {
  shell.browseResult = Wnd(0x8800);
  shell.browsePath = "D:\\Music";
  std::string path = "C:\\Data";
  EXPECT_TRUE(BrowseForFolder(Wnd(0x44), path));
  EXPECT_EQ(path, "D:\\Music");
  EXPECT_THAT(log, ElementsAre("SHBrowseForFolder(0x44,Choose folder,0x9,C:\\Data)", "SHGetPathFromIDList(0x8800)",
                               "Free(0x8800)"));
}

TEST_F(BrowseForFolderTest, CancelOrAChoiceWithoutAPathKeepsThePath) {
  std::string path = "C:\\Data";
  EXPECT_FALSE(BrowseForFolder(Wnd(0x44), path));
  EXPECT_EQ(path, "C:\\Data");

  shell.browseResult = Wnd(0x8800);  // a virtual folder: no file-system path
  EXPECT_FALSE(BrowseForFolder(Wnd(0x44), path));
  EXPECT_EQ(path, "C:\\Data");
  EXPECT_TRUE(shell.liveLists.empty());
}

}  // namespace
}  // namespace vimo::test
