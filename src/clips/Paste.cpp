#include "clips/Paste.h"

#include <utility>

namespace vimo {

bool TPaster::WriteClipboard(const std::string& text) {
  // Programs that render slowly hold the clipboard for a few hundred milliseconds.
  const std::uint32_t start = system_.Now();
  for (;;) {
    if (system_.TrySetClipboard(text)) return true;
    if (system_.Now() - start >= kClipboardRetryBound) return false;
    system_.Wait(kClipboardRetryPause);
  }
}

void TPaster::WaitForForeground(void* target) {
  // Keys sent before the target is in front would go to the window that still is.
  const std::uint32_t start = system_.Now();
  while (system_.Foreground() != target && system_.Now() - start < kForegroundBound)
    system_.Wait(kClipboardRetryPause);
}

void TPaster::WaitForEarlierReplay() {
  // A replay of an earlier paste still running (a paste from inside the pump) ends first.
  const std::uint32_t start = system_.Now();
  while (replay_.IsPlaying()) {
    if (system_.Pump()) Drop();
    else if (ReplayMustFallBack(true, system_.Now() - start)) SendRest();
  }
}

void TPaster::Drop() {
  system_.RemoveJournal();
  replay_.Abandon();
}

void TPaster::SendRest() {
  system_.RemoveJournal();
  system_.SendKeys(replay_.Abandon());
}

TPasteResult TPaster::PlayThroughJournal(std::vector<TKeyEvent> events) {
  if (journalDoesNotPlay_) {
    // Known for this process: waiting for the journal only delays the paste.
    system_.SendKeys(events);
    return TPasteResult::Pasted;
  }
  if (!replay_.Start(std::move(events))) return TPasteResult::Pasted;
  if (!system_.InstallJournal(replay_)) {
    journalDoesNotPlay_ = true;  // refused: current Windows, no UI access
    SendRest();
    return TPasteResult::Pasted;
  }
  const std::uint32_t start = system_.Now();
  while (replay_.IsPlaying()) {
    if (system_.Pump()) {
      // The user pressed Ctrl+Esc or Ctrl+Alt+Del: the rest would go to whatever
      // window is in front now.
      Drop();
      return TPasteResult::Cancelled;
    }
    if (ReplayMustFallBack(replay_.Started(), system_.Now() - start)) {
      // Installed but never played (Wine, Windows 11): it will not play later either.
      if (!replay_.Started()) journalDoesNotPlay_ = true;
      SendRest();
      break;
    }
  }
  return TPasteResult::Pasted;
}

TPasteResult TPaster::Paste(void* target, const std::string& text) {
  if (!WriteClipboard(text)) {
    // Shift+Insert now would paste what the clipboard held before.
    system_.Notify(kClipboardBusyText);
    return TPasteResult::ClipboardBusy;
  }
  // Closed meanwhile: keys now would go to whatever window is in front. The text
  // stays on the clipboard for a paste by hand.
  if (!system_.IsWindow(target)) return TPasteResult::NoTarget;
  system_.SetForeground(target);
  WaitForForeground(target);
  auto events = ShiftInsertEvents(system_.HeldModifiers(), [this](int vk) { return system_.ScanCode(vk); });
  WaitForEarlierReplay();
  return PlayThroughJournal(std::move(events));
}

}  // namespace vimo
