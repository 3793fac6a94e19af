#include "platform/win32/Win32TimeZones.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/Platform.h"
#include "platform/Utf.h"

namespace vimo {
namespace {

constexpr const wchar_t* kZonesKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

class Key {
 public:
  Key(HKEY parent, const std::wstring& path) {
    // A 32-bit process must see the same zones as the system, not a redirected copy.
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  explicit operator bool() const { return key_ != nullptr; }
  HKEY get() const { return key_; }

  std::wstring Text(const wchar_t* name) const {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &got) != ERROR_SUCCESS)
      return {};
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
  }

  std::string Binary(const wchar_t* name) const {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_BINARY) return {};
    std::string bytes(size, '\0');
    if (RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size) != ERROR_SUCCESS)
      return {};
    bytes.resize(size);
    return bytes;
  }

  std::vector<std::wstring> SubKeys() const {
    std::vector<std::wstring> names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = 256;
      LONG rc = RegEnumKeyExW(key_, i, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (rc == ERROR_NO_MORE_ITEMS) break;
      if (rc == ERROR_SUCCESS) names.emplace_back(name, length);
    }
    return names;
  }

 private:
  HKEY key_ = nullptr;
};

void ReadYears(const Key& zone, TTimeZone& result) {
  Key dynamic(zone.get(), L"Dynamic DST");
  if (!dynamic) return;
  // The year values are named by their number; FirstEntry and LastEntry only bound them.
  wchar_t name[64];
  for (DWORD i = 0;; ++i) {
    DWORD length = 64;
    DWORD type = 0;
    LONG rc = RegEnumValueW(dynamic.get(), i, name, &length, nullptr, &type, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS || type != REG_BINARY) continue;
    std::wstring text(name, length);
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
      continue;
    TZoneRule rule;
    if (ParseTzi(dynamic.Binary(text.c_str()), rule)) result.Years[std::stoi(text)] = rule;
  }
}

}  // namespace

std::vector<TTimeZone> Win32TimeZones::TimeZones() {
  std::vector<TTimeZone> zones;
  Key root(HKEY_LOCAL_MACHINE, kZonesKey);
  if (!root) return zones;
  for (const std::wstring& keyName : root.SubKeys()) {
    Key key(root.get(), keyName);
    if (!key) continue;
    TTimeZone zone;
    if (!ParseTzi(key.Binary(L"TZI"), zone.Rule)) continue;
    zone.KeyName = Narrow(keyName);
    zone.Display = Narrow(key.Text(L"Display"));
    if (zone.Display.empty()) zone.Display = zone.KeyName;
    ReadYears(key, zone);
    zones.push_back(std::move(zone));
  }
  // West to east, as the system's own list runs.
  std::stable_sort(zones.begin(), zones.end(), [](const TTimeZone& a, const TTimeZone& b) {
    if (a.Rule.Bias != b.Rule.Bias) return a.Rule.Bias > b.Rule.Bias;
    return a.Display < b.Display;
  });
  return zones;
}

void EnsureTimeZoneSource() {
  static Win32TimeZones zones;
  auto& p = Platform();
  if (!p.timeZones) p.timeZones = &zones;
}

}  // namespace vimo
