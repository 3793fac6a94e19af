#pragma once
// In-memory registry that behaves like the real one where the program can tell:
// key and value names are case-insensitive (in every script the tests use), values
// enumerate in creation order, sub-keys in name order, a key with sub-keys cannot be
// deleted directly, a handle to a deleted key stops working, and names longer than the
// registry allows are refused.
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
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

  // The program ending in the middle of a save, as far as the registry can tell.
  struct Crash : std::runtime_error {
    Crash() : std::runtime_error("the program ended here") {}
  };
  // When not negative, the number of writes of any kind (a value set or deleted, a key
  // created or deleted) that still go through. The next one throws Crash, or fails as
  // the real registry reports a failure when `crashOnWrite` is false.
  long writeBudget = -1;
  bool crashOnWrite = true;
  long writes = 0;
  // Called after every write that went through, to look at what a reader sees.
  std::function<void()> afterWrite;
  // True when the write may go on; throws Crash when it is the one that ends the program.
  bool BeginWrite();
  void EndWrite();

  // Counts of calls that reached the store, for benchmarks and call-order tests.
  long opens = 0;
  long sets = 0;

 private:
  std::shared_ptr<Node> hkcu_;
  bool readOnly_ = false;
};

}  // namespace vimo::test
