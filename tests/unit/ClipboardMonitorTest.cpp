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

TEST(ClipboardHistory, TextsAboveFourMegabytesAreNotKept) {
  FakeTextCompare cmp;
  History h = {"old"};
  AddToHistory(h, std::string(kMaxHistoryText + 1, 'x'), 20, cmp);
  ASSERT_EQ(h.size(), 1u) << "a text above the limit was kept";
  AddToHistory(h, std::string(kMaxHistoryText, 'x'), 20, cmp);
  EXPECT_EQ(h.size(), 2u);
  EXPECT_EQ(h.front().size(), kMaxHistoryText);
}

// The viewer chain: where the system has no format listener.
class ClipboardMonitorTest : public ModelFixture {
 protected:
  void SetUp() override {
    ModelFixture::SetUp();
    InitializeModel();
    viewer.nextOnJoin = next;
    viewer.hasListener = false;
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
  EXPECT_EQ(viewer.calls, (std::vector<std::string>{"AddListener", "SetViewer"}));
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
  EXPECT_EQ(timer.calls, (std::vector<std::string>{"disable", "interval 10000", "enable", "disable", "interval 10000",
                                                   "enable"}));
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
  EXPECT_EQ(viewer.calls, (std::vector<std::string>{"AddListener", "SetViewer"}));
}

TEST_F(ClipboardMonitorTest, AHungHeadOfTheChainIsNeverWaitedFor) {
  auto m = Make();
  m.timClipboardTimer();
  m.WMDrawClipboard();
  // A program joins after us, so it heads the chain, and hangs: changes stop reaching us.
  WindowHandle hungViewer{300};
  viewer.head = hungViewer;
  viewer.hung.insert(hungViewer);
  viewer.nextOnJoin = hungViewer;
  viewer.Copy("copied behind the hung viewer");
  viewer.calls.clear();
  m.timClipboardTimer();
  EXPECT_FALSE(viewer.frozen) << "ChangeClipboardChain waited on the hung program";
  EXPECT_EQ(viewer.calls, std::vector<std::string>{"SetViewer"}) << "back at the head of the chain";
  EXPECT_EQ(m.NextViewer(), hungViewer);
  m.WMDrawClipboard();
  EXPECT_EQ(ClipHistory->front(), "copied behind the hung viewer");
}

TEST_F(ClipboardMonitorTest, TheProbeDoesNotRunInsideItself) {
  auto m = Make();
  m.timClipboardTimer();
  m.WMDrawClipboard();
  viewer.Copy("missed");
  int nested = 0;
  // A right click on the tray while the chain call waits runs the timer again.
  viewer.duringChangeChain = [&] {
    ++nested;
    m.timClipboardTimer();
  };
  viewer.duringSetViewer = [&] { m.timClipboardTimer(); };
  viewer.calls.clear();
  m.timClipboardTimer();
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(viewer.calls, (std::vector<std::string>{"ChangeChain 200", "SetViewer"}));
}

TEST_F(ClipboardMonitorTest, OurOwnWindowIsNeverTheNextViewerAndADroppedMonitorRejoins) {
  viewer.nextOnJoin = host;  // joined twice: the system hands our own window back
  auto m = Make();
  m.timClipboardTimer();
  EXPECT_EQ(m.NextViewer(), 0u);
  viewer.calls.clear();
  viewer.Copy("a");
  m.WMDrawClipboard();
  EXPECT_EQ(viewer.calls, std::vector<std::string>{}) << "a notification sent to ourselves";

  // Dropped from the chain: the clipboard moves on without a word to us.
  viewer.nextOnJoin = next;
  viewer.head = next;
  viewer.Copy("b");
  viewer.calls.clear();
  m.timClipboardTimer();
  EXPECT_EQ(viewer.calls.back(), "SetViewer");
  EXPECT_EQ(m.NextViewer(), next);
}

TEST_F(ClipboardMonitorTest, ANotificationComingBackAroundIsNotPassedOnAgain) {
  auto m = Make();
  m.timClipboardTimer();
  int draws = 0;
  // The chain loops back to us: the next viewer sends the change to us while we send it.
  viewer.duringDraw = [&] {
    if (++draws < 5) m.WMDrawClipboard();
  };
  viewer.Copy("round");
  m.WMDrawClipboard();
  EXPECT_EQ(draws, 1);
  EXPECT_EQ(ClipHistory->front(), "round");
}

TEST_F(ClipboardMonitorTest, AForgedChainChangeCannotCutUsOff) {
  auto m = Make();
  m.timClipboardTimer();
  m.WMDrawClipboard();
  // Names our next viewer as removed, followed by ourselves or by a window that is gone.
  m.WMChangeCBChain(next, host);
  EXPECT_NE(m.NextViewer(), host);
  WindowHandle gone{700};
  viewer.dead.insert(gone);
  m.WMChangeCBChain(next, gone);
  EXPECT_NE(m.NextViewer(), gone);
  viewer.calls.clear();
  viewer.Copy("still recorded");
  m.WMDrawClipboard();
  EXPECT_EQ(ClipHistory->front(), "still recorded");
  for (const auto& call : viewer.calls) EXPECT_NE(call, "Draw->" + FakeClipboardViewer::Name(host));
  // And the probe still brings us back when the chain is broken.
  viewer.Copy("missed");
  viewer.calls.clear();
  m.timClipboardTimer();
  EXPECT_EQ(viewer.calls.back(), "SetViewer");
}

TEST_F(ClipboardMonitorTest, AHeldClipboardInTheChainIsReadAgainWithoutRejoining) {
  auto m = Make();
  m.timClipboardTimer();
  viewer.held = true;
  viewer.Copy("rendered slowly");
  m.WMDrawClipboard();
  viewer.calls.clear();
  for (int i = 0; i < 3; ++i) m.timClipboardTimer();
  EXPECT_TRUE(viewer.calls.empty()) << "the change was announced: the chain is whole";
  viewer.held = false;
  m.timClipboardTimer();
  ASSERT_EQ(*ClipHistory, History{"rendered slowly"});
  EXPECT_EQ(timer.interval, kProbeInterval);
  EXPECT_TRUE(timer.enabled);
}

// The format listener, wherever the system has it.
class ClipboardListenerTest : public ClipboardMonitorTest {
 protected:
  void SetUp() override {
    ClipboardMonitorTest::SetUp();
    viewer.hasListener = true;
  }
};

TEST_F(ClipboardListenerTest, ListensInsteadOfJoiningTheChainAndCapturesTheCurrentText) {
  viewer.Copy("there at start");
  auto m = Make();
  m.timClipboardTimer();
  EXPECT_EQ(viewer.calls, std::vector<std::string>{"AddListener"});
  EXPECT_EQ(m.Mode(), TMonitorMode::Listener);
  EXPECT_EQ(*ClipHistory, History{"there at start"});
  EXPECT_FALSE(timer.enabled) << "nothing to probe";

  viewer.Copy("next");
  m.WMClipboardUpdate();
  EXPECT_EQ(ClipHistory->front(), "next");
  EXPECT_EQ(saves, 2);
  viewer.calls.clear();
  m.timClipboardTimer();
  m.WMDrawClipboard();  // not in any chain: a forged message
  EXPECT_EQ(m.WMChangeCBChain(next, 300), 0);
  EXPECT_TRUE(viewer.calls.empty());
  EXPECT_EQ(saves, 2);
}

TEST_F(ClipboardListenerTest, StopRemovesTheListenerAndStartAddsItAgain) {
  auto m = Make();
  m.Start();
  viewer.calls.clear();
  m.Stop();
  EXPECT_EQ(viewer.calls, std::vector<std::string>{"RemoveListener"});
  EXPECT_EQ(m.Mode(), TMonitorMode::Off);
  viewer.Copy("while off");
  int before = saves;
  m.WMClipboardUpdate();  // already queued when we stopped
  EXPECT_EQ(saves, before);
  EXPECT_NE(ClipHistory->empty() ? "" : ClipHistory->front(), "while off");
  m.timClipboardTimer();
  EXPECT_EQ(m.Mode(), TMonitorMode::Listener);
}

TEST_F(ClipboardListenerTest, AClipboardHeldAfterTheChangeIsReadAgainLaterNotLost) {
  auto m = Make();
  m.Start();
  viewer.held = true;
  viewer.Copy("held for a second");
  m.WMClipboardUpdate();
  EXPECT_TRUE(m.ReadPending());
  EXPECT_TRUE(timer.enabled);
  EXPECT_EQ(timer.interval, kFirstRetryInterval);
  for (int i = 1; i < kFastRetries; ++i) m.timClipboardTimer();
  EXPECT_EQ(timer.interval, kFirstRetryInterval);
  m.timClipboardTimer();
  EXPECT_EQ(timer.interval, kRetryInterval);
  for (int i = kFastRetries + 1; i <= kQuickRetries; ++i) m.timClipboardTimer();
  EXPECT_EQ(timer.interval, kProbeInterval) << "after two seconds the retries slow down";
  EXPECT_TRUE(timer.enabled);
  int before = saves;
  EXPECT_TRUE(ClipHistory->empty());
  viewer.held = false;
  m.timClipboardTimer();
  EXPECT_FALSE(m.ReadPending());
  EXPECT_EQ(*ClipHistory, History{"held for a second"});
  EXPECT_EQ(saves, before + 1);
  EXPECT_FALSE(timer.enabled);
}

TEST_F(ClipboardListenerTest, AnOversizedTextIsNotKeptButTheChangeIsHandled) {
  auto m = Make();
  m.Start();
  viewer.Copy("");
  viewer.content.oversized = true;
  int before = saves;
  m.WMClipboardUpdate();
  EXPECT_TRUE(ClipHistory->empty());
  EXPECT_EQ(saves, before + 1);
  EXPECT_FALSE(m.ReadPending());
}

}  // namespace
}  // namespace vimo::test
