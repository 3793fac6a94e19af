#pragma once
// One import of arbitrary bytes into an in-memory registry, then a start and a save
// from it, with the properties that must hold for any input. Shared by the fuzz target and the unit test that replays
// the seed files. Returns an empty string when every property holds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FakeAnsiCodePage.h"
#include "FakeFiles.h"
#include "FakeRegistry.h"
#include "FakeSystem.h"
#include "model/ExportImport.h"
#include "model/Model.h"
#include "model/NumberedList.h"
#include "model/SettingsRegistry.h"
#include "model/SettingsStore.h"
#include "platform/Platform.h"

namespace vimo::test {

namespace harness {

inline bool BelowProduct(RegKey& key, const std::string& path, std::string& fault) {
  for (const auto& sub : key.SubKeyNames()) {
    std::string p = path + "\\" + sub;
    if (p != "\\SOFTWARE" && p != "\\SOFTWARE\\Tramlex" && p.rfind("\\SOFTWARE\\Tramlex\\Vimo", 0) != 0) {
      fault = "key outside the product key: " + p;
      return false;
    }
    if (sub == "." || sub == "..") {
      fault = "key named like a parent: " + p;
      return false;
    }
    if (auto k = key.Open(sub); k && !BelowProduct(*k, p, fault)) return false;
  }
  if (path.rfind("\\SOFTWARE\\Tramlex\\Vimo", 0) != 0 && !key.ValueNames().empty()) {
    fault = "value outside the product key in " + path;
    return false;
  }
  return true;
}

}  // namespace harness

inline std::string CheckImportOf(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);

  // The reader alone: every record it accepts re-encodes to exactly the bytes it read.
  {
    TMemoryFile in(bytes);
    TExportFileReader reader(in);
    if (reader.Size() != size) return "wrong size";
    if (!reader.ReadHeader()) return "";
    std::string text;
    while (!reader.AtEnd()) {
      std::uint64_t start = reader.Position();
      if (!reader.ReadRecord(text)) break;
      if (text.size() > size) return "record larger than the file";
      if (reader.Position() > size) return "read past the end";
      if (EncodeRecord(text) != bytes.substr(start, reader.Position() - start)) return "record does not re-encode";
    }
    if (reader.Position() > size) return "position past the end";
  }

  // The whole import: everything written stays below the product key.
  FakeRegistry registry;
  FakeAnsiCodePage ansi;
  TMemoryFile in(bytes);
  TExportFileReader reader(in);
  reader.ReadHeader();
  TImportResult result;
  try {
    result = ImportRecords(registry, ansi, reader, kAllExportBoxes);
  } catch (const ERegistryError& e) {
    return std::string("registry error: ") + e.what();
  }
  if (result.Imported < 0 || result.Skipped < 0) return "negative counts";
  if (!result.Damaged && !reader.AtEnd()) return "stopped early without damage";
  std::string fault;
  auto root = registry.CurrentUser();
  if (!harness::BelowProduct(*root, "", fault)) return fault;

  // What was imported loads, with no more records than entries and the allowance for
  // gaps, and saves back: a hostile file can neither stall start-up nor break a save.
  FakeSystemInfo system;
  FakeKeyboardState keyboard;
  PlatformServices saved = Platform();
  Platform().registry = &registry;
  Platform().system = &system;
  Platform().keyboard = &keyboard;
  auto entries = [&](const char* section, bool keys) -> std::size_t {
    auto k = root->Open(std::string(kBaseKeyPath) + "\\" + section);
    return k ? (keys ? k->SubKeyNames().size() : k->ValueNames().size()) : 0;
  };
  try {
    InitializeModel();
    if (static_cast<std::size_t>(HotKeyList->Count()) > entries(secKeys, true) + kMaxGapRecords ||
        static_cast<std::size_t>(ClipList->Count()) > entries(secClips, true) + kMaxGapRecords ||
        ClipHistory->size() > entries(secHistory, false) + kMaxGapRecords)
      fault = "more records loaded than the registry holds";
    else {
      SaveSettings();
      SaveHistoryAndState();
    }
  } catch (const std::exception& e) {
    fault = std::string("load or save failed: ") + e.what();
  }
  FinalizeModel();
  Platform() = saved;
  return fault;
}

}  // namespace vimo::test
