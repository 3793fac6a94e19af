#pragma once
#include "platform/Registry.h"

namespace vimo {

class Win32Registry final : public Registry {
 public:
  std::unique_ptr<RegKey> CurrentUser() override;
};

}  // namespace vimo
