#include "platform/win32/Win32Registry.h"

#include <windows.h>

namespace vimo {
namespace {

class Win32RegKey final : public RegKey {
 public:
  Win32RegKey(HKEY key, bool owned) : key_(key), owned_(owned) {}
  ~Win32RegKey() override {
    if (owned_) RegCloseKey(key_);
  }

  std::unique_ptr<RegKey> Open(const std::string& path) override {
    HKEY sub = nullptr;
    if (RegOpenKeyExA(key_, path.c_str(), 0, KEY_ALL_ACCESS, &sub) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegKey>(sub, true);
  }

  std::unique_ptr<RegKey> Create(const std::string& path) override {
    HKEY sub = nullptr;
    if (RegCreateKeyExA(key_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &sub, nullptr) != ERROR_SUCCESS)
      return nullptr;
    return std::make_unique<Win32RegKey>(sub, true);
  }

  std::optional<RegValue> Query(const std::string& name) override {
    // Most values are short: one call with a small buffer, a second only when it is too small.
    RegValue v;
    v.data.assign(256, '\0');
    for (;;) {
      DWORD type = 0;
      DWORD size = static_cast<DWORD>(v.data.size());
      LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(v.data.data()), &size);
      if (rc == ERROR_MORE_DATA) {
        v.data.assign(size, '\0');  // the value may still grow before the next call
        continue;
      }
      if (rc != ERROR_SUCCESS) return std::nullopt;
      v.type = static_cast<RegType>(type);
      v.data.resize(size);
      return v;
    }
  }

  bool Set(const std::string& name, const RegValue& value) override {
    return RegSetValueExA(key_, name.c_str(), 0, static_cast<DWORD>(value.type),
                          reinterpret_cast<const BYTE*>(value.data.data()),
                          static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
  }

  bool DeleteValue(const std::string& name) override {
    return RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS;
  }

  bool DeleteSubKey(const std::string& name) override {
    // RegDeleteKeyA refuses a key with sub-keys on NT, which is what callers expect.
    return RegDeleteKeyA(key_, name.c_str()) == ERROR_SUCCESS;
  }

  std::vector<std::string> ValueNames() override {
    std::vector<std::string> names;
    DWORD maxLen = 0;
    if (RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &maxLen, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      return names;
    std::string buf(maxLen + 2, '\0');
    for (DWORD i = 0;; ++i) {
      DWORD len = static_cast<DWORD>(buf.size());
      LONG rc = RegEnumValueA(key_, i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
      if (rc == ERROR_MORE_DATA) {
        buf.assign(buf.size() * 2, '\0');
        --i;
        continue;
      }
      if (rc != ERROR_SUCCESS) break;
      names.emplace_back(buf.data(), len);
    }
    return names;
  }

  std::size_t ValueCount() override {
    DWORD values = 0;
    if (RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
      return ValueNames().size();
    return values;
  }

  std::vector<std::string> SubKeyNames() override {
    std::vector<std::string> names;
    // Wine takes names one longer than Windows: a fixed buffer would end the listing there.
    std::string buf(258, '\0');
    for (DWORD i = 0;; ++i) {
      DWORD len = static_cast<DWORD>(buf.size());
      LONG rc = RegEnumKeyExA(key_, i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
      if (rc == ERROR_MORE_DATA && buf.size() < 65536) {
        buf.assign(buf.size() * 2, '\0');
        --i;
        continue;
      }
      if (rc != ERROR_SUCCESS) break;
      names.emplace_back(buf.data(), len);
    }
    return names;
  }

 private:
  HKEY key_;
  bool owned_;
};

}  // namespace

std::unique_ptr<RegKey> Win32Registry::CurrentUser() {
  return std::make_unique<Win32RegKey>(HKEY_CURRENT_USER, false);
}

}  // namespace vimo
