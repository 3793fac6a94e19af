#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <cstring>

#include "platform/Utf.h"

namespace vimo {
namespace {

constexpr std::size_t kMaxKeyNameLength = 255;

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// The registry keeps text as UTF-16; the program's values hold UTF-8, their NULs
// (the terminator included) converted with them. Other types are bytes as stored.
std::string FromStored(DWORD type, const std::string& bytes) {
  if (!IsText(type)) return bytes;
  std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(wide.data(), bytes.data(), wide.size() * sizeof(wchar_t));
  return Narrow(wide);
}

class Win32RegKey final : public RegKey {
 public:
  Win32RegKey(HKEY key, bool owned) : key_(key), owned_(owned) {}
  ~Win32RegKey() override {
    if (owned_) RegCloseKey(key_);
  }

  std::unique_ptr<RegKey> Open(const std::string& path) override {
    HKEY sub = nullptr;
    if (RegOpenKeyExW(key_, Widen(path).c_str(), 0, KEY_ALL_ACCESS, &sub) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegKey>(sub, true);
  }

  std::unique_ptr<RegKey> Create(const std::string& path) override {
    // Refused before the call: the system would create the levels in front of an
    // over-long name and leave them behind when it fails on it.
    std::wstring wide = Widen(path);
    for (std::size_t start = 0; start <= wide.size();) {
      std::size_t end = wide.find(L'\\', start);
      if (end == std::wstring::npos) end = wide.size();
      if (end - start > kMaxKeyNameLength) return nullptr;
      start = end + 1;
    }
    HKEY sub = nullptr;
    if (RegCreateKeyExW(key_, wide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &sub,
                        nullptr) != ERROR_SUCCESS)
      return nullptr;
    return std::make_unique<Win32RegKey>(sub, true);
  }

  std::optional<RegValue> Query(const std::string& name) override {
    // Most values are short: one call with a small buffer, a second only when it is too small.
    const std::wstring wideName = Widen(name);
    std::string bytes(512, '\0');
    for (;;) {
      DWORD type = 0;
      DWORD size = static_cast<DWORD>(bytes.size());
      LONG rc = RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
      if (rc == ERROR_MORE_DATA) {
        bytes.assign(size, '\0');  // the value may still grow before the next call
        continue;
      }
      if (rc != ERROR_SUCCESS) return std::nullopt;
      bytes.resize(size);
      RegValue v;
      v.type = static_cast<RegType>(type);
      v.data = FromStored(type, bytes);
      return v;
    }
  }

  bool Set(const std::string& name, const RegValue& value) override {
    const auto type = static_cast<DWORD>(value.type);
    const std::wstring wideName = Widen(name);
    if (!IsText(type))
      return RegSetValueExW(key_, wideName.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.data.data()),
                            static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
    const std::wstring text = Widen(value.data);
    return RegSetValueExW(key_, wideName.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.data()),
                          static_cast<DWORD>(text.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
  }

  bool DeleteValue(const std::string& name) override {
    return RegDeleteValueW(key_, Widen(name).c_str()) == ERROR_SUCCESS;
  }

  bool DeleteSubKey(const std::string& name) override {
    // RegDeleteKeyW refuses a key with sub-keys on NT, which is what callers expect.
    return RegDeleteKeyW(key_, Widen(name).c_str()) == ERROR_SUCCESS;
  }

  std::vector<std::string> ValueNames() override {
    std::vector<std::string> names;
    DWORD maxLen = 0;
    if (RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxLen, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
      return names;
    std::wstring buf(maxLen + 2, L'\0');
    for (DWORD i = 0;; ++i) {
      DWORD len = static_cast<DWORD>(buf.size());
      LONG rc = RegEnumValueW(key_, i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
      if (rc == ERROR_MORE_DATA) {
        buf.assign(buf.size() * 2, L'\0');
        --i;
        continue;
      }
      if (rc != ERROR_SUCCESS) break;
      names.push_back(Narrow(std::wstring_view(buf.data(), len)));
    }
    return names;
  }

  std::size_t ValueCount() override {
    DWORD values = 0;
    if (RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
      return ValueNames().size();
    return values;
  }

  std::vector<std::string> SubKeyNames() override {
    std::vector<std::string> names;
    // Wine takes names one longer than Windows: a fixed buffer would end the listing there.
    std::wstring buf(258, L'\0');
    for (DWORD i = 0;; ++i) {
      DWORD len = static_cast<DWORD>(buf.size());
      LONG rc = RegEnumKeyExW(key_, i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
      if (rc == ERROR_MORE_DATA && buf.size() < 65536) {
        buf.assign(buf.size() * 2, L'\0');
        --i;
        continue;
      }
      if (rc != ERROR_SUCCESS) break;
      names.push_back(Narrow(std::wstring_view(buf.data(), len)));
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
