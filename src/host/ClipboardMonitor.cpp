#include "host/ClipboardMonitor.h"

#include <algorithm>

#include "model/Model.h"

namespace vimo {

bool IsExcludedFromHistory(const TClipboardContent& content) {
  for (const auto& name : content.formatNames)
    if (name == "ExcludeClipboardContentFromMonitorProcessing" || name == "Clipboard Viewer Ignore") return true;
  return content.canIncludeInHistory && *content.canIncludeInHistory == 0;
}

void AddToHistory(std::vector<std::string>& history, const std::string& text, int depth, TextCompare& compare) {
  if (!text.empty() && text.size() <= kMaxHistoryText) {
    auto found = std::find_if(history.begin(), history.end(),
                              [&](const std::string& entry) { return compare.EqualIgnoreCase(entry, text); });
    if (found == history.end()) {
      history.insert(history.begin(), text);
    } else {
      std::rotate(history.begin(), found, found + 1);
    }
  }
  while (static_cast<int>(history.size()) > depth && !history.empty()) history.pop_back();
}

TClipboardMonitor::TClipboardMonitor(ClipboardViewerSystem& system, TextCompare& compare, MonitorTimer& timer,
                                     WindowHandle host, std::function<void()> historyChanged)
    : system_(system), compare_(compare), timer_(timer), host_(host), changed_(std::move(historyChanged)) {}

void TClipboardMonitor::Start() {
  if (mode_ != TMonitorMode::Off) return;
  if (system_.AddFormatListener(host_)) {
    mode_ = TMonitorMode::Listener;
    // The listener says nothing of what is there already; joining the chain would.
    Changed();
  } else {
    JoinViewerChain();
  }
}

void TClipboardMonitor::Stop() {
  if (mode_ == TMonitorMode::Listener) {
    system_.RemoveFormatListener(host_);
    mode_ = TMonitorMode::Off;
  } else if (mode_ == TMonitorMode::Chain) {
    LeaveViewerChain();
  }
  pending_ = false;
}

void TClipboardMonitor::JoinViewerChain() {
  // Whatever changed before we were in the chain counts as announced: joining delivers
  // the current content at once.
  notifiedSequence_ = system_.SequenceNumber();
  mode_ = TMonitorMode::Chain;
  timer_.SetInterval(kProbeInterval);
  WindowHandle next = system_.SetViewer(host_);
  // Joined while still in the chain, the system hands back our own window.
  nextViewer_ = ValidNextViewer(next) ? next : 0;
}

void TClipboardMonitor::LeaveViewerChain() {
  mode_ = TMonitorMode::Off;
  // ChangeClipboardChain waits without a bound for the head of the chain: a hung program
  // there would freeze the tray. Leaving is skipped then; a stale link to us is harmless,
  // since a notification coming back around is not passed on again.
  WindowHandle head = system_.ChainHead();
  if (head && head != host_ && !system_.Responds(head)) return;
  system_.ChangeChain(host_, nextViewer_);
}

void TClipboardMonitor::RejoinViewerChain() {
  LeaveViewerChain();
  JoinViewerChain();
}

void TClipboardMonitor::WMClipboardUpdate() {
  if (mode_ == TMonitorMode::Listener) Changed();
}

void TClipboardMonitor::WMDrawClipboard() {
  // Only the chain we joined sends this; anything else is another program's forgery.
  if (mode_ != TMonitorMode::Chain) return;
  if (forwarding_) return;  // our own notification come back around a looped chain
  Changed();
  if (nextViewer_ && nextViewer_ != host_) {
    forwarding_ = true;
    try {
      system_.SendDrawClipboard(nextViewer_);
    } catch (...) {
      forwarding_ = false;
      throw;
    }
    forwarding_ = false;
  }
}

long TClipboardMonitor::WMChangeCBChain(WindowHandle removed, WindowHandle following) {
  if (mode_ != TMonitorMode::Chain) return 0;
  if (removed == nextViewer_) {
    // Never ourselves (a loop) nor a window that is gone (a dead end), whoever says so.
    if (following != host_) nextViewer_ = ValidNextViewer(following) ? following : 0;
  } else if (nextViewer_) {
    system_.SendChangeCBChain(nextViewer_, removed, following);
  }
  return 0;
}

void TClipboardMonitor::timClipboardTimer() {
  // A chain call waiting on another program lets messages in, this timer's among them.
  if (inProbe_) return;
  inProbe_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{inProbe_};

  if (pending_) {
    TryCapture();
    return;
  }
  switch (mode_) {
    case TMonitorMode::Off:
      Start();
      break;
    case TMonitorMode::Listener:
      timer_.SetEnabled(false);
      break;
    case TMonitorMode::Chain:
      timer_.SetInterval(kProbeInterval);
      // The clipboard moved on without a word to us: another viewer broke the chain.
      // Found out without touching the clipboard, so its other formats survive.
      if (system_.SequenceNumber() != notifiedSequence_) RejoinViewerChain();
      break;
  }
}

void TClipboardMonitor::Changed() {
  notifiedSequence_ = system_.SequenceNumber();
  pending_ = true;
  retries_ = 0;
  TryCapture();
}

void TClipboardMonitor::TryCapture() {
  TClipboardContent content;
  try {
    content = system_.Read();
  } catch (const EClipboardError&) {
    // Another program holds the clipboard (some do while they render): the change stays
    // pending and is read again a little later, from the timer, never in a loop here.
    unsigned interval = retries_ < kFastRetries    ? kFirstRetryInterval
                        : retries_ < kQuickRetries ? kRetryInterval
                                                   : kProbeInterval;
    ++retries_;
    timer_.SetInterval(interval);
    timer_.SetEnabled(true);
    return;
  }
  pending_ = false;
  Rest();
  try {
    if (!content.oversized && !IsExcludedFromHistory(content))
      AddToHistory(*ClipHistory, content.text, HistoryDepth, compare_);
    changed_();
  } catch (...) {
    // The registry refused: the history stays as it is and the chain must still be served.
  }
}

void TClipboardMonitor::Rest() {
  if (mode_ == TMonitorMode::Chain) {
    // Restarted: the probe runs ten seconds after the last change at the earliest.
    timer_.SetEnabled(false);
    timer_.SetInterval(kProbeInterval);
    timer_.SetEnabled(true);
  } else {
    timer_.SetEnabled(false);
  }
}

bool TClipboardMonitor::ValidNextViewer(WindowHandle window) {
  return window != host_ && (window == 0 || system_.IsWindow(window));
}

}  // namespace vimo
