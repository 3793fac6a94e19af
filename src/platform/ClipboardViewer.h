#pragma once
// What the clipboard monitor needs from the system: the viewer chain and a look at
// the clipboard's text.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vimo {

using WindowHandle = std::uintptr_t;  // HWND as a number

class EClipboardError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The clipboard as one look sees it.
struct TClipboardContent {
  std::string text;                       // CF_UNICODETEXT up to its NUL, as UTF-8; empty when there is none
  std::vector<std::string> formatNames;   // names of the registered formats present
  // Data of "CanIncludeInClipboardHistory" when present (a DWORD).
  std::optional<std::uint32_t> canIncludeInHistory;
};

class ClipboardViewerSystem {
 public:
  virtual ~ClipboardViewerSystem() = default;
  // SetClipboardViewer: joins the chain, returns the next viewer.
  virtual WindowHandle SetViewer(WindowHandle viewer) = 0;
  virtual void ChangeChain(WindowHandle viewer, WindowHandle next) = 0;
  // Passes the messages on with a bounded wait, so a hung viewer cannot block us.
  virtual void SendDrawClipboard(WindowHandle to) = 0;
  virtual void SendChangeCBChain(WindowHandle to, WindowHandle removed, WindowHandle following) = 0;
  // Raises EClipboardError "Cannot open clipboard" when another program holds it.
  virtual TClipboardContent Read() = 0;
  // GetClipboardSequenceNumber: moves on with every change of the clipboard.
  virtual std::uint32_t SequenceNumber() = 0;
};

// Equality without regard to letter case, character by character (no language's
// rules: "Maße" is not "Masse").
class TextCompare {
 public:
  virtual ~TextCompare() = default;
  virtual bool EqualIgnoreCase(const std::string& a, const std::string& b) = 0;
};

}  // namespace vimo
