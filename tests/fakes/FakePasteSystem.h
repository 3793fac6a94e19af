#pragma once
// The paste's system as a simulated one: a clock that only waiting moves, a clipboard
// another program may hold until a given time, windows that live or are gone, and a
// journal hook that plays, never plays, is refused or is cancelled part way.
#include <set>
#include <string>
#include <vector>

#include "clips/Paste.h"

namespace vimo::test {

class FakePasteSystem final : public PasteSystem {
 public:
  enum class Journal { Plays, NeverPlays, Refused, CancelledAfter };

  // The program's replay, driven the way the system drives the hook.
  TKeyReplay* replay = nullptr;
  Journal journal = Journal::Plays;
  int cancelAfterEvents = 0;  // for CancelledAfter: events played before the cancel
  std::uint32_t clipboardHeldUntil = 0;
  std::uint32_t foregroundDelay = 0;  // how long a window takes to come to the front
  std::set<void*> windows;

  std::uint32_t now = 0;
  std::string clipboard = "old text";
  int clipboardTries = 0;
  int journalInstalls = 0;
  std::vector<TKeyEvent> played;  // through the journal
  std::vector<TKeyEvent> sent;    // through SendInput
  int sendCalls = 0;
  std::vector<std::string> notices;
  THeldModifiers held;
  void* foreground = nullptr;

  bool TrySetClipboard(const std::string& text) override {
    ++clipboardTries;
    if (now < clipboardHeldUntil) return false;
    clipboard = text;
    return true;
  }
  std::uint32_t Now() override { return now; }
  void Wait(std::uint32_t ms) override { Advance(ms); }
  bool IsWindow(void* window) override { return windows.count(window) != 0; }
  void SetForeground(void* window) override {
    asked_ = window;
    askedAt_ = now;
    Advance(0);
  }
  void* Foreground() override { return foreground; }
  bool Pump() override {
    Advance(10);
    if (!hooked_) return false;
    switch (journal) {
      case Journal::Plays:
        PlayAll(-1);
        return false;
      case Journal::CancelledAfter:
        PlayAll(cancelAfterEvents);
        hooked_ = false;  // the system removes the hook and posts the cancel
        return true;
      default:
        return false;
    }
  }
  THeldModifiers HeldModifiers() override { return held; }
  std::uint32_t ScanCode(int vk) override { return static_cast<std::uint32_t>(vk) + 0x100; }
  void SendKeys(const std::vector<TKeyEvent>& events) override {
    ++sendCalls;
    sent.insert(sent.end(), events.begin(), events.end());
  }
  bool InstallJournal(TKeyReplay&) override {
    ++journalInstalls;
    if (journal == Journal::Refused) return false;
    hooked_ = true;
    return true;
  }
  void RemoveJournal() override { hooked_ = false; }
  void Notify(const std::string& text) override { notices.push_back(text); }

  // Every key that reached the target, in the order it did.
  std::vector<TKeyEvent> Typed() const {
    std::vector<TKeyEvent> all = played;
    all.insert(all.end(), sent.begin(), sent.end());
    return all;
  }

 private:
  void Advance(std::uint32_t ms) {
    now += ms;
    if (asked_ && now - askedAt_ >= foregroundDelay) foreground = asked_;
  }
  void PlayAll(int limit) {
    for (int n = 0; replay && replay->IsPlaying() && (limit < 0 || n < limit); ++n) {
      played.push_back(replay->Next(now));
      if (replay->Skip()) hooked_ = false;
    }
  }
  bool hooked_ = false;
  void* asked_ = nullptr;
  std::uint32_t askedAt_ = 0;
};

}  // namespace vimo::test
