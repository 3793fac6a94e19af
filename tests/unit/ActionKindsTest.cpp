#include <gtest/gtest.h>

#include <set>

#include "FakeSystem.h"
#include "model/ActionKinds.h"
#include "platform/Platform.h"

namespace vimo {
namespace {

TEST(ActionKinds, TableIdsAreUniqueAndOnlyClipKindsAreHiddenFromTray) {
  std::set<int> ids;
  for (const auto& k : ActionKinds) {
    EXPECT_TRUE(ids.insert(k.Id).second) << k.Name;
    EXPECT_EQ(k.ForTray, k.Id != akClipHistory && k.Id != akClipCollection) << k.Name;
  }
  EXPECT_EQ(ActionKinds.front().Id, akCalendar);
  EXPECT_EQ(ActionKinds.back().Id, akCloseCdRom);
  EXPECT_EQ(FindActionKind(1300), nullptr);
  EXPECT_EQ(FindActionKind(0), nullptr);
  EXPECT_STREQ(FindActionKind(1522)->Name, "Turn Off Dialog");
}

TEST(ActionKinds, NamesLeaveTheStringAloneOutOfRange) {
  std::string s = "keep";
  EXPECT_FALSE(CornerName(0, s));
  EXPECT_FALSE(CornerName(5, s));
  EXPECT_FALSE(MouseModifierName(6, s));
  EXPECT_FALSE(TrayModifierName(-1, s));
  EXPECT_EQ(s, "keep");
  EXPECT_TRUE(CornerName(4, s));
  EXPECT_EQ(s, "RightBottom");
  EXPECT_TRUE(MouseModifierName(4, s));
  EXPECT_EQ(s, "AltControl");
  EXPECT_TRUE(TrayModifierName(4, s));
  EXPECT_EQ(s, "ControlAlt");
}

struct Held {
  bool ctrl, alt, shift;
  std::optional<int> mouse;
  int tray;
};

TEST(ActionKinds, ModifierSlotsForEveryKeyCombination) {
  const Held cases[] = {
      {false, false, false, 0, 0}, {true, false, false, 1, 1},  {false, false, true, 2, 3},
      {true, false, true, 3, 5},   {true, true, false, 4, 4},   {false, true, true, 5, 6},
      {true, true, true, 3, 7},    {false, true, false, std::nullopt, 2},
  };
  test::FakeKeyboardState keyboard;
  PlatformServices saved = Platform();
  Platform().keyboard = &keyboard;
  for (const auto& c : cases) {
    keyboard.held.clear();
    if (c.ctrl) keyboard.held.insert(kVkControl);
    if (c.alt) keyboard.held.insert(kVkMenu);
    if (c.shift) keyboard.held.insert(kVkShift);
    SCOPED_TRACE(testing::Message() << c.ctrl << c.alt << c.shift);
    EXPECT_EQ(MouseModifier(), c.mouse);
    EXPECT_EQ(TrayModifier(), c.tray);
  }
  Platform() = saved;
}

TEST(ActionKinds, Captions) {
  TActionRecord r;
  EXPECT_EQ(ActionCaption(r), "");
  r.Action = 1300;
  EXPECT_EQ(ActionCaption(r), "Unknown");
  r.Action = akPrintersAndFaxes;
  EXPECT_EQ(ActionCaption(r), "Printers And Faxes");
  r.Comment = "Mine";
  EXPECT_EQ(ActionCaption(r), "Mine");
  r.Action = 0;
  EXPECT_EQ(ActionCaption(r), "Mine");
}

}  // namespace
}  // namespace vimo
