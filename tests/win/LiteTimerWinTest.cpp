#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "ComponentTestSupport.h"
#include "components/LiteTimer.h"
#include "components/win32/Win32Timers.h"

namespace vimo {
namespace {

HWND TimerWindow() { return static_cast<Win32TimerService*>(Platform().timers)->Window(); }

TEST(LiteTimerWin, TimersTickThroughOneSharedWindowThatGoesWithTheLastTimer) {
  test::RealComponentServices services;
  int aTicks = 0, bTicks = 0;
  HWND window = nullptr;
  {
    TLiteTimer a(10, [&](TLiteTimer&) { ++aTicks; });
    auto b = std::make_unique<TLiteTimer>(15, [&](TLiteTimer&) { ++bTicks; });
    window = TimerWindow();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    a.SetEnabled(true);
    b->SetEnabled(true);
    EXPECT_TRUE(test::PumpUntil([&] { return aTicks >= 3 && bTicks >= 3; }));
    b.reset();
    EXPECT_EQ(TimerWindow(), window) << "one timer still exists";
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(TLiteTimerHandler::Current(), nullptr);
}

TEST(LiteTimerWin, AOneShotTimerTicksOnceAndASuspendedOneResumes) {
  test::RealComponentServices services;
  int oneShotTicks = 0, ticks = 0, guardTicks = 0;
  TLiteTimer oneShot(5, [&](TLiteTimer&) { ++oneShotTicks; });
  oneShot.OneShot = true;
  TLiteTimer timer(5, [&](TLiteTimer&) { ++ticks; });
  TLiteTimer guard(20, [&](TLiteTimer&) { ++guardTicks; });
  oneShot.SetEnabled(true);
  timer.SetEnabled(true);
  timer.SetInterval(0);
  guard.SetEnabled(true);
  // Several guard ticks are several one-shot intervals.
  ASSERT_TRUE(test::PumpUntil([&] { return guardTicks >= 4; }));
  EXPECT_EQ(oneShotTicks, 1);
  EXPECT_FALSE(oneShot.Enabled());
  EXPECT_EQ(ticks, 0) << "an interval of 0 suspends";
  EXPECT_TRUE(timer.Enabled());
  timer.SetInterval(5);
  EXPECT_TRUE(test::PumpUntil([&] { return ticks >= 2; }));
}

TEST(LiteTimerWin, AnExceptionInATimerHandlerReachesTheErrorDisplayAndTheLoopGoesOn) {
  test::RealComponentServices services;
  int throws = 0, ticks = 0;
  TLiteTimer failing(5, [&](TLiteTimer& t) {
    t.SetEnabled(false);
    ++throws;
    throw std::runtime_error("Clipboard probe failed");
  });
  TLiteTimer steady(5, [&](TLiteTimer&) {
    if (throws) ++ticks;
  });
  failing.SetEnabled(true);
  steady.SetEnabled(true);
  ASSERT_TRUE(test::PumpUntil([&] { return ticks >= 3; }));
  EXPECT_EQ(throws, 1);
  EXPECT_EQ(services.errors, std::vector<std::string>{"Clipboard probe failed"});
}

}  // namespace
}  // namespace vimo
