#pragma once
// A view of a registry that reads through and drops every write, for tools that load the
// settings to show them without leaving a trace (no "@Path" of their own, no finished
// journal, no Run entry).
#include <memory>

#include "platform/Registry.h"

namespace vimo {

class ReadOnlyRegistry final : public Registry {
 public:
  explicit ReadOnlyRegistry(Registry& inner) : inner_(inner) {}
  std::unique_ptr<RegKey> CurrentUser() override;

 private:
  Registry& inner_;
};

}  // namespace vimo
