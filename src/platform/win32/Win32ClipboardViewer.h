#pragma once
#include "platform/ClipboardViewer.h"

namespace vimo {

class Win32ClipboardViewer final : public ClipboardViewerSystem {
 public:
  // Window the clipboard is opened for (the host).
  // Without `useListener` the format listener counts as missing, as on systems before
  // Windows Vista, and the viewer chain is used.
  explicit Win32ClipboardViewer(WindowHandle owner, bool useListener = true) : owner_(owner), useListener_(useListener) {}
  bool AddFormatListener(WindowHandle window) override;
  void RemoveFormatListener(WindowHandle window) override;
  WindowHandle ChainHead() override;
  bool Responds(WindowHandle window) override;
  bool IsWindow(WindowHandle window) override;
  WindowHandle SetViewer(WindowHandle viewer) override;
  void ChangeChain(WindowHandle viewer, WindowHandle next) override;
  void SendDrawClipboard(WindowHandle to) override;
  void SendChangeCBChain(WindowHandle to, WindowHandle removed, WindowHandle following) override;
  TClipboardContent Read() override;
  std::uint32_t SequenceNumber() override;

 private:
  WindowHandle owner_;
  bool useListener_;
};

// CompareStringOrdinal ignoring case on the UTF-16 text; where the system lacks it (or
// `useOrdinal` is false), both texts in upper case compared unit by unit.
class Win32TextCompare final : public TextCompare {
 public:
  explicit Win32TextCompare(bool useOrdinal = true) : useOrdinal_(useOrdinal) {}
  bool EqualIgnoreCase(const std::string& a, const std::string& b) override;

 private:
  bool useOrdinal_;
};

}  // namespace vimo
