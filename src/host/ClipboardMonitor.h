#pragma once
// Keeps the clipboard history: joins the viewer chain, captures each copied text to the
// top of ClipHistory and saves it, and checks every ten seconds that it is still in the
// chain.
#include <functional>
#include <string>
#include <vector>

#include "platform/ClipboardViewer.h"

namespace vimo {

inline constexpr unsigned kProbeInterval = 10000;  // ms between the last change and the probe
inline constexpr unsigned kFirstProbeInterval = 1;

// True when the content asks clipboard monitors to leave it alone (password managers
// and the system mark secrets this way).
bool IsExcludedFromHistory(const TClipboardContent& content);

// Puts `text` at the top of `history` (moving an entry equal but for letter case, which
// keeps its own case), then trims to `depth`. Empty text is not added, but the trim
// still happens: a lowered depth takes effect at the next capture attempt.
void AddToHistory(std::vector<std::string>& history, const std::string& text, int depth, TextCompare& compare);

// The probe timer as the monitor drives it.
class MonitorTimer {
 public:
  virtual ~MonitorTimer() = default;
  virtual void SetInterval(unsigned ms) = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

class TClipboardMonitor {
 public:
  TClipboardMonitor(ClipboardViewerSystem& system, TextCompare& compare, MonitorTimer& timer, WindowHandle host,
                    std::function<void()> saveHistoryAndState);

  void JoinViewerChain();
  void LeaveViewerChain();
  void RejoinViewerChain();

  void WMDrawClipboard();
  // Result of the message: always 0.
  long WMChangeCBChain(WindowHandle removed, WindowHandle following);
  void timClipboardTimer();

  WindowHandle NextViewer() const { return nextViewer_; }
  bool InChain() const { return joined_; }

 private:
  ClipboardViewerSystem& system_;
  TextCompare& compare_;
  MonitorTimer& timer_;
  WindowHandle host_;
  std::function<void()> save_;
  WindowHandle nextViewer_ = 0;
  bool joined_ = false;
  std::uint32_t seenSequence_ = 0;
};

}  // namespace vimo
