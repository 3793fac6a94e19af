#pragma once
// What the lightweight timers rely on from their message window, checked against the
// fake natively and against both it and the real window under Wine.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "platform/Timers.h"

namespace vimo::test {

struct TimerServiceParam {
  std::string name;
  std::function<std::unique_ptr<TimerService>()> make;
};
inline std::ostream& operator<<(std::ostream& os, const TimerServiceParam& p) { return os << p.name; }

class TimerServiceContract : public ::testing::TestWithParam<TimerServiceParam> {
 protected:
  void SetUp() override { service_ = GetParam().make(); }
  void TearDown() override { service_->DestroyTimerWindow(); }
  TimerService& S() { return *service_; }
  static constexpr std::uintptr_t kId = 0x4711;

 private:
  std::unique_ptr<TimerService> service_;
};

TEST_P(TimerServiceContract, NoTimerRunsWithoutTheWindow) {
  EXPECT_FALSE(S().HasTimerWindow());
  EXPECT_FALSE(S().SetTimer(kId, 100));
  EXPECT_FALSE(S().KillTimer(kId));
}

TEST_P(TimerServiceContract, KillReportsWhetherTheTimerExisted) {
  S().CreateTimerWindow([](std::uintptr_t) {});
  ASSERT_TRUE(S().HasTimerWindow());
  EXPECT_FALSE(S().KillTimer(kId));
  EXPECT_TRUE(S().SetTimer(kId, 100));
  EXPECT_TRUE(S().SetTimer(kId, 200)) << "setting an id again replaces its timer";
  EXPECT_TRUE(S().KillTimer(kId));
  EXPECT_FALSE(S().KillTimer(kId)) << "one id is one timer";
}

TEST_P(TimerServiceContract, DestroyingTheWindowEndsItsTimers) {
  S().CreateTimerWindow([](std::uintptr_t) {});
  ASSERT_TRUE(S().SetTimer(kId, 100));
  S().DestroyTimerWindow();
  EXPECT_FALSE(S().HasTimerWindow());
  S().CreateTimerWindow([](std::uintptr_t) {});
  EXPECT_FALSE(S().KillTimer(kId));
}

}  // namespace vimo::test
