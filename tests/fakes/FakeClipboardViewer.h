#pragma once
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

  // A copy somewhere in the system.
  void Copy(const std::string& text) {
    content = TClipboardContent{text, {}, {}};
    ++sequence;
  }

  WindowHandle SetViewer(WindowHandle) override {
    calls.push_back("SetViewer");
    return nextOnJoin;
  }
  void ChangeChain(WindowHandle, WindowHandle next) override { calls.push_back("ChangeChain " + Name(next)); }
  void SendDrawClipboard(WindowHandle to) override { calls.push_back("Draw->" + Name(to)); }
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
