#include <gtest/gtest.h>

#include "FakeClipboardViewer.h"
#include "ModelFixture.h"
#include "host/ClipboardMonitor.h"

namespace vimo::test {
namespace {

using History = std::vector<std::string>;

TEST(ClipboardHistory, CaseInsensitiveMoveKeepsTheStoredCase) {
  FakeTextCompare cmp;
  History h;
  AddToHistory(h, "HELLO", 20, cmp);
  AddToHistory(h, "hello", 20, cmp);
  EXPECT_EQ(h, History{"HELLO"});

  h = {"one", "two", "Three", "four"};
  AddToHistory(h, "three", 20, cmp);
  EXPECT_EQ(h, (History{"Three", "one", "two", "four"}));
}

TEST(ClipboardHistory, DepthTrimsTheOldestAlsoWithoutNewText) {
  FakeTextCompare cmp;
  History h = {"5", "4", "3", "2", "1"};
  AddToHistory(h, "6", 5, cmp);
  EXPECT_EQ(h, (History{"6", "5", "4", "3", "2"}));
  AddToHistory(h, "", 3, cmp);
  EXPECT_EQ(h, (History{"6", "5", "4"}));
  AddToHistory(h, "line one\r\n  line two  ", 3, cmp);  // kept whole, nothing trimmed
  EXPECT_EQ(h.front(), "line one\r\n  line two  ");
}

TEST(ClipboardHistory, ExclusionFormatsMarkSecrets) {
  EXPECT_FALSE(IsExcludedFromHistory({"pw", {"Rich Text Format"}, {}}));
  EXPECT_TRUE(IsExcludedFromHistory({"pw", {"ExcludeClipboardContentFromMonitorProcessing"}, {}}));
  EXPECT_TRUE(IsExcludedFromHistory({"pw", {"Clipboard Viewer Ignore"}, {}}));
  EXPECT_TRUE(IsExcludedFromHistory({"pw", {"CanIncludeInClipboardHistory"}, 0u}));
  EXPECT_FALSE(IsExcludedFromHistory({"pw", {"CanIncludeInClipboardHistory"}, 1u}));
}

class ClipboardMonitorTest : public ModelFixture {
 protected:
  void SetUp() override {
    ModelFixture::SetUp();
    InitializeModel();
    viewer.nextOnJoin = next;
  }
  TClipboardMonitor Make() {
    return TClipboardMonitor(viewer, cmp, timer, host, [this] { ++saves; });
  }

