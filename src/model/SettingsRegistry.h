#pragma once
// Values below the product's base key, HKEY_CURRENT_USER\SOFTWARE\Tramlex, addressed
// by section (a sub-key path such as "Vimo\Mouse") and value name. Everything is
// written as REG_SZ text; integers and booleans as decimal text.
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace vimo {

inline constexpr const char* kBaseKeyPath = "SOFTWARE\\Tramlex";
inline constexpr const char* kRunKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// The program's name as message boxes and the tray show it.
inline constexpr const char* kApplicationTitle = "Tramlex Vimo";
inline constexpr const char* kRunValueName = "Tramlex Vimo";

class ERegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A present value of another type than REG_SZ / REG_EXPAND_SZ.
class EInvalidDataType : public ERegistryError {
 public:
  explicit EInvalidDataType(const std::string& valueName);
};

// Parses decimal text with an optional sign; false for anything else or overflow.
bool ParseInteger(const std::string& text, int& value);

class TSettingsRegistry {
 public:
  // Opens the base key, creating it when missing.
  explicit TSettingsRegistry(Registry& registry);
  TSettingsRegistry(const TSettingsRegistry&) = delete;
  TSettingsRegistry& operator=(const TSettingsRegistry&) = delete;

  // When set, a value of the wrong type reads as the caller's default instead of raising.
  void SetTolerateWrongTypes(bool tolerate) { tolerateWrongTypes_ = tolerate; }

  bool SectionExists(const std::string& section);

  std::string ReadString(const std::string& section, const std::string& name, const std::string& def);
  int ReadInteger(const std::string& section, const std::string& name, int def);
  bool ReadBool(const std::string& section, const std::string& name, bool def);
  // The text of a string value; none when the value is missing or of another type.
  std::optional<std::string> ReadStoredText(const std::string& section, const std::string& name);

  // The Write functions set a value only when it is not stored already as that text.
  void WriteString(const std::string& section, const std::string& name, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& name, int value);
  void WriteBool(const std::string& section, const std::string& name, bool value);
  // Sets the value whatever is stored.
  void SetString(const std::string& section, const std::string& name, const std::string& value);

  // Deletes the section with everything below it, depth first; a missing section is no error.
  void EraseSection(const std::string& section);
  // As EraseSection, but raises "Failed to delete key %s" when the section stays.
  void DeleteSection(const std::string& section);
  // Raises "Failed to delete '%s'" when the value stays; a missing value is no error.
  void DeleteValue(const std::string& section, const std::string& name);

  std::vector<std::string> ValueNames(const std::string& section);
  std::size_t ValueCount(const std::string& section);
  std::vector<std::string> SubKeyNames(const std::string& section);

  RegKey& Base() { return *base_; }
  // The registry these values live in, to tell one from another.
  const Registry* Source() const { return source_; }

 private:
  // Open key of a section, kept for the life of this object; null when missing and not created.
  RegKey* Section(const std::string& section, bool create);
  bool ReadText(const std::string& section, const std::string& name, std::string& text);

  const Registry* source_;
  std::unique_ptr<RegKey> base_;
  std::map<std::string, std::unique_ptr<RegKey>> sections_;  // by lower-cased path
  bool tolerateWrongTypes_ = false;
};

}  // namespace vimo
