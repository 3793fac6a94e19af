#pragma once
// Keeps the clipboard history: is told of every clipboard change (by the format
// listener, or where the system has none by the viewer chain, checked every ten seconds),
// captures each copied text to the top of ClipHistory and asks for it to be saved.
#include <functional>
#include <string>
#include <vector>

#include "platform/ClipboardViewer.h"

namespace vimo {

inline constexpr unsigned kProbeInterval = 10000;  // ms between the last change and the probe
inline constexpr unsigned kFirstProbeInterval = 1;
// A clipboard held by another program is read again: every 10 ms for a fifth of a second
// (the system's own clipboard users hold it briefly after each change), then every
// 100 ms up to two seconds, then at every probe interval until it can be read or changes.
inline constexpr unsigned kFirstRetryInterval = 10;
inline constexpr int kFastRetries = 20;
inline constexpr unsigned kRetryInterval = 100;
inline constexpr int kQuickRetries = kFastRetries + 18;

// True when the content asks clipboard monitors to leave it alone (password managers
// and the system mark secrets this way).
bool IsExcludedFromHistory(const TClipboardContent& content);

// Puts `text` at the top of `history` (moving an entry equal but for letter case, which
// keeps its own case), then trims to `depth`. Empty text is not added, nor is a text
// longer than kMaxHistoryText, but the trim still happens: a lowered depth takes effect
// at the next capture attempt.
void AddToHistory(std::vector<std::string>& history, const std::string& text, int depth, TextCompare& compare);

// The probe timer as the monitor drives it.
class MonitorTimer {
 public:
  virtual ~MonitorTimer() = default;
  virtual void SetInterval(unsigned ms) = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

enum class TMonitorMode { Off, Listener, Chain };

class TClipboardMonitor {
 public:
  // `historyChanged` is called after every capture attempt that read the clipboard.
  TClipboardMonitor(ClipboardViewerSystem& system, TextCompare& compare, MonitorTimer& timer, WindowHandle host,
                    std::function<void()> historyChanged);

  // Starts being told of changes: the format listener where there is one, else the
  // viewer chain. Either way the clipboard's current text is captured.
  void Start();
  // Removes the listener or leaves the chain.
  void Stop();

  void JoinViewerChain();
  void LeaveViewerChain();
  void RejoinViewerChain();

  void WMClipboardUpdate();
  void WMDrawClipboard();
  // Result of the message: always 0.
  long WMChangeCBChain(WindowHandle removed, WindowHandle following);
  void timClipboardTimer();

  TMonitorMode Mode() const { return mode_; }
  WindowHandle NextViewer() const { return nextViewer_; }
  bool InChain() const { return mode_ == TMonitorMode::Chain; }
  // A change was announced that could not be read yet.
  bool ReadPending() const { return pending_; }

 private:
  void Changed();
  void TryCapture();
  void Rest();
  bool ValidNextViewer(WindowHandle window);

  ClipboardViewerSystem& system_;
  TextCompare& compare_;
  MonitorTimer& timer_;
  WindowHandle host_;
  std::function<void()> changed_;
  TMonitorMode mode_ = TMonitorMode::Off;
  WindowHandle nextViewer_ = 0;
  std::uint32_t notifiedSequence_ = 0;
  bool pending_ = false;
  int retries_ = 0;
  bool inProbe_ = false;
  bool forwarding_ = false;
};

}  // namespace vimo
