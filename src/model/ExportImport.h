#pragma once
// Export of chosen sections of the product key to a ".tvf" file and import back,
// as the "Export / Import" page of the settings dialog does them. The registry is
// both the source and the target: export never looks at the in-memory settings, and
// import reloads them from the registry when it has written.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "model/ExportFile.h"
#include "platform/AnsiText.h"
#include "platform/Registry.h"

namespace vimo {

// The check boxes of grbExportImport, in page order: import's first-match rule relies on it.
enum TExportBox : int {
  ebGeneralSettings,
  ebMouseActions,
  ebHotKeyActions,
  ebTrayIconActions,
  ebClipboardHistory,
  ebClipboardCollection,
  ebWorldTimeSettings,
};
inline constexpr int kExportBoxCount = 7;

struct TExportBoxInfo {
  const char* Name;         // the check box's name on the page
  const char* Caption;
  const char* Hint;         // the section below the product key that the box stands for
  const char* Sections[2];  // sections exported for the box, in order; null past the last
  // A second section the box imports, named whole, beside the hint.
  const char* AlsoImports = nullptr;
};
extern const std::array<TExportBoxInfo, kExportBoxCount> ExportBoxes;

// The name the export dialog suggests, and the folder it opens in: the folder last used
// for export or import, or the first time the user's Documents folder.
inline constexpr const char* kExportSuggestedName = "Vimo settings.tvf";
std::string ExportStartFolder(const std::string& lastFolder, const std::string& documents);
// The folder of a chosen file ("C:\a\b.tvf" -> "C:\a", "C:\b.tvf" -> "C:\"); empty
// when the name has no folder.
std::string FolderOfFile(const std::string& path);

// Ticked state of each box, indexed by TExportBox.
using TExportChoice = std::array<bool, kExportBoxCount>;
inline constexpr TExportChoice kAllExportBoxes = {true, true, true, true, true, true, true};

// The first box in page order whose hint, or the section it also imports, begins the
// path (exact, case-sensitive) as a whole section, that is followed by a backslash; -1
// for none.
int ExportBoxOfPath(const std::string& path);

// Splits an imported path at its last backslash into a section below the product key
// and a value name. False when the path cannot be written inside the product key: no
// backslash, an empty section part, or a "." or ".." part.
bool SplitImportPath(const std::string& path, std::string& section, std::string& name);

// Writes the values of one section and, depth first, of all its sub-keys: a key's
// values come before its sub-keys, each in the registry's enumeration order. A missing
// section writes nothing. A value that is not text raises EInvalidDataType. Each
// record's text is in the ANSI code page when it fits it exactly, else in UTF-8.
void ExportSection(RegKey& productKey, AnsiCodePage& ansi, const std::string& section, TExportFileWriter& writer);

// Every section of the ticked boxes, in page order. The product key itself is opened
// without being created.
void ExportRecords(Registry& registry, AnsiCodePage& ansi, const TExportChoice& ticked, TExportFileWriter& writer);

struct TImportResult {
  int Imported = 0;      // values written
  int Skipped = 0;       // pairs of a ticked section that cannot be written: a path that
                         // leaves the product key, a name longer than the registry allows
  int NotChosen = 0;     // pairs of a section that is not ticked or belongs to no box
  bool Damaged = false;  // reading stopped at a damaged record or a path without its value
};

// The registry's limits on names, in UTF-16 characters.
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;

// A section and value name the registry can hold: no key name in the section longer than
// kMaxKeyNameLength, a value name no longer than kMaxValueNameLength.
bool FitsTheRegistry(const std::string& section, const std::string& name);

// Reads the pairs after the header and writes the ticked ones as string values below
// the product key, creating keys as needed. Nothing is deleted: the file is merged into
// what the registry holds. Registry failures raise ERegistryError with what was written
// before them kept. A record of valid UTF-8 with a byte outside ASCII is UTF-8; any
// other is in the ANSI code page (files of the earlier version are all ANSI).
TImportResult ImportRecords(Registry& registry, AnsiCodePage& ansi, TExportFileReader& reader,
                            const TExportChoice& ticked);

// The messages of the page (application title as caption).
enum class TMessageIcon { Information, Warning, Error };

inline constexpr const char* msgExported = "Selected settings are exported.";
inline constexpr const char* msgCannotWrite = "Cannot write the target file.";
inline constexpr const char* msgIncompatible = "Incompatible file format.";
inline constexpr const char* msgConfirmImport = "The selected settings will be replaced by the imported ones.\rContinue?";
inline constexpr const char* msgImported = "Selected settings are imported.";
inline constexpr const char* msgDamaged =
    "The file is damaged.\rThe settings read before the damaged part are imported.";
inline constexpr const char* msgCannotRead = "Cannot read the selected file.";
// The closing message of an import: msgImported (or msgDamaged) and a line with the counts.
std::string ImportedMessage(const TImportResult& result);

// What the settings dialog lends to the two operations.
class TExportImportUi {
 public:
  virtual ~TExportImportUi() = default;
  // svdExport and opdImport; false when the user cancels.
  virtual bool ExecuteExportDialog(std::string& fileName) = 0;
  virtual bool ExecuteImportDialog(std::string& fileName) = 0;
  virtual void ShowMessage(const std::string& text, TMessageIcon icon) = 0;
  // Yes/No question; true on Yes.
  virtual bool AskYesNo(const std::string& text, TMessageIcon icon) = 0;
  // The in-memory settings were reloaded: LoadControls and RefreshPages.
  virtual void SettingsReloaded() = 0;
};

// btnExportClick: asks for a file, writes the ticked sections from the registry, and
// tells the user the outcome. A failure leaves the part already written on disk.
// Files and the ANSI code page are the platform's.
void ExportSettings(TExportImportUi& ui, const TExportChoice& ticked);

// btnImportClick: asks for a file and for confirmation, merges the ticked sections
// into the registry, reloads every setting and tells the user the outcome.
void ImportSettings(TExportImportUi& ui, const TExportChoice& ticked);

}  // namespace vimo
