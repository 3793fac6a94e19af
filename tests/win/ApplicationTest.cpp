#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ui/Application.h"

namespace vimo {
namespace {

struct ErrorSink {
  std::vector<std::string> shown;
  ErrorSink() {
    Application().Initialize();
    Application().ErrorDisplay = [this](const std::string& m) { shown.push_back(m); };
  }
  ~ErrorSink() { Application().ErrorDisplay = nullptr; }
};

struct Tracked {
  int* deleted;
  explicit Tracked(int* d) : deleted(d) {}
  ~Tracked() { ++*deleted; }
};

TEST(Application, OwnsAHiddenTopLevelWindowWithTheTitle) {
  Application().Initialize();
  Application().SetTitle("Tramlex Vimo");
  HWND h = Application().Handle();
  ASSERT_TRUE(IsWindow(h));
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(GetParent(h), nullptr);
  char text[64] = {};
  GetWindowTextA(h, text, sizeof text);
  EXPECT_STREQ(text, "Tramlex Vimo");
}

TEST(Application, ReleaseHappensAfterTheCurrentMessage) {
  int deleted = 0;
  auto* t = new Tracked(&deleted);
  Application().Release(t);
  EXPECT_EQ(deleted, 0) << "released at once instead of after the current message";
  Application().ProcessMessages();
  EXPECT_EQ(deleted, 1);
}

TEST(Application, ErrorsEscapingAHandlerReachTheDisplayAndTheLoopGoesOn) {
  ErrorSink sink;
  int ranAfter = 0;
  Application().PostDeferred([] { throw std::runtime_error("Failed to set data for 'X'"); });
  Application().PostDeferred([] { throw 42; });
  Application().PostDeferred([&] { ++ranAfter; });
  Application().ProcessMessages();
  EXPECT_EQ(sink.shown, (std::vector<std::string>{"Failed to set data for 'X'", "Unknown error"}));
  EXPECT_EQ(ranAfter, 1);
}

// Another program can post any message to our windows: the deferred-call message with
// a made-up lParam must run nothing, and the calls really deferred still run, once.
TEST(Application, APostedDeferredMessageFromOutsideRunsNothing) {
  ErrorSink sink;
  constexpr UINT kDeferred = WM_APP + 0x101;
  int ran = 0;
  Application().PostDeferred([&] { ++ran; });
  const LPARAM forged[] = {0, 1, 2, 0x41414141, static_cast<LPARAM>(0xDEADBEEF), -1};
  for (LPARAM l : forged) PostMessageA(Application().Handle(), kDeferred, 0, l);
  for (LPARAM l : forged) SendMessageA(Application().Handle(), kDeferred, 0, l);
  Application().ProcessMessages();
  EXPECT_EQ(ran, 1);
  EXPECT_TRUE(sink.shown.empty());
}

TEST(Application, DeactivationCallsTheHandler) {
  ErrorSink sink;
  int calls = 0;
  Application().OnDeactivate = [&] {
    ++calls;
    throw std::runtime_error("from ClosePopup");
  };
  SendMessageA(Application().Handle(), WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_EQ(calls, 0);
  SendMessageA(Application().Handle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(sink.shown, std::vector<std::string>{"from ClosePopup"});
  Application().OnDeactivate = nullptr;
}

}  // namespace
}  // namespace vimo
