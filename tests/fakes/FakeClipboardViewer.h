#pragma once
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "FakeLetterCase.h"
#include "host/ClipboardMonitor.h"
#include "platform/ClipboardViewer.h"

namespace vimo::test {

// Records every call into the viewer chain; the clipboard is whatever the test puts in it.
class FakeClipboardViewer final : public ClipboardViewerSystem {
 public:
  TClipboardContent content;
  bool held = false;  // another program holds the clipboard open
  std::uint32_t sequence = 1;
  WindowHandle nextOnJoin = 0;
  std::vector<std::string> calls;
  int reads = 0;
  bool hasListener = true;       // the system offers AddClipboardFormatListener
  WindowHandle head = 0;         // first window of the viewer chain
  std::set<WindowHandle> hung;   // windows whose programs do not answer
  std::set<WindowHandle> dead;   // handles of windows destroyed since
  bool frozen = false;           // a call waited on a hung program without a bound
  // Runs inside SetViewer / ChangeChain / SendDrawClipboard, as messages pumped while a
  // sent message waits for its answer.
  std::function<void()> duringSetViewer, duringChangeChain, duringDraw;

  // A copy somewhere in the system.
  void Copy(const std::string& text) {
    content = TClipboardContent{text, {}, {}, false};
    ++sequence;
  }

  bool AddFormatListener(WindowHandle) override {
    calls.push_back("AddListener");
    return hasListener;
  }
  void RemoveFormatListener(WindowHandle) override { calls.push_back("RemoveListener"); }
  WindowHandle ChainHead() override { return head; }
  bool Responds(WindowHandle window) override { return !hung.count(window) && !dead.count(window); }
  bool IsWindow(WindowHandle window) override { return window != 0 && !dead.count(window); }

  WindowHandle SetViewer(WindowHandle viewer) override {
    calls.push_back("SetViewer");
    if (duringSetViewer) duringSetViewer();
    WindowHandle previous = head;
    head = viewer;
    return nextOnJoin ? nextOnJoin : (previous == viewer ? viewer : previous);
  }
  void ChangeChain(WindowHandle, WindowHandle next) override {
    calls.push_back("ChangeChain " + Name(next));
    if (hung.count(head)) frozen = true;
    if (duringChangeChain) duringChangeChain();
  }
  void SendDrawClipboard(WindowHandle to) override {
    calls.push_back("Draw->" + Name(to));
    if (duringDraw) duringDraw();
  }
  void SendChangeCBChain(WindowHandle to, WindowHandle removed, WindowHandle following) override {
    calls.push_back("Change->" + Name(to) + " " + Name(removed) + " " + Name(following));
  }
  TClipboardContent Read() override {
    ++reads;
    if (held) throw EClipboardError("Cannot open clipboard");
    return content;
  }
  std::uint32_t SequenceNumber() override { return sequence; }

  static std::string Name(WindowHandle h) { return std::to_string(h); }
};

// Letter case ignored one character for one, in the scripts the tests use.
class FakeTextCompare final : public TextCompare {
 public:
  bool EqualIgnoreCase(const std::string& a, const std::string& b) override { return CaseKey(a) == CaseKey(b); }
};

class FakeMonitorTimer final : public MonitorTimer {
 public:
  unsigned interval = kFirstProbeInterval;
  bool enabled = false;
  std::vector<std::string> calls;
  void SetInterval(unsigned ms) override {
    interval = ms;
    calls.push_back("interval " + std::to_string(ms));
  }
  void SetEnabled(bool on) override {
    enabled = on;
    calls.push_back(on ? "enable" : "disable");
  }
};

}  // namespace vimo::test
