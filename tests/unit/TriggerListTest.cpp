// The list of triggers a newcomer can try, read from the settings without writing them.
#include <gtest/gtest.h>

#include "ModelFixture.h"
#include "host/TriggerList.h"
#include "model/SettingsStore.h"
#include "platform/ReadOnlyRegistry.h"

namespace vimo::test {

class TriggerListTest : public ModelFixture {
 protected:
  void LoadThroughView() {
    ReadOnlyRegistry view(registry);
    Platform().registry = &view;
    InitializeModel();
    Platform().registry = &registry;
  }
  static std::string NoName(int) { return {}; }
};

TEST_F(TriggerListTest, LoadingThroughTheViewReadsStoredValuesAndWritesNothing) {
  Put("Vimo\\Mouse", "CornerDelay", "35");
  Put("Vimo\\Keys\\1", "Action", "90");
  Put("Vimo\\Keys\\1", "HotKey", std::to_string(scCtrl | scAlt | 0x75));
  Put("Vimo\\Keys", "Count", "1");
  long before = registry.writes;
  LoadThroughView();
  EXPECT_EQ(registry.writes, before);
  EXPECT_EQ(Get("Vimo", "@Path"), "<no value>");
  EXPECT_EQ(CornerDelay, 35);
  ASSERT_EQ(HotKeyList->Count(), 1);
  EXPECT_EQ(HotKeyList->ActionAt(0)->Action, 90);
}

TEST_F(TriggerListTest, AFirstRunThroughTheViewLeavesNoKeyBehind) {
  LoadThroughView();
  EXPECT_EQ(registry.writes, 0);
  EXPECT_FALSE(registry.CurrentUser()->Open("SOFTWARE\\Tramlex"));
  EXPECT_TRUE(FirstRun);
}

TEST_F(TriggerListTest, ListsHotKeysCornersAndTrayClicksThatAreSet) {
  Put("Vimo\\Keys\\1", "Action", "90");
  Put("Vimo\\Keys\\1", "HotKey", std::to_string(scCtrl | scAlt | 0x75));
  Put("Vimo\\Keys\\2", "Action", "80");  // no key: not listed
  Put("Vimo\\Keys", "Count", "2");
  LoadThroughView();
  std::string text = TriggerList(&NoName);
  EXPECT_NE(text.find("Hot keys:\n  Ctrl+Alt+F6"), std::string::npos) << text;
  EXPECT_NE(text.find("Clip Collection\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("Clip History"), std::string::npos) << text;
  EXPECT_NE(text.find("Screen corners (rest the pointer there 2.0 s):"), std::string::npos) << text;
  EXPECT_NE(text.find("Right bottom corner "), std::string::npos) << text;
  EXPECT_NE(text.find("Right click on the tray icon"), std::string::npos) << text;
}

TEST_F(TriggerListTest, SaysSoWhenNothingIsSet) {
  InitializeModel();
  HotKeyList->Clear();
  MouseActions = {};
  TrayActions = {};
  std::string text = TriggerList(&NoName);
  EXPECT_NE(text.find("Hot keys: none set"), std::string::npos) << text;
  EXPECT_NE(text.find("Screen corners: none set"), std::string::npos) << text;
  EXPECT_NE(text.find("Tray icon clicks: none set"), std::string::npos) << text;
}

}  // namespace vimo::test
