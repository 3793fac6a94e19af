#include <gtest/gtest.h>

#include <memory>

#include "FakeComponentServices.h"
#include "components/LiteTimer.h"

namespace vimo {
namespace {

struct LiteTimerTest : ::testing::Test {
  test::ComponentServicesFixture services;
  test::FakeTimerService& system = services.timers;
};

TEST_F(LiteTimerTest, TheSharedWindowExistsExactlyWhileATimerExists) {
  EXPECT_EQ(TLiteTimerHandler::Current(), nullptr);
  {
    auto first = std::make_unique<TLiteTimer>();
    EXPECT_TRUE(system.HasTimerWindow());
    TLiteTimer second;
    EXPECT_EQ(system.windowsCreated, 1) << "every timer must share one window";
    EXPECT_EQ(TLiteTimerHandler::Current()->RefCount(), 2);
    first.reset();
    EXPECT_TRUE(system.HasTimerWindow());
  }
  EXPECT_FALSE(system.HasTimerWindow());
  EXPECT_EQ(TLiteTimerHandler::Current(), nullptr);
  TLiteTimer again;
  EXPECT_EQ(system.windowsCreated, 2);
}

TEST_F(LiteTimerTest, TicksCallTheHandlerWithTheTimerAsSender) {
  TLiteTimer* seen = nullptr;
  TLiteTimer timer(100, [&](TLiteTimer& sender) { seen = &sender; });
  timer.SetEnabled(true);
  EXPECT_EQ(timer.TimerId(), reinterpret_cast<std::uintptr_t>(&timer)) << "the id is the object's address";
  EXPECT_EQ(system.running.at(timer.TimerId()), 100u);
  system.Fire(timer.TimerId());
  EXPECT_EQ(seen, &timer);
}

TEST_F(LiteTimerTest, EnablingWithIntervalZeroDoesNotStart) {
  TLiteTimer timer(0, [](TLiteTimer&) {});
  timer.SetEnabled(true);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_FALSE(timer.Start());
  EXPECT_TRUE(system.running.empty());
}

TEST_F(LiteTimerTest, IntervalZeroSuspendsAndANonZeroIntervalResumesWithoutTouchingEnabled) {
  int ticks = 0;
  TLiteTimer timer(100, [&](TLiteTimer&) { ++ticks; });
  timer.SetEnabled(true);
  timer.SetInterval(0);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_FALSE(system.Running(timer.TimerId()));
  timer.SetInterval(100);
  EXPECT_TRUE(timer.Enabled());
  ASSERT_TRUE(system.Running(timer.TimerId()));
  system.Fire(timer.TimerId());
  EXPECT_EQ(ticks, 1);
}

TEST_F(LiteTimerTest, SettingTheSameIntervalDoesNotRestartTheCountDown) {
  TLiteTimer timer(100, [](TLiteTimer&) {});
  timer.SetEnabled(true);
  int calls = system.setTimerCalls;
  timer.SetInterval(100);
  EXPECT_EQ(system.setTimerCalls, calls);
  timer.SetInterval(200);
  EXPECT_EQ(system.setTimerCalls, calls + 1);
  EXPECT_EQ(system.running.at(timer.TimerId()), 200u);
}

TEST_F(LiteTimerTest, OneShotStopsBeforeTheHandlerRuns) {
  int ticks = 0;
  bool enabledInHandler = true;
  TLiteTimer timer(100, [&](TLiteTimer& t) {
    ++ticks;
    enabledInHandler = t.Enabled();
  });
  timer.OneShot = true;
  timer.SetEnabled(true);
  system.Fire(timer.TimerId());
  system.Fire(timer.TimerId());
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(enabledInHandler);
  EXPECT_FALSE(timer.Enabled());
}

TEST_F(LiteTimerTest, ClearingTheHandlerSuspendsAndEnablingAgainResumes) {
  int ticks = 0;
  TLiteTimer timer(100, [](TLiteTimer&) {});
  timer.SetEnabled(true);
  timer.SetOnTimer(nullptr);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_FALSE(system.Running(timer.TimerId()));
  timer.SetOnTimer([&](TLiteTimer&) { ++ticks; });
  timer.SetEnabled(true);
  system.Fire(timer.TimerId());
  EXPECT_EQ(ticks, 1);
}

TEST_F(LiteTimerTest, AFailingSetTimerLeavesTheTimerStopped) {
  TLiteTimer timer(100, [](TLiteTimer&) {});
  system.failSetTimer = true;
  EXPECT_FALSE(timer.Start());
  EXPECT_FALSE(timer.Enabled());
  EXPECT_FALSE(timer.Stop(true)) << "stopping a timer with no system timer reports false";
}

TEST_F(LiteTimerTest, ATickQueuedForADestroyedTimerIsIgnored) {
  TLiteTimer keepsWindow;
  int ticks = 0;
  auto doomed = std::make_unique<TLiteTimer>(100, [&](TLiteTimer&) { ++ticks; });
  doomed->SetEnabled(true);
  std::uintptr_t id = doomed->TimerId();
  doomed.reset();
  system.DeliverStale(id);
  EXPECT_EQ(ticks, 0);
}

TEST_F(LiteTimerTest, AHandlerMayDestroyItsOwnTimer) {
  TLiteTimer keepsWindow;
  int ticks = 0;
  TLiteTimer* timer = nullptr;
  timer = new TLiteTimer(100, [&](TLiteTimer& t) {
    ++ticks;
    delete &t;
    timer = nullptr;
  });
  timer->SetEnabled(true);
  std::uintptr_t id = timer->TimerId();
  system.Fire(id);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(timer, nullptr);
  EXPECT_FALSE(system.Running(id)) << "a destroyed timer must not leave its system timer running";
}

}  // namespace
}  // namespace vimo
