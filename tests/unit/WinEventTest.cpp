#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeComponentServices.h"
#include "components/WinEvent.h"

namespace vimo {
namespace {

constexpr WindowHandle kWindow = 0x4242;

struct WinEventTest : ::testing::Test {
  test::ComponentServicesFixture services;
  test::FakeWinEventService& system = services.winEvents;
  std::vector<std::string> fired;

  // Assigns every typed event; each records its name and the values it got.
  void RecordAll(TCustomWinEvent& w) {
    auto win = [this](std::string name) {
      return [this, name](TCustomWinEvent&, WindowHandle h) { fired.push_back(name + " " + std::to_string(h)); };
    };
    auto menu = [this](std::string name) {
      return [this, name](TCustomWinEvent&, WindowHandle h, TMenuType t) {
        fired.push_back(name + " " + std::to_string(h) + " " + std::to_string(t));
      };
    };
    auto scroll = [this](std::string name) {
      return [this, name](TCustomWinEvent&, WindowHandle h, TScrollingType t) {
        fired.push_back(name + " " + std::to_string(h) + " " + std::to_string(t));
      };
    };
    auto obj = [this](std::string name) {
      return [this, name](TCustomWinEvent&, WindowHandle h, std::int32_t o, std::int32_t c) {
        fired.push_back(name + " " + std::to_string(h) + " " + std::to_string(o) + " " + std::to_string(c));
      };
    };
    w.OnSystemAlert = [this](TCustomWinEvent&, TSystemAlert a, WindowHandle h, const std::string&, const std::string&,
                             TMsgDlgButtons) { fired.push_back("alert " + std::to_string(h) + " " + std::to_string(a)); };
    w.OnForegroundWindow = win("foreground");
    w.OnMenuStart = menu("menustart");
    w.OnMenuEnd = menu("menuend");
    w.OnMenuPopupStart = win("popupstart");
    w.OnMenuPopupEnd = win("popupend");
    w.OnCaptureStart = win("capturestart");
    w.OnCaptureEnd = win("captureend");
    w.OnMoveSizeStart = win("movesizestart");
    w.OnMoveSizeEnd = win("movesizeend");
    w.OnContextHelpStart = win("helpstart");
    w.OnContextHelpEnd = win("helpend");
    w.OnScrollingStart = scroll("scrollstart");
    w.OnScrollingEnd = scroll("scrollend");
    w.OnSwitchStart = win("switchstart");
    w.OnSwitchEnd = win("switchend");
    w.OnMinimizeStart = win("minstart");
    w.OnMinimizeEnd = win("minend");
    w.OnObjectCreate = obj("create");
    w.OnObjectDestroy = obj("destroy");
    w.OnObjectShow = obj("show");
    w.OnObjectHide = obj("hide");
    w.OnObjectReorder = obj("reorder");
    w.OnObjectFocus = obj("focus");
    w.OnObjectSelection = obj("selection");
    w.OnObjectSelectionAdd = obj("selectionadd");
    w.OnObjectSelectionRemove = obj("selectionremove");
    w.OnObjectSelectionWithin = obj("selectionwithin");
    w.OnObjectStateChange = obj("statechange");
    w.OnObjectLocationChange = obj("location");
    w.OnObjectNameChange = obj("namechange");
    w.OnObjectValueChange = obj("valuechange");
  }
};

TEST_F(WinEventTest, ActiveInstallsTheHookAndListsTheInstance) {
  TWinEvent w;
  EXPECT_FALSE(w.Active());
  EXPECT_EQ(system.hookCalls, 0);
  w.SetActive(true);
  ASSERT_EQ(system.hooks.size(), 1u);
  EXPECT_EQ(system.hooks.begin()->second, 0u) << "out of context, no skip flags";
  EXPECT_EQ(w.HookHandle(), system.hooks.begin()->first);
  EXPECT_EQ(ActiveWinEvents(), std::vector<TCustomWinEvent*>{&w});
  w.SetActive(true);
  EXPECT_EQ(system.hookCalls, 1) << "setting the same value does nothing";
  w.SetActive(false);
  EXPECT_TRUE(system.hooks.empty());
  EXPECT_TRUE(ActiveWinEvents().empty());
}

TEST_F(WinEventTest, DestructionUnhooks) {
  {
    TWinEvent w;
    w.SetActive(true);
  }
  EXPECT_TRUE(system.hooks.empty());
  EXPECT_TRUE(ActiveWinEvents().empty());
}

TEST_F(WinEventTest, AFailedHookStaysListedAndGetsNothing) {
  system.failHook = true;
  TWinEvent w;
  int calls = 0;
  w.OnWinEvent = [&](TCustomWinEvent&, std::uint32_t, WindowHandle, std::int32_t, std::int32_t, std::uint32_t,
                     std::uint32_t, bool&) { ++calls; };
  w.SetActive(true);
  EXPECT_EQ(w.HookHandle(), 0u);
  EXPECT_EQ(ActiveWinEvents().size(), 1u);
  TCustomWinEvent::HookCallback(0, 0x800B, kWindow, -9, 0, 1, 2);
  EXPECT_EQ(calls, 0);
  w.SetActive(false);
  EXPECT_EQ(system.unhookCalls, 0) << "a 0 handle is not unhooked";
}

TEST_F(WinEventTest, SkipFlagsRehookAnActiveInstanceOnceAndOnlyStoreOnAnInactiveOne) {
  TWinEvent w;
  w.SetSkipOwnThread(true);
  EXPECT_EQ(system.hookCalls, 0);
  w.SetActive(true);
  EXPECT_EQ(system.hooks.begin()->second, kWinEventSkipOwnThread);
  w.SetSkipOwnProcess(true);
  EXPECT_EQ(system.hookCalls, 2);
  EXPECT_EQ(system.unhookCalls, 1);
  ASSERT_EQ(system.hooks.size(), 1u);
  EXPECT_EQ(system.hooks.begin()->second, kWinEventSkipOwnProcess) << "SkipOwnThread is ignored with SkipOwnProcess";
  w.SetSkipOwnProcess(true);
  EXPECT_EQ(system.hookCalls, 2);
  EXPECT_TRUE(w.Active());
}

TEST_F(WinEventTest, EveryRowOfTheEventTableReachesItsTypedEvent) {
  TWinEvent w;
  RecordAll(w);
  w.SetActive(true);
  struct Row {
    std::uint32_t code;
    std::int32_t objectId;
    std::string expected;
  };
  const std::vector<Row> rows = {
      {0x03, 0, "foreground 16962"},       {0x04, -1, "menustart 16962 1"},   {0x05, -3, "menuend 16962 2"},
      {0x06, 0, "popupstart 16962"},       {0x07, 0, "popupend 16962"},       {0x08, 0, "capturestart 16962"},
      {0x09, 0, "captureend 16962"},       {0x0A, 0, "movesizestart 16962"},  {0x0B, 0, "movesizeend 16962"},
      {0x0C, 0, "helpstart 16962"},        {0x0D, 0, "helpend 16962"},        {0x12, -5, "scrollstart 16962 0"},
      {0x13, -6, "scrollend 16962 1"},     {0x14, 0, "switchstart 16962"},    {0x15, 0, "switchend 16962"},
      {0x16, 0, "minstart 16962"},         {0x17, 0, "minend 16962"},         {0x8000, -4, "create 16962 -4 3"},
      {0x8001, 0, "destroy 16962 0 3"},    {0x8002, 0, "show 16962 0 3"},     {0x8003, 0, "hide 16962 0 3"},
      {0x8004, 0, "reorder 16962 0 3"},    {0x8005, -4, "focus 16962 -4 3"},  {0x8006, 0, "selection 16962 0 3"},
      {0x8007, 0, "selectionadd 16962 0 3"}, {0x8008, 0, "selectionremove 16962 0 3"},
      {0x8009, 0, "selectionwithin 16962 0 3"}, {0x800A, 0, "statechange 16962 0 3"},
      {0x800B, -9, "location 16962 -9 3"}, {0x800C, 0, "namechange 16962 0 3"}, {0x800E, 0, "valuechange 16962 0 3"},
  };
  for (const Row& row : rows) {
    fired.clear();
    system.Raise(row.code, kWindow, row.objectId, 3);
    EXPECT_EQ(fired, std::vector<std::string>{row.expected}) << "event 0x" << std::hex << row.code;
  }
}

TEST_F(WinEventTest, CodesOutsideTheTableReachOnlyOnWinEvent) {
  TWinEvent w;
  RecordAll(w);
  std::vector<std::uint32_t> raw;
  w.OnWinEvent = [&](TCustomWinEvent& s, std::uint32_t e, WindowHandle, std::int32_t, std::int32_t, std::uint32_t t,
                     std::uint32_t time, bool&) {
    EXPECT_EQ(&s, &w);
    EXPECT_EQ(t, 7u);
    EXPECT_EQ(time, 1000u);
    raw.push_back(e);
  };
  w.SetActive(true);
  for (std::uint32_t code : {0x01u, 0x0Eu, 0x0Fu, 0x10u, 0x11u, 0x18u, 0x800Du, 0x800Fu}) system.Raise(code, kWindow, 0, 0);
  EXPECT_TRUE(fired.empty());
  EXPECT_EQ(raw.size(), 8u);
}

TEST_F(WinEventTest, EnableFalseInOnWinEventStopsTheTypedEvent) {
  TWinEvent w;
  RecordAll(w);
  w.OnWinEvent = [](TCustomWinEvent&, std::uint32_t e, WindowHandle, std::int32_t, std::int32_t, std::uint32_t,
                    std::uint32_t, bool& enable) { enable = e != 0x800B; };
  w.SetActive(true);
  system.Raise(0x800B, kWindow, -9, 0);
  EXPECT_TRUE(fired.empty());
  system.Raise(0x03, kWindow, 0, 0);
  EXPECT_EQ(fired.size(), 1u);
}

TEST_F(WinEventTest, MenuAndScrollingTypesFromTheObjectId) {
  EXPECT_EQ(MenuTypeFromObjectId(0), mtContext);
  EXPECT_EQ(MenuTypeFromObjectId(-1), mtSystem);
  EXPECT_EQ(MenuTypeFromObjectId(-3), mtWindow);
  EXPECT_EQ(MenuTypeFromObjectId(-2), mtUnknown);
  EXPECT_EQ(MenuTypeFromObjectId(1), mtUnknown);
  EXPECT_EQ(ScrollingTypeFromObjectId(-5), stVertical);
  EXPECT_EQ(ScrollingTypeFromObjectId(-6), stHorizontal);
  EXPECT_EQ(ScrollingTypeFromObjectId(0), stHorizontal);
}

TEST_F(WinEventTest, SystemAlertReadsTheMessageBoxButtonsTextAndCaption) {
  system.children[kWindow] = {
      {"Button", 1, "OK"},        {"Button", 2, "Cancel"}, {"Button", 8, "Close"}, {"Static", -1, ""},
      {"Static", 0xFFFF, "Delete the clip?"}, {"Static", 3, "second text"}, {"Edit", 9, "x"},
  };
  system.texts[kWindow] = "Tramlex Vimo";
  TWinEvent w;
  std::vector<std::string> got;
  w.OnSystemAlert = [&](TCustomWinEvent&, TSystemAlert a, WindowHandle h, const std::string& caption,
                        const std::string& text, TMsgDlgButtons buttons) {
    EXPECT_EQ(h, kWindow);
    got.push_back(std::to_string(a) + "|" + caption + "|" + text + "|" + std::to_string(buttons));
  };
  w.SetActive(true);
  system.Raise(0x02, kWindow, 0, 0x104);
  system.Raise(0x02, kWindow, 0, 0x0A);
  EXPECT_EQ(got, (std::vector<std::string>{"4|Tramlex Vimo|Delete the clip?|" + std::to_string(mbOK | mbCancel),
                                          "0|Tramlex Vimo|Delete the clip?|12"}));
}

TEST_F(WinEventTest, TwoInstancesEachGetOnlyTheEventsOfTheirOwnHook) {
  TWinEvent a, b;
  int aCalls = 0, bCalls = 0;
  a.OnObjectLocationChange = [&](TCustomWinEvent& s, WindowHandle, std::int32_t, std::int32_t) {
    EXPECT_EQ(&s, &a);
    ++aCalls;
  };
  b.OnObjectLocationChange = [&](TCustomWinEvent& s, WindowHandle, std::int32_t, std::int32_t) {
    EXPECT_EQ(&s, &b);
    ++bCalls;
  };
  a.SetActive(true);
  b.SetActive(true);
  system.RaiseFor(a.HookHandle(), 0x800B, kWindow, -9, 0);
  EXPECT_EQ(aCalls, 1);
  EXPECT_EQ(bCalls, 0);
  system.Raise(0x800B, kWindow, -9, 0);
  EXPECT_EQ(aCalls, 2);
  EXPECT_EQ(bCalls, 1);
}

}  // namespace
}  // namespace vimo
