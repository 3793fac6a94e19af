#pragma once
#include "platform/ClipboardViewer.h"

namespace vimo {

class Win32ClipboardViewer final : public ClipboardViewerSystem {
 public:
  // Window the clipboard is opened for (the host).
  explicit Win32ClipboardViewer(WindowHandle owner) : owner_(owner) {}
  WindowHandle SetViewer(WindowHandle viewer) override;
  void ChangeChain(WindowHandle viewer, WindowHandle next) override;
  void SendDrawClipboard(WindowHandle to) override;
  void SendChangeCBChain(WindowHandle to, WindowHandle removed, WindowHandle following) override;
  TClipboardContent Read() override;
  std::uint32_t SequenceNumber() override;

 private:
  WindowHandle owner_;
};

class Win32TextCompare final : public TextCompare {
 public:
  bool EqualIgnoreCase(const std::string& a, const std::string& b) override;
};

}  // namespace vimo
