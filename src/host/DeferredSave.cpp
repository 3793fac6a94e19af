#include "host/DeferredSave.h"

namespace vimo {

TDeferredSave::TDeferredSave(MonitorTimer& timer, std::function<std::uint64_t()> nowMs, std::function<void()> save)
    : timer_(timer), now_(std::move(nowMs)), save_(std::move(save)) {}

void TDeferredSave::Request() {
  const std::uint64_t now = now_();
  if (!pending_) {
    pending_ = true;
    firstAt_ = now;
  }
  const std::uint64_t waited = now - firstAt_;
  const std::uint64_t left = waited >= kSaveLatestMs ? 0 : kSaveLatestMs - waited;
  // Restarted with every change: the save follows the burst.
  timer_.SetEnabled(false);
  timer_.SetInterval(static_cast<unsigned>(left < kSaveQuietMs ? (left ? left : 1) : kSaveQuietMs));
  timer_.SetEnabled(true);
}

void TDeferredSave::Tick() { Save(); }

void TDeferredSave::Flush() { Save(); }

void TDeferredSave::Cancel() {
  pending_ = false;
  timer_.SetEnabled(false);
}

void TDeferredSave::Save() {
  timer_.SetEnabled(false);
  if (!pending_) return;
  pending_ = false;
  try {
    save_();
  } catch (...) {
    // The registry refused: the history stays in memory and the next change saves again.
  }
}

}  // namespace vimo
