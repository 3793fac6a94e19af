#pragma once
// The real file dialogs and message boxes behind export and import, for the settings
// dialog to hand to ExportSettings / ImportSettings.
#include <windows.h>

#include <functional>
#include <string>

#include "model/ExportImport.h"

namespace vimo {

class TWin32ExportImportUi final : public TExportImportUi {
 public:
  // `owner` owns the dialogs and boxes; `caption` is the application title;
  // `onReloaded` runs LoadControls and RefreshPages.
  TWin32ExportImportUi(HWND owner, std::string caption, std::function<void()> onReloaded);

  bool ExecuteExportDialog(std::string& fileName) override;  // svdExport
  bool ExecuteImportDialog(std::string& fileName) override;  // opdImport
  void ShowMessage(const std::string& text, TMessageIcon icon) override;
  bool AskYesNo(const std::string& text, TMessageIcon icon) override;
  void SettingsReloaded() override;

  static UINT IconFlags(TMessageIcon icon);
  // The folder of the file last exported or imported in this run; the next export starts there.
  static std::string LastFolder;

 private:
  bool Execute(bool save, std::string& fileName);

  HWND owner_;
  std::string caption_;
  std::function<void()> onReloaded_;
};

}  // namespace vimo
