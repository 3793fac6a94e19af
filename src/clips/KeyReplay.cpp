#include "clips/KeyReplay.h"

#include <utility>

#include "platform/System.h"

namespace vimo {

std::vector<TKeyEvent> ShiftInsertEvents(THeldModifiers held,
                                         const std::function<std::uint32_t(int)>& scanCode) {
  std::vector<TKeyEvent> q;
  auto add = [&](std::uint32_t message, int vk) {
    TKeyEvent e;
    e.Message = message;
    e.VirtualKey = static_cast<std::uint32_t>(vk);
    e.ScanCode = scanCode(vk);
    q.push_back(e);
  };
  const std::pair<bool, int> mods[3] = {{held.Ctrl, kVkControl}, {held.Alt, kVkMenu}, {held.Shift, kVkShift}};
  for (auto [down, vk] : mods)
    if (down) add(kKeyUp, vk);
  add(kKeyDown, kVkShift);
  add(kKeyDown, kVkInsert);
  add(kKeyUp, kVkInsert);
  add(kKeyUp, kVkShift);
  for (auto [down, vk] : mods)
    if (down) add(kKeyDown, vk);
  return q;
}

bool TKeyReplay::Start(std::vector<TKeyEvent> events) {
  if (playing_ || events.empty()) return false;
  events_ = std::move(events);
  current_ = 0;
  playing_ = true;
  started_ = false;
  return true;
}

TKeyEvent TKeyReplay::Next(std::uint32_t time) {
  started_ = true;
  if (current_ >= events_.size()) return {};
  events_[current_].Time = time;
  return events_[current_];
}

bool TKeyReplay::Skip() {
  started_ = true;
  if (current_ < events_.size()) ++current_;
  if (current_ < events_.size()) return false;
  playing_ = false;
  return true;
}

std::vector<TKeyEvent> TKeyReplay::Abandon() {
  std::vector<TKeyEvent> rest;
  if (playing_ && current_ < events_.size()) rest.assign(events_.begin() + current_, events_.end());
  Reset();
  return rest;
}

bool ReplayMustFallBack(bool started, std::uint32_t elapsedMs) {
  return (!started && elapsedMs > kReplayStartBound) || elapsedMs > kReplayTotalBound;
}

void TKeyReplay::Reset() {
  events_.clear();
  current_ = 0;
  playing_ = false;
  started_ = false;
}

}  // namespace vimo
