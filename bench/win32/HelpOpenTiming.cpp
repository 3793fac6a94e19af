// How long "Help" takes to show the help window: the first time (rich edit control
// loaded, help text read, window built, contents laid out and painted), again after it
// was closed, and how long showing another topic takes. Run it inside
// "wine explorer /desktop=NAME,1024x768".
#include <windows.h>

#include <cstdio>

#include "common/MedianMs.h"
#include "help/HelpTopics.h"
#include "help/win32/HelpSource.h"
#include "help/win32/HelpWindow.h"
#include "ui/Application.h"

namespace {

void Paint(HWND h) { RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }

void Close() {
  if (vimo::THelpWindow* w = vimo::THelpWindow::Current()) SendMessageW(w->Handle(), WM_CLOSE, 0, 0);
}

}  // namespace

int main() {
  vimo::Application().Initialize();
  double firstMs = vimo::bench::MedianMs(1, [] { Paint(vimo::THelpWindow::Show().Handle()); });
  Close();
  double againMs = vimo::bench::MedianMs(15, [] {
    Paint(vimo::THelpWindow::Show().Handle());
    Close();
  });
  vimo::THelpWindow& window = vimo::THelpWindow::Show();
  const auto& topics = vimo::BuiltInHelp().Topics();
  std::size_t next = 0;
  double topicMs = vimo::bench::MedianMs(static_cast<int>(topics.size()), [&] {
    window.ShowTopic(topics[next++ % topics.size()].Name);
    Paint(window.TextPane());
  });
  std::printf("first Help (rich edit loaded, text read, window built and painted): %.1f ms\n", firstMs);
  std::printf("Help again after closing it: %.1f ms median of 15\n", againMs);
  std::printf("another topic shown and painted: %.2f ms median of %zu\n", topicMs, topics.size());
  Close();
  return 0;
}
