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
  if (!text.empty()) {
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
                                     WindowHandle host, std::function<void()> saveHistoryAndState)
    : system_(system), compare_(compare), timer_(timer), host_(host), save_(std::move(saveHistoryAndState)) {}

void TClipboardMonitor::JoinViewerChain() {
  if (nextViewer_ == host_) return;
  // Whatever changed before we were in the chain counts as seen: joining delivers the
  // current content at once.
  seenSequence_ = system_.SequenceNumber();
  joined_ = true;
  nextViewer_ = system_.SetViewer(host_);
}

void TClipboardMonitor::LeaveViewerChain() {
  system_.ChangeChain(host_, nextViewer_);
  joined_ = false;
}

void TClipboardMonitor::RejoinViewerChain() {
  LeaveViewerChain();
  JoinViewerChain();
}

void TClipboardMonitor::WMDrawClipboard() {
  timer_.SetEnabled(false);
  seenSequence_ = system_.SequenceNumber();
  try {
    TClipboardContent content = system_.Read();
    if (!IsExcludedFromHistory(content)) AddToHistory(*ClipHistory, content.text, HistoryDepth, compare_);
    save_();
  } catch (...) {
    // Another program holds the clipboard, or the registry refused: the history stays
    // as it was and the chain must still be served.
  }
  timer_.SetEnabled(true);
  if (nextViewer_ && nextViewer_ != host_) system_.SendDrawClipboard(nextViewer_);
}

long TClipboardMonitor::WMChangeCBChain(WindowHandle removed, WindowHandle following) {
  if (removed == nextViewer_) {
    nextViewer_ = following;
  } else if (nextViewer_) {
    system_.SendChangeCBChain(nextViewer_, removed, following);
  }
  return 0;
}

void TClipboardMonitor::timClipboardTimer() {
  timer_.SetInterval(kProbeInterval);
  // Not in the chain yet (the first tick), or the clipboard moved on without telling us:
  // another viewer broke the chain. Found out without touching the clipboard, so its
  // other formats survive.
  if (!joined_) {
    JoinViewerChain();
  } else if (system_.SequenceNumber() != seenSequence_) {
    RejoinViewerChain();
  }
}

}  // namespace vimo
