#include "model/ExportImport.h"

#include <memory>

#include "model/SettingsRegistry.h"
#include "model/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/Utf.h"

namespace vimo {

const std::array<TExportBoxInfo, kExportBoxCount> ExportBoxes = {{
    {"chbGeneralSettings", "General Settings", "Options", {"Options", nullptr}},
    {"chbMouseActions", "Mouse Actions", "Mouse", {"Mouse", nullptr}},
    {"chbHotKeyActions", "Hot Key Actions", "Keys", {"Keys", nullptr}},
    {"chbTrayIconActions", "Tray Icon Actions", "Tray", {"Tray", nullptr}},
    {"chbClipboardHistory", "Clipboard History", "Clipboard\\History", {"Clipboard", "Clipboard\\History"}},
    {"chbClipboardCollection", "Clipboard Collection", "Clipboard\\Clips", {"Clipboard\\Clips", nullptr}},
    {"chbWorldTimeSettings", "World Time Settings", "WorldTimes", {"WorldTimes", "WorldTimeZones"}, "WorldTimeZones"},
}};

namespace {

const std::string kProductKeyPath = std::string(kBaseKeyPath) + "\\" + secVimo;

}  // namespace

int ExportBoxOfPath(const std::string& path) {
  // A hint names whole sections: "Clipboard\History" must not claim the Clipboard
  // key's own "HistoryDepth", or the four Clipboard values would not all stay out.
  // The zones of the places are a section that only begins like "WorldTimes": the box
  // names it as a section of its own rather than by a shorter common prefix.
  auto claims = [&](const char* section) {
    if (!section) return false;
    std::string_view s = section;
    return path.size() > s.size() && path.starts_with(s) && path[s.size()] == '\\';
  };
  for (int i = 0; i < kExportBoxCount; ++i)
    if (claims(ExportBoxes[i].Hint) || claims(ExportBoxes[i].AlsoImports)) return i;
  return -1;
}

bool SplitImportPath(const std::string& path, std::string& section, std::string& name) {
  auto last = path.rfind('\\');
  if (last == std::string::npos || last == 0) return false;
  std::string s = path.substr(0, last);
  // Every part must name a real key below the product key: no empty part (a leading,
  // doubled or trailing backslash) and nothing a path parser could take for a parent.
  std::size_t start = 0;
  for (;;) {
    auto end = s.find('\\', start);
    std::string part = s.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part.empty() || part == "." || part == "..") return false;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  section = std::move(s);
  name = path.substr(last + 1);
  return true;
}

void ExportSection(RegKey& productKey, AnsiCodePage& ansi, const std::string& section, TExportFileWriter& writer) {
  auto key = productKey.Open(section);
  if (!key) return;
  for (const auto& name : key->ValueNames()) {
    auto value = key->Query(name);
    if (!value) throw ERegistryError("Cannot read '" + name + "'");
    if (!value->IsString()) throw EInvalidDataType(name);
    writer.WritePair(EncodeFileText(section + "\\" + name, ansi).bytes, EncodeFileText(value->Text(), ansi).bytes);
  }
  auto subKeys = key->SubKeyNames();
  // Closed before descending, so that deep trees never hold a handle per level.
  key.reset();
  for (const auto& sub : subKeys) ExportSection(productKey, ansi, section + "\\" + sub, writer);
}

void ExportRecords(Registry& registry, AnsiCodePage& ansi, const TExportChoice& ticked, TExportFileWriter& writer) {
  auto product = registry.CurrentUser()->Open(kProductKeyPath);
  if (!product) return;
  for (int i = 0; i < kExportBoxCount; ++i) {
    if (!ticked[i]) continue;
    for (const char* section : ExportBoxes[i].Sections)
      if (section) ExportSection(*product, ansi, section, writer);
  }
}

TImportResult ImportRecords(Registry& registry, AnsiCodePage& ansi, TExportFileReader& reader,
                            const TExportChoice& ticked) {
  TImportResult result;
  {
    // A list save that was cut off is finished first, so that it cannot later replace
    // what the file brings.
    TSettingsRegistry reg(registry);
    FinishInterruptedSaves(reg);
  }
  auto base = registry.CurrentUser()->Create(kBaseKeyPath);
  if (!base) throw ERegistryError(std::string("Failed to create key ") + kBaseKeyPath);

  // Consecutive values mostly share a section: keep its key open until the next one.
  std::string openSection;
  std::unique_ptr<RegKey> sectionKey;

  std::string path, value, section, name;
  while (!reader.AtEnd()) {
    if (!reader.ReadRecord(path) || !reader.ReadRecord(value)) {
      result.Damaged = true;
      break;
    }
    path = DecodeFileText(path, ansi);
    value = DecodeFileText(value, ansi);
    int box = ExportBoxOfPath(path);
    if (box < 0 || !ticked[box]) {
      ++result.NotChosen;
      continue;
    }
    // A name the registry cannot hold is skipped, not an error that ends the import.
    if (!SplitImportPath(path, section, name) || !FitsTheRegistry(section, name)) {
      ++result.Skipped;
      continue;
    }
    std::string keyPath = std::string(secVimo) + "\\" + section;
    if (!sectionKey || keyPath != openSection) {
      sectionKey.reset();
      sectionKey = base->Create(keyPath);
      if (!sectionKey) throw ERegistryError("Failed to create key " + keyPath);
      openSection = keyPath;
    }
    if (!sectionKey->Set(name, RegValue::String(value)))
      throw ERegistryError("Failed to set data for '" + name + "'");
    ++result.Imported;
  }
  return result;
}

bool FitsTheRegistry(const std::string& section, const std::string& name) {
  if (Widen(name).size() > kMaxValueNameLength) return false;
  std::size_t start = 0;
  for (;;) {
    auto end = section.find('\\', start);
    if (Widen(std::string_view(section).substr(start, end - start)).size() > kMaxKeyNameLength) return false;
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

std::string ImportedMessage(const TImportResult& result) {
  auto settings = [](int n) { return std::to_string(n) + (n == 1 ? " setting" : " settings"); };
  return std::string(result.Damaged ? msgDamaged : msgImported) + "\r" + settings(result.Imported) + " imported, " +
         std::to_string(result.Skipped) + " skipped.";
}

void ExportSettings(TExportImportUi& ui, const TExportChoice& ticked) {
  std::string fileName;
  if (!ui.ExecuteExportDialog(fileName)) return;
  bool written = false;
  try {
    auto file = Platform().files->CreateForWriting(fileName);
    if (!file) throw EExportWriteError(msgCannotWrite);
    TExportFileWriter writer(*file);
    writer.WriteHeader();
    ExportRecords(*Platform().registry, *Platform().ansi, ticked, writer);
    written = true;
  } catch (const std::exception&) {
    written = false;
  }
  if (written)
    ui.ShowMessage(msgExported, TMessageIcon::Information);
  else
    ui.ShowMessage(msgCannotWrite, TMessageIcon::Error);
}

void ImportSettings(TExportImportUi& ui, const TExportChoice& ticked) {
  std::string fileName;
  if (!ui.ExecuteImportDialog(fileName)) return;
  TImportResult result;
  {
    auto file = Platform().files->OpenForReading(fileName);
    if (!file) {
      ui.ShowMessage(msgCannotRead, TMessageIcon::Error);
      return;
    }
    TExportFileReader reader(*file);
    if (!reader.ReadHeader()) {
      ui.ShowMessage(msgIncompatible, TMessageIcon::Error);
      return;
    }
    if (!ui.AskYesNo(msgConfirmImport, TMessageIcon::Warning)) return;
    try {
      result = ImportRecords(*Platform().registry, *Platform().ansi, reader, ticked);
    } catch (const ERegistryError&) {
      // What was written before the failure is in the registry: the settings and the
      // dialog must show it before the error reaches the application's error display.
      // Should the reload fail as well, the first error is the one worth showing.
      try {
        LoadSettings(false);
        ui.SettingsReloaded();
      } catch (const std::exception&) {
      }
      throw;
    }
  }
  LoadSettings(false);
  ui.SettingsReloaded();
  ui.ShowMessage(ImportedMessage(result), result.Damaged ? TMessageIcon::Error : TMessageIcon::Information);
}

std::string ExportStartFolder(const std::string& lastFolder, const std::string& documents) {
  return lastFolder.empty() ? documents : lastFolder;
}

std::string FolderOfFile(const std::string& path) {
  std::size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return {};
  // A drive's root keeps its backslash: "C:" alone is the drive's current folder.
  if (slash == 2 && path[1] == ':') return path.substr(0, 3);
  return path.substr(0, slash);
}

}  // namespace vimo
