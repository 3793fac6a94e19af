#pragma once
// Saving the history after a copy, coalesced: a burst of copies is saved once, after
// the burst, so that copying never waits for the registry. The last state is always
// saved, at the latest a few seconds after the first unsaved change, and at exit.
#include <cstdint>
#include <functional>

#include "host/ClipboardMonitor.h"

namespace vimo {

inline constexpr unsigned kSaveQuietMs = 500;   // saved once no change came for this long
inline constexpr unsigned kSaveLatestMs = 5000;  // ... but no later than this after the first

class TDeferredSave {
 public:
  TDeferredSave(MonitorTimer& timer, std::function<std::uint64_t()> nowMs, std::function<void()> save);

  // Something changed that is to be saved.
  void Request();
  // The timer: saves what is pending. An error of the save is swallowed (the next
  // change saves again).
  void Tick();
  // Saves what is pending now (the program ends).
  void Flush();
  // Forgets what is pending (it was saved another way).
  void Cancel();
  bool Pending() const { return pending_; }

 private:
  void Save();

  MonitorTimer& timer_;
  std::function<std::uint64_t()> now_;
  std::function<void()> save_;
  bool pending_ = false;
  std::uint64_t firstAt_ = 0;
};

}  // namespace vimo
