#pragma once
// The registry as the settings store sees it: keys opened below a root, raw values,
// enumeration in the registry's own order. Real implementation over advapi32 in
// win32/; an in-memory one for tests lives in tests/fakes/.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vimo {

// Numbers are the REG_* type codes, so raw values round-trip unchanged.
enum class RegType : std::uint32_t {
  None = 0,
  Sz = 1,
  ExpandSz = 2,
  Binary = 3,
  DWord = 4,
  MultiSz = 7,
  QWord = 11,
};

struct RegValue {
  RegType type = RegType::None;
  std::string data;  // raw bytes as stored; strings carry their terminating NUL

  static RegValue String(const std::string& text);
  // Text up to the first NUL (or all of it when there is none).
  std::string Text() const;
  bool IsString() const { return type == RegType::Sz || type == RegType::ExpandSz; }
};

// An open key. Owns its handle: move-only, closed on destruction.
class RegKey {
 public:
  RegKey() = default;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  virtual ~RegKey() = default;

  // `path` may hold several levels separated by backslashes. Null when the key is
  // missing (Open) or cannot be created (Create).
  virtual std::unique_ptr<RegKey> Open(const std::string& path) = 0;
  virtual std::unique_ptr<RegKey> Create(const std::string& path) = 0;

  virtual std::optional<RegValue> Query(const std::string& name) = 0;
  virtual bool Set(const std::string& name, const RegValue& value) = 0;
  virtual bool DeleteValue(const std::string& name) = 0;
  // Deletes the key at `path` below this one when it has no sub-keys of its own;
  // false otherwise (as RegDeleteKeyW).
  virtual bool DeleteSubKey(const std::string& name) = 0;

  virtual std::vector<std::string> ValueNames() = 0;
  virtual std::vector<std::string> SubKeyNames() = 0;
  // How many values the key holds. Enumerating names can cost as much as reading every
  // value (Wine sends the data along), counting costs nothing.
  virtual std::size_t ValueCount() { return ValueNames().size(); }
};

class Registry {
 public:
  virtual ~Registry() = default;
  // HKEY_CURRENT_USER itself; closing the returned object never closes the hive.
  virtual std::unique_ptr<RegKey> CurrentUser() = 0;
};

}  // namespace vimo
