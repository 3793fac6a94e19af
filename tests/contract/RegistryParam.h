#pragma once
#include <algorithm>
#include <cctype>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace vimo::test {

// A named way to get a registry, so one suite runs against several implementations.
struct RegistryParam {
  std::string name;
  std::function<std::unique_ptr<Registry>()> make;
  // Windows enumerates values in creation order; Wine's registry server keeps them
  // sorted by name. Tests of value order expect what the platform really does.
  bool valuesInNameOrder = false;
};

// `creationOrder` as this registry enumerates it.
inline std::vector<std::string> EnumerationOrder(const RegistryParam& p, std::vector<std::string> creationOrder) {
  if (p.valuesInNameOrder)
    std::stable_sort(creationOrder.begin(), creationOrder.end(), [](const std::string& a, const std::string& b) {
      return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
      });
    });
  return creationOrder;
}
inline std::ostream& operator<<(std::ostream& os, const RegistryParam& p) { return os << p.name; }

}  // namespace vimo::test
