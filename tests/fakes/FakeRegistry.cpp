#include "FakeRegistry.h"

#include <algorithm>

#include "FakeLetterCase.h"
#include "platform/Utf.h"

namespace vimo::test {
namespace {

std::string Lower(const std::string& s) { return CaseKey(s); }

// The registry's limits, in characters (the fake's names are ASCII in the tests).
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : path) {
    if (c == '\\') {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

}  // namespace

struct FakeRegistry::Node {
  std::string name;
  bool deleted = false;
  std::map<std::string, std::shared_ptr<Node>> subKeys;  // by lower-cased name: name order
  std::vector<std::pair<std::string, RegValue>> values;  // creation order

  std::pair<std::string, RegValue>* FindValue(const std::string& n) {
    std::string id = Lower(n);
    for (auto& v : values)
      if (Lower(v.first) == id) return &v;
    return nullptr;
  }
};

namespace {

using Node = FakeRegistry::Node;

class FakeKey final : public RegKey {
 public:
  FakeKey(FakeRegistry& owner, std::shared_ptr<Node> node) : owner_(owner), node_(std::move(node)) {}

  std::unique_ptr<RegKey> Open(const std::string& path) override {
    auto node = Walk(path, false);
    ++owner_.opens;
    return node ? std::make_unique<FakeKey>(owner_, node) : nullptr;
  }

  std::unique_ptr<RegKey> Create(const std::string& path) override {
    ++owner_.opens;
    if (auto node = Walk(path, false)) return std::make_unique<FakeKey>(owner_, node);
    for (const auto& part : SplitPath(path))
      if (Widen(part).size() > kMaxKeyNameLength) return nullptr;
    if (owner_.ReadOnly() || !owner_.BeginWrite()) return nullptr;
    auto node = Walk(path, true);
    owner_.EndWrite();
    return node ? std::make_unique<FakeKey>(owner_, node) : nullptr;
  }

  std::optional<RegValue> Query(const std::string& name) override {
    if (node_->deleted) return std::nullopt;
    auto* v = node_->FindValue(name);
    if (!v) return std::nullopt;
    return v->second;
  }

  bool Set(const std::string& name, const RegValue& value) override {
    if (node_->deleted || owner_.ReadOnly() || Widen(name).size() > kMaxValueNameLength) return false;
    if (owner_.setBudget == 0) return false;
    if (!owner_.BeginWrite()) return false;
    if (owner_.setBudget > 0) --owner_.setBudget;
    ++owner_.sets;
    if (auto* v = node_->FindValue(name)) {
      v->second = value;  // keeps its place and its original spelling
    } else {
      node_->values.emplace_back(name, value);
    }
    owner_.EndWrite();
    return true;
  }

  bool DeleteValue(const std::string& name) override {
    if (node_->deleted || owner_.ReadOnly()) return false;
    std::string id = Lower(name);
    auto it = std::find_if(node_->values.begin(), node_->values.end(),
                           [&](const auto& v) { return Lower(v.first) == id; });
    if (it == node_->values.end()) return false;
    if (!owner_.BeginWrite()) return false;
    node_->values.erase(it);
    owner_.EndWrite();
    return true;
  }

  bool DeleteSubKey(const std::string& path) override {
    if (node_->deleted || owner_.ReadOnly()) return false;
    auto parts = SplitPath(path);
    if (parts.empty()) return false;
    std::string last = parts.back();
    parts.pop_back();
    std::shared_ptr<Node> parent = node_;
    for (const auto& p : parts) {
      auto it = parent->subKeys.find(Lower(p));
      if (it == parent->subKeys.end()) return false;
      parent = it->second;
    }
    auto it = parent->subKeys.find(Lower(last));
    if (it == parent->subKeys.end() || !it->second->subKeys.empty()) return false;
    if (!owner_.BeginWrite()) return false;
    it->second->deleted = true;
    parent->subKeys.erase(it);
    owner_.EndWrite();
    return true;
  }

  std::vector<std::string> ValueNames() override {
    std::vector<std::string> names;
    if (node_->deleted) return names;
    for (const auto& v : node_->values) names.push_back(v.first);
    return names;
  }

  std::size_t ValueCount() override { return node_->deleted ? 0 : node_->values.size(); }

  std::vector<std::string> SubKeyNames() override {
    std::vector<std::string> names;
    if (node_->deleted) return names;
    for (const auto& [id, n] : node_->subKeys) names.push_back(n->name);
    return names;
  }

 private:
  std::shared_ptr<Node> Walk(const std::string& path, bool create) {
    if (node_->deleted) return nullptr;
    std::shared_ptr<Node> cur = node_;
    for (const auto& p : SplitPath(path)) {
      auto it = cur->subKeys.find(Lower(p));
      if (it == cur->subKeys.end()) {
        if (!create) return nullptr;
        auto child = std::make_shared<Node>();
        child->name = p;
        it = cur->subKeys.emplace(Lower(p), child).first;
      }
      cur = it->second;
    }
    return cur;
  }

  FakeRegistry& owner_;
  std::shared_ptr<Node> node_;
};

}  // namespace

bool FakeRegistry::BeginWrite() {
  if (writeBudget == 0) {
    if (crashOnWrite) throw Crash();
    return false;
  }
  if (writeBudget > 0) --writeBudget;
  return true;
}

void FakeRegistry::EndWrite() {
  ++writes;
  if (afterWrite) afterWrite();
}

FakeRegistry::FakeRegistry() : hkcu_(std::make_shared<Node>()) { hkcu_->name = "HKEY_CURRENT_USER"; }

std::unique_ptr<RegKey> FakeRegistry::CurrentUser() { return std::make_unique<FakeKey>(*this, hkcu_); }

}  // namespace vimo::test
