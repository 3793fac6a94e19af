#pragma once
// In-memory registry that behaves like the real one where the program can tell:
// key and value names are case-insensitive (in every script the tests use), values enumerate in creation order,
// sub-keys in name order, a key with sub-keys cannot be deleted directly, and a
// handle to a deleted key stops working.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace vimo::test {

class FakeRegistry final : public Registry {
 public:
  struct Node;

  FakeRegistry();
  std::unique_ptr<RegKey> CurrentUser() override;

  // Makes every create and set fail, for the error paths.
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  bool ReadOnly() const { return readOnly_; }

  // When not negative, the number of value writes that still succeed; later ones fail.
  long setBudget = -1;

  // Counts of calls that reached the store, for benchmarks and call-order tests.
  long opens = 0;
  long sets = 0;

 private:
  std::shared_ptr<Node> hkcu_;
  bool readOnly_ = false;
};

}  // namespace vimo::test
