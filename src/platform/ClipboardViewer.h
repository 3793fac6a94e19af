#pragma once
// What the clipboard monitor needs from the system: the viewer chain and a look at
// the clipboard's text.
#include <cstddef>
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
  // The text was too large to keep, so it was not even converted (`text` is empty).
  bool oversized = false;
};

// Texts longer than this (UTF-8 bytes) are not kept in the history, as the system's own
// clipboard history does not keep them either.
inline constexpr std::size_t kMaxHistoryText = 4u * 1024u * 1024u;

class ClipboardViewerSystem {
 public:
  virtual ~ClipboardViewerSystem() = default;
  // AddClipboardFormatListener: told of every change by WM_CLIPBOARDUPDATE, which no
  // other program can hold up. False where the system lacks it (found at run time).
  virtual bool AddFormatListener(WindowHandle window) = 0;
  virtual void RemoveFormatListener(WindowHandle window) = 0;
  // The first window of the viewer chain (GetClipboardViewer), 0 when there is none.
  virtual WindowHandle ChainHead() = 0;
  // The window's program answers a message within a short bound (a hung one does not).
  virtual bool Responds(WindowHandle window) = 0;
  virtual bool IsWindow(WindowHandle window) = 0;
  // SetClipboardViewer: joins the chain, returns the next viewer.
  virtual WindowHandle SetViewer(WindowHandle viewer) = 0;
  // ChangeClipboardChain: sends WM_CHANGECBCHAIN to the chain's head and waits for it
  // without a bound, so it is called only when the head responds.
  virtual void ChangeChain(WindowHandle viewer, WindowHandle next) = 0;
  // Passes the messages on with a bounded wait, so a hung viewer cannot block us.
  virtual void SendDrawClipboard(WindowHandle to) = 0;
  virtual void SendChangeCBChain(WindowHandle to, WindowHandle removed, WindowHandle following) = 0;
  // One attempt, no waiting: raises EClipboardError "Cannot open clipboard" when another
  // program holds it (the monitor tries again later).
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
