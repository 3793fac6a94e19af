#pragma once
// The key event queue of the paste and the replay state the journal hook drives.
#include <cstdint>
#include <functional>
#include <vector>

namespace vimo {

inline constexpr std::uint32_t kKeyDown = 0x100;
inline constexpr std::uint32_t kKeyUp = 0x101;
inline constexpr int kVkInsert = 0x2D;

struct TKeyEvent {
  std::uint32_t Message = 0;
  std::uint32_t VirtualKey = 0;
  std::uint32_t ScanCode = 0;
  std::uint32_t Time = 0;
  void* Window = nullptr;
  bool operator==(const TKeyEvent& o) const {
    return Message == o.Message && VirtualKey == o.VirtualKey && ScanCode == o.ScanCode;
  }
};

struct THeldModifiers {
  bool Ctrl = false;
  bool Alt = false;
  bool Shift = false;
};

// Shift+Insert wrapped in releasing and re-pressing the held modifiers (Ctrl, Alt,
// Shift in that order). scanCode maps a virtual key to its scan code.
std::vector<TKeyEvent> ShiftInsertEvents(THeldModifiers held,
                                         const std::function<std::uint32_t(int)>& scanCode);

// The replay the hook procedure steps through. Single-threaded: the system calls the
// hook on the thread that installed it.
class TKeyReplay {
 public:
  // False when a replay runs already or there is nothing to play.
  bool Start(std::vector<TKeyEvent> events);
  bool IsPlaying() const { return playing_; }
  bool Started() const { return started_; }
  // HC_GETNEXT: the current event stamped with the time.
  TKeyEvent Next(std::uint32_t time);
  // HC_SKIP: moves on; true when the last event has been played.
  bool Skip();
  // Ends the replay and hands back the events not yet played, in order.
  std::vector<TKeyEvent> Abandon();
  // Forgets everything (after the hook is gone).
  void Reset();

 private:
  std::vector<TKeyEvent> events_;
  std::size_t current_ = 0;
  bool playing_ = false;
  bool started_ = false;
};

// How long a journal hook may sit unplayed before the paste types the keys itself, and
// how long a started replay may take in all.
inline constexpr std::uint32_t kReplayStartBound = 250;
inline constexpr std::uint32_t kReplayTotalBound = 2000;

// Whether the paste must stop waiting for the journal and send the rest itself: it never
// started playing within the start bound, or the whole replay took too long. (A replay
// the system cancelled is the user's "stop": nothing more is sent.)
bool ReplayMustFallBack(bool started, std::uint32_t elapsedMs);

}  // namespace vimo
