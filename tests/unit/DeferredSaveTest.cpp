#include <gtest/gtest.h>

#include <stdexcept>

#include "FakeClipboardViewer.h"
#include "host/DeferredSave.h"

namespace vimo::test {
namespace {

class DeferredSaveTest : public ::testing::Test {
 protected:
  // Runs the clock forward, firing the timer whenever it is due.
  void Advance(std::uint64_t ms) {
    for (std::uint64_t end = now + ms; now < end;) {
      ++now;
      if (timer.enabled && now - armedAt >= timer.interval) {
        armedAt = now;
        saver.Tick();
      }
    }
  }
  void Request() {
    saver.Request();
    if (timer.calls.size() != seenCalls) armedAt = now;  // re-armed
    seenCalls = timer.calls.size();
  }

  FakeMonitorTimer timer;
  std::uint64_t now = 1000, armedAt = 0;
  std::size_t seenCalls = 0;
  int saves = 0;
  bool failing = false;
  TDeferredSave saver{timer, [this] { return now; }, [this] {
                        ++saves;
                        if (failing) throw std::runtime_error("Failed to set data for 'Count'");
                      }};
};

TEST_F(DeferredSaveTest, ABurstOfCopiesIsSavedOnceAfterItEnds) {
  for (int i = 0; i < 25; ++i) {
    Request();
    Advance(30);
  }
  EXPECT_EQ(saves, 0) << "a copy waited for the registry";
  Advance(kSaveQuietMs);
  EXPECT_EQ(saves, 1);
  EXPECT_FALSE(saver.Pending());
  Advance(5000);
  EXPECT_EQ(saves, 1) << "nothing new to save";
}

TEST_F(DeferredSaveTest, ASteadyStreamIsStillSavedWithinTheLatestBound) {
  std::uint64_t start = now;
  while (saves == 0 && now - start < 20000) {
    Request();
    Advance(100);
  }
  EXPECT_EQ(saves, 1);
  EXPECT_LE(now - start, kSaveLatestMs + 100);
  // Saves stay at least the quiet time apart.
  std::uint64_t firstSave = now;
  while (saves == 1 && now - firstSave < 20000) {
    Request();
    Advance(100);
  }
  EXPECT_GE(now - firstSave, kSaveQuietMs);
}

TEST_F(DeferredSaveTest, FlushSavesWhatIsPendingAndOnlyThat) {
  saver.Flush();
  EXPECT_EQ(saves, 0) << "nothing was pending: an exit writes nothing";
  Request();
  saver.Flush();
  EXPECT_EQ(saves, 1);
  EXPECT_FALSE(timer.enabled);
  Advance(kSaveLatestMs);
  EXPECT_EQ(saves, 1);
}

TEST_F(DeferredSaveTest, CancelForgetsAndAFailedSaveIsSwallowed) {
  Request();
  saver.Cancel();
  Advance(kSaveLatestMs);
  EXPECT_EQ(saves, 0);
  failing = true;
  Request();
  EXPECT_NO_THROW(Advance(kSaveQuietMs + 1));
  EXPECT_EQ(saves, 1);
  EXPECT_NO_THROW(saver.Flush());
  EXPECT_EQ(saves, 1) << "a failed save is not retried in a loop";
}

}  // namespace
}  // namespace vimo::test
