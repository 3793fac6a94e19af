#pragma once
// The paste's decisions: put the text on the clipboard (retrying while another program
// holds it), make sure there still is a window to paste into, and have Shift+Insert
// played, by the journal hook where the system plays it, else by sending the keys.
#include <cstdint>
#include <string>
#include <vector>

#include "clips/KeyReplay.h"

namespace vimo {

inline constexpr const char* kClipboardBusyText =
    "The clipboard is busy: another program is holding it. Nothing was pasted; please pick the text again.";

// How long the paste keeps trying to write the clipboard, and the pause between tries.
inline constexpr std::uint32_t kClipboardRetryBound = 1000;
inline constexpr std::uint32_t kClipboardRetryPause = 10;
// How long the target may take to come to the front before the keys go out anyway.
inline constexpr std::uint32_t kForegroundBound = 100;

// What the paste asks of the system.
class PasteSystem {
 public:
  virtual ~PasteSystem() = default;
  // One attempt to make the clipboard hold the text; false while another program holds it.
  virtual bool TrySetClipboard(const std::string& text) = 0;
  virtual std::uint32_t Now() = 0;
  // Waits, answering only messages other programs send us (never posted ones).
  virtual void Wait(std::uint32_t ms) = 0;
  virtual bool IsWindow(void* window) = 0;
  virtual void SetForeground(void* window) = 0;
  virtual void* Foreground() = 0;
  // Runs the pending messages once and waits briefly for more; true when the system
  // cancelled the journal meanwhile.
  virtual bool Pump() = 0;
  virtual THeldModifiers HeldModifiers() = 0;
  virtual std::uint32_t ScanCode(int virtualKey) = 0;
  virtual void SendKeys(const std::vector<TKeyEvent>& events) = 0;
  // The journal playback hook that plays `replay`; false when the system refuses it.
  virtual bool InstallJournal(TKeyReplay& replay) = 0;
  // Harmless when the system has removed it already.
  virtual void RemoveJournal() = 0;
  // Tells the user (a balloon at the tray icon).
  virtual void Notify(const std::string& text) = 0;
};

enum class TPasteResult {
  Pasted,          // the keys went out
  ClipboardBusy,   // nothing sent: the target would have pasted the old clipboard
  NoTarget,        // nothing sent: the window is gone; the text is on the clipboard
  Cancelled,       // the system cancelled the replay: the user's "stop"
};

class TPaster {
 public:
  explicit TPaster(PasteSystem& system) : system_(system) {}

  TPasteResult Paste(void* target, const std::string& text);

  // The hook procedure steps through this.
  TKeyReplay& Replay() { return replay_; }
  // Once a journal was refused or never played, every later paste sends at once.
  bool JournalDoesNotPlay() const { return journalDoesNotPlay_; }

 private:
  bool WriteClipboard(const std::string& text);
  void WaitForForeground(void* target);
  void WaitForEarlierReplay();
  TPasteResult PlayThroughJournal(std::vector<TKeyEvent> events);
  void SendRest();
  // Ends the replay without sending what is left.
  void Drop();

  PasteSystem& system_;
  TKeyReplay replay_;
  bool journalDoesNotPlay_ = false;
};

}  // namespace vimo
