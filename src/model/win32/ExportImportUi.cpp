#include "model/win32/ExportImportUi.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

#include "platform/Files.h"
#include "platform/Utf.h"
#include "platform/win32/OnFirstUse.h"

namespace vimo {

namespace {

std::string DocumentsFolder() {
  wchar_t path[MAX_PATH] = {};
  return SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path)) ? Narrow(path)
                                                                                               : std::string();
}

}  // namespace

std::string TWin32ExportImportUi::LastFolder;

TWin32ExportImportUi::TWin32ExportImportUi(HWND owner, std::string caption, std::function<void()> onReloaded)
    : owner_(owner), caption_(std::move(caption)), onReloaded_(std::move(onReloaded)) {}

bool TWin32ExportImportUi::Execute(bool save, std::string& fileName) {
  std::wstring filter = Widen(DialogFilter(kExportFilter));
  std::wstring defaultExt = Widen(kExportDefaultExt);
  wchar_t buffer[MAX_PATH] = {};
  if (save) {
    std::wstring name = Widen(kExportSuggestedName);
    std::copy(name.begin(), name.end(), buffer);
  }
  // Import opens where the last export or import was; export also knows Documents.
  std::wstring folder = Widen(save ? ExportStartFolder(LastFolder, DocumentsFolder()) : LastFolder);
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrDefExt = defaultExt.c_str();
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  // OFN_NOCHANGEDIR: the process must not keep the chosen folder as its current one,
  // which would hold it open and stop the user from removing it.
  ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
              (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  BOOL ok = save ? onfirstuse::GetSaveFileNameW(&ofn) : onfirstuse::GetOpenFileNameW(&ofn);
  if (!ok) return false;
  fileName = Narrow(buffer);
  LastFolder = FolderOfFile(fileName);
  return true;
}

bool TWin32ExportImportUi::ExecuteExportDialog(std::string& fileName) { return Execute(true, fileName); }

bool TWin32ExportImportUi::ExecuteImportDialog(std::string& fileName) { return Execute(false, fileName); }

UINT TWin32ExportImportUi::IconFlags(TMessageIcon icon) {
  switch (icon) {
    case TMessageIcon::Information: return MB_ICONINFORMATION;
    case TMessageIcon::Warning: return MB_ICONEXCLAMATION;
    case TMessageIcon::Error: return MB_ICONERROR;
  }
  return 0;
}

void TWin32ExportImportUi::ShowMessage(const std::string& text, TMessageIcon icon) {
  MessageBoxW(owner_, Widen(text).c_str(), Widen(caption_).c_str(), MB_OK | IconFlags(icon));
}

bool TWin32ExportImportUi::AskYesNo(const std::string& text, TMessageIcon icon) {
  return MessageBoxW(owner_, Widen(text).c_str(), Widen(caption_).c_str(), MB_YESNO | IconFlags(icon)) == IDYES;
}

void TWin32ExportImportUi::SettingsReloaded() {
  if (onReloaded_) onReloaded_();
}

}  // namespace vimo
