#include "platform/Guarded.h"

#include <atomic>

namespace vimo {
namespace {
std::atomic<TErrorDisplay> errorDisplay{nullptr};
}  // namespace

void SetErrorDisplay(TErrorDisplay display) noexcept { errorDisplay = display; }

void ShowCurrentError() noexcept {
  if (TErrorDisplay display = errorDisplay) display();
}

}  // namespace vimo
