#pragma once
// Lets a component that refers to an object (an image list, a pop-up menu) hear of
// that object's destruction and clear its reference instead of keeping a dangling one.
#include <functional>
#include <map>
#include <utility>

namespace vimo {

class TFreeNotifier {
 public:
  TFreeNotifier() = default;
  TFreeNotifier(const TFreeNotifier&) = delete;
  TFreeNotifier& operator=(const TFreeNotifier&) = delete;
  virtual ~TFreeNotifier() {
    auto pending = std::move(notifications_);
    notifications_.clear();
    for (auto& entry : pending) entry.second();
  }

  void FreeNotification(const void* client, std::function<void()> onFree) {
    notifications_[client] = std::move(onFree);
  }
  void RemoveFreeNotification(const void* client) { notifications_.erase(client); }

 private:
  std::map<const void*, std::function<void()>> notifications_;
};

}  // namespace vimo