  FakeClipboardViewer viewer;
  FakeTextCompare cmp;
  FakeMonitorTimer timer;
  WindowHandle host = WindowHandle{100};
  WindowHandle next = WindowHandle{200};
  int saves = 0;
};

TEST_F(ClipboardMonitorTest, FirstTickJoinsAndLaterTicksLeaveAnIntactChainAlone) {
  auto m = Make();
  m.timClipboardTimer();
  EXPECT_EQ(timer.interval, kProbeInterval);
  EXPECT_EQ(viewer.calls, std::vector<std::string>{"SetViewer"});
  EXPECT_EQ(m.NextViewer(), next);
  m.WMDrawClipboard();  // the join's own notification
  viewer.calls.clear();
  m.timClipboardTimer();
  m.timClipboardTimer();
  EXPECT_TRUE(viewer.calls.empty());
  EXPECT_EQ(viewer.reads, 1) << "the probe must not touch the clipboard";
}

TEST_F(ClipboardMonitorTest, ProbeRejoinsWhenAChangeWasMissed) {
  auto m = Make();
  m.timClipboardTimer();
  m.WMDrawClipboard();
  viewer.calls.clear();
  viewer.Copy("copied while we were out of the chain");
  m.timClipboardTimer();
  EXPECT_EQ(viewer.calls, (std::vector<std::string>{"ChangeChain 200", "SetViewer"}));
  m.WMDrawClipboard();  // sent by joining
  EXPECT_EQ(ClipHistory->front(), "copied while we were out of the chain");
  viewer.calls.clear();
  m.timClipboardTimer();
  EXPECT_TRUE(viewer.calls.empty());
}

TEST_F(ClipboardMonitorTest, CaptureSavesRestartsTheProbeAndPassesTheChangeOn) {
  auto m = Make();
  m.timClipboardTimer();
  timer.calls.clear();
  viewer.Copy("HELLO");
  m.WMDrawClipboard();
  viewer.Copy("hello");
  m.WMDrawClipboard();
  EXPECT_EQ(*ClipHistory, History{"HELLO"});
  EXPECT_EQ(saves, 2);
  EXPECT_EQ(timer.calls, (std::vector<std::string>{"disable", "enable", "disable", "enable"}));
  EXPECT_EQ(viewer.calls.back(), "Draw->200");

  viewer.content = TClipboardContent{};  // a picture only: nothing to capture, still saved
  m.WMDrawClipboard();
  EXPECT_EQ(saves, 3);
  EXPECT_EQ(ClipHistory->size(), 1u);
}

TEST_F(ClipboardMonitorTest, SecretsAndABusyClipboardAreNotCaptured) {
  auto m = Make();
  m.timClipboardTimer();
  viewer.content = TClipboardContent{"hunter2", {"ExcludeClipboardContentFromMonitorProcessing"}, {}};
  m.WMDrawClipboard();
  EXPECT_TRUE(ClipHistory->empty());

  viewer.Copy("text");
  viewer.held = true;
  viewer.calls.clear();
  timer.calls.clear();
  int savesBefore = saves;
  m.WMDrawClipboard();
  EXPECT_TRUE(ClipHistory->empty());
  EXPECT_EQ(saves, savesBefore);
  EXPECT_EQ(timer.calls.back(), "enable");
  EXPECT_EQ(viewer.calls, std::vector<std::string>{"Draw->200"});
}

TEST_F(ClipboardMonitorTest, AFailedSaveIsSwallowedAndTheChainStillServed) {
  TClipboardMonitor m(viewer, cmp, timer, host, [] { throw std::runtime_error("Failed to set data for 'Count'"); });
  m.timClipboardTimer();
  viewer.Copy("x");
  viewer.calls.clear();
  EXPECT_NO_THROW(m.WMDrawClipboard());
  EXPECT_EQ(viewer.calls, std::vector<std::string>{"Draw->200"});
}

TEST_F(ClipboardMonitorTest, ChainChangesAreFollowedOrPassedOn) {
  auto m = Make();
  m.timClipboardTimer();
  auto other = WindowHandle{300};
  auto after = WindowHandle{400};
  viewer.calls.clear();
  EXPECT_EQ(m.WMChangeCBChain(other, after), 0);
  EXPECT_EQ(viewer.calls, std::vector<std::string>{"Change->200 300 400"});
  EXPECT_EQ(m.WMChangeCBChain(next, after), 0);
  EXPECT_EQ(m.NextViewer(), after);
  EXPECT_EQ(m.WMChangeCBChain(after, 0), 0);
  EXPECT_EQ(m.NextViewer(), 0u);
  viewer.calls.clear();
  m.WMChangeCBChain(other, after);  // last in the chain: nobody to tell
  viewer.Copy("y");
  m.WMDrawClipboard();
  EXPECT_TRUE(viewer.calls.empty());
}

TEST_F(ClipboardMonitorTest, LeavingTheChainKeepsNextViewerAndTheNextJoinRejoins) {
  auto m = Make();
  m.timClipboardTimer();
  m.LeaveViewerChain();
  EXPECT_EQ(m.NextViewer(), next);
  EXPECT_FALSE(m.InChain());
  viewer.calls.clear();
  m.timClipboardTimer();
  EXPECT_EQ(viewer.calls, std::vector<std::string>{"SetViewer"});
}

}  // namespace
}  // namespace vimo::test
