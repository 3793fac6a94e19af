#include "model/SettingsRegistry.h"

#include <cctype>
#include <climits>

namespace vimo {
namespace {

std::string Lower(const std::string& s) {
  std::string r = s;
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

void DeleteTree(RegKey& parent, const std::string& name) {
  if (auto key = parent.Open(name)) {
    auto subs = key->SubKeyNames();
    // Last to first, so that enumeration indexes stay valid while deleting.
    for (auto it = subs.rbegin(); it != subs.rend(); ++it) DeleteTree(*key, *it);
  }
  parent.DeleteSubKey(name);
}

}  // namespace

EInvalidDataType::EInvalidDataType(const std::string& valueName)
    : ERegistryError("Invalid data type for '" + valueName + "'") {}

bool ParseInteger(const std::string& text, int& value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (negative) v = -v;
  if (v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

TSettingsRegistry::TSettingsRegistry(Registry& registry) : source_(&registry) {
  base_ = registry.CurrentUser()->Create(kBaseKeyPath);
  if (!base_) throw ERegistryError(std::string("Failed to create key ") + kBaseKeyPath);
}

RegKey* TSettingsRegistry::Section(const std::string& section, bool create) {
  std::string id = Lower(section);
  auto it = sections_.find(id);
  // A section found missing stays missing until something creates it: reading the
  // defaults of a fresh key costs no repeated opens.
  if (it != sections_.end() && (it->second || !create)) return it->second.get();
  auto key = create ? base_->Create(section) : base_->Open(section);
  if (!key && create) throw ERegistryError("Failed to create key " + section);
  if (create) std::erase_if(sections_, [](const auto& entry) { return !entry.second; });  // parents exist now
  RegKey* result = key.get();
  sections_[id] = std::move(key);
  return result;
}

bool TSettingsRegistry::SectionExists(const std::string& section) { return Section(section, false) != nullptr; }

bool TSettingsRegistry::ReadText(const std::string& section, const std::string& name, std::string& text) {
  RegKey* key = Section(section, false);
  if (!key) return false;
  auto value = key->Query(name);
  if (!value) return false;
  if (!value->IsString()) {
    if (tolerateWrongTypes_) return false;
    throw EInvalidDataType(name);
  }
  text = value->Text();
  return true;
}

std::string TSettingsRegistry::ReadString(const std::string& section, const std::string& name,
                                          const std::string& def) {
  std::string text;
  return ReadText(section, name, text) ? text : def;
}

int TSettingsRegistry::ReadInteger(const std::string& section, const std::string& name, int def) {
  std::string text;
  int value = def;
  if (ReadText(section, name, text) && ParseInteger(text, value)) return value;
  return def;
}

std::optional<std::string> TSettingsRegistry::ReadStoredText(const std::string& section, const std::string& name) {
  RegKey* key = Section(section, false);
  if (!key) return std::nullopt;
  auto value = key->Query(name);
  if (!value || !value->IsString()) return std::nullopt;
  return value->Text();
}

bool TSettingsRegistry::ReadBool(const std::string& section, const std::string& name, bool def) {
  return ReadInteger(section, name, def ? 1 : 0) != 0;
}

void TSettingsRegistry::WriteString(const std::string& section, const std::string& name,
                                    const std::string& value) {
  if (RegKey* key = Section(section, false)) {
    auto stored = key->Query(name);
    if (stored && stored->type == RegType::Sz && stored->data.size() == value.size() + 1 &&
        stored->data.compare(0, value.size(), value) == 0 && stored->data.back() == '\0')
      return;
  }
  SetString(section, name, value);
}

void TSettingsRegistry::SetString(const std::string& section, const std::string& name, const std::string& value) {
  if (!Section(section, true)->Set(name, RegValue::String(value)))
    throw ERegistryError("Failed to set data for '" + name + "'");
}

void TSettingsRegistry::WriteInteger(const std::string& section, const std::string& name, int value) {
  WriteString(section, name, std::to_string(value));
}

void TSettingsRegistry::WriteBool(const std::string& section, const std::string& name, bool value) {
  WriteString(section, name, value ? "1" : "0");
}

void TSettingsRegistry::EraseSection(const std::string& section) {
  // Handles below the section would point at deleted keys.
  sections_.clear();
  DeleteTree(*base_, section);
}

void TSettingsRegistry::DeleteSection(const std::string& section) {
  EraseSection(section);
  if (SectionExists(section)) throw ERegistryError("Failed to delete key " + section);
}

void TSettingsRegistry::DeleteValue(const std::string& section, const std::string& name) {
  RegKey* key = Section(section, false);
  if (!key || key->DeleteValue(name) || !key->Query(name)) return;
  throw ERegistryError("Failed to delete '" + name + "'");
}

std::vector<std::string> TSettingsRegistry::ValueNames(const std::string& section) {
  RegKey* key = Section(section, false);
  return key ? key->ValueNames() : std::vector<std::string>{};
}

std::size_t TSettingsRegistry::ValueCount(const std::string& section) {
  RegKey* key = Section(section, false);
  return key ? key->ValueCount() : 0;
}

std::vector<std::string> TSettingsRegistry::SubKeyNames(const std::string& section) {
  RegKey* key = Section(section, false);
  return key ? key->SubKeyNames() : std::vector<std::string>{};
}

}  // namespace vimo
