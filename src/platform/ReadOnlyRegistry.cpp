#include "platform/ReadOnlyRegistry.h"

namespace vimo {

namespace {

// A key seen through the view. `inner` is null for a key that a dropped Create would
// have made: it reads as empty, so a loader finds its defaults there.
class ViewKey final : public RegKey {
 public:
  explicit ViewKey(std::unique_ptr<RegKey> inner) : inner_(std::move(inner)) {}

  std::unique_ptr<RegKey> Open(const std::string& path) override {
    if (!inner_) return nullptr;
    auto key = inner_->Open(path);
    return key ? std::make_unique<ViewKey>(std::move(key)) : nullptr;
  }
  std::unique_ptr<RegKey> Create(const std::string& path) override {
    auto existing = inner_ ? inner_->Open(path) : nullptr;
    return std::make_unique<ViewKey>(std::move(existing));
  }
  std::optional<RegValue> Query(const std::string& name) override {
    return inner_ ? inner_->Query(name) : std::nullopt;
  }
  bool Set(const std::string&, const RegValue&) override { return true; }
  bool DeleteValue(const std::string&) override { return true; }
  bool DeleteSubKey(const std::string&) override { return true; }
  std::vector<std::string> ValueNames() override { return inner_ ? inner_->ValueNames() : std::vector<std::string>{}; }
  std::vector<std::string> SubKeyNames() override { return inner_ ? inner_->SubKeyNames() : std::vector<std::string>{}; }
  std::size_t ValueCount() override { return inner_ ? inner_->ValueCount() : 0; }

 private:
  std::unique_ptr<RegKey> inner_;
};

}  // namespace

std::unique_ptr<RegKey> ReadOnlyRegistry::CurrentUser() { return std::make_unique<ViewKey>(inner_.CurrentUser()); }

}  // namespace vimo
